#pragma once

#include <algorithm>
#include <vector>

// The middle of the timings (the upper middle for an even count).
inline double mediane(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}
