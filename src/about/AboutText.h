#pragma once

#include <string>
#include <vector>

namespace kelvane {

// The notice on the about box's last credits row.
inline constexpr const char* CopyrightNotice = "Copyright \xC2\xA9 Quillfen. All rights reserved.";

// The about box's caption: the title, " v" and the version ("Kelvane v1.01").
std::string AboutCaption();

// The about box's credits, one row per line, in the scroller's markup: the name, the version, the build
// date (already in its regional form), the vendor's site and the copyright notice. The texts put in
// are shown as they are, whatever characters they hold.
std::vector<std::string> AboutCreditRows(const std::string& buildDateText, const std::string& vendorSite);

} // namespace kelvane
