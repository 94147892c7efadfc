// The Options tab: the start options and the help it shows.
#include "ui/MainWindowFixture.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QTabWidget>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace kelvane::ui {
namespace {

using test::MainWindowTest;

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

} // namespace
} // namespace kelvane::ui
