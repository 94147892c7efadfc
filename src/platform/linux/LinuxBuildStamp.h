#pragma once

#include "platform/BuildStamp.h"

namespace kelvane::platform {

// Linux executables carry no link time stamp: the build records one instead (cmake/BuildStamp.cmake,
// which honours SOURCE_DATE_EPOCH for reproducible builds), and the program hands it in here.
class LinuxBuildStamp final : public BuildStamp
{
public:
    explicit LinuxBuildStamp(std::optional<int64_t> recordedSeconds) : m_seconds(recordedSeconds) {}
    std::optional<int64_t> BuildTime() override { return m_seconds; }

private:
    std::optional<int64_t> m_seconds;
};

} // namespace kelvane::platform
