#include "platform/qt/QtDebugOutput.h"

#include <QLoggingCategory>
#include <QString>

namespace kelvane::platform {
namespace {
Q_LOGGING_CATEGORY(kelvaneDebug, "kelvane", QtWarningMsg)
}

void QtDebugOutput::Write(std::string_view line)
{
    qCDebug(kelvaneDebug).noquote() << QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
}

} // namespace kelvane::platform
