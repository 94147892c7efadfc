#pragma once

#include <string>
#include <string_view>

namespace kelvane::platform {

// The Wine prefix that Windows programs run in: $WINEPREFIX when it is an absolute path, else ~/.wine;
// without a trailing slash.
std::string WinePrefix();

// The file that a drive-letter path names inside the Wine prefix: drive C is the prefix's drive_c, any
// other letter the prefix's dosdevices link for it ("d:"). Backslashes and slashes both separate names,
// and a name that is not there as written is found regardless of the letter case of ASCII letters, as
// Wine finds it. The result always lies in the prefix, so a drive without a link names a file that does
// not exist; it is never taken relative to the working folder.
std::string FileOnWineDrive(std::string_view path, const std::string& prefix);

// The local file a screensaver path names: a drive-letter path on the Wine prefix's drive, any other
// path as it is.
std::string LocalScreensaverFile(const std::string& path);

} // namespace kelvane::platform
