#pragma once

// The main window built over a temporary data folder, with fakes for the platform and a fixed clock.

#include "platform/DebugOutput.h"
#include "platform/ScreensaverCatalogue.h"
#include "platform/ScreensaverPreview.h"
#include "platform/StatusNotices.h"
#include "settings/fileFunc.h"
#include "support/FakePlatform.h"
#include "support/Fakes.h"
#include "support/TempDir.h"
#include "ui/RecordedMessages.h"
#include "ui/TestWindow.h"
#include "ui/frmMain_unit.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace kelvane::ui::test {

using namespace kelvane::test;

class RecordedDebug : public platform::DebugOutput
{
public:
    std::vector<std::string> lines;
    void Write(std::string_view line) override { lines.emplace_back(line); }
};

// Records what the preview was asked to do.
class RecordedPreview : public platform::ScreensaverPreview
{
public:
    struct Start
    {
        std::string Path;
        uint64_t Window = 0;
    };
    std::vector<Start> starts;
    int stops = 0;
    bool running = false;
    bool showsInPane = true;
    bool Start(const std::string& path, uint64_t window) override
    {
        starts.push_back({path, window});
        running = true;
        return true;
    }
    void Stop() override
    {
        stops += running ? 1 : 0;
        running = false;
    }
    bool Running() const override { return running; }
    std::optional<int64_t> ProcessId() const override { return std::nullopt; }
    bool ShowsInPane() const override { return showsInPane; }
};

class MainWindowTest : public testing::Test
{
protected:
    std::unique_ptr<TestWindow> Create()
    {
        auto window = std::make_unique<TestWindow>(
            dataFolder, ProgramData::Services{clock, zone, regional, platform}, [this](ProgramData& data) {
                MainWindowContext context{
                    data,     debug,    messages, clock, zone, regional, setting ? *setting : platform,
                    platform, platform, platform};
                context.TrayAvailable = [this] { return trayAvailable; };
                context.Notices = &notices;
                context.Programs = programs;
                context.Preview = &preview;
                context.StoredSettings = storedSettings;
                context.EmptyListHint = emptyListHint;
                context.Daemon = daemon;
                context.PreviewOwnWindowNote = previewOwnWindowNote;
                return context;
            });
        QObject::connect(window.get(), &TfrmMain::exitCompleted, window.get(), [this] { ++exits; });
        return window;
    }
    std::string Ini(const char* section, const char* key) const
    {
        return ReadIniString(settingsFile, section, key, "<missing>");
    }

    TempDir dir;
    std::string dataFolder = dir.path() + "/";
    std::string settingsFile = dataFolder + "settings.ini";
    RecordedDebug debug;
    RecordedMessages messages;
    FakeClock clock{EncodeDateTime({{2024, 7, 1}, {9, 0, 0, 0}})};
    FakeTimeZone zone = EasternTime2024();
    FakeRegionalSettings regional;
    FakePlatform platform;
    platform::ScreensaverSetting* setting = nullptr; // the desktop's setting, when not the fake platform's
    platform::StatusNotices notices;
    RecordedPreview preview;
    const platform::ScreensaverCatalogue* programs = nullptr;
    // The settings file as a start read it before the window, when given.
    const IniValues* storedSettings = nullptr;
    bool trayAvailable = true;
    std::string emptyListHint = "Nothing listed yet";
    std::string previewOwnWindowNote = "The preview runs in its own window";
    platform::ScreensaverDaemon* daemon = nullptr;
    int exits = 0;
};

} // namespace kelvane::ui::test
