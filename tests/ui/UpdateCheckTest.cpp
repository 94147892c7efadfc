#include "settings/fileFunc.h"
#include "support/FakeHttpGet.h"
#include "ui/UpdateWindowFixture.h"

#include <QLabel>

namespace kelvane::ui {
namespace {

constexpr const char* VersionFile = "https://updates.example/updates/KelvaneUpdates.ver";
constexpr const char* Newer = "1.02\r\nhttps://www.quillfen.example/download\r\nKelvane 1.02 is available\r\n";
constexpr const char* Same = "1.01\r\nhttps://www.quillfen.example/download\r\nKelvane 1.01\r\n";

class UpdateCheckTest : public test::UpdateWindowFixture
{
protected:
    std::unique_ptr<test::TestWindow> Create() { return UpdateWindowFixture::Create(http, VersionFile); }

    test::FakeHttpGet http;
};

TEST_F(UpdateCheckTest, TheFirstCheckComesFiveSecondsAfterTheWindowIsShownThenDaily)
{
    auto window = Create();
    test::FakeTickSource& timer = UpdateTimer(*window);
    EXPECT_FALSE(timer.IsRunning()) << "nothing is checked before the window is shown";
    window->ShowAtStart();
    EXPECT_TRUE(timer.IsRunning());
    EXPECT_EQ(timer.Interval(), 5000);

    timer.Advance(4999);
    EXPECT_TRUE(http.requests.empty());
    timer.Advance(1);
    ASSERT_EQ(http.requests.size(), 1u);
    EXPECT_EQ(http.requests[0].Address, VersionFile);
    EXPECT_EQ(debug.lines.back().rfind("Update Timer executed at:", 0), 0u) << debug.lines.back();
    EXPECT_NE(debug.lines.back().find("2024"), std::string::npos) << debug.lines.back();
    // The window goes on while the answer is on its way.
    EXPECT_TRUE(window->Updates()->IsChecking());
    EXPECT_FALSE(timer.IsRunning());
    EXPECT_TRUE(Popups(*window).empty());

    http.Answer(200, Newer);
    EXPECT_FALSE(window->Updates()->IsChecking());
    ASSERT_EQ(Popups(*window).size(), 1u);
    const TfrmNotification& popup = *Popups(*window)[0];
    EXPECT_TRUE(popup.isVisible());
    EXPECT_EQ(popup.lblTitle()->text(), QStringLiteral("UPDATE AVAILABLE"));
    EXPECT_EQ(popup.lblMessage()->text(), QStringLiteral("Kelvane 1.02 is available"));
    EXPECT_EQ(popup.URL(), "https://www.quillfen.example/download");
    EXPECT_EQ(popup.tmrAutoClose().Interval(), 20000);
    EXPECT_NE(window->StatusPanelText(2), QStringLiteral("No update available"));
    EXPECT_TRUE(timer.IsRunning());
    EXPECT_EQ(timer.Interval(), 86400000);

    // The popup has long closed itself when the next day's notice comes.
    Fake(popup.tmrAutoClose()).Advance(20000);
    Fake(popup.FadeTimer()).Advance(500);
    EXPECT_FALSE(popup.isVisible());
    timer.Advance(86400000 - 1);
    EXPECT_EQ(http.requests.size(), 1u);
    timer.Advance(1);
    ASSERT_EQ(http.requests.size(), 2u);
    http.Answer(200, Newer);
    ASSERT_EQ(Popups(*window).size(), 1u) << "the closed popup is released, the new one shown";
    EXPECT_TRUE(Popups(*window)[0]->isVisible());
    EXPECT_TRUE(messages.errors.isEmpty());
}

TEST_F(UpdateCheckTest, NoNewerVersionOnlyWritesTheStatusBar)
{
    using Outcome = platform::HttpResponse::Outcome;
    const platform::HttpResponse answers[] = {
        {Outcome::Answered, 200, Same},   {Outcome::Answered, 200, std::string(Newer) + "\r\n"},
        {Outcome::Answered, 404, Newer},  {Outcome::Failed, 0, ""},
        {Outcome::BodyTooLarge, 200, ""},
    };
    for (const platform::HttpResponse& answer : answers) {
        auto window = Create();
        window->ShowAtStart();
        UpdateTimer(*window).Advance(5000);
        http.Answer(answer);
        EXPECT_EQ(window->StatusPanelText(2), QStringLiteral("No update available")) << answer.Body;
        EXPECT_TRUE(Popups(*window).empty());
        EXPECT_TRUE(messages.errors.isEmpty());
        EXPECT_TRUE(UpdateTimer(*window).IsRunning());
        EXPECT_EQ(UpdateTimer(*window).Interval(), 86400000);
    }
}

TEST_F(UpdateCheckTest, UncheckingStopsTheChecksAndCheckingAgainChecksFiveSecondsLater)
{
    auto window = Create();
    window->ShowAtStart();
    test::FakeTickSource& timer = UpdateTimer(*window);
    QAction* item = window->Menus().UpdateNotifications;
    ASSERT_TRUE(item->isChecked());

    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(window->Data().Settings().UpdatesNotify);
    EXPECT_FALSE(timer.IsRunning());
    timer.Advance(86400000);
    EXPECT_TRUE(http.requests.empty());

    // Showing the window again runs the timer, but its tick finds the item unchecked and stops it.
    window->hide();
    window->show();
    EXPECT_TRUE(timer.IsRunning());
    timer.Advance(5000);
    EXPECT_TRUE(http.requests.empty());
    EXPECT_FALSE(timer.IsRunning());

    item->trigger();
    EXPECT_TRUE(item->isChecked());
    EXPECT_TRUE(window->Data().Settings().UpdatesNotify);
    EXPECT_TRUE(timer.IsRunning());
    EXPECT_EQ(timer.Interval(), 5000);
    timer.Advance(5000);
    EXPECT_EQ(http.requests.size(), 1u);
}

TEST_F(UpdateCheckTest, TheItemStartsFromTheSettingAndIsWrittenBackAtExit)
{
    ASSERT_TRUE(WriteIniBool(dataFolder + "settings.ini", "Settings", "UpdatesNotify", false));
    auto window = Create();
    EXPECT_FALSE(window->Menus().UpdateNotifications->isChecked());
    window->ShowAtStart();
    UpdateTimer(*window).Advance(5000);
    EXPECT_TRUE(http.requests.empty());

    window->Menus().UpdateNotifications->trigger();
    window->Menus().MinimizetoSystemTray1->trigger(); // another option's toggle leaves the item alone
    EXPECT_TRUE(window->Menus().UpdateNotifications->isChecked());
    window->Exit1Click();
    EXPECT_TRUE(ReadIniBool(dataFolder + "settings.ini", "Settings", "UpdatesNotify", false));
}

TEST_F(UpdateCheckTest, AChoiceMadeWhileTheAnswerIsOnItsWayWins)
{
    auto window = Create();
    window->ShowAtStart();
    test::FakeTickSource& timer = UpdateTimer(*window);
    timer.Advance(5000);
    ASSERT_TRUE(window->Updates()->IsChecking());

    // Showing the window again starts no second check beside the first.
    window->hide();
    window->show();
    EXPECT_FALSE(timer.IsRunning());

    // Unchecked meanwhile: the late answer shows nothing and starts no timer.
    window->Menus().UpdateNotifications->trigger();
    http.Answer(200, Newer);
    EXPECT_TRUE(Popups(*window).empty());
    EXPECT_NE(window->StatusPanelText(2), QStringLiteral("No update available"));
    EXPECT_FALSE(timer.IsRunning());
}

TEST_F(UpdateCheckTest, AWindowClosedWhileTheAnswerIsOnItsWayIgnoresIt)
{
    auto window = Create();
    window->ShowAtStart();
    UpdateTimer(*window).Advance(5000);
    window.reset();
    http.Answer(200, Newer); // must not reach the window that is gone
    SUCCEED();
}

} // namespace
} // namespace kelvane::ui
