#include "platform/win32/Win32IconProvider.h"

#include "platform/win32/Win32Text.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>

// clang-format off
#include <windows.h>
#include <shellapi.h> // after windows.h, whose types it uses
// clang-format on

namespace kelvane::platform {

FileIcon Win32IconProvider::LoadFileIcon(const std::string& path)
{
    const std::wstring file = Widen(path);
    if (file.empty() || GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return {};
    }
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(file.c_str(), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON) || !info.hIcon) {
        return {};
    }
    const QImage image = QImage::fromHICON(info.hIcon);
    DestroyIcon(info.hIcon);
    if (image.isNull()) {
        return {};
    }
    return std::make_shared<const QIcon>(QPixmap::fromImage(image));
}

} // namespace kelvane::platform
