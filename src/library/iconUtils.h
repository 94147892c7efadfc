#pragma once

#include "platform/IconProvider.h"

#include <string>
#include <unordered_map>

namespace kelvane {

// The icon cache: path text to icon, compared exactly; entries live as long as the cache, so a path
// seen before costs no second look-up.
class IconCache
{
public:
    explicit IconCache(IconProvider& provider) : m_provider(provider) {}

    FileIcon GetFileIcon(const std::string& path);
    // Asks the platform without keeping the answer, for a caller that keeps icons by path texts it
    // holds anyway (the screensaver list keeps them beside its rows).
    FileIcon LoadFileIcon(const std::string& path) { return m_provider.LoadFileIcon(path); }

private:
    IconProvider& m_provider;
    std::unordered_map<std::string, FileIcon> m_icons;
};

} // namespace kelvane
