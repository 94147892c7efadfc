#pragma once

#include "platform/IconProvider.h"
#include "platform/ScreensaverCatalogue.h"

#include <QMimeDatabase>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kelvane::platform {

// File icons from the desktop's icon theme, by the file's type; a file that does not exist has none.
// The icon is a QIcon behind the shared handle. Used on the user-interface thread. The desktop's own
// screensaver programs share the screensaver's icon.
class QtIconProvider final : public IconProvider
{
public:
    explicit QtIconProvider(std::shared_ptr<const ScreensaverCatalogue> programs = nullptr)
        : m_programs(std::move(programs))
    {}

    FileIcon LoadFileIcon(const std::string& path) override;

private:
    // The icon of an existing file, by its extension.
    FileIcon IconOfExistingFile(std::string_view path);

    QMimeDatabase m_mimeTypes;
    // One type and theme look-up per extension: a theme search for a name it lacks walks every theme
    // folder again, which made a list of thousands of files take minutes to show.
    std::unordered_map<std::string, FileIcon> m_iconsBySuffix;
    std::shared_ptr<const ScreensaverCatalogue> m_programs;
    FileIcon m_programIcon;
};

} // namespace kelvane::platform
