#pragma once

#include "platform/WebBrowser.h"

namespace kelvane::platform {

// The desktop's handler for web addresses, through Qt (xdg-open or the desktop portal).
class QtWebBrowser final : public WebBrowser
{
public:
    // Qt tells only whether the handler started, not why it did not; a failure is given the code that
    // Windows uses when no program is associated with an address.
    static constexpr int64_t NoHandlerError = 31;

    std::optional<int64_t> OpenWebAddress(const std::string& address) override;
};

} // namespace kelvane::platform
