#include "ui/scheduler/EventEditPanel.h"

#include "scheduler/EventEditor.h"
#include "scheduler/EventTypes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <limits>

namespace kelvane::ui {
namespace {

void MakeBold(QWidget* widget)
{
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

// The pickers use a larger font than the rest, so that the moment reads at a glance.
void Enlarge(QWidget* widget)
{
    QFont font = widget->font();
    font.setPointSizeF(font.pointSizeF() * 1.25);
    widget->setFont(font);
}

} // namespace

EventEditPanel BuildEventEditPanel(QGroupBox* panel)
{
    EventEditPanel p;
    p.eventEditPanel = panel;
    auto* column = new QVBoxLayout(panel);

    auto* top = new QGridLayout;
    p.enabledCheckBox = new QCheckBox(QStringLiteral("&Enable Event"), panel);
    MakeBold(p.enabledCheckBox);
    p.Button1 = new QPushButton(QStringLiteral("&Get Next Event Time"), panel);
    p.allEventsOffCheckBox = new QCheckBox(QStringLiteral("&Disable All Events"), panel);
    top->addWidget(p.enabledCheckBox, 0, 0);
    top->addWidget(p.Button1, 0, 1);
    top->addWidget(p.allEventsOffCheckBox, 1, 0, 1, 2, Qt::AlignHCenter);
    column->addLayout(top);

    p.NewEventBtn = new QPushButton(QStringLiteral("Create &New Event"), panel);
    MakeBold(p.NewEventBtn);
    p.NewEventBtn->setMinimumHeight(p.NewEventBtn->sizeHint().height() * 3 / 2);
    column->addWidget(p.NewEventBtn);

    column->addWidget(new QLabel(QStringLiteral("Date and Time of of Event"), panel));
    p.DatePicker1 = new QDateEdit(panel);
    p.DatePicker1->setDisplayFormat(QStringLiteral("MM/dd/yyyy"));
    p.DatePicker1->setCalendarPopup(true);
    p.DatePicker1->setMinimumDate(QDate(1, 1, 1));
    Enlarge(p.DatePicker1);
    column->addWidget(p.DatePicker1);
    p.TimePicker1 = new QTimeEdit(panel);
    p.TimePicker1->setDisplayFormat(QStringLiteral("hh:mm:ss AP"));
    Enlarge(p.TimePicker1);
    column->addWidget(p.TimePicker1);
    p.timeEdit = new QLineEdit(panel);
    p.timeEdit->setReadOnly(true);
    column->addWidget(p.timeEdit);

    column->addWidget(new QLabel(QStringLiteral("Event Name:"), panel));
    p.nameEdit = new QLineEdit(panel);
    column->addWidget(p.nameEdit);

    column->addWidget(new QLabel(QStringLiteral("Screensaver"), panel));
    auto* screensaver = new QHBoxLayout;
    p.SSEdit = new QLineEdit(panel);
    p.AddSSBtn = new QPushButton(QStringLiteral("+"), panel);
    p.AddSSBtn->setFixedWidth(p.AddSSBtn->sizeHint().height());
    screensaver->addWidget(p.SSEdit, 1);
    screensaver->addWidget(p.AddSSBtn);
    column->addLayout(screensaver);

    column->addWidget(new QLabel(QStringLiteral("Action Type"), panel));
    p.actTypeComboBox = new QComboBox(panel);
    for (const std::string_view action : ActionTypeNames) {
        p.actTypeComboBox->addItem(QString::fromUtf8(action.data(), static_cast<qsizetype>(action.size())));
    }
    column->addWidget(p.actTypeComboBox);
    p.closeSSCheckBox = new QCheckBox(QStringLiteral("Send &Close Screensaver Command"), panel);
    column->addWidget(p.closeSSCheckBox);

    column->addWidget(new QLabel(QStringLiteral("Event Type"), panel));
    p.evtTypeComboBox = new QComboBox(panel);
    for (const std::string_view name : EventTypeNames) {
        p.evtTypeComboBox->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    column->addWidget(p.evtTypeComboBox);
    p.minutesLabel = new QLabel(QStringLiteral("Minutes: (Minute-based events)"), panel);
    column->addWidget(p.minutesLabel);
    p.minutesSpin = new QSpinBox(panel);
    p.minutesSpin->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    p.minutesSpin->setValue(15);
    auto* minutes = new QHBoxLayout;
    minutes->addWidget(p.minutesSpin, 1);
    minutes->addStretch(1);
    column->addLayout(minutes);
    p.minutesLabel->setEnabled(false);
    p.minutesSpin->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    p.saveChangesBtn = new QPushButton(QStringLiteral("Save Ch&anges"), panel);
    p.delEventButton = new QPushButton(QStringLiteral("De&lete Event"), panel);
    for (QPushButton* button : {p.saveChangesBtn, p.delEventButton}) {
        button->setMinimumHeight(button->sizeHint().height() * 3 / 2);
        buttons->addWidget(button);
    }
    column->addSpacing(column->spacing() * 2);
    column->addLayout(buttons);
    column->addStretch(1);
    return p;
}

} // namespace kelvane::ui
