#include "ui/UserMessages.h"

#include "common/AppIdentity.h"
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

void MessageBoxMessages::ShowWarning(QWidget* parent, const QString& text)
{
    if (!DisplayIsAvailable()) {
        std::fprintf(stderr, "%s: %s\n", ApplicationTitle, text.toUtf8().constData());
        return;
    }
    QMessageBox::warning(parent, QString::fromUtf8(ApplicationTitle), text);
}

void MessageBoxMessages::ShowMessage(QWidget* parent, const QString& text)
{
    if (!DisplayIsAvailable()) {
        std::fprintf(stdout, "%s: %s\n", ApplicationTitle, text.toUtf8().constData());
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8(ApplicationTitle), text, QMessageBox::Ok, parent);
    box.exec();
}

bool MessageBoxMessages::Confirm(QWidget* parent, const QString& title, const QString& text)
{
    if (!DisplayIsAvailable()) {
        return false; // nobody could answer, so nothing is done
    }
    return QMessageBox::question(parent, title, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) ==
           QMessageBox::Ok;
}

} // namespace kelvane::ui
