#pragma once

#include "common/Status.h"

#include <gtest/gtest.h>

namespace kelvane::test {

// For EXPECT_TRUE: passes for a success, and a failure shows its message.
inline testing::AssertionResult Succeeded(const Status& status)
{
    return status ? testing::AssertionSuccess() : testing::AssertionFailure() << status.message();
}

} // namespace kelvane::test
