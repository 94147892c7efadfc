#include "library/FolderWalk.h"

#include "common/FileIO.h"
#include "common/FileNames.h"

#include <filesystem>
#include <system_error>

namespace kelvane {
namespace {

namespace fs = std::filesystem;

// A program of the catalogue's is only taken where it can run: an executable regular file.
bool IsScreensaverProgram(const fs::directory_entry& entry, const fs::path::string_type& name,
                          const platform::ScreensaverCatalogue& programs)
{
    if (!programs.LabelOf(PathToUtf8(fs::path(name)))) {
        return false;
    }
    std::error_code ec;
    const fs::file_status status = entry.status(ec);
    constexpr fs::perms anyExecute = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    return !ec && fs::is_regular_file(status) && (status.permissions() & anyExecute) != fs::perms::none;
}

bool IsSeparator(char c)
{
    return c == '/' || c == static_cast<char>(fs::path::preferred_separator);
}

bool IsScreensaverFile(const fs::directory_entry& entry, const fs::path::string_type& name,
                       const platform::ScreensaverCatalogue* programs)
{
    if (EndsWithScr(std::basic_string_view<fs::path::value_type>(name))) {
        // A link to a folder that happens to end in ".scr" is no file either.
        std::error_code ec;
        return !entry.is_directory(ec);
    }
    return programs && IsScreensaverProgram(entry, name, *programs);
}

} // namespace

bool WalkScreensaverFiles(const std::string& folder, const platform::ScreensaverCatalogue* programs,
                          const FoundFile& found, const KeepWalking& keepWalking)
{
    std::error_code ec;
    const fs::path root = PathFromUtf8(folder);
    if (folder.empty() || !fs::is_directory(root, ec)) {
        return true;
    }
    std::string prefix = folder;
    if (!IsSeparator(prefix.back())) {
        prefix += static_cast<char>(fs::path::preferred_separator);
    }
    const size_t rootLength = root.native().size();
    constexpr auto options = fs::directory_options::skip_permission_denied;

    // One open folder per level, the innermost last: a subfolder is walked completely where it is met.
    // Each step reads one entry, so a stop is seen at once also in a folder of a million entries.
    std::vector<fs::directory_iterator> open;
    open.emplace_back(root, options, ec);
    if (ec) {
        return true;
    }
    while (!open.empty()) {
        if (open.back() == fs::directory_iterator()) {
            open.pop_back();
            continue;
        }
        if (!keepWalking()) {
            return false;
        }
        const fs::directory_entry entry = *open.back();
        open.back().increment(ec);
        if (ec) {
            open.back() = fs::directory_iterator(); // the rest of this folder cannot be read
            ec.clear();
        }
        // The entry's own type, as the folder listing gave it: a link to a folder is not walked into.
        const fs::file_status own = entry.symlink_status(ec);
        if (ec) {
            ec.clear();
            continue;
        }
        if (fs::is_directory(own)) {
            fs::directory_iterator below(entry.path(), options, ec);
            if (ec) {
                ec.clear(); // unreadable, or too deep for a path: passed over
            } else {
                open.push_back(std::move(below));
            }
            continue;
        }
        const auto& native = entry.path().native();
        const size_t nameStart = native.find_last_of(fs::path::preferred_separator) + 1;
        if (!IsScreensaverFile(entry, native.substr(nameStart), programs)) {
            continue;
        }
        size_t relativeStart = rootLength;
        while (relativeStart < native.size() && native[relativeStart] == fs::path::preferred_separator) {
            ++relativeStart;
        }
        found(prefix + PathToUtf8(fs::path(native.substr(relativeStart))));
    }
    return true;
}

std::vector<std::string> CollectScreensaverFiles(const std::string& folder,
                                                 const platform::ScreensaverCatalogue* programs)
{
    std::vector<std::string> paths;
    WalkScreensaverFiles(
        folder, programs, [&paths](std::string path) { paths.push_back(std::move(path)); }, [] { return true; });
    return paths;
}

} // namespace kelvane
