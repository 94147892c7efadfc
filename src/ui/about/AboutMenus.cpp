#include "ui/about/AboutMenus.h"

#include "ui/MainMenus.h"

#include <QAction>
#include <QWidget>

namespace kelvane::ui {

void ConnectAboutMenus(QWidget* mainWindow, const MainMenus& menus, const AboutContext& context)
{
    const AboutContext* about = &context;
    for (QAction* action : {menus.About, menus.TrayAbout}) {
        QObject::connect(action, &QAction::triggered, mainWindow,
                         [about, mainWindow] { About1Click(*about, mainWindow); });
    }
    QObject::connect(menus.OnlineHelp, &QAction::triggered, mainWindow, [about] { SupportPageClick(*about); });
    QObject::connect(menus.GetScreensavers, &QAction::triggered, mainWindow,
                     [about] { MoreScreensavers1Click(*about); });
}

} // namespace kelvane::ui
