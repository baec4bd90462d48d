#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace sw {

// Coordinates read from template files can be anywhere in the int range, so
// sums and products of them are formed in 64 bits and limited to the int range
// instead of overflowing.

inline int clampToInt(std::int64_t v)
{
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

inline int saturatingAdd(int a, int b)
{
    return clampToInt(std::int64_t(a) + b);
}

inline int saturatingSub(int a, int b)
{
    return clampToInt(std::int64_t(a) - b);
}

// a * b limited to +-2^62: adding or subtracting an int to the result cannot
// overflow, and the result is exact wherever it can still end up in the int
// range.
inline std::int64_t saturatingMul(std::int64_t a, std::int64_t b)
{
    constexpr std::int64_t limit = std::int64_t(1) << 62;
    std::int64_t product = 0;
    if (__builtin_mul_overflow(a, b, &product))
        return (a < 0) != (b < 0) ? -limit : limit;
    return std::clamp(product, -limit, limit);
}

// The largest integer not above v, limited to the int range; 0 for NaN. For
// positions computed in floating point (a pixel of a scan under a mapped
// point), where a hostile template or fit can yield any value.
inline int saturatingFloor(double v)
{
    if (std::isnan(v))
        return 0;
    const double f = std::floor(v);
    if (f >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (f <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(f);
}

} // namespace sw
