#pragma once

// The whole numbers at or below v and at or above it, as pixel coordinates:
// a point far off the picture (a trace whose last period runs kilometres
// past the edge) stays far off, without an int that cannot hold it. No call
// each: the drawings take several for every segment or row.
inline int plancher(double v)
{
    constexpr double kLoin = 1e9;
    if (!(v > -kLoin))
        return -int(kLoin);
    if (v > kLoin)
        return int(kLoin);
    const int i = int(v);
    return double(i) > v ? i - 1 : i;
}

inline int plafond(double v)
{
    return -plancher(-v);
}
