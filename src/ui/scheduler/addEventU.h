#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kelvane::ui {

// "Add Screensaver Event": asks for the new event's name and screensaver, offering the paths of the
// screensaver list; any other path can be typed into the Screensaver field.
class TaddEvtFrm final : public QDialog
{
public:
    // The list's paths in order, and the index of the one picked at the start (-1: none).
    TaddEvtFrm(const std::vector<std::string>& paths, int picked, QWidget* parent);

    std::string EventName() const;
    std::string Screensaver() const;

    QLineEdit* nameEdit = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLineEdit* ssEdit = nullptr;
    QPushButton* Button1 = nullptr; // "OK"
    QPushButton* Button2 = nullptr; // "Cancel"
};

} // namespace kelvane::ui
