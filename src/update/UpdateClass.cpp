#include "update/UpdateClass.h"

#include "common/TextCase.h"
#include "common/TextEncoding.h"

#include <algorithm>
#include <utility>

namespace kelvane {
namespace {

// One part of a version as a whole number of any length: its sign and its digits without leading zeros
// (no digits for zero), so that no part is too long to compare.
struct VersionNumber
{
    bool Negative = false;
    std::string_view Digits;
};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

VersionNumber ParseVersionPart(std::string_view part)
{
    bool negative = false;
    if (!part.empty() && (part.front() == '-' || part.front() == '+')) {
        negative = part.front() == '-';
        part.remove_prefix(1);
    }
    if (part.empty() || !std::all_of(part.begin(), part.end(), IsDigit)) {
        return {}; // not a whole number: 0
    }
    const size_t firstNonZero = part.find_first_not_of('0');
    if (firstNonZero == std::string_view::npos) {
        return {}; // -0 is 0
    }
    return {negative, part.substr(firstNonZero)};
}

int CompareMagnitudes(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    const int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

int CompareNumbers(const VersionNumber& a, const VersionNumber& b)
{
    if (a.Negative != b.Negative) {
        return a.Negative ? -1 : 1;
    }
    const int magnitude = CompareMagnitudes(a.Digits, b.Digits);
    return a.Negative ? -magnitude : magnitude;
}

std::vector<VersionNumber> VersionNumbers(std::string_view version)
{
    std::vector<VersionNumber> numbers;
    size_t start = 0;
    while (true) {
        const size_t dot = version.find('.', start);
        numbers.push_back(ParseVersionPart(version.substr(start, dot - start)));
        if (dot == std::string_view::npos) {
            return numbers;
        }
        start = dot + 1;
    }
}

} // namespace

std::string UpdateFileAddress(std::string_view vendorSite, std::string_view overrideAddress)
{
    if (!overrideAddress.empty()) {
        return std::string(overrideAddress);
    }
    while (vendorSite.ends_with('/')) {
        vendorSite.remove_suffix(1);
    }
    return std::string(vendorSite) + UpdateFilePath;
}

int CompareVersions(std::string_view a, std::string_view b)
{
    const std::vector<VersionNumber> left = VersionNumbers(a);
    const std::vector<VersionNumber> right = VersionNumbers(b);
    const size_t length = std::max(left.size(), right.size());
    for (size_t i = 0; i < length; ++i) {
        const VersionNumber x = i < left.size() ? left[i] : VersionNumber{};
        const VersionNumber y = i < right.size() ? right[i] : VersionNumber{};
        if (const int order = CompareNumbers(x, y); order != 0) {
            return order;
        }
    }
    return 0;
}

std::optional<std::vector<std::string>> TextLinesOf(const platform::HttpResponse& response)
{
    if (response.Result != platform::HttpResponse::Outcome::Answered || response.StatusCode != 200 ||
        response.Body.size() > MaxVersionFileBytes) {
        return std::nullopt;
    }
    std::string_view body = response.Body;
    // A byte-order mark belongs to the encoding, not to the first line.
    if (body.starts_with("\xEF\xBB\xBF")) {
        body.remove_prefix(3);
    }
    return SplitLines(body);
}

void DownloadTextLines(platform::HttpGet& http, const std::string& address,
                       std::function<void(std::optional<std::vector<std::string>>)> done)
{
    http.Get(address, MaxVersionFileBytes,
             [done = std::move(done)](const platform::HttpResponse& response) { done(TextLinesOf(response)); });
}

UpdateCheckResult UpdateFromVersionFile(const std::optional<std::vector<std::string>>& lines,
                                        std::string_view programVersion)
{
    if (!lines || lines->size() != 3) {
        return {};
    }
    const std::vector<std::string>& file = *lines;
    return {CompareVersions(programVersion, file[0]) == -1, file[0], file[1], file[2]};
}

void CheckForUpdate(platform::HttpGet& http, const std::string& address, std::string_view programVersion,
                    std::function<void(const UpdateCheckResult&)> done)
{
    DownloadTextLines(http, address,
                      [version = std::string(programVersion),
                       done = std::move(done)](const std::optional<std::vector<std::string>>& lines) {
                          done(UpdateFromVersionFile(lines, version));
                      });
}

bool IsWebAddress(std::string_view address)
{
    std::string_view rest;
    if (StartsWithIgnoringAsciiCase(address, "https://")) {
        rest = address.substr(8);
    } else if (StartsWithIgnoringAsciiCase(address, "http://")) {
        rest = address.substr(7);
    } else {
        return false;
    }
    // A host must follow; blanks and control characters have no place in an address.
    if (rest.empty() || rest.front() == '/') {
        return false;
    }
    return std::none_of(address.begin(), address.end(),
                        [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == '\x7F'; });
}

} // namespace kelvane
