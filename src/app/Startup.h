#pragma once

#include "platform/PathsAndInstance.h"

#include <optional>
#include <string>
#include <vector>

namespace kelvane {

// The first argument alone decides: exactly "/CLOSE" asks for an exit, anything else is an ordinary start.
bool IsCloseRequest(const std::vector<std::string>& arguments);

// "--version" or "--help" as the first argument: the text to print before ending at once, without
// touching a running instance. Nothing for any other start.
std::optional<std::string> InformationRequest(const std::vector<std::string>& arguments);

// The language file: beside the executable (a build folder, a Windows installation), else in the data
// folder of an installation that puts the executable in bin/ ("<prefix>/share/kelvane/"). The folder
// ends with its separator; the first is returned when neither file exists, for the error to name.
std::string LanguageFilePath(const std::string& executableFolder);

// The per-user data folder: the application-data folder, then the vendor and product levels, ending
// with the platform's separator.
std::string FormDataFolder(const std::string& appDataFolder);

struct StartupOutcome
{
    bool RunProgram = false; // false: end the process now, nothing shown, loaded or written
    std::string DataFolder;
    // Set when the data folder could not be created; the program runs all the same and says so.
    std::optional<std::string> DataFolderError;
    // Set when the program cannot start at all; it says why and ends with a failure status.
    std::optional<std::string> FatalProblem;
};

// The steps before any window: form and create the data folder, take the instance lock, and as a
// second instance hand the request to the first. `arguments` excludes the program's own name.
StartupOutcome RunInstanceSteps(const std::vector<std::string>& arguments, platform::PathsAndInstance& platform);

} // namespace kelvane
