#pragma once

#include <string>
#include <vector>

namespace kelvane::platform {

// The face the windows are drawn in. Windows names its user-interface face ("MS Shell Dlg", an alias
// the system resolves to "Tahoma" or "Segoe UI"); a system that lacks those faces, such as a Wine
// without Windows fonts, draws the alias in whatever face it finds first, often a fixed-pitch or serif
// one whose wider letters cut the captions.
//
// Given the face Windows names, the face that would really be drawn and the families the system has,
// this keeps the drawn face when it is the named one or one of the faces Windows draws its own windows
// in (in any language); otherwise it picks the first the system has of the usual Windows faces and
// the free sans faces that stand in for them; with none of those it answers an empty name, and the
// caller asks for any sans-serif face. Names compare without case, as Windows compares them; a picked
// face comes back spelt as the system spells it.
std::string ChooseUiFontFamily(const std::string& named, const std::string& drawn,
                               const std::vector<std::string>& available);

} // namespace kelvane::platform
