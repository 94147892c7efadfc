#include "platform/qt/QtDebugOutput.h"

#include "platform/qt/QtText.h"

#include <QLoggingCategory>
#include <QString>

namespace kelvane::platform {
namespace {
Q_LOGGING_CATEGORY(kelvaneDebug, "kelvane", QtWarningMsg)
}

void QtDebugOutput::Write(std::string_view line)
{
    qCDebug(kelvaneDebug).noquote() << FromUtf8(line);
}

} // namespace kelvane::platform
