#pragma once

#include "ui/EventEditPanel.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QMainWindow;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTextEdit;
class QTreeView;
class QWidget;

namespace kelvane::ui {

class IntervalSpinBox;

// The main window's controls, named by their role; the window owns them.
struct MainWindowLayout
{
    QTabWidget* PageControl1 = nullptr;

    // "Screensavers"
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

    // "Event Scheduler"
    QTreeView* eventListViewII = nullptr;
    EventEditPanel editor;
    QGroupBox* logPanel = nullptr;
    QPlainTextEdit* logMemo = nullptr;

    // "Options"
    QComboBox* styleBox = nullptr;
    QSpinBox* toleranceSpinEdit = nullptr;
    QTextEdit* toleranceHelp = nullptr;
};

// Builds the three tabs into the window, laid out to grow with it.
MainWindowLayout BuildMainWindowLayout(QMainWindow* window);

} // namespace kelvane::ui
