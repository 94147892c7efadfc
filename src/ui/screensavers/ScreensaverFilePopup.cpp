#include "ui/screensavers/ScreensaverFilePopup.h"

#include "library/ActiveScreensaver.h"
#include "platform/Shell.h"

#include <QAction>
#include <QMenu>

namespace kelvane::ui {

ScreensaverFileItems AddScreensaverFileItems(QMenu* menu, const QString& run, const QString& setActive)
{
    ScreensaverFileItems items;
    items.Run = menu->addAction(run);
    items.SetActive = menu->addAction(setActive);
    menu->addSeparator();
    items.ShowInFolder = menu->addAction(QStringLiteral("Show in &Folder"));
    items.ShowFileProperties = menu->addAction(QStringLiteral("Show File &Properties"));
    items.CopyFilepath = menu->addAction(QStringLiteral("&Copy Screensaver Filepath"));
    menu->addSeparator();
    items.Settings = menu->addAction(QStringLiteral("Screensaver &Settings"));
    items.Options = menu->addAction(QStringLiteral("Screensaver &Options"));
    return items;
}

void OfferScreensaverFileItems(const ScreensaverFileItems& items, bool oneFileSelected)
{
    for (QAction* item : {items.Run, items.SetActive, items.ShowInFolder, items.ShowFileProperties, items.CopyFilepath,
                          items.Options}) {
        item->setEnabled(oneFileSelected);
    }
}

void ConnectScreensaverFileItems(QObject* context, const ScreensaverFileItems& items,
                                 std::function<std::optional<std::string>()> selectedPath, platform::Shell& shell,
                                 ActiveScreensaverControl& active)
{
    const auto onPath = [&](QAction* action, std::function<void(const std::string&)> work) {
        QObject::connect(action, &QAction::triggered, context, [selectedPath, work] {
            if (const auto path = selectedPath()) {
                work(*path);
            }
        });
    };
    platform::Shell* s = &shell; // both outlive the popup's owner
    ActiveScreensaverControl* a = &active;
    onPath(items.Run, [a](const std::string& path) { a->RunScreensaverFile(path); });
    onPath(items.SetActive, [a](const std::string& path) { a->ActivateScreensaver(path); });
    onPath(items.ShowInFolder, [s](const std::string& path) { s->ShowFileInFolder(path); });
    onPath(items.ShowFileProperties, [s](const std::string& path) { s->ShowFileProperties(path); });
    onPath(items.CopyFilepath, [s](const std::string& path) { s->CopyPathToClipboard(path); });
    onPath(items.Options, [a](const std::string& path) { a->ConfigureScreensaverFile(path); });
    QObject::connect(items.Settings, &QAction::triggered, context, [s] { s->OpenScreensaverControlPanel(); });
}

} // namespace kelvane::ui
