#include "library/iconUtils.h"

namespace kelvane {

std::vector<FileIcon> IconProvider::LoadFileIcons(const std::vector<std::string_view>& paths)
{
    std::vector<FileIcon> icons;
    icons.reserve(paths.size());
    for (const std::string_view path : paths) {
        icons.push_back(LoadFileIcon(std::string(path)));
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
