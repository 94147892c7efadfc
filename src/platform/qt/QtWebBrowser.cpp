#include "platform/qt/QtWebBrowser.h"

#include "platform/qt/QtText.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace kelvane::platform {

std::optional<int64_t> QtWebBrowser::OpenWebAddress(const std::string& address)
{
    const QUrl url(FromUtf8(address), QUrl::StrictMode);
    if (!url.isValid() || !QDesktopServices::openUrl(url)) {
        return NoHandlerError;
    }
    return std::nullopt;
}

} // namespace kelvane::platform
