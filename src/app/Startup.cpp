#include "app/Startup.h"

#include "common/AppIdentity.h"
#include "common/FileIO.h"

#include <filesystem>
#include <system_error>

namespace kelvane {

std::optional<std::string> InformationRequest(const std::vector<std::string>& arguments)
{
    if (arguments.empty()) {
        return std::nullopt;
    }
    const std::string version = std::string(ApplicationTitle) + " " + ProgramVersion + "\n";
    if (arguments.front() == "--version") {
        return version;
    }
    if (arguments.front() == "--help") {
        return "Usage: kelvane [--help | --version | " + std::string(CloseArgument) + "]\n" + version +
               "Manages the screensavers of the logged-on user: the list, the active one, rotation and scheduled "
               "events.\n\n"
               "  " +
               CloseArgument +
               "     ends the running Kelvane, which saves everything first\n"
               "  --help     shows this text\n"
               "  --version  shows the version\n\n"
               "Without an argument Kelvane starts, or brings the window of the one that runs back.\n";
    }
    return std::nullopt;
}

std::string LanguageFilePath(const std::string& executableFolder)
{
    const std::string beside = executableFolder + LanguageFileName;
    const std::string installed = executableFolder + "../share/kelvane/" + LanguageFileName;
    return !FileExists(beside) && FileExists(installed) ? installed : beside;
}

bool IsCloseRequest(const std::vector<std::string>& arguments)
{
    return !arguments.empty() && arguments.front() == CloseArgument;
}

std::string FormDataFolder(const std::string& appDataFolder)
{
    constexpr char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    return appDataFolder + separator + DataFolderVendor + separator + DataFolderProduct + separator;
}

namespace {

// Every missing level is created, not just the last one: otherwise a user without the vendor folder
// could never save anything.
std::optional<std::string> CreateDataFolder(const std::string& folder)
{
    std::error_code ec;
    const auto path = PathFromUtf8(folder);
    if (std::filesystem::is_directory(path, ec)) {
        return std::nullopt;
    }
    std::filesystem::create_directories(path, ec);
    if (!std::filesystem::is_directory(path)) {
        const std::string reason = ec ? ec.message() : std::string("a file stands in its place");
        return "Unable to create the data folder " + folder + ": " + reason +
               ".\r\nKelvane will run, but it cannot save its settings, lists or events.";
    }
    return std::nullopt;
}

} // namespace

StartupOutcome RunInstanceSteps(const std::vector<std::string>& arguments, platform::PathsAndInstance& platform)
{
    StartupOutcome outcome;
    outcome.DataFolder = FormDataFolder(platform.AppDataFolder());
    outcome.DataFolderError = CreateDataFolder(outcome.DataFolder);

    const bool closeRequest = IsCloseRequest(arguments);
    const platform::InstanceLock lock = platform.AcquireInstanceLock();
    if (lock.Outcome == platform::InstanceLock::State::Unavailable) {
        // Running without the lock could start a second instance that overwrites the first one's files.
        outcome.FatalProblem = lock.Problem;
        return outcome;
    }
    if (lock.Outcome == platform::InstanceLock::State::HeldElsewhere) {
        platform.PostInstanceRequest(closeRequest ? platform::InstanceRequest::Exit : platform::InstanceRequest::Show);
        return outcome;
    }
    outcome.RunProgram = !closeRequest;
    return outcome;
}

} // namespace kelvane
