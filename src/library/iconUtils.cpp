#include "library/iconUtils.h"

namespace kelvane {

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
