#pragma once

#include "library/FileListThread.h"
#include "library/Rotation.h"
#include "ui/QtUiThread.h"
#include "ui/screensavers/ScreensaverFilePopup.h"

#include <QWidget>

#include <functional>
#include <mutex>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QComboBox;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QTreeView;

namespace kelvane {
class ProgramData;
}

namespace kelvane::platform {
class ScreensaverCatalogue;
class ScreensaverPreview;
} // namespace kelvane::platform

namespace kelvane::ui {

class IntervalSpinBox;
class PreviewPane;
class ScreensaverListModel;
class UserMessages;

// The "Screensavers" tab's controls, named by their role.
struct ScreensaversControls
{
    QPushButton* findButton = nullptr;
    QPushButton* addScreenSaverButton = nullptr;
    QPushButton* addFolderButton = nullptr;
    QPlainTextEdit* foldersMemo = nullptr;
    QPushButton* runButton = nullptr;
    QPushButton* setActiveButton = nullptr;
    QPushButton* setNoneButton = nullptr;
    QPushButton* setBlankButton = nullptr;
    QPushButton* upButton = nullptr;
    QPushButton* downButton = nullptr;
    QPushButton* topButton = nullptr;
    QPushButton* bottomButton = nullptr;
    QPushButton* removeButton = nullptr;
    QCheckBox* autoSwitchCheckBox = nullptr;
    IntervalSpinBox* IntervalBox = nullptr;
    QComboBox* ActionBox = nullptr;
    QTreeView* SSListBox = nullptr;
    PreviewPane* Preview = nullptr; // the selected row's screensaver, running

    // The list's popup menu.
    QMenu* SSPopupMenu = nullptr;
    ScreensaverFileItems SSFileItems; // "Run Selected Screensaver", "Set Active Selected Screensaver", ...
    QAction* DeleteSelected = nullptr;
    QAction* SelectAll = nullptr;
};

// What the tab works with.
struct ScreensaversTabContext
{
    ProgramData& Data;
    ActiveScreensaverControl& Active;
    platform::Shell& DesktopShell;
    UserMessages& Messages;
    // The status bar's message panel.
    std::function<void(const QString&)> ShowMessage;
    // Clears the message panel when it still shows this text.
    std::function<void(const QString&)> WithdrawMessage;
    // The rotation's state changed: the status bar's first panel follows.
    std::function<void()> RotationChanged;
    // The desktop's own screensaver programs, found by a scan beside ".scr" files; none when not given.
    const platform::ScreensaverCatalogue* Programs = nullptr;
    // Runs the preview; the pane shows its text alone when not given.
    platform::ScreensaverPreview* Preview = nullptr;
    // Shown in the middle of the list while it is empty; nothing when empty itself.
    QString EmptyListHint = {};
    // Shown in the preview pane where the preview cannot show there.
    QString PreviewOwnWindowNote = {};
};

// "Screensavers": the list of screensaver files, the folder scan, the active-screensaver buttons and the
// rotation through the list.
class TScreensaversTab final : public QWidget
{
    Q_OBJECT

public:
    explicit TScreensaversTab(const ScreensaversTabContext& context, QWidget* parent = nullptr);
    ~TScreensaversTab() override;

    const ScreensaversControls& Controls() const { return m_controls; }
    QTimer* switchTimer() const { return m_switchTimer; }

    // After the list files are read: the folder text shows the folder lines, and rotation starts over.
    void ShowLoadedLists();
    // After the settings are read: the interval, the action and "Auto Rotate".
    void ApplySettings();
    // The first status panel's text.
    std::string RotationStatus() const;

    // "Find Screensavers": scans every folder line; nothing while a scan runs.
    void findButtonClick();
    // "Add Folders" once a folder is chosen: the folder becomes the folder text's last line and is
    // scanned at once, also beside a running scan.
    void ScanAddedFolder(const std::string& folder);
    bool IsProcessing() const { return m_isProcessing; }
    // One rotation step.
    void switchTimerTimer();
    // "Add Screensaver" once the files are chosen; the status bar says how many the list could not take.
    void AddScreensaverFiles(const std::vector<std::string>& paths);
    // "Load from Disk File.." and "Export to Disk File.." of the Screensavers menu.
    void LoadFromDiskFileClick();
    void ExportToDiskFileClick();

    // The list row a new event offers first: the first selected one, the top row selected when none is.
    // -1 for an empty list.
    int PickRowForNewEvent();

    // The program is about to end: no rotation step and no new scan from now on.
    void PrepareForExit();
    // Stops every running scan and waits for each to end; no user input is taken meanwhile.
    void StopScans();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // The preview follows the selection: one selected row runs, anything else shows none.
    void UpdatePreview();
    // The popup offers what the selection allows: one row for a file's items, any for "Delete Selected".
    void OfferPopupItems();
    // The hint shows while the list has no rows.
    void ShowEmptyHint();
    void BuildControls();
    void ConnectControls();
    ScanSteps MakeScanSteps();
    // A new value of the interval box, typed, stepped or loaded.
    void IntervalBoxChange(int64_t seconds);
    // The rows selected on screen, told to the core's list before an operation that uses them.
    void SyncSelectionToList();
    // After an operation: the selection shown as the core now holds it.
    void ShowSelection();
    std::vector<std::string> SelectedPaths();

    ScreensaversTabContext m_context;
    ScreensaversControls m_controls;
    ScreensaverListModel* m_model = nullptr;
    QLabel* m_emptyHint = nullptr;
    QTimer* m_switchTimer = nullptr;
    RotationState m_rotation;
    bool m_isProcessing = false;
    struct
    {
        std::function<void()> Delete;
        std::function<void()> Enter;
    } m_listKeys;              // what the list's keys do
    QString m_intervalRefused; // the refusal of a too-low interval, while the message panel may show it
    bool m_exiting = false;
    std::mutex m_criticalSection; // the scan lock, handed to every scan worker
    QtUiThread m_uiThread{this};
    // Last, so that every worker has ended before anything it uses goes.
    ScanWorkers m_scans{m_uiThread, m_context.Programs};
};

} // namespace kelvane::ui
