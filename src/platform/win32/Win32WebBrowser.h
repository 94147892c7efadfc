#pragma once

#include "platform/WebBrowser.h"

namespace kelvane::platform {

// The shell's default action for an address.
class Win32WebBrowser final : public WebBrowser
{
public:
    std::optional<int64_t> OpenWebAddress(const std::string& address) override;
};

} // namespace kelvane::platform
