#pragma once

#include <cstdint>

namespace kelvane {

// The moment this program was built, in Unix seconds (UTC): SOURCE_DATE_EPOCH when the build was given
// one, else the build machine's clock. Its source is generated at every build (cmake/BuildStamp.cmake)
// and linked into the program alone, so that nothing else is rebuilt for a new stamp.
int64_t RecordedBuildTime();

} // namespace kelvane
