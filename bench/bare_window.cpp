// The reference for the window start-up benchmark: a bare Qt main window with the program's title,
// started and shown the same way, doing nothing else.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kelvane"));
    window.resize(1024, 780);
    window.show();
    return QApplication::exec();
}
