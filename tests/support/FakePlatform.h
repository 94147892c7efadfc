#pragma once

#include "common/FileNames.h"
#include "common/TextCase.h"
#include "platform/AutostartEntry.h"
#include "platform/BuildStamp.h"
#include "platform/IconProvider.h"
#include "platform/ProcessesAndInput.h"
#include "platform/ScreensaverSetting.h"
#include "platform/Shell.h"
#include "platform/WebBrowser.h"

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kelvane::test {

// The platform operations on one screensaver, recorded instead of done. The running processes are the
// file names the test lists.
class FakePlatform final : public platform::ScreensaverSetting,
                           public platform::AutostartEntry,
                           public platform::Shell,
                           public platform::ProcessesAndInput,
                           public IconProvider
{
public:
    std::optional<std::string> setting; // nothing: the value is missing
    std::string windowsFolder = "C:\\Windows";
    std::optional<std::string> autostart;
    // When set, every write of the setting, or of the autostart entry, fails with this text and changes
    // nothing.
    std::optional<std::string> settingWriteFails;
    std::optional<std::string> autostartWriteFails;
    std::vector<std::string> renewedAutostart;
    std::vector<std::string> runningExeNames;
    std::set<std::string> missingFiles; // every other screensaver file is there
    std::vector<std::string> calls;     // "run <path>", "exit input", ...

    std::string ReadActiveScreensaverPath() override { return setting.value_or(""); }
    Status WriteActiveScreensaverPath(const std::string& path) override
    {
        calls.push_back("write " + path);
        if (settingWriteFails) {
            return Status::Error(*settingWriteFails);
        }
        setting = path;
        return Status::Ok();
    }
    Status ClearActiveScreensaverPath() override
    {
        calls.push_back("clear");
        if (settingWriteFails) {
            return Status::Error(*settingWriteFails);
        }
        setting.reset();
        return Status::Ok();
    }
    std::string WindowsFolder() override { return windowsFolder; }

    Status EnableAutostart(const std::string& executablePath) override
    {
        if (autostartWriteFails) {
            return Status::Error(*autostartWriteFails);
        }
        autostart = executablePath;
        return Status::Ok();
    }
    Status DisableAutostart() override
    {
        if (autostartWriteFails) {
            return Status::Error(*autostartWriteFails);
        }
        autostart.reset();
        return Status::Ok();
    }
    std::optional<std::string> ReadAutostart() override { return autostart; }
    void RenewAutostart(const std::string& executablePath) override { renewedAutostart.push_back(executablePath); }

    bool ScreensaverFileExists(const std::string& path) override { return !missingFiles.contains(path); }
    void RunScreensaverFile(const std::string& path) override { calls.push_back("run " + path); }
    void ConfigureScreensaverFile(const std::string& path) override { calls.push_back("configure " + path); }
    void OpenScreensaverControlPanel() override { calls.push_back("control panel"); }
    void ShowFileProperties(const std::string& path) override { calls.push_back("properties " + path); }
    void ShowFileInFolder(const std::string& path) override { calls.push_back("folder " + path); }
    void CopyPathToClipboard(const std::string& path) override { calls.push_back("copy " + path); }

    std::optional<int64_t> FindProcessByExeName(const std::string& path) override
    {
        calls.push_back("find " + ExecutableFileName(path));
        for (size_t i = 0; i < runningExeNames.size(); ++i) {
            if (EqualsIgnoringAsciiCase(runningExeNames[i], ExecutableFileName(path))) {
                return static_cast<int64_t>(1000 + i);
            }
        }
        return std::nullopt;
    }
    void SendScreensaverExitInput() override { calls.push_back("exit input"); }

    FileIcon LoadFileIcon(const std::string&) override
    {
        ++iconLookups;
        return {};
    }
    int iconLookups = 0;
};

// The addresses handed to the browser, and the error code the test wants the next ones to fail with.
class FakeWebBrowser final : public platform::WebBrowser
{
public:
    std::vector<std::string> opened;
    std::optional<int64_t> failWith;

    std::optional<int64_t> OpenWebAddress(const std::string& address) override
    {
        opened.push_back(address);
        return failWith;
    }
};

class FakeBuildStamp final : public platform::BuildStamp
{
public:
    explicit FakeBuildStamp(std::optional<int64_t> at) : seconds(at) {}
    std::optional<int64_t> BuildTime() override { return seconds; }
    std::optional<int64_t> seconds;
};

} // namespace kelvane::test
