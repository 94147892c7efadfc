// The Event Scheduler tab: the events file, the scheduler's timer and log, the events list.
#include "scheduler/EventsFile.h"
#include "support/EventsFixture.h"
#include "ui/MainWindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
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

} // namespace
} // namespace kelvane::ui
