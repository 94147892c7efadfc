#include "platform/qt/QtWebBrowser.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace kelvane::platform {

std::optional<int64_t> QtWebBrowser::OpenWebAddress(const std::string& address)
{
    const QUrl url(QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size())), QUrl::StrictMode);
    if (!url.isValid() || !QDesktopServices::openUrl(url)) {
        return NoHandlerError;
    }
    return std::nullopt;
}

} // namespace kelvane::platform
