// A write to the system that fails (the desktop's screensaver setting, the autostart entry) is shown in
// the message panel at once, and what the window shows follows what the system now holds, not what
// the user asked for.
#include "ui/MainWindowFixture.h"

#include <QAction>
#include <QFont>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeView>

namespace kelvane::ui {
namespace {

using test::MainWindowTest;

TEST_F(MainWindowTest, AFailingAutostartWriteLeavesTheCheckMarkAsTheEntryIsAndSaysSo)
{
    auto window = Create();
    const MainMenus& m = window->Menus();
    const QString cannotSave = QStringLiteral("Kelvane's autostart entry could not be saved: the disk is full");
    platform.autostartWriteFails = cannotSave.toStdString();
    m.AutoRunatStartup1->trigger();
    EXPECT_FALSE(platform.autostart.has_value());
    EXPECT_FALSE(m.AutoRunatStartup1->isChecked()) << "no entry, no check mark";
    EXPECT_FALSE(m.TrayAutoRun->isChecked());
    EXPECT_EQ(window->StatusPanelText(2), cannotSave);

    platform.autostartWriteFails.reset();
    m.TrayAutoRun->trigger();
    ASSERT_TRUE(platform.autostart.has_value());
    EXPECT_TRUE(m.AutoRunatStartup1->isChecked());

    const QString cannotRemove = QStringLiteral("Kelvane's autostart entry could not be removed: access denied");
    platform.autostartWriteFails = cannotRemove.toStdString();
    m.AutoRunatStartup1->trigger();
    EXPECT_TRUE(platform.autostart.has_value());
    EXPECT_TRUE(m.AutoRunatStartup1->isChecked()) << "the entry still starts the program";
    EXPECT_TRUE(m.TrayAutoRun->isChecked());
    EXPECT_EQ(window->StatusPanelText(2), cannotRemove);

    m.TrayExit->trigger();
    EXPECT_EQ(Ini("Settings", "Startup"), "1") << "the saved option is the entry's, not the last wish";
}

// Each way to the setting (a button, a rotation step) shows the failure; the list's highlight and the
// status bar's tooltip stay on the screensaver the setting still names.
TEST_F(MainWindowTest, AFailingScreensaverSettingWriteIsShownAndTheOldOneStaysActive)
{
    dir.write("ssList.txt", "/s/a.scr\r\n/s/b.scr\r\n");
    dir.write("settings.ini", "[Settings]\r\nAction=1\r\n");
    platform.setting = "/s/a.scr";
    auto window = Create();
    const ScreensaversControls& c = window->Screens().Controls();
    const auto isActiveRow = [&c](int row) {
        return c.SSListBox->model()->index(row, 1).data(Qt::FontRole).value<QFont>().bold();
    };
    const QString failure = QStringLiteral("The active screensaver could not be saved: the file is read-only");
    platform.settingWriteFails = failure.toStdString();

    c.SSListBox->selectionModel()->select(c.SSListBox->model()->index(1, 0),
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    c.setActiveButton->click();
    EXPECT_EQ(window->StatusPanelText(2), failure);
    EXPECT_EQ(window->statusBar()->toolTip(), QStringLiteral("Active: /s/a.scr"));
    EXPECT_TRUE(isActiveRow(0));
    EXPECT_FALSE(isActiveRow(1));

    window->ShowMessage(QString()); // so that each failure below is shown anew
    c.setNoneButton->click();
    EXPECT_EQ(window->StatusPanelText(2), failure);
    EXPECT_EQ(platform.setting, "/s/a.scr");

    window->ShowMessage(QString());
    platform.calls.clear();
    window->Screens().switchTimerTimer();
    ASSERT_FALSE(platform.calls.empty());
    EXPECT_EQ(platform.calls.back(), "write /s/a.scr") << "the rotation's first step";
    EXPECT_EQ(window->StatusPanelText(2), failure);

    platform.settingWriteFails.reset();
    window->Screens().switchTimerTimer();
    EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("Active: /s/b.scr"));
    EXPECT_TRUE(isActiveRow(1));
}

} // namespace
} // namespace kelvane::ui
