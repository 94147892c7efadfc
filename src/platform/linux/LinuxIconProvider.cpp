#include "platform/linux/LinuxIconProvider.h"

#include <QFileInfo>
#include <QIcon>
#include <QMimeDatabase>

namespace kelvane::platform {

FileIcon LinuxIconProvider::LoadFileIcon(const std::string& path)
{
    const QFileInfo info(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
    if (!info.exists()) {
        return {};
    }
    static const QMimeDatabase mimeTypes;
    const QMimeType type = mimeTypes.mimeTypeForFile(info);
    QIcon icon = QIcon::fromTheme(type.iconName());
    if (icon.isNull()) {
        icon = QIcon::fromTheme(type.genericIconName(), QIcon::fromTheme(QStringLiteral("application-x-executable")));
    }
    return std::make_shared<const QIcon>(icon);
}

} // namespace kelvane::platform
