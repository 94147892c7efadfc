#pragma once

#include <functional>
#include <optional>
#include <string>

class QAction;
class QMenu;
class QObject;
class QString;

namespace kelvane {
class ActiveScreensaverControl;
}

namespace kelvane::platform {
class Shell;
}

namespace kelvane::ui {

// The items both list popups offer on one screensaver file, in their order on the menu.
struct ScreensaverFileItems
{
    QAction* Run = nullptr;
    QAction* SetActive = nullptr;
    QAction* ShowInFolder = nullptr;
    QAction* ShowFileProperties = nullptr;
    QAction* CopyFilepath = nullptr;
    QAction* Settings = nullptr; // the system's screensaver settings, needing no file
    QAction* Options = nullptr;
};

ScreensaverFileItems AddScreensaverFileItems(QMenu* menu, const QString& run, const QString& setActive);

// The items that work on a file are offered only while the popup's selection names exactly one.
void OfferScreensaverFileItems(const ScreensaverFileItems& items, bool oneFileSelected);

// Each item works on the path the popup's selection names (none: the item does nothing).
void ConnectScreensaverFileItems(QObject* context, const ScreensaverFileItems& items,
                                 std::function<std::optional<std::string>()> selectedPath, platform::Shell& shell,
                                 ActiveScreensaverControl& active);

} // namespace kelvane::ui
