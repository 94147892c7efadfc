#pragma once

#include "platform/IconProvider.h"

namespace kelvane::platform {

// A file's own icon as the Windows shell shows it (a screensaver's embedded icon), as a QIcon behind
// the shared handle. Used on the user-interface thread; a file that does not exist has none.
class Win32IconProvider final : public IconProvider
{
public:
    FileIcon LoadFileIcon(const std::string& path) override;
};

} // namespace kelvane::platform
