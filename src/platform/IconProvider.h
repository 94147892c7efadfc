#pragma once

#include <memory>
#include <string>

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

} // namespace kelvane
