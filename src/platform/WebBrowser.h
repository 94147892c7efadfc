#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kelvane::platform {

// The user's default handler for web addresses.
class WebBrowser
{
public:
    virtual ~WebBrowser() = default;

    // Hands the address over and returns without waiting for the page. Nothing when the handler was
    // started; otherwise the platform's error code (on Windows the shell's result, 32 or less).
    virtual std::optional<int64_t> OpenWebAddress(const std::string& address) = 0;
};

} // namespace kelvane::platform
