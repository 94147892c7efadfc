#pragma once

#include <cstdint>
#include <optional>

namespace kelvane::platform {

// When the running program was built, as Unix seconds (UTC); nothing when it cannot be told.
class BuildStamp
{
public:
    virtual ~BuildStamp() = default;
    virtual std::optional<int64_t> BuildTime() = 0;
};

} // namespace kelvane::platform
