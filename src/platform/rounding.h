#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace sw {

// Every real-to-integer conversion of the program: nearest, ties to even.
// Values outside the int range saturate instead of overflowing.
inline int roundHalfEven(double v)
{
    if (std::isnan(v))
        return 0;
    const double r = std::nearbyint(v); // default rounding mode is to-nearest-even
    if (r >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (r <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(r);
}

// Windows' MulDiv: a * b / c computed in 64 bits, rounded half away from zero.
inline int mulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t p = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = (c > 0 ? c : -c) / 2;
    const bool negative = (p < 0) != (c < 0);
    const std::int64_t q = ((p < 0 ? -p : p) + half) / (c > 0 ? c : -c);
    return static_cast<int>(negative ? -q : q);
}

} // namespace sw
