#pragma once

#include <memory>
#include <string>
#include <unordered_map>

namespace kelvane {

// A file's icon as the platform made it; shared, so a copy handed out stays valid whatever happens to
// the cache. Empty when the file has no icon (for example when it does not exist).
using FileIcon = std::shared_ptr<const void>;

// Where icons come from: the platform's look-up of a file's icon.
class IconProvider
{
public:
    virtual ~IconProvider() = default;
    virtual FileIcon LoadFileIcon(const std::string& path) = 0;
};

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
