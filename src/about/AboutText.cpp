#include "about/AboutText.h"

#include "about/CreditsMarkup.h"
#include "common/AppIdentity.h"

namespace kelvane {

std::string AboutCaption()
{
    return std::string(ApplicationTitle) + " v" + ProgramVersion;
}

std::vector<std::string> AboutCreditRows(const std::string& buildDateText, const std::string& vendorSite)
{
    return {
        "&c205,184,72;{{XXL}}&b " + EscapeCreditText(ApplicationTitle), // gold, 22 points, bold
        "",
        "",
        "{{white}}{{LG}}v" + EscapeCreditText(ProgramVersion) + " {{SM}}64-bit", // the larger size wins
        "",
        "{{SM}}Created: " + EscapeCreditText(buildDateText),
        "",
        "",
        "",
        "&bThis software available at.",
        "",
        "{{MED}}&b{{blue}}" + EscapeCreditText(vendorSite),
        "",
        "{{white}}{{SM}}" + EscapeCreditText(CopyrightNotice),
    };
}

} // namespace kelvane
