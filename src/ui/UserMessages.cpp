#include "ui/UserMessages.h"

#include "app/AppIdentity.h"
#include "ui/StartupErrors.h"

#include <QMessageBox>

#include <cstdio>

namespace kelvane::ui {

void MessageBoxMessages::ShowError(QWidget* parent, const QString& text)
{
    // Without a screen to show it on, a modal box would wait forever for a click nobody can make.
    if (!DisplayIsAvailable()) {
        std::fprintf(stderr, "%s: %s\n", ApplicationTitle, text.toUtf8().constData());
        return;
    }
    QMessageBox::critical(parent, QString::fromUtf8(ApplicationTitle), text);
}

} // namespace kelvane::ui
