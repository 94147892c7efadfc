#pragma once

#include "platform/DebugOutput.h"

namespace kelvane::platform {

// Debug lines go to the logging category "kelvane" as debug messages, silent unless enabled, for example with
// QT_LOGGING_RULES="kelvane.debug=true".
class QtDebugOutput final : public DebugOutput
{
public:
    void Write(std::string_view line) override;
};

} // namespace kelvane::platform
