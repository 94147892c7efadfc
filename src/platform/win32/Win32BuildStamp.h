#pragma once

#include "platform/BuildStamp.h"

namespace kelvane::platform {

// The link time stamp in the PE header of the running executable.
class Win32BuildStamp final : public BuildStamp
{
public:
    std::optional<int64_t> BuildTime() override;
};

} // namespace kelvane::platform
