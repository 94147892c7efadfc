#include "ui/scheduler/addEventU.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvane::ui {

TaddEvtFrm::TaddEvtFrm(const std::vector<std::string>& paths, int picked, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Add Screensaver Event"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(QStringLiteral("Name: (Enter a name for your Event)"), this));
    nameEdit = new QLineEdit(QStringLiteral("New Event"), this);
    nameEdit->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    column->addWidget(nameEdit, 0, Qt::AlignLeft);
    column->addWidget(new QLabel(QStringLiteral("Select or enter the Screensaver file for this event"), this));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setEditable(true);
    // Typed text only looks for an entry; it never becomes one.
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& path : paths) {
        ComboBox1->addItem(QString::fromStdString(path));
    }
    ComboBox1->setCurrentIndex(picked);
    column->addWidget(ComboBox1);
    column->addWidget(new QLabel(QStringLiteral("Screensaver"), this));
    ssEdit = new QLineEdit(ComboBox1->currentIndex() >= 0 ? ComboBox1->currentText() : QString(), this);
    ssEdit->setMinimumWidth(fontMetrics().averageCharWidth() * 64);
    column->addWidget(ssEdit);
    // Only the list's entries reach the Screensaver field from here; another path is typed into the field.
    // The selector's text is what it shows: text that names no entry leaves the field empty rather than
    // keeping an earlier pick the selector no longer shows.
    connect(ComboBox1, &QComboBox::editTextChanged, this, [this](const QString& text) {
        const int entry = ComboBox1->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        ssEdit->setText(entry >= 0 ? ComboBox1->itemText(entry) : QString());
    });

    auto* buttons = new QDialogButtonBox(this);
    Button1 = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    Button2 = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    Button1->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addStretch(1);
    column->addWidget(buttons);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

std::string TaddEvtFrm::EventName() const
{
    return nameEdit->text().toStdString();
}

std::string TaddEvtFrm::Screensaver() const
{
    return ssEdit->text().toStdString();
}

} // namespace kelvane::ui
