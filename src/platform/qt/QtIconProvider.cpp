#include "platform/qt/QtIconProvider.h"

#include "common/FileIO.h"

#include <QFileInfo>
#include <QIcon>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>
#include <unordered_map>

namespace kelvane::platform {
namespace {

// The lower-cased text after the last dot of the file name, empty when it has none.
std::string LowerSuffix(std::string_view path)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return {};
    }
    std::string suffix(path.substr(dot + 1));
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return suffix;
}

bool Exists(std::string_view path)
{
    return !path.empty() && QFileInfo::exists(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
}

// Where the file's name starts, when the path names it plainly: absolute, without empty, "." or ".."
// steps, so that the folder's listing holds exactly that name.
std::optional<size_t> PlainNameStart(std::string_view path)
{
    if (path.empty() || path.front() != '/') {
        return std::nullopt;
    }
    size_t start = 1;
    while (true) {
        const size_t end = std::min(path.find('/', start), path.size());
        const std::string_view step = path.substr(start, end - start);
        if (step.empty() || step == "." || step == "..") {
            return std::nullopt;
        }
        if (end == path.size()) {
            return start;
        }
        start = end + 1;
    }
}

// The file name of a folder entry: the text after the last separator, taken without making a path of
// it where paths are UTF-8 text already; converted where they are not.
[[maybe_unused]] std::string_view EntryName(const std::string& native, std::string&)
{
    return std::string_view(native).substr(native.find_last_of('/') + 1);
}

[[maybe_unused]] std::string_view EntryName(const std::wstring& native, std::string& converted)
{
    converted = PathToUtf8(std::filesystem::path(native).filename());
    return converted;
}

// Below this many files in one folder, asking for each costs less than listing the folder.
constexpr size_t kFilesWorthAListing = 32;

} // namespace

FileIcon QtIconProvider::LoadFileIcon(const std::string& path)
{
    if (!Exists(path)) {
        return {};
    }
    return IconOfExistingFile(path);
}

std::vector<FileIcon> QtIconProvider::LoadFileIcons(const std::vector<std::string_view>& paths)
{
    std::vector<char> exists(paths.size(), 0);
    // The plainly named files, by folder and then by name.
    std::unordered_map<std::string_view, std::unordered_multimap<std::string_view, size_t>> folders;
    for (size_t i = 0; i < paths.size(); ++i) {
        if (const auto nameStart = PlainNameStart(paths[i])) {
            const std::string_view folder = paths[i].substr(0, *nameStart > 1 ? *nameStart - 1 : 1);
            folders[folder].emplace(paths[i].substr(*nameStart), i);
        } else {
            exists[i] = static_cast<char>(Exists(paths[i]));
        }
    }
    for (const auto& [folder, names] : folders) {
        bool listed = false;
        if (names.size() >= kFilesWorthAListing) {
            std::error_code ec;
            std::filesystem::directory_iterator entries(PathFromUtf8(std::string(folder)), ec);
            for (; !ec && entries != std::filesystem::directory_iterator(); entries.increment(ec)) {
                std::string converted;
                const std::string_view entryName = EntryName(entries->path().native(), converted);
                const auto [first, last] = names.equal_range(entryName);
                for (auto it = first; it != last; ++it) {
                    // A link exists only when what it leads to does, as a query by path would say.
                    std::error_code typeError;
                    const bool link = entries->is_symlink(typeError) || typeError;
                    exists[it->second] = static_cast<char>(link ? Exists(paths[it->second]) : true);
                }
            }
            // A listing cut short tells nothing of the names it did not reach.
            listed = !ec;
        }
        if (!listed) {
            for (const auto& [name, index] : names) {
                exists[index] = static_cast<char>(Exists(paths[index]));
            }
        }
    }
    std::vector<FileIcon> icons(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        if (exists[i]) {
            icons[i] = IconOfExistingFile(paths[i]);
        }
    }
    return icons;
}

FileIcon QtIconProvider::IconOfExistingFile(std::string_view path)
{
    if (m_programs && m_programs->LabelOf(path.substr(path.find_last_of('/') + 1))) {
        if (!m_programIcon) {
            QIcon themed = QIcon::fromTheme(QStringLiteral("xscreensaver"));
            if (themed.isNull()) {
                themed = QIcon::fromTheme(QStringLiteral("preferences-desktop-screensaver"));
            }
            m_programIcon = std::make_shared<const QIcon>(themed);
        }
        return m_programIcon;
    }
    // By the extension alone, looked up once per extension: reading each file's first bytes, or even
    // matching each name against every type's patterns, costs more than the whole rest of a start with
    // a long list, and the extension is what marks a screensaver anyway.
    const std::string suffix = LowerSuffix(path);
    FileIcon& icon = m_iconsBySuffix[suffix];
    if (!icon) {
        const QMimeType type = m_mimeTypes.mimeTypeForFile(QStringLiteral("file.") + QString::fromStdString(suffix),
                                                           QMimeDatabase::MatchExtension);
        QIcon themed = QIcon::fromTheme(type.iconName());
        if (themed.isNull()) {
            themed = QIcon::fromTheme(type.genericIconName());
        }
        if (themed.isNull()) {
            themed = QIcon::fromTheme(QStringLiteral("application-x-executable"));
        }
        icon = std::make_shared<const QIcon>(themed);
    }
    return icon;
}

} // namespace kelvane::platform
