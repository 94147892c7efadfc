#pragma once

#include "platform/ScreensaverCatalogue.h"

#include <functional>
#include <string>
#include <vector>

namespace kelvane {

// Told of each screensaver file the walk finds, in order.
using FoundFile = std::function<void(std::string path)>;
// Asked before every entry of every folder the walk reads: false ends the walk there.
using KeepWalking = std::function<bool()>;

// Every file under the folder (at any depth) whose name ends in ".scr", letters compared without
// regard to case, or that is an executable file the catalogue names as one of the desktop's own
// screensaver programs; in the order the file system lists them, each subfolder walked where it is met.
// A path is the folder text as given, one separator, and the file's path below it. Nothing for a text
// that names no folder (the folder itself may be a link); below it, links to folders are not followed,
// so a loop of links cannot hold the walk, and a subfolder that cannot be read (one too deep for a
// path, say) is passed over. Returns false when keepWalking ended the walk early.
bool WalkScreensaverFiles(const std::string& folder, const platform::ScreensaverCatalogue* programs,
                          const FoundFile& found, const KeepWalking& keepWalking);

// The whole walk of one folder at once.
std::vector<std::string> CollectScreensaverFiles(const std::string& folder,
                                                 const platform::ScreensaverCatalogue* programs = nullptr);

} // namespace kelvane
