#pragma once

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTimeEdit;

namespace kelvane::ui {

// The controls of the event editor panel, top to bottom; the panel owns them.
struct EventEditPanel
{
    QGroupBox* eventEditPanel = nullptr;
    QCheckBox* enabledCheckBox = nullptr;
    QPushButton* Button1 = nullptr; // "Get Next Event Time"
    QCheckBox* allEventsOffCheckBox = nullptr;
    QPushButton* NewEventBtn = nullptr;
    QDateEdit* DatePicker1 = nullptr;
    QTimeEdit* TimePicker1 = nullptr;
    QLineEdit* timeEdit = nullptr; // shows the pickers' moment; never read back
    QLineEdit* nameEdit = nullptr;
    QLineEdit* SSEdit = nullptr;
    QPushButton* AddSSBtn = nullptr;
    QComboBox* actTypeComboBox = nullptr;
    QCheckBox* closeSSCheckBox = nullptr;
    QComboBox* evtTypeComboBox = nullptr;
    QLabel* minutesLabel = nullptr;
    QSpinBox* minutesSpin = nullptr;
    QPushButton* saveChangesBtn = nullptr;
    QPushButton* delEventButton = nullptr;
};

// Builds the panel, headed "Scheduled Event Settings", sized by the platform's font.
EventEditPanel BuildEventEditPanel(QGroupBox* panel);

} // namespace kelvane::ui
