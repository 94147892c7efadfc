#include "platform/linux/WineDrive.h"

#include "common/FileNames.h"
#include "common/TextCase.h"
#include "platform/linux/LinuxEnvironment.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace kelvane::platform {
namespace {

namespace fs = std::filesystem;

// The name as it is in the folder: the exact one when it is there, else the first entry that differs
// only in letter case, else the name as given (which then names nothing).
std::string NameInFolder(const std::string& folder, std::string_view name)
{
    std::error_code ec;
    if (fs::exists(fs::symlink_status(fs::path(folder) / fs::path(std::string(name)), ec))) {
        return std::string(name);
    }
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().native();
        if (EqualsIgnoringAsciiCase(entry, name)) {
            return entry;
        }
    }
    return std::string(name);
}

} // namespace

std::string WinePrefix()
{
    return AbsoluteFolderOr("WINEPREFIX", HomeFolder() + "/.wine");
}

std::string FileOnWineDrive(std::string_view path, const std::string& prefix)
{
    const char letter = static_cast<char>(static_cast<unsigned char>(path.front()) | 0x20u);
    std::string file = letter == 'c' ? prefix + "/drive_c" : prefix + "/dosdevices/" + letter + ":";
    // The names below the drive's root, ".." taken away lexically as Windows does: never above the root.
    std::vector<std::string_view> names;
    for (size_t start = 2; start <= path.size();) {
        const size_t end = std::min(path.find_first_of("\\/", start), path.size());
        const std::string_view name = path.substr(start, end - start);
        if (name == "..") {
            if (!names.empty()) {
                names.pop_back();
            }
        } else if (!name.empty() && name != ".") {
            names.push_back(name);
        }
        start = end + 1;
    }
    for (const std::string_view name : names) {
        file += '/' + NameInFolder(file, name);
    }
    return file;
}

std::string LocalScreensaverFile(const std::string& path)
{
    return HasDriveLetter(path) ? FileOnWineDrive(path, WinePrefix()) : path;
}

} // namespace kelvane::platform
