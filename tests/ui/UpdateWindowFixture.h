#pragma once

#include "platform/DebugOutput.h"
#include "platform/HttpGet.h"
#include "support/FakePlatform.h"
#include "support/FakeTickSource.h"
#include "support/Fakes.h"
#include "support/TempDir.h"
#include "ui/RecordedMessages.h"
#include "ui/TestWindow.h"
#include "ui/frmMain_unit.h"
#include "ui/update/UpdateCheck.h"

#include <QAction>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kelvane::test {

// The main window with its update check over the HTTP client the test gives, with fakes for everything
// else; every timer of the check is a fake one.
class UpdateWindowFixture : public testing::Test
{
protected:
    class RecordedDebug : public platform::DebugOutput
    {
    public:
        std::vector<std::string> lines;
        void Write(std::string_view line) override { lines.emplace_back(line); }
    };

    std::unique_ptr<TestWindow> Create(platform::HttpGet& http, const std::string& address)
    {
        auto window = std::make_unique<TestWindow>(
            dataFolder, ProgramData::Services{clock, zone, regional, platform}, [this](ProgramData& data) {
                ui::MainWindowContext context{data,     debug,    messages, clock,    zone,
                                              regional, platform, platform, platform, platform};
                context.TrayAvailable = [] { return true; };
                return context;
            });
        window->ConnectUpdateCheck(
            {http, browser, address, [] { return std::unique_ptr<ui::TickSource>(new FakeTickSource); }});
        return window;
    }

    static FakeTickSource& Fake(ui::TickSource& timer) { return dynamic_cast<FakeTickSource&>(timer); }
    static FakeTickSource& UpdateTimer(const ui::TfrmMain& window) { return Fake(window.Updates()->UpdateTimer()); }
    static const std::vector<std::unique_ptr<ui::TfrmNotification>>& Popups(const ui::TfrmMain& window)
    {
        return window.Updates()->Popups();
    }

    TempDir dir;
    std::string dataFolder = dir.path() + "/";
    RecordedDebug debug;
    RecordedMessages messages;
    FakeClock clock{EncodeDateTime({{2024, 7, 1}, {9, 0, 0, 0}})};
    FakeTimeZone zone;
    FakeRegionalSettings regional;
    FakePlatform platform;
    FakeWebBrowser browser;
};

} // namespace kelvane::test
