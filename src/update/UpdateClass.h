#pragma once

#include "platform/HttpGet.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvane {

// Where the version file lies on the vendor's site.
inline constexpr const char* UpdateFilePath = "/updates/KelvaneUpdates.ver";
// A version file is three short lines; anything longer is not one, and is not read to its end.
inline constexpr size_t MaxVersionFileBytes = 64 * 1024;

// The version file's address: the override when one is given (a mirror, or a test's server), else the
// file's path on the vendor's site.
std::string UpdateFileAddress(std::string_view vendorSite, std::string_view overrideAddress = {});

// -1, 0 or 1 as version a is older than, equal to or newer than version b. Versions are numbers
// separated by "."; a missing part counts as 0, and so does a part that is not a whole number.
int CompareVersions(std::string_view a, std::string_view b);

// The lines of a downloaded text file; nothing when the download failed or the answer was not 200.
std::optional<std::vector<std::string>> TextLinesOf(const platform::HttpResponse& response);

// Downloads a text file and hands its lines to `done`, or nothing when it could not be had.
void DownloadTextLines(platform::HttpGet& http, const std::string& address,
                       std::function<void(std::optional<std::vector<std::string>>)> done);

// What the version file announces.
struct UpdateCheckResult
{
    bool Available = false; // a newer version than the program's own is published
    std::string Version;
    std::string DownloadAddress;
    std::string Message;
};

// The announcement in a downloaded version file, compared with the program's version. A file without
// exactly three lines announces nothing.
UpdateCheckResult UpdateFromVersionFile(const std::optional<std::vector<std::string>>& lines,
                                        std::string_view programVersion);

// Downloads the version file and hands what it announces to `done`, once the answer has arrived.
void CheckForUpdate(platform::HttpGet& http, const std::string& address, std::string_view programVersion,
                    std::function<void(const UpdateCheckResult&)> done);

// Whether a download address may be handed to the browser: only web pages, never a local file, a
// program or a script.
bool IsWebAddress(std::string_view address);

} // namespace kelvane
