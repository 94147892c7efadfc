#pragma once

#include "library/iconUtils.h"

namespace kelvane::platform {

// File icons from the desktop's icon theme, by the file's type; a file that does not exist has none.
// The icon is a QIcon behind the shared handle.
class LinuxIconProvider final : public IconProvider
{
public:
    FileIcon LoadFileIcon(const std::string& path) override;
};

} // namespace kelvane::platform
