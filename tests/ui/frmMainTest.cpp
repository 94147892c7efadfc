#include "library/FileListThread.h"
#include "library/Rotation.h"
#include "platform/DebugOutput.h"
#include "platform/ScreensaverDaemon.h"
#include "scheduler/EventsFile.h"
#include "settings/fileFunc.h"
#include "support/EventsFixture.h"
#include "support/FakePlatform.h"
#include "support/Fakes.h"
#include "support/TempDir.h"
#include "ui/IntervalSpinBox.h"
#include "ui/MainWindowFixture.h"
#include "ui/QtUiThread.h"
#include "ui/StatusPanel.h"
#include "ui/UserMessages.h"
#include "ui/frmMain_unit.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace kelvane::ui {
namespace {

using test::MainWindowTest;

// An ssList.txt of "/s/0.scr", "/s/1.scr" and so on.
void WriteNumberedList(test::TempDir& dir, int rows)
{
    std::string list;
    for (int i = 0; i < rows; ++i) {
        list += "/s/" + std::to_string(i) + ".scr\r\n";
    }
    dir.write("ssList.txt", list);
}

TEST_F(MainWindowTest, FirstStartIsCentredAndExitWritesEverySetting)
{
    auto window = Create();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Kelvane"));
    const QSize screen = QGuiApplication::primaryScreen()->size();
    EXPECT_EQ(window->frameGeometry(), QRect((screen.width() - 1024) / 2, (screen.height() - 780) / 2, 1024, 780))
        << "the frame, title bar included, is centred";
    EXPECT_NE(window->geometry(), window->frameGeometry()) << "the test's screen gives windows a frame";
    window->ShowAtStart();
    EXPECT_TRUE(window->isVisible());

    window->Exit1Click();
    EXPECT_EQ(exits, 1);
    EXPECT_TRUE(messages.errors.isEmpty()) << messages.errors.join(u'\n').toStdString();
    const std::pair<const char*, const char*> expected[] = {
        {"Startup", "0"},
        {"StartMin", "0"},
        {"Interval", "3600"},
        {"SwitchEnabled", "1"},
        {"Action", "1"},
        {"LogIsOn", "0"},
        {"SaveLog", "0"},
        {"UpdatesNotify", "1"},
        {"MaxLogLines", "1000"},
        {"EventTimerEnabled", "1"},
        {"EventTimerInterval", "20000"},
        {"EventTimerTolerance", "20"},
        {"Skin", "Windows"},
    };
    for (const auto& [key, value] : expected) {
        EXPECT_EQ(Ini("Settings", key), value) << key;
    }
    EXPECT_EQ(Ini("PosSave", "WindowState"), "0");
    EXPECT_EQ(Ini("PosSave", "Width"), "1024");
    EXPECT_EQ(debug.lines.front().rfind("Loading settings: WindowState=0", 0), 0u) << debug.lines.front();
}

TEST_F(MainWindowTest, TheActiveScreensaverShowsFromTheStart)
{
    platform.setting = "/home/u/glow.scr";
    auto window = Create();
    EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("Active: /home/u/glow.scr"));
    EXPECT_EQ(window->statusBar()->toolTip(), QStringLiteral("Active: /home/u/glow.scr"));
}

TEST_F(MainWindowTest, TitleBarCloseHidesAndAShowRequestBringsItBackWhereItWas)
{
    auto window = Create();
    window->ShowAtStart();
    window->setGeometry(40, 50, 900, 700);

    EXPECT_FALSE(window->TrayIcon1()->isVisible());
    EXPECT_FALSE(window->close()) << "the close is refused";
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->TrayIcon1()->isVisible()) << "the tray icon stands in for the window";
    EXPECT_EQ(window->TrayIcon1()->toolTip(), QStringLiteral("Kelvane"));
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(Ini("PosSave", "Left"), "38") << "the frame's placement is kept for the way back";
    EXPECT_EQ(Ini("PosSave", "WindowState"), "0");
    EXPECT_EQ(Ini("Settings", "Interval"), "<missing>") << "no other key is written while running";

    window->setGeometry(0, 0, 300, 200); // wherever the hidden window went, it comes back at the saved place
    window->BringTheWindowUp();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->TrayIcon1()->isVisible());
    EXPECT_FALSE(window->isMinimized());
    EXPECT_EQ(window->geometry(), QRect(40, 50, 900, 700));
}

TEST_F(MainWindowTest, AMaximisedWindowHiddenToTheTrayComesBackMaximised)
{
    auto window = Create();
    window->ShowAtStart();
    window->setGeometry(40, 50, 900, 700);
    window->showMaximized();
    ASSERT_TRUE(window->isMaximized());

    window->close();
    EXPECT_EQ(Ini("PosSave", "Left"), "<missing>") << "no placement is written from the maximised state";
    window->BringTheWindowUp();
    EXPECT_TRUE(window->isMaximized());
    EXPECT_EQ(window->normalGeometry(), QRect(40, 50, 900, 700));
}

TEST_F(MainWindowTest, MinimisingGoesToTheTrayOnlyWhenSoSet)
{
    auto window = Create();
    window->ShowAtStart();
    window->setGeometry(30, 40, 900, 700);
    window->showMinimized();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->isVisible()) << "minimised to the taskbar";
    EXPECT_FALSE(window->TrayIcon1()->isVisible());
    EXPECT_EQ(Ini("PosSave", "Left"), "28") << "the frame's placement is kept";

    window->showNormal();
    window->Menus().MinimizetoSystemTray1->trigger();
    window->showMinimized();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->TrayIcon1()->isVisible());
}

TEST_F(MainWindowTest, WithoutATrayTheWindowStaysOnTheTaskbarAndSaysSoOnce)
{
    trayAvailable = false;
    auto window = Create();
    window->ShowAtStart();
    window->Menus().MinimizetoSystemTray1->trigger();

    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible()) << "a hidden window could not be reached";
    EXPECT_TRUE(window->isMinimized());
    EXPECT_FALSE(window->TrayIcon1()->isVisible());
    const QString told = window->StatusPanelText(2);
    EXPECT_TRUE(told.startsWith(QStringLiteral("No system tray"))) << told.toStdString();

    window->showNormal();
    window->Menus().SaveLogtoDisk->trigger(); // anything that leaves its own message is absent here
    window->Screens().Controls().setNoneButton->click();
    window->showMinimized();
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("Active: None")) << "told once, not at every minimise";
}

TEST_F(MainWindowTest, StartMinimisedWithoutATrayStartsOnTheTaskbar)
{
    trayAvailable = false;
    dir.write("settings.ini", "[Settings]\r\nStartMin=1\r\nMinToTray=1\r\n");
    auto window = Create();
    window->ShowAtStart();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isMinimized());
}

TEST_F(MainWindowTest, TheStatusBarRestsWhileTheWindowIsHidden)
{
    auto window = Create();
    QTimer* statusTimer = window->findChild<QTimer*>(QStringLiteral("statusTimer"));
    ASSERT_NE(statusTimer, nullptr);
    window->ShowAtStart();
    EXPECT_TRUE(statusTimer->isActive());
    window->showMinimized();
    EXPECT_FALSE(statusTimer->isActive());
    window->showNormal();
    EXPECT_TRUE(statusTimer->isActive());
    window->close();
    EXPECT_FALSE(statusTimer->isActive());

    window->Scheduler().evtTimer()->stop(); // changed while hidden
    window->BringTheWindowUp();
    EXPECT_TRUE(statusTimer->isActive());
    EXPECT_EQ(window->StatusPanelText(1), QStringLiteral("Event Schedules are OFF")) << "fresh at once on the way back";
}

TEST_F(MainWindowTest, AVisibleWindowIsLeftAloneByAShowRequest)
{
    auto window = Create();
    window->ShowAtStart();
    window->setGeometry(10, 20, 900, 700);
    ASSERT_TRUE(WriteWindowPlacement(settingsFile, WindowState::Normal, {300, 300, 400, 400}).ok());
    window->BringTheWindowUp();
    EXPECT_EQ(window->geometry(), QRect(10, 20, 900, 700));
}

TEST_F(MainWindowTest, StartMinimisedStaysHiddenAndAnExitFromThereStoresMinimised)
{
    dir.write("settings.ini", "[Settings]\r\nStartMin=1\r\nFutureKey=kept\r\n");
    auto window = Create();
    window->ShowAtStart();
    EXPECT_FALSE(window->isVisible());
    window->Exit1Click();
    EXPECT_EQ(Ini("PosSave", "WindowState"), "1") << "the next start opens minimised";
    EXPECT_EQ(Ini("Settings", "StartMin"), "1");
    EXPECT_EQ(Ini("Settings", "FutureKey"), "kept");
}

TEST_F(MainWindowTest, StoredSettingsSurviveARunUnchanged)
{
    dir.write("settings.ini", "[Settings]\r\nInterval=0x10\r\nEventTimerTolerance=2\r\nSkin=Carbon\r\nAction=0\r\n"
                              "MinToTray=1\r\n[PosSave]\r\nLeft=5\r\nTop=6\r\nWidth=800\r\nHeight=700\r\n");
    auto window = Create();
    EXPECT_EQ(window->frameGeometry(), QRect(5, 6, 800, 700));
    EXPECT_EQ(window->Data().Settings().Interval, 16);
    EXPECT_TRUE(window->Data().Flags().MinToTray);
    window->ShowAtStart();
    window->Exit1Click();
    EXPECT_EQ(Ini("Settings", "Interval"), "16");
    EXPECT_EQ(Ini("Settings", "EventTimerTolerance"), "2");
    EXPECT_EQ(Ini("Settings", "Skin"), "Carbon");
    EXPECT_EQ(Ini("Settings", "Action"), "0");
    EXPECT_EQ(Ini("Settings", "MinToTray"), "1");
    for (const auto& [key, value] : {std::pair{"Left", "5"}, {"Top", "6"}, {"Width", "800"}, {"Height", "700"}}) {
        EXPECT_EQ(Ini("PosSave", key), value) << "the frame comes back as it was stored: " << key;
    }
}

TEST_F(MainWindowTest, AFirstStartCreatesTheExampleEventsAndTheExitSavesThem)
{
    auto window = Create();
    ASSERT_EQ(window->Data().Events().Rows.size(), 2u);
    EXPECT_EQ(window->Data().Events().Rows[0].EventTime(), "07/01/2024 09:03:00 AM");
    EXPECT_EQ(window->Data().Events().SelectedIndex, 0);
    window->Exit1Click();

    EventTable saved;
    EXPECT_FALSE(LoadEvents(dataFolder + "events.dat", saved, zone, regional).Problem);
    EXPECT_EQ(saved.Rows, window->Data().Events().Rows);
}

TEST_F(MainWindowTest, AStoredEventsFileGoesThroughARunByteForByte)
{
    ScheduledEvent row;
    row.Enabled = false;
    row.SetCaption("own caption");
    row.SetName("Gl\xC3\xBChwein");
    row.SetEventTime("11/03/2024 01:30:00 AM"); // the repeated hour
    row.SetEventType("------------------------------");
    row.SetLastRun("07/04/2024 09:15:45 PM");
    const std::string bytes = SerializeEvents({row, row}, zone, regional.formats).value();
    dir.write("events.dat", bytes);

    auto window = Create();
    EXPECT_EQ(window->Data().Events().Rows, (std::vector<ScheduledEvent>{row, row}));
    window->Exit1Click();
    EXPECT_EQ(dir.read("events.dat"), bytes);
}

TEST_F(MainWindowTest, AnEmptyEventsFileStaysEmpty)
{
    dir.write("events.dat", "");
    auto window = Create();
    EXPECT_TRUE(window->Data().Events().Rows.empty());
    EXPECT_EQ(window->Data().Events().SelectedIndex, -1);
}

// A row that every pass performs: minute-based, no minutes between runs.
ScheduledEvent EveryPassRow(const std::string& time)
{
    ScheduledEvent row;
    row.Enabled = true;
    row.SetName("every pass");
    row.SetEventTime(time);
    row.SetCloseCommand("False");
    row.SetAction("Run");
    row.SetScreensaver("/s/every.scr");
    row.SetEventType("Minute-Based Events");
    row.SetMinutes("0");
    return row;
}

// The scheduler's progress reaches the file at every pass that ran something, before anything was run,
// so that a crash cannot replay it; a file that refuses it is said once, in the status bar.
TEST_F(MainWindowTest, EachPassThatRunsAnEventSavesTheTableAndAFailureIsToldOnce)
{
    dir.write("events.dat", SerializeEvents({EveryPassRow("07/01/2024 09:00:00 AM")}, zone, regional.formats).value());
    auto window = Create();
    TEventSchedulerTab& tab = window->Scheduler();
    tab.Controls().editor.nameEdit->setText(QStringLiteral("typed, never saved"));
    const auto runCountOnDisk = [this] {
        EventTable saved;
        EXPECT_FALSE(LoadEvents(dataFolder + "events.dat", saved, zone, regional).Problem);
        return saved.Rows.at(0).Name() + " " + saved.Rows.at(0).RunCount();
    };

    tab.evtTimerTimer();
    EXPECT_EQ(runCountOnDisk(), "every pass 1") << "the table as it is, without the panel's edit";

    namespace fs = std::filesystem;
    fs::permissions(dataFolder + "events.dat", fs::perms::owner_read, fs::perm_options::replace);
    tab.evtTimerTimer();
    const QString told = window->StatusPanelText(2);
    EXPECT_TRUE(told.contains(QString::fromStdString("Unable to write to " + dataFolder + "events.dat")))
        << told.toStdString();
    window->ShowMessage(QStringLiteral("a later message"));
    tab.evtTimerTimer();
    EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("a later message")) << "the same failure is told once";
    EXPECT_EQ(runCountOnDisk(), "every pass 1");

    fs::permissions(dataFolder + "events.dat", fs::perms::owner_read | fs::perms::owner_write,
                    fs::perm_options::replace);
    tab.evtTimerTimer();
    EXPECT_EQ(runCountOnDisk(), "every pass 4");
    fs::permissions(dataFolder + "events.dat", fs::perms::owner_read, fs::perm_options::replace);
    tab.evtTimerTimer();
    EXPECT_EQ(window->StatusPanelText(2), told) << "after a save that worked, a new failure is told again";
    EXPECT_EQ(std::count(platform.calls.begin(), platform.calls.end(), "run /s/every.scr"), 5)
        << "a failed save holds no event back";
    EXPECT_TRUE(messages.errors.isEmpty());
}

// A row count that does not match the rows: the user is told once, a copy is kept, and what could be
// read is what the program goes on with.
TEST_F(MainWindowTest, AnEventsFileWithAWrongCountIsToldOnceAndKeptAsACopy)
{
    using test::Count;
    using test::Row;
    const double day = EncodeDate(2024, 5, 1);
    const std::string rows = Row("one", day) + Row("two", day);
    const struct
    {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"negative", Count(-2) + rows},
        {"zero_with_bytes_after_it", Count(0) + rows},
        {"too_small", Count(1) + rows},
    };
    for (const auto& c : cases) {
        dataFolder = dir.path() + "/" + c.name + "/";
        std::filesystem::create_directories(dataFolder);
        std::ofstream(dataFolder + "events.dat", std::ios::binary) << c.bytes;
        messages = {};
        auto window = Create();
        QCoreApplication::processEvents();
        ASSERT_EQ(messages.errors.size(), 1) << c.name;
        EXPECT_TRUE(messages.errors.front().contains(QString::fromStdString(dataFolder + "events.dat is damaged")))
            << messages.errors.front().toStdString();
        EXPECT_TRUE(messages.errors.front().contains(QString::fromStdString(dataFolder + "events.dat.bak")));
        ASSERT_EQ(window->Data().Events().Rows.size(), 2u) << c.name;
        window->Exit1Click();
        EXPECT_EQ(messages.errors.size(), 1) << c.name << ": the exit has nothing to add";
        std::ifstream copy(dataFolder + "events.dat.bak", std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(copy), {}), c.bytes) << c.name;
        std::ifstream saved(dataFolder + "events.dat", std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(saved), {}), Count(2) + rows) << c.name;
    }
}

// A damaged file of which no copy can be kept holds rows the program could not read: nothing writes
// over it, and each save that would have says why.
TEST_F(MainWindowTest, ADamagedEventsFileWithoutACopyIsNeverWrittenOver)
{
    std::string bytes = SerializeEvents({EveryPassRow("07/01/2024 09:00:00 AM")}, zone, regional.formats).value();
    bytes.replace(0, 4, test::Count(-1));
    dir.write("events.dat", bytes);
    std::filesystem::create_directory(dataFolder + "events.dat.bak");
    auto window = Create();
    QCoreApplication::processEvents();
    ASSERT_EQ(messages.errors.size(), 1);
    EXPECT_TRUE(messages.errors[0].contains(QStringLiteral("No copy of it could be kept")))
        << messages.errors[0].toStdString();

    window->Scheduler().evtTimerTimer();
    EXPECT_EQ(platform.calls.back(), "run /s/every.scr");
    const QString refusal = QString::fromStdString(dataFolder + "events.dat was not written: it is damaged");
    EXPECT_TRUE(window->StatusPanelText(2).contains(refusal)) << window->StatusPanelText(2).toStdString();
    window->Scheduler().saveChangesBtnClick();
    ASSERT_EQ(messages.errors.size(), 2);
    EXPECT_TRUE(messages.errors[1].contains(refusal));
    window->Exit1Click();
    ASSERT_EQ(messages.errors.size(), 3);
    EXPECT_TRUE(messages.errors[2].contains(refusal));
    EXPECT_EQ(dir.read("events.dat"), bytes);
}

TEST_F(MainWindowTest, TheEventTimerFollowsTheSettingsAndATickRunsTheEngine)
{
    dir.write("settings.ini", "[Settings]\r\nEventTimerTolerance=4\r\nLogIsOn=1\r\n");
    auto window = Create();
    EXPECT_TRUE(window->Scheduler().evtTimer()->isActive());
    EXPECT_EQ(window->Scheduler().evtTimer()->interval(), 1000);

    clock.now += 180 * OneSecond; // the first example event, "Ribbons", is due now
    window->Scheduler().evtTimerTimer();
    EXPECT_TRUE(window->Scheduler().evtTimer()->isActive()) << "the tick switches the timer on again";
    EXPECT_EQ(window->Data().Events().Rows[0].HasRun(), "True");
    EXPECT_FALSE(window->Data().Events().Rows[0].Enabled);
    EXPECT_EQ(platform.calls.back(), "run C:\\Windows\\System32\\ribbons.scr");
    EXPECT_EQ(window->Data().Log().Lines().front(), "Checking Events");
    EXPECT_EQ(window->Data().Log().Lines().back(), "--------------------------------------------------");

    window->Scheduler().Controls().editor.allEventsOffCheckBox->setChecked(true);
    window->Scheduler().allEventsOffCheckBoxClick();
    EXPECT_FALSE(window->Scheduler().evtTimer()->isActive());
    window->Exit1Click();
    EXPECT_EQ(Ini("Settings", "EventTimerEnabled"), "0");
    EXPECT_EQ(Ini("Settings", "LogIsOn"), "1");
}

TEST_F(MainWindowTest, SchedulingIsSavedAsTheUserChoseItWhateverTheTimerDoes)
{
    auto window = Create();
    ASSERT_TRUE(window->Scheduler().evtTimer()->isActive());
    window->Scheduler().evtTimer()->stop(); // as during a tick, whose message box lets an exit request in
    window->Exit1Click();
    EXPECT_EQ(Ini("Settings", "EventTimerEnabled"), "1");
}

TEST_F(MainWindowTest, ASavedLogIsReloadedWithAHeaderAndWrittenBackAtExit)
{
    dir.write("settings.ini",
              "[Settings]\r\nLogIsOn=1\r\nSaveLog=1\r\nEventTimerEnabled=0\r\nEventTimerInterval=1\r\n");
    dir.write("eventLog.txt", "from last time\r\n");
    auto window = Create();
    EXPECT_FALSE(window->Scheduler().evtTimer()->isActive());
    window->Exit1Click();
    EXPECT_EQ(dir.read("eventLog.txt"), "from last time\r\n"
                                        "[7/1/2024 9:00:00 AM]\r\n"
                                        "Scheduled Events are OFF\r\n"
                                        "Timer: 1\r\n"
                                        "Tolerance: 20\r\n"
                                        "--------------------------------------------------\r\n");
}

TEST_F(MainWindowTest, AnEmptyLogLeavesTheOldFileAlone)
{
    dir.write("settings.ini", "[Settings]\r\nLogIsOn=0\r\nSaveLog=1\r\n");
    auto window = Create();
    dir.write("eventLog.txt", "written meanwhile\r\n");
    ASSERT_TRUE(window->Data().Log().Lines().empty()) << "logging is off, so not even the header was added";
    window->Exit1Click();
    EXPECT_EQ(dir.read("eventLog.txt"), "written meanwhile\r\n");
}

TEST_F(MainWindowTest, TheListFilesComeThroughARunUnchanged)
{
    using namespace std::string_literals;
    const std::string list = "/s/b.scr\r\n/s/a.scr\r\n/s/a.scr\r\n";
    const std::string folders = "\xFF\xFE/\0s\0\r\0\n\0\r\0\n\0"s; // UTF-16 with its mark, an empty line kept
    dir.write("ssList.txt", list);
    dir.write("folderList.txt", folders);
    auto window = Create();
    EXPECT_EQ(window->Data().Screensavers().Paths(), (std::vector<std::string>{"/s/b.scr", "/s/a.scr", "/s/a.scr"}));
    EXPECT_EQ(window->Data().FolderLines(), (std::vector<std::string>{"/s", ""}));
    window->Exit1Click();
    EXPECT_EQ(dir.read("ssList.txt"), list);
    EXPECT_EQ(dir.read("folderList.txt"), folders);
}

TEST_F(MainWindowTest, AFirstStartScansTheWindowsFoldersAndRotatesByActivation)
{
    platform.windowsFolder = dir.path() + "/windows";
    auto window = Create();
    EXPECT_EQ(window->Data().FolderLines(),
              (std::vector<std::string>{dir.path() + "/windows", dir.path() + "/windows/System32"}));
    EXPECT_TRUE(window->Screens().switchTimer()->isActive());
    EXPECT_EQ(window->Screens().switchTimer()->interval(), 3600 * 1000);

    std::filesystem::create_directories(dir.file("windows/System32"));
    dir.write("windows/System32/ribbons.scr", "");
    dir.write("windows/System32/Bubbles.SCR", "");
    dir.write("windows/notes.txt", "");
    window->Screens().findButtonClick();
    EXPECT_TRUE(window->Screens().IsProcessing());
    window->Screens().findButtonClick(); // nothing while a scan runs
    QtUiThread(window.get()).ProcessUntil([&] { return !window->Screens().IsProcessing(); });
    std::vector<std::string> found = window->Data().Screensavers().Paths();
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::string>{dir.path() + "/windows/System32/Bubbles.SCR",
                                               dir.path() + "/windows/System32/ribbons.scr"}))
        << "the overlapping second folder adds nothing twice";

    window->Screens().switchTimerTimer();
    window->Screens().switchTimerTimer();
    window->Screens().switchTimerTimer();
    EXPECT_EQ(platform.setting, window->Data().Screensavers().Paths()[0])
        << "three steps over two rows wrap to the top";
}

TEST_F(MainWindowTest, NamesAListFileCannotKeepAreLeftOutAndCounted)
{
#ifndef _WIN32
    for (const char* name : {"tree/new\nline.scr", "tree/tab\there.scr", "tree/kept.scr"}) {
        std::filesystem::create_directories(dir.file("tree"));
        dir.write(name, "");
    }
    dir.write("folderList.txt", dir.file("tree") + "\r\n");
    auto window = Create();
    window->Screens().findButtonClick();
    QtUiThread(window.get()).ProcessUntil([&] { return !window->Screens().IsProcessing(); });
    EXPECT_EQ(window->Data().Screensavers().Paths(), std::vector<std::string>{dir.file("tree/kept.scr")});
    EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("Active: None - 2 files left out: a list file cannot keep a "
                                                         "name with a line break, a tab or enclosing double quotes"));

    window->Screens().AddScreensaverFiles({"/s/one\nmore.scr", "/s/added.scr"});
    EXPECT_EQ(window->StatusPanelText(2).left(17), QStringLiteral("1 file left out: "));
    window->Exit1Click();
    EXPECT_EQ(dir.read("ssList.txt"), dir.file("tree/kept.scr") + "\r\n/s/added.scr\r\n");
#endif
}

TEST_F(MainWindowTest, ARowOfAMissingFileRunsNothingAndSaysSo)
{
    dir.write("ssList.txt", "/s/gone.scr\r\n/s/caf\xE9.scr\r\n");
    platform.missingFiles = {"/s/gone.scr"};
    auto window = Create();
    const ScreensaversControls& c = window->Screens().Controls();
    QAbstractItemModel* model = c.SSListBox->model();
    EXPECT_FALSE(model->data(model->index(1, 1)).toString().isEmpty()) << "a row that is not UTF-8 still shows";
    c.SSListBox->selectionModel()->select(model->index(0, 0),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    platform.calls.clear();
    for (QPushButton* button : {c.runButton, c.setActiveButton}) {
        button->click();
        EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("Screensaver file is missing, nothing done: /s/gone.scr"));
    }
    c.SSFileItems.Options->trigger();
    EXPECT_EQ(platform.calls, std::vector<std::string>{});
    EXPECT_FALSE(platform.setting.has_value());
    window->Exit1Click();
    EXPECT_EQ(dir.read("ssList.txt"), "/s/gone.scr\r\n/s/caf\xE9.scr\r\n") << "the rows stay, and keep their bytes";
}

TEST_F(MainWindowTest, AScanShowsWhatItAddsAndEndsWithTheActiveScreensaver)
{
    for (int i = 0; i < 3000; ++i) {
        std::filesystem::create_directories(dir.file("tree/d" + std::to_string(i % 30)));
        dir.write("tree/d" + std::to_string(i % 30) + "/s" + std::to_string(i) + ".scr", "");
    }
    dir.write("folderList.txt", dir.file("tree") + "\r\n");
    auto window = Create();
    const ScreensaversControls& c = window->Screens().Controls();
    // Looked at whenever rows join: inside a step of the scan.
    struct Seen
    {
        QString panel;
        QString lastRow;
        bool busy;
        bool findEnabled;
    };
    std::vector<Seen> seen;
    QObject::connect(
        c.SSListBox->model(), &QAbstractItemModel::rowsInserted, window.get(), [&](const QModelIndex&, int, int last) {
            const QCursor* cursor = QApplication::overrideCursor();
            seen.push_back(
                {window->StatusPanelText(2),
                 QString::fromStdString(window->Data().Screensavers().Rows()[static_cast<size_t>(last)].Path),
                 cursor && cursor->shape() == Qt::WaitCursor, c.findButton->isEnabled()});
        });
    window->Screens().findButtonClick();
    QtUiThread(window.get()).ProcessUntil([&] { return !window->Screens().IsProcessing(); });

    EXPECT_EQ(window->Data().Screensavers().Paths(), CollectScreensaverFiles(dir.file("tree")));
    ASSERT_FALSE(seen.empty());
    EXPECT_LT(seen.size(), 3000u / 10) << "rows join in batches";
    for (const Seen& step : seen) {
        EXPECT_EQ(step.panel, QStringLiteral("Processing: ") + step.lastRow);
        EXPECT_TRUE(step.busy);
        EXPECT_FALSE(step.findEnabled);
    }
    EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("Active: None"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(c.findButton->isEnabled());
    window->Exit1Click();
}

TEST_F(MainWindowTest, ClosingDuringAScanTakesNoInputAndSavesEverything)
{
    for (int i = 0; i < 200; ++i) {
        std::filesystem::create_directories(dir.file("tree/d" + std::to_string(i)));
        dir.write("tree/d" + std::to_string(i) + "/s.scr", "");
    }
    dir.write("folderList.txt", "/first\r\n");
    auto window = Create();
    window->show();
    window->Screens().ScanAddedFolder(dir.path() + "/tree");
    EXPECT_EQ(window->Screens().Controls().foldersMemo->toPlainText(),
              QString::fromStdString("/first\n" + dir.path() + "/tree"))
        << "the added folder is the folder text's last line";

    // A click on "Add Folders" is queued as the close begins. Should it open the folder dialog, the dialog
    // is closed again and the test fails instead of hanging.
    bool dialogOpened = false;
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, &guard, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            dialogOpened = true;
            modal->close();
        }
    });
    guard.start(50);
    QPushButton* addFolders = window->Screens().Controls().addFolderButton;
    const QPointF middle = QRectF(addFolders->rect()).center();
    const QPointF global = addFolders->mapToGlobal(middle);
    QCoreApplication::postEvent(addFolders, new QMouseEvent(QEvent::MouseButtonPress, middle, global, Qt::LeftButton,
                                                            Qt::LeftButton, Qt::NoModifier));
    QCoreApplication::postEvent(addFolders, new QMouseEvent(QEvent::MouseButtonRelease, middle, global, Qt::LeftButton,
                                                            Qt::NoButton, Qt::NoModifier));
    window->Exit1Click();
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(window->Screens().IsProcessing());
    // The walk stops at once; the files it had found are listed and saved, in the order it found them.
    const std::vector<std::string> rows = window->Data().Screensavers().Paths();
    const std::vector<std::string> walk = CollectScreensaverFiles(dir.path() + "/tree");
    ASSERT_LE(rows.size(), walk.size());
    EXPECT_TRUE(std::equal(rows.begin(), rows.end(), walk.begin()));
    std::string saved;
    for (const std::string& row : rows) {
        saved += row + "\r\n";
    }
    EXPECT_EQ(dir.read("ssList.txt"), saved);
    EXPECT_EQ(dir.read("folderList.txt"), "/first\r\n" + dir.path() + "/tree\r\n");

    QCoreApplication::processEvents(); // the click arrives after the exit: it starts nothing
    EXPECT_FALSE(dialogOpened);
    EXPECT_FALSE(window->Screens().IsProcessing());
}

TEST_F(MainWindowTest, AnExitWhileTwoScansRunSideBySideStopsBothAndSavesWhatTheyFound)
{
    for (const char* tree : {"one", "two"}) {
        for (int i = 0; i < 3000; ++i) {
            const std::string folder = std::string(tree) + "/d" + std::to_string(i % 30);
            std::filesystem::create_directories(dir.file(folder));
            dir.write(folder + "/s" + std::to_string(i) + ".scr", "");
        }
    }
    dir.write("folderList.txt", dir.file("one") + "\r\n");
    auto window = Create();
    window->show();
    // The exit is asked for as the first rows join, and comes before any further step of either scan.
    bool asked = false;
    QObject::connect(window->Screens().Controls().SSListBox->model(), &QAbstractItemModel::rowsInserted, window.get(),
                     [&] {
                         if (!asked) {
                             asked = true;
                             QMetaObject::invokeMethod(window.get(), &TfrmMain::Exit1Click, Qt::QueuedConnection);
                         }
                     });
    window->Screens().findButtonClick();
    window->Screens().ScanAddedFolder(dir.file("two"));
    QtUiThread(window.get()).ProcessUntil([&] { return exits == 1; });

    EXPECT_FALSE(window->Screens().IsProcessing());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "both scans ran their end step";
    EXPECT_TRUE(window->Screens().Controls().findButton->isEnabled());
    // Each scan's rows are what it had found, in its own order; neither walked on after the exit.
    const std::vector<std::string> rows = window->Data().Screensavers().Paths();
    // The batch that asked, and at most one more that each scan had gathered: far from all 6000 files.
    EXPECT_LE(rows.size(), 3 * ScanBatching{}.MaxFiles);
    std::string saved;
    std::vector<std::string> byTree[2];
    for (const std::string& row : rows) {
        saved += row + "\r\n";
        byTree[row.rfind(dir.file("one"), 0) == 0 ? 0 : 1].push_back(row);
    }
    EXPECT_EQ(dir.read("ssList.txt"), saved);
    for (int tree = 0; tree < 2; ++tree) {
        const std::vector<std::string> walk = CollectScreensaverFiles(dir.file(tree == 0 ? "one" : "two"));
        EXPECT_TRUE(std::equal(byTree[tree].begin(), byTree[tree].end(), walk.begin())) << tree;
    }
}

TEST_F(MainWindowTest, TheListKeepsItsSelectionAndScrollOverAddsAndMoves)
{
    WriteNumberedList(dir, 100);
    auto window = Create();
    window->resize(800, 600);
    window->show();
    QTreeView* view = window->Screens().Controls().SSListBox;
    const QModelIndex row50 = view->model()->index(50, 1);
    view->selectionModel()->select(row50, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollTo(row50, QAbstractItemView::PositionAtTop);
    const int scrolled = view->verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);
    const auto selectedRows = [view] {
        std::vector<int> rows;
        for (const QModelIndex& index : view->selectionModel()->selectedRows()) {
            rows.push_back(index.row());
        }
        return rows;
    };

    window->Data().Screensavers().AddScreensaverRow("/s/found-by-a-scan.scr"); // as each scan step does
    EXPECT_EQ(selectedRows(), std::vector<int>{50});
    EXPECT_EQ(view->verticalScrollBar()->value(), scrolled);

    window->Screens().Controls().upButton->click();
    EXPECT_EQ(selectedRows(), std::vector<int>{49}) << "the moved row stays selected";
    EXPECT_EQ(window->Data().Screensavers().Rows()[49].Path, "/s/50.scr");
    window->Screens().Controls().bottomButton->click();
    EXPECT_EQ(selectedRows(), std::vector<int>{100});
    EXPECT_EQ(window->Data().Screensavers().Rows().back().Path, "/s/50.scr");
    window->Screens().Controls().topButton->click();
    EXPECT_EQ(selectedRows(), std::vector<int>{0});
    EXPECT_EQ(view->model()->index(0, 1).data().toString(), QStringLiteral("/s/50.scr"));
    window->Exit1Click();
}

TEST_F(MainWindowTest, ALongListAsksForTheIconsOfTheRowsOnScreenOnly)
{
    WriteNumberedList(dir, 5000);
    auto window = Create();
    EXPECT_EQ(platform.iconLookups, 0) << "nothing is asked before the list is drawn";
    window->resize(800, 600);
    window->show();
    QTreeView* view = window->Screens().Controls().SSListBox;
    view->viewport()->grab();
    const int onScreen = view->viewport()->height() / view->sizeHintForRow(0) + 1;
    EXPECT_GT(platform.iconLookups, 0);
    EXPECT_LE(platform.iconLookups, onScreen);

    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    view->viewport()->grab();
    EXPECT_LE(platform.iconLookups, 2 * onScreen) << "scrolled to the end: the last screenful more";
    window->Exit1Click();
}

TEST_F(MainWindowTest, TheScreensaverButtonsFollowTheSelectionRules)
{
    dir.write("ssList.txt", "/s/a.scr\r\n/s/b.scr\r\n/s/c.scr\r\n/s/d.scr\r\n");
    auto window = Create();
    const ScreensaversControls& c = window->Screens().Controls();
    QAbstractItemModel* model = c.SSListBox->model();
    const auto select = [&](std::initializer_list<int> rows) {
        c.SSListBox->selectionModel()->clearSelection();
        for (const int row : rows) {
            c.SSListBox->selectionModel()->select(model->index(row, 0),
                                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    };
    const auto selectedRows = [&] {
        std::vector<int> rows;
        for (const QModelIndex& index : c.SSListBox->selectionModel()->selectedRows()) {
            rows.push_back(index.row());
        }
        std::sort(rows.begin(), rows.end());
        return rows;
    };

    select({1, 3});
    c.topButton->click();
    EXPECT_EQ(window->Data().Screensavers().Paths(),
              (std::vector<std::string>{"/s/b.scr", "/s/a.scr", "/s/c.scr", "/s/d.scr"}));
    EXPECT_EQ(selectedRows(), (std::vector<int>{0, 3})) << "the moved row and the other selected one";

    c.runButton->click();
    EXPECT_EQ(platform.calls.back(), "run /s/b.scr") << "Run takes the upper selected row";
    c.setActiveButton->click();
    EXPECT_FALSE(platform.setting.has_value()) << "Set: Active needs exactly one row";
    select({2});
    c.setActiveButton->click();
    EXPECT_EQ(platform.setting, "/s/c.scr");
    EXPECT_EQ(window->statusBar()->toolTip(), QStringLiteral("Active: /s/c.scr"));
    c.setNoneButton->click();
    EXPECT_FALSE(platform.setting.has_value());
    EXPECT_EQ(window->statusBar()->toolTip(), QStringLiteral("Active: None"));

    select({0, 1, 2, 3});
    c.removeButton->click();
    EXPECT_EQ(window->Data().Screensavers().Count(), 0u);
    EXPECT_EQ(model->rowCount(), 0);
}

TEST_F(MainWindowTest, ThePopupActionsNeedExactlyOneRow)
{
    dir.write("ssList.txt", "/s/a.scr\r\n/s/b.scr\r\n");
    auto window = Create();
    const ScreensaversControls& m = window->Screens().Controls();
    m.SelectAll->trigger();
    platform.calls.clear();
    for (QAction* action : {m.SSFileItems.Run, m.SSFileItems.SetActive, m.SSFileItems.ShowInFolder,
                            m.SSFileItems.ShowFileProperties, m.SSFileItems.CopyFilepath, m.SSFileItems.Options}) {
        action->trigger();
    }
    EXPECT_EQ(platform.calls, std::vector<std::string>{}) << "two rows selected: nothing happens";

    window->Screens().Controls().SSListBox->selectionModel()->select(
        window->Screens().Controls().SSListBox->model()->index(1, 0),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    for (QAction* action : {m.SSFileItems.Run, m.SSFileItems.ShowInFolder, m.SSFileItems.ShowFileProperties,
                            m.SSFileItems.CopyFilepath, m.SSFileItems.Options}) {
        action->trigger();
    }
    EXPECT_EQ(platform.calls, (std::vector<std::string>{"run /s/b.scr", "folder /s/b.scr", "properties /s/b.scr",
                                                        "copy /s/b.scr", "configure /s/b.scr"}));
    m.DeleteSelected->trigger();
    EXPECT_EQ(window->Data().Screensavers().Paths(), std::vector<std::string>{"/s/a.scr"});
}

TEST_F(MainWindowTest, ThePopupOffersOnlyWhatTheSelectionAllows)
{
    dir.write("ssList.txt", "/s/a.scr\r\n/s/b.scr\r\n");
    auto window = Create();
    const ScreensaversControls& m = window->Screens().Controls();
    const auto select = [&](std::initializer_list<int> rows) {
        m.SSListBox->selectionModel()->clearSelection();
        for (const int row : rows) {
            m.SSListBox->selectionModel()->select(m.SSListBox->model()->index(row, 0),
                                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    };
    const std::vector<QAction*> fileItems{m.SSFileItems.Run,          m.SSFileItems.SetActive,
                                          m.SSFileItems.ShowInFolder, m.SSFileItems.ShowFileProperties,
                                          m.SSFileItems.CopyFilepath, m.SSFileItems.Options};
    const struct
    {
        std::initializer_list<int> rows;
        bool fileItems;
        bool deleteSelected;
    } cases[] = {{{}, false, false}, {{1}, true, true}, {{0, 1}, false, true}};
    for (const auto& c : cases) {
        select(c.rows);
        for (QAction* item : fileItems) {
            EXPECT_EQ(item->isEnabled(), c.fileItems) << item->text().toStdString() << " with " << c.rows.size();
        }
        EXPECT_EQ(m.DeleteSelected->isEnabled(), c.deleteSelected) << c.rows.size();
        EXPECT_TRUE(m.SelectAll->isEnabled());
        EXPECT_TRUE(m.SSFileItems.Settings->isEnabled()) << "needs no file";
    }

    select({1});
    m.DeleteSelected->trigger();
    select({0});
    m.DeleteSelected->trigger();
    EXPECT_EQ(window->Data().Screensavers().Count(), 0u);
    EXPECT_FALSE(m.SelectAll->isEnabled()) << "nothing to select";
    EXPECT_FALSE(m.SSFileItems.Run->isEnabled()) << "the removed row is no longer selected";
    EXPECT_FALSE(m.DeleteSelected->isEnabled());
}

// The letter after the single "&" of a caption, or nothing when it has none or more than one.
QChar Mnemonic(const QString& caption)
{
    const qsizetype at = caption.indexOf(u'&');
    if (at < 0 || at + 1 >= caption.size() || caption.indexOf(u'&', at + 1) >= 0) {
        return {};
    }
    return caption.at(at + 1).toLower();
}

// Every caption has one mnemonic, and none is used twice among them.
void ExpectOwnMnemonics(const QStringList& captions, const std::string& where)
{
    QString used;
    for (const QString& caption : captions) {
        const QChar letter = Mnemonic(caption);
        EXPECT_TRUE(letter.isLetter()) << where << ": " << caption.toStdString();
        EXPECT_FALSE(used.contains(letter)) << where << ": " << caption.toStdString() << " repeats a letter";
        used.append(letter);
    }
}

QStringList ActionCaptions(const QList<QAction*>& actions)
{
    QStringList captions;
    for (const QAction* action : actions) {
        if (!action->isSeparator()) {
            captions.append(action->text());
        }
    }
    return captions;
}

TEST_F(MainWindowTest, EveryMenuAndButtonHasItsOwnMnemonic)
{
    auto window = Create();
    const QList<QAction*> bar = window->menuBar()->actions();
    QList<QMenu*> menus{window->Screens().Controls().SSPopupMenu, window->Scheduler().Controls().EventPopupMenu,
                        window->TrayIcon1()->contextMenu()};
    for (const QAction* item : bar) {
        menus.append(item->menu());
        for (QMenu* sub : item->menu()->findChildren<QMenu*>()) {
            menus.append(sub);
        }
    }
    ExpectOwnMnemonics(ActionCaptions(bar), "the menu bar");
    for (const QMenu* menu : menus) {
        ExpectOwnMnemonics(ActionCaptions(menu->actions()), menu->title().toStdString());
    }

    // The tab's controls share the window with the menu bar, so they share its letters too.
    QStringList captions = ActionCaptions(bar);
    for (const QAbstractButton* button : window->Screens().findChildren<QAbstractButton*>()) {
        captions.append(button->text());
    }
    for (const QLabel* label : window->Screens().findChildren<QLabel*>()) {
        if (label->buddy()) {
            captions.append(label->text());
        }
    }
    ExpectOwnMnemonics(captions, "the Screensavers tab");
    QStringList eventCaptions = ActionCaptions(bar);
    for (const QAbstractButton* button : window->Scheduler().findChildren<QAbstractButton*>()) {
        if (button->text().front().isLetter()) { // "+" stays as it is
            eventCaptions.append(button->text());
        }
    }
    ExpectOwnMnemonics(eventCaptions, "the Event Scheduler tab");
    QStringList shown;
    for (const QString& caption : captions) {
        shown.append(QString(caption).remove(u'&'));
    }
    for (const char* caption : {"Find Screensavers", "Set: Active", "Remove", "Auto Rotate", "Interval Seconds"}) {
        EXPECT_TRUE(shown.contains(QString::fromUtf8(caption))) << "a mnemonic adds only the \"&\": " << caption;
    }
}

TEST_F(MainWindowTest, DeleteRemovesTheSelectedRowsAndEnterRunsTheFirst)
{
    dir.write("ssList.txt", "/s/a.scr\r\n/s/b.scr\r\n/s/c.scr\r\n");
    auto window = Create();
    QTreeView* list = window->Screens().Controls().SSListBox;
    const auto press = [list](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(list, &event);
    };
    const auto select = [list](std::initializer_list<int> rows) {
        list->selectionModel()->clearSelection();
        for (const int row : rows) {
            list->selectionModel()->select(list->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    };
    platform.calls.clear();
    select({1, 2});
    press(Qt::Key_Return);
    press(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(platform.calls, (std::vector<std::string>{"run /s/b.scr", "run /s/b.scr"})) << "the uppermost, as Run";

    press(Qt::Key_Delete);
    EXPECT_EQ(window->Data().Screensavers().Paths(), std::vector<std::string>{"/s/a.scr"});
    select({});
    press(Qt::Key_Delete);
    press(Qt::Key_Return);
    EXPECT_EQ(window->Data().Screensavers().Paths(), std::vector<std::string>{"/s/a.scr"}) << "nothing selected";
    EXPECT_EQ(platform.calls.size(), 2u);
}

TEST_F(MainWindowTest, TheTabKeyFollowsTheScreensaversTabsLayout)
{
    auto window = Create();
    window->ShowAtStart();
    const ScreensaversControls& c = window->Screens().Controls();
    const std::vector<QWidget*> expected{
        c.findButton,    c.addScreenSaverButton, c.addFolderButton, c.foldersMemo, c.runButton, c.setActiveButton,
        c.setNoneButton, c.setBlankButton,       c.upButton,        c.downButton,  c.topButton, c.bottomButton,
        c.removeButton,  c.autoSwitchCheckBox,   c.IntervalBox,     c.ActionBox,   c.SSListBox};
    std::vector<QWidget*> order{expected.front()};
    for (QWidget* at = expected.front()->nextInFocusChain(); order.size() < expected.size() && at != expected.front();
         at = at->nextInFocusChain()) {
        if (at->focusPolicy() & Qt::TabFocus && std::find(expected.begin(), expected.end(), at) != expected.end()) {
            order.push_back(at);
        } else if (at->focusPolicy() & Qt::TabFocus && at->isVisibleTo(&window->Screens()) &&
                   window->Screens().isAncestorOf(at) && !c.IntervalBox->isAncestorOf(at) &&
                   !c.foldersMemo->isAncestorOf(at) && !c.SSListBox->isAncestorOf(at)) {
            ADD_FAILURE() << "an unexpected stop: " << at->metaObject()->className();
        }
    }
    EXPECT_EQ(order, expected);
}

TEST_F(MainWindowTest, AnEmptyListSaysHowToFillIt)
{
    dir.write("ssList.txt", "");
    auto window = Create();
    window->ShowAtStart();
    QCoreApplication::processEvents();
    QTreeView* list = window->Screens().Controls().SSListBox;
    const auto hint = [list] {
        for (QLabel* label : list->viewport()->findChildren<QLabel*>()) {
            if (label->text() == QStringLiteral("Nothing listed yet")) {
                return label;
            }
        }
        return static_cast<QLabel*>(nullptr);
    };
    ASSERT_NE(hint(), nullptr);
    EXPECT_TRUE(hint()->isVisible());
    EXPECT_EQ(hint()->geometry().center().y(), list->viewport()->rect().center().y()) << "in its middle";

    window->Screens().AddScreensaverFiles({"/s/a.scr"});
    EXPECT_FALSE(hint()->isVisible()) << "a listed file takes its place";
    list->selectAll();
    window->Screens().Controls().removeButton->click();
    EXPECT_TRUE(hint()->isVisible()) << "back once the list is empty again";
}

// A daemon that answers when the test says so.
class FakeDaemon : public platform::ScreensaverDaemon
{
public:
    std::function<void(bool)> answer;
    int starts = 0;
    int everySession = 0;
    void CheckRunning(std::function<void(bool)> a) override { answer = std::move(a); }
    void Start() override { ++starts; }
    Status StartWithEverySession() override
    {
        ++everySession;
        return Status::Ok();
    }
};

TEST_F(MainWindowTest, ADaemonThatIsNotRunningIsToldOnceAndOfferedToStart)
{
    FakeDaemon fake;
    daemon = &fake;
    auto window = Create();
    QAction* start = window->Menus().StartDaemon;
    ASSERT_TRUE(fake.answer) << "asked at the start";
    EXPECT_FALSE(start->isVisible()) << "not offered before the answer";

    fake.answer(false);
    EXPECT_TRUE(window->StatusPanelText(2).startsWith(QStringLiteral("XScreenSaver is not running")))
        << window->StatusPanelText(2).toStdString();
    EXPECT_TRUE(start->isVisible());

    messages.answer = false;
    start->trigger();
    EXPECT_EQ(fake.starts, 1);
    EXPECT_EQ(messages.questions.size(), 1) << "with every session: asked";
    EXPECT_EQ(fake.everySession, 0) << "declined";
    EXPECT_FALSE(start->isVisible()) << "started: no longer offered";

    window.reset();
    FakeDaemon running;
    daemon = &running;
    window = Create();
    running.answer(true);
    EXPECT_FALSE(window->Menus().StartDaemon->isVisible());
    EXPECT_FALSE(window->StatusPanelText(2).startsWith(QStringLiteral("XScreenSaver"))) << "nothing to tell";
    window.reset();
    running.answer(false); // an answer after the window has gone reaches nothing
}

TEST_F(MainWindowTest, TheEventsPopupWorksOnTheSelectedEventsScreensaver)
{
    auto window = Create(); // the two example events, the first one selected
    const EventSchedulerControls& m = window->Scheduler().Controls();
    QItemSelectionModel* selection = window->Scheduler().Controls().eventListViewII->selectionModel();
    EXPECT_EQ(selection->currentIndex().row(), 0);
    selection->select(window->Scheduler().Controls().eventListViewII->model()->index(1, 0),
                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    for (QAction* action : {m.EventFileItems.Run, m.EventFileItems.ShowInFolder, m.EventFileItems.ShowFileProperties,
                            m.EventFileItems.CopyFilepath, m.EventFileItems.Options, m.EventFileItems.SetActive}) {
        action->trigger();
    }
    const std::string bubbles = "C:\\Windows\\System32\\bubbles.scr";
    EXPECT_EQ(platform.calls,
              (std::vector<std::string>{"run " + bubbles, "folder " + bubbles, "properties " + bubbles,
                                        "copy " + bubbles, "configure " + bubbles, "write " + bubbles}));

    selection->clearSelection();
    platform.calls.clear();
    m.EventFileItems.Run->trigger();
    EXPECT_EQ(platform.calls, std::vector<std::string>{}) << "no event selected: nothing happens";
}

TEST_F(MainWindowTest, TheIntervalBoxTakesEveryTypedTextAndRefusesTooLowOnes)
{
    const QString tooLow = QString::fromUtf8(IntervalTooLowMessage);
    const QString maximum = QString::fromUtf8(IntervalMaximumWarning);
    const struct
    {
        const char* typed;
        int timerSeconds; // after the text, starting from 3600
        bool refused;     // with the message in the third panel
        QStringList warnings;
    } cases[] = {
        // clang-format off
        {"5", 3600, true, {}},
        {"", 3600, true, {}}, // an emptied box counts as 0
        {"9", 3600, true, {}},
        {"10", 10, false, {}},
        {"2147483", 2147483, false, {maximum}},
        // clang-format on
    };
    for (const auto& c : cases) {
        messages = {};
        auto window = Create();
        window->Screens().Controls().IntervalBox->Editor()->setText(QString::fromUtf8(c.typed));
        EXPECT_EQ(window->Screens().switchTimer()->interval(), c.timerSeconds * 1000) << c.typed;
        EXPECT_EQ(window->StatusPanelText(2) == tooLow, c.refused) << c.typed;
        EXPECT_EQ(messages.warnings, c.warnings) << c.typed;
        EXPECT_TRUE(messages.errors.isEmpty()) << c.typed;
        window->Exit1Click();
        EXPECT_EQ(Ini("Settings", "Interval"), std::to_string(c.timerSeconds)) << "the interval in force is kept";
    }
}

TEST_F(MainWindowTest, TheIntervalBoxThePanelAndTheTimerAgreeOnceEditingEnds)
{
    const QString tooLow = QString::fromUtf8(IntervalTooLowMessage);
    const QString hour = QStringLiteral("Auto Rotate: ON | Interval: 0 days, 1 hours, 0 minutes, 0 seconds");
    auto window = Create();
    IntervalSpinBox* box = window->Screens().Controls().IntervalBox;
    const auto endEditing = [box] {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(box, &enter);
    };
    for (const char* refused : {"5", ""}) {
        box->Editor()->setText(QString::fromUtf8(refused));
        EXPECT_EQ(window->StatusPanelText(2), tooLow) << refused;
        EXPECT_EQ(window->StatusPanelText(0), hour) << "the panel shows the interval in force: " << refused;
        endEditing();
        EXPECT_EQ(box->text(), QStringLiteral("3600")) << "back to the running interval: " << refused;
        EXPECT_EQ(window->Screens().switchTimer()->interval(), 3600 * 1000);
        EXPECT_EQ(window->StatusPanelText(0), hour);
        EXPECT_EQ(window->StatusPanelText(2), QString()) << "the refusal goes with the refused value";
    }

    box->Editor()->setText(QStringLiteral("5"));
    box->Editor()->setText(QStringLiteral("50"));
    EXPECT_EQ(window->StatusPanelText(2), QString()) << "the refusal goes as soon as the value is valid";
    EXPECT_EQ(window->StatusPanelText(0),
              QStringLiteral("Auto Rotate: ON | Interval: 0 days, 0 hours, 0 minutes, 50 seconds"));
    EXPECT_EQ(window->Screens().switchTimer()->interval(), 50 * 1000);

    box->Editor()->setText(QStringLiteral("5"));
    notices.Report("a later message");
    QCoreApplication::processEvents();
    box->Editor()->setText(QStringLiteral("60"));
    EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("a later message")) << "only its own message is taken back";
}

TEST_F(MainWindowTest, TheIntervalArrowsStayInRangeAndPageByAMinute)
{
    auto window = Create();
    IntervalSpinBox* box = window->Screens().Controls().IntervalBox;
    box->Editor()->setText(QStringLiteral("5"));
    box->stepBy(1);
    EXPECT_EQ(box->value(), 10) << "an arrow from a refused value lands on the least one";
    QKeyEvent pageUp(QEvent::KeyPress, Qt::Key_PageUp, Qt::NoModifier);
    QApplication::sendEvent(box, &pageUp);
    EXPECT_EQ(box->value(), 70);
    EXPECT_EQ(window->Screens().switchTimer()->interval(), 70 * 1000);
    box->stepBy(-1000);
    EXPECT_EQ(box->value(), 10);
}

TEST_F(MainWindowTest, AStoredMaximumIntervalWarnsAtStartAndAStoredLowOneIsRaised)
{
    dir.write("settings.ini", "[Settings]\r\nInterval=2147483\r\n");
    auto window = Create();
    EXPECT_EQ(messages.warnings, QStringList{QString::fromUtf8(IntervalMaximumWarning)});
    EXPECT_EQ(window->Screens().switchTimer()->interval(), 2147483000);
    window.reset();

    messages = {};
    dir.write("settings.ini", "[Settings]\r\nInterval=3\r\n");
    window = Create();
    EXPECT_EQ(window->Screens().switchTimer()->interval(), 10 * 1000) << "the arrows' range holds the stored value";
    EXPECT_TRUE(messages.warnings.isEmpty());
}

TEST_F(MainWindowTest, TheStatusBarShowsRotationSchedulingAndTheLatestMessage)
{
    auto window = Create();
    window->RefreshStatusBar();
    EXPECT_EQ(window->StatusPanelText(0),
              QStringLiteral("Auto Rotate: ON | Interval: 0 days, 1 hours, 0 minutes, 0 seconds"));
    EXPECT_EQ(window->StatusPanelText(1),
              QStringLiteral("Next Event: Ribbons in: 0 Day(s), 0 Hour(s), 3 Minute(s), and 0 Second(s)"));
    EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("Active: None"));

    window->Screens().Controls().autoSwitchCheckBox->setChecked(false);
    EXPECT_EQ(window->StatusPanelText(0),
              QStringLiteral("Auto Rotate: OFF | Interval: 0 days, 1 hours, 0 minutes, 0 seconds"));
    window->Scheduler().evtTimer()->stop(); // "Disable All Events"
    window->RefreshStatusBar();
    EXPECT_EQ(window->StatusPanelText(1), QStringLiteral("Event Schedules are OFF"));
}

TEST_F(MainWindowTest, AtTheUsualSizeARefusalIsReadAndALongerMessageEndsInAnEllipsis)
{
    dir.write("settings.ini", "[Settings]\r\nInterval=2147483\r\n");
    auto window = Create();
    window->ShowAtStart();
    QCoreApplication::processEvents();
    const auto* panels = window->findChild<StatusPanels*>();
    ASSERT_NE(panels, nullptr);
    const auto whole = [&](StatusPanels::Panel panel) {
        return panels->At(panel)->width() >= panels->At(panel)->NeededWidth();
    };
    EXPECT_TRUE(whole(StatusPanels::Rotation)) << "the longest interval shows whole";

    const QString refusal =
        QStringLiteral("XScreenSaver's settings window is open and would undo this change: close it first");
    const QString tooLong = QStringLiteral("Processing: ") + QString(400, u'x');
    for (const QString& text : {refusal, tooLong}) {
        notices.Report(text.toStdString());
        QCoreApplication::processEvents();
        const StatusPanel* message = panels->At(StatusPanels::Message);
        EXPECT_EQ(message->text(), text);
        EXPECT_EQ(message->toolTip(), text) << "the tooltip holds the whole text";
        EXPECT_EQ(whole(StatusPanels::Message), text == refusal) << text.size();
        EXPECT_GE(panels->At(StatusPanels::Rotation)->width(), window->width() / 6) << "the others give way, not out";
        EXPECT_LE(message->x() + message->width(), panels->width());
    }
}

// A user who had the option on keeps an entry that an older version wrote in another spelling; with the
// option off, the start leaves the autostart place alone.
TEST_F(MainWindowTest, TheStartRenewsTheAutostartEntryOnlyWhenTheOptionIsOn)
{
    for (const bool on : {false, true}) {
        platform.renewedAutostart.clear();
        dir.write("settings.ini", on ? "[Settings]\r\nStartup=1\r\n" : "[Settings]\r\nStartup=0\r\n");
        auto window = Create();
        EXPECT_EQ(platform.renewedAutostart,
                  on ? std::vector<std::string>{QCoreApplication::applicationFilePath().toStdString()}
                     : std::vector<std::string>{})
            << on;
    }
}

TEST_F(MainWindowTest, TheMenusToggleTheStartOptionsInBothPlaces)
{
    auto window = Create();
    const MainMenus& m = window->Menus();
    m.StartMinimized1->trigger();
    EXPECT_TRUE(m.TrayStartMinimized->isChecked());
    m.TrayStartMaximized->trigger();
    EXPECT_TRUE(m.StartMaximized1->isChecked());
    EXPECT_FALSE(m.StartMinimized1->isChecked()) << "the two options exclude each other";
    EXPECT_FALSE(m.TrayStartMinimized->isChecked());

    m.AutoRunatStartup1->trigger();
    EXPECT_TRUE(platform.autostart.has_value()) << "the autostart entry is written at once";
    EXPECT_TRUE(m.TrayAutoRun->isChecked());
    m.TrayAutoRun->trigger();
    EXPECT_FALSE(platform.autostart.has_value());

    m.loggingEnabled->trigger();
    EXPECT_FALSE(window->Scheduler().Controls().logPanel->isHidden());
    m.TrayExit->trigger();
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(Ini("Settings", "StartMax"), "1");
    EXPECT_EQ(Ini("Settings", "LogIsOn"), "1");
}

TEST_F(MainWindowTest, TheOptionsTabShowsTheSameHelpEachTime)
{
    auto window = Create();
    window->show(); // the help is filled as the tab comes into view
    auto* tabs = window->findChild<QTabWidget*>();
    const OptionsControls& c = window->Options().Controls();
    tabs->setCurrentIndex(2);
    const QString help = c.toleranceHelp->toPlainText();
    EXPECT_TRUE(
        help.startsWith(QStringLiteral("Tolerance is the time window allowed for scheduling events to trigger.")));
    EXPECT_TRUE(help.contains(QStringLiteral("small enough to feel \"on time\" but large enough")));
    EXPECT_TRUE(help.endsWith(QStringLiteral("strikes a good balance between accuracy and practicality.")));
    c.toleranceHelp->append(QStringLiteral("typed by the user"));
    tabs->setCurrentIndex(0);
    tabs->setCurrentIndex(2);
    EXPECT_EQ(c.toleranceHelp->toPlainText(), help);
}

TEST_F(MainWindowTest, EachWindowStateKeepsItsOwnColumnWidths)
{
    dir.write("settings.ini", "[NormalColumnWidths]\r\nColumn1=120\r\n[MaximizedColumnWidths]\r\nColumn1=300\r\n");
    auto window = Create();
    QHeaderView* header = window->Scheduler().Controls().eventListViewII->header();
    EXPECT_EQ(header->sectionSize(1), 120);
    EXPECT_EQ(header->sectionSize(2), 159) << "a missing key keeps the design width";
    // At least the design width, more when the face needs it for the caption.
    const int runCountWidth = header->sectionSize(10);
    EXPECT_GE(runCountWidth, 45);
    window->ShowAtStart();
    header->resizeSection(1, 130);
    window->showMaximized();
    EXPECT_EQ(header->sectionSize(1), 300);
    EXPECT_EQ(Ini("NormalColumnWidths", "Column1"), "130") << "the normal set was saved on the way";
    header->resizeSection(1, 310);
    window->Exit1Click();
    EXPECT_EQ(Ini("MaximizedColumnWidths", "Column1"), "310");
    EXPECT_EQ(Ini("MaximizedColumnWidths", "Column10"), std::to_string(runCountWidth));
}

TEST_F(MainWindowTest, AnExitThatCannotSaveSaysSoOnceAndStillEnds)
{
    dataFolder = dir.path() + "/missing/";
    settingsFile = dataFolder + "settings.ini";
    auto window = Create();
    window->ShowAtStart();
    window->Exit1Click();
    EXPECT_EQ(exits, 1);
    ASSERT_EQ(messages.errors.size(), 1);
    EXPECT_TRUE(messages.errors.front().contains(QString::fromStdString("Unable to write to " + settingsFile)));
    EXPECT_TRUE(
        messages.errors.front().contains(QString::fromStdString("Unable to write to " + dataFolder + "events.dat")));
}

// The desktop session's end: a save request writes everything and the program goes on; the end itself
// runs the exit, telling a failure on the error output rather than in a box nobody may be there to close.
TEST_F(MainWindowTest, TheSessionsSaveRequestAndEndLoseNothing)
{
    auto window = Create();
    window->ShowAtStart();
    window->Data().Screensavers().AddScreensaverRow("/s/kept.scr");
    window->SaveSession();
    EXPECT_EQ(dir.read("ssList.txt"), "/s/kept.scr\r\n");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(exits, 0) << "a save request does not end the program";

    window->Data().Screensavers().AddScreensaverRow("/s/later.scr");
    window->EndSession();
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(dir.read("ssList.txt"), "/s/kept.scr\r\n/s/later.scr\r\n");
    EXPECT_EQ(Ini("PosSave", "WindowState"), "0");
    window->EndSession(); // the end of the session after an exit changes nothing
    EXPECT_EQ(exits, 1);

    dataFolder = dir.path() + "/missing/";
    auto unwritable = Create();
    unwritable->EndSession();
    EXPECT_EQ(exits, 2);
    EXPECT_TRUE(messages.errors.isEmpty()) << "no box at the session's end";
}

} // namespace
} // namespace kelvane::ui
