#pragma once

namespace kelvane::platform {

// Whether this Windows program runs under Wine rather than on Windows itself: Wine's ntdll exports
// wine_get_version, which Windows' never does.
bool RunningUnderWine();

} // namespace kelvane::platform
