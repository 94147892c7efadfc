#pragma once

#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>

class QComboBox;
class QSpinBox;
class QTextEdit;

namespace kelvane {
class ProgramData;
}

namespace kelvane::ui {

class UserMessages;

// The "Options" tab's controls, named by their role.
struct OptionsControls
{
    QComboBox* styleBox = nullptr;
    QSpinBox* toleranceSpinEdit = nullptr;
    QTextEdit* toleranceHelp = nullptr;
};

struct OptionsTabContext
{
    ProgramData& Data;
    UserMessages& Messages;
    // A new tolerance, for the event timer.
    std::function<void(int32_t)> ToleranceChanged;
};

// "Options": the visual style and the scheduler's tolerance, with its help text.
class TOptionsTab final : public QWidget
{
    Q_OBJECT

public:
    explicit TOptionsTab(const OptionsTabContext& context, QWidget* parent = nullptr);

    const OptionsControls& Controls() const { return m_controls; }

    // After the settings are read: the tolerance, and every style name with the one in use selected.
    void ApplySettings();
    // Applies a style the user chose and records it as the one in use; a failure is reported and changes
    // nothing.
    void ChangeSkin(const std::string& name);
    // A pick in the style list.
    void styleBoxChange();

protected:
    // Each showing of the tab fills the help afresh.
    void showEvent(QShowEvent* event) override;

private:
    void FillStyleList();

    OptionsTabContext m_context;
    OptionsControls m_controls;
};

} // namespace kelvane::ui
