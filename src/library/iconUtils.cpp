#include "library/iconUtils.h"

namespace kelvane {

std::vector<FileIcon> IconProvider::LoadFileIcons(const std::vector<std::string_view>& paths)
{
    std::vector<FileIcon> icons;
    icons.reserve(paths.size());
    std::unordered_map<std::string_view, size_t> asked; // a path that comes again is not asked again
    for (const std::string_view path : paths) {
        const auto [earlier, first] = asked.try_emplace(path, icons.size());
        icons.push_back(first ? LoadFileIcon(std::string(path)) : icons[earlier->second]);
    }
    return icons;
}

FileIcon IconCache::GetFileIcon(const std::string& path)
{
    if (const auto found = m_icons.find(path); found != m_icons.end()) {
        return found->second;
    }
    FileIcon icon = m_provider.LoadFileIcon(path);
    m_icons[path] = icon;
    return icon;
}

} // namespace kelvane
