#pragma once

// What the benchmark programs share: a median timing, and the United States regional settings.

#include "platform/RegionalSettings.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace kelvane::bench {

// The middle one of several timings: one slow round (the machine was busy) does not move it.
inline double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The median of several timed rounds, in milliseconds.
inline double MedianMilliseconds(const std::function<void()>& work, int rounds = 7)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    return Median(std::move(times));
}

class UsRegional final : public RegionalSettings
{
public:
    RegionalFormats Read() const override { return {}; }
};

} // namespace kelvane::bench
