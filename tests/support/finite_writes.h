// tests/support/finite_writes.h: readings no simulator should give, and the
// check that none of them made it into what the plug-in wrote.
#pragma once
#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <vector>
#include "xphost.h"

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

// Every value written is a number: a NaN or an infinity stays in the simulator.
inline ::testing::AssertionResult Numbers(const std::vector<xphost::Write>& ws)
{
    for (const auto& w : ws)
        for (double v : w.values)
            if (!std::isfinite(v))
                return ::testing::AssertionFailure() << v << " written to " << w.path;
    return ::testing::AssertionSuccess();
}
