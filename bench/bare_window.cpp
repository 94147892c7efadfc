// The reference for the window start-up benchmark: a bare Qt main window with the program's title and
// one table showing text (so that the fonts are loaded, as any window with words needs), started and
// shown the same way, doing nothing else.
#include <QApplication>
#include <QHeaderView>
#include <QMainWindow>
#include <QTableWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kelvane"));
    window.resize(1024, 780);
    auto* table = new QTableWidget(40, 3, &window);
    table->setHorizontalHeaderLabels({QStringLiteral("Name"), QStringLiteral("Event Time"), QStringLiteral("Type")});
    for (int row = 0; row < table->rowCount(); ++row) {
        table->setItem(row, 0, new QTableWidgetItem(QStringLiteral("Row %1").arg(row)));
        table->setItem(row, 1, new QTableWidgetItem(QStringLiteral("07/01/2024 10:00:00 AM")));
        table->setItem(row, 2, new QTableWidgetItem(QStringLiteral("Daily Recurring Events")));
    }
    window.setCentralWidget(table);
    window.show();
    return QApplication::exec();
}
