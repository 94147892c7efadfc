#pragma once

#include "platform/WebBrowser.h"

#include <optional>
#include <string>
#include <string_view>

namespace kelvane {

// The caption of the warning box that OpenWebPage's failure shows.
inline constexpr const char* OpenWebPageWarningCaption = "Debug";

// The program's help page on the vendor's site, given the site's root address.
std::string HelpPageAddress(std::string_view vendorSite);

// Opens the address in the user's default handler. When that cannot be started, gives the text of the
// warning to show ("Error opening URL. Error code: " and the platform's code); nothing is retried.
std::optional<std::string> OpenWebPage(platform::WebBrowser& browser, const std::string& address);

} // namespace kelvane
