#pragma once

#include "platform/DebugOutput.h"
#include "platform/RegionalSettings.h"

namespace kelvane::platform {

// The user's locale through GetLocaleInfoEx, read afresh at every call.
class Win32RegionalSettings final : public RegionalSettings
{
public:
    RegionalFormats Read() const override;
};

// Lines to the debugger's output channel.
class Win32DebugOutput final : public DebugOutput
{
public:
    void Write(std::string_view line) override;
};

} // namespace kelvane::platform
