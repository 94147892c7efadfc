#pragma once

#include <string_view>

namespace kelvane::platform {

// Diagnostic lines for developers; never shown to the user or written to a data file.
class DebugOutput
{
public:
    virtual ~DebugOutput() = default;
    virtual void Write(std::string_view line) = 0;
};

} // namespace kelvane::platform
