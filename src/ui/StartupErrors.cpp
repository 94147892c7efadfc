#include "ui/StartupErrors.h"

#include "common/AppIdentity.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace kelvane::ui {

bool DisplayIsAvailable()
{
#ifdef Q_OS_WIN
    return true;
#else
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    if (const char* platform = std::getenv("QT_QPA_PLATFORM")) {
        const std::string_view name(platform);
        if (name.starts_with("offscreen") || name.starts_with("minimal")) {
            return false;
        }
    }
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
#endif
}

void ReportFatalStartupError(int& argc, char** argv, const std::string& message)
{
    std::fprintf(stderr, "%s: %s\n", ApplicationTitle, message.c_str());
    std::fflush(stderr);
    if (!DisplayIsAvailable()) {
        return;
    }
    QApplication app(argc, argv);
    QMessageBox::critical(nullptr, QString::fromUtf8(ApplicationTitle), QString::fromStdString(message));
}

} // namespace kelvane::ui
