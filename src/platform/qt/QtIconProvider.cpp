#include "platform/qt/QtIconProvider.h"

#include "common/TextCase.h"
#include "platform/qt/QtText.h"

#include <QFileInfo>
#include <QIcon>

namespace kelvane::platform {
namespace {

// The lower-cased text after the last dot of the file name, empty when it has none.
std::string LowerSuffix(std::string_view path)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return {};
    }
    return AsciiLowerCase(path.substr(dot + 1));
}

bool Exists(std::string_view path)
{
    return !path.empty() && QFileInfo::exists(FromUtf8(path));
}

} // namespace

FileIcon QtIconProvider::LoadFileIcon(const std::string& path)
{
    if (!Exists(path)) {
        return {};
    }
    return IconOfExistingFile(path);
}

FileIcon QtIconProvider::IconOfExistingFile(std::string_view path)
{
    if (m_programs && m_programs->LabelOf(path.substr(path.find_last_of('/') + 1))) {
        if (!m_programIcon) {
            QIcon themed = QIcon::fromTheme(QStringLiteral("xscreensaver"));
            if (themed.isNull()) {
                themed = QIcon::fromTheme(QStringLiteral("preferences-desktop-screensaver"));
            }
            m_programIcon = std::make_shared<const QIcon>(themed);
        }
        return m_programIcon;
    }
    // By the extension alone, looked up once per extension: reading each file's first bytes, or even
    // matching each name against every type's patterns, costs more than the whole rest of a start with
    // a long list, and the extension is what marks a screensaver anyway.
    const std::string suffix = LowerSuffix(path);
    FileIcon& icon = m_iconsBySuffix[suffix];
    if (!icon) {
        const QMimeType type = m_mimeTypes.mimeTypeForFile(QStringLiteral("file.") + QString::fromStdString(suffix),
                                                           QMimeDatabase::MatchExtension);
        QIcon themed = QIcon::fromTheme(type.iconName());
        if (themed.isNull()) {
            themed = QIcon::fromTheme(type.genericIconName());
        }
        if (themed.isNull()) {
            themed = QIcon::fromTheme(QStringLiteral("application-x-executable"));
        }
        icon = std::make_shared<const QIcon>(themed);
    }
    return icon;
}

} // namespace kelvane::platform
