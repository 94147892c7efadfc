// The main window's shell: its state and placement, the tray, the menus, the status bar and the exit.
#include "platform/ScreensaverDaemon.h"
#include "ui/MainWindowFixture.h"
#include "ui/StatusPanel.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

namespace kelvane::ui {
namespace {

using test::MainWindowTest;

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
