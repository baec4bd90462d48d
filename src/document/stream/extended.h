#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace sw::stream {

// The 10-byte extended float of the stream: 64-bit mantissa with explicit
// integer bit, then sign and 15-bit exponent biased by 16383, little-endian.
using ExtendedBytes = std::array<std::uint8_t, 10>;

// Exact: every double is an extended value.
ExtendedBytes toExtended(double value);

// Rounded to the nearest double, ties to even. Empty for infinities, NaNs and
// values beyond the double range.
std::optional<double> fromExtended(const ExtendedBytes& bytes);

} // namespace sw::stream
