#include "document/stream/extended.h"

#include <bit>
#include <cmath>

namespace sw::stream {

namespace {

constexpr int kExtendedBias = 16383;
constexpr int kDoubleBias = 1023;
constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;

ExtendedBytes pack(bool negative, int biasedExponent, std::uint64_t mantissa)
{
    ExtendedBytes out{};
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<std::uint8_t>(mantissa >> (8 * i));
    const auto se = static_cast<std::uint16_t>((negative ? 0x8000 : 0) | biasedExponent);
    out[8] = static_cast<std::uint8_t>(se);
    out[9] = static_cast<std::uint8_t>(se >> 8);
    return out;
}

// m / 2^drop rounded to nearest, ties to even.
std::uint64_t roundShift(std::uint64_t m, int drop)
{
    if (drop == 0)
        return m;
    if (drop > 64)
        return 0;
    if (drop == 64) // m has its top bit set: at least one half
        return m == kIntegerBit ? 0 : 1;
    const std::uint64_t q = m >> drop;
    const std::uint64_t rest = m & ((std::uint64_t{1} << drop) - 1);
    const std::uint64_t half = std::uint64_t{1} << (drop - 1);
    return (rest > half || (rest == half && (q & 1))) ? q + 1 : q;
}

} // namespace

ExtendedBytes toExtended(double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);

    if (exponent == 0x7FF)
        return pack(negative, 0x7FFF, kIntegerBit | fraction << 11);
    if (exponent == 0 && fraction == 0)
        return pack(negative, 0, 0);
    if (exponent == 0) { // subnormal: fraction * 2^-1074, normalised
        const int shift = std::countl_zero(fraction);
        return pack(negative, 63 - 1074 - shift + kExtendedBias, fraction << shift);
    }
    return pack(negative, exponent - kDoubleBias + kExtendedBias, kIntegerBit | fraction << 11);
}

std::optional<double> fromExtended(const ExtendedBytes& bytes)
{
    std::uint64_t mantissa = 0;
    for (int i = 7; i >= 0; --i)
        mantissa = mantissa << 8 | bytes[i];
    const int se = bytes[8] | bytes[9] << 8;
    const bool negative = (se & 0x8000) != 0;
    const int exponent = se & 0x7FFF;

    if (exponent == 0x7FFF)
        return std::nullopt;
    if (mantissa == 0)
        return negative ? -0.0 : 0.0;

    // value = mantissa / 2^63 * 2^(e), normalised so that bit 63 is set.
    const int lz = std::countl_zero(mantissa);
    mantissa <<= lz;
    const int e = exponent - kExtendedBias - lz;
    if (e > kDoubleBias)
        return std::nullopt;
    // Keep 53 bits for a normal double, fewer for a subnormal one.
    const int drop = e >= 1 - kDoubleBias ? 11 : 11 + (1 - kDoubleBias - e);
    const std::uint64_t q = roundShift(mantissa, drop);
    const double magnitude = std::ldexp(static_cast<double>(q), e - 63 + drop);
    if (!std::isfinite(magnitude))
        return std::nullopt;
    return negative ? -magnitude : magnitude;
}

} // namespace sw::stream
