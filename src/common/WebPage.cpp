#include "common/WebPage.h"

namespace kelvane {

std::string HelpPageAddress(std::string_view vendorSite)
{
    while (vendorSite.ends_with('/')) {
        vendorSite.remove_suffix(1);
    }
    return std::string(vendorSite) + "/help.kelvane.html";
}

std::optional<std::string> OpenWebPage(platform::WebBrowser& browser, const std::string& address)
{
    if (const auto error = browser.OpenWebAddress(address)) {
        return "Error opening URL. Error code: " + std::to_string(*error);
    }
    return std::nullopt;
}

} // namespace kelvane
