#include "document/stream/extended.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace sw::test {
namespace {

using namespace stream;

ExtendedBytes bytesOf(std::initializer_list<int> b)
{
    ExtendedBytes out{};
    std::size_t i = 0;
    for (int v : b)
        out[i++] = static_cast<std::uint8_t>(v);
    return out;
}

TEST(ExtendedFloat, Examples)
{
    const struct
    {
        double value;
        ExtendedBytes bytes;
    } cases[] = {
        {0.0, bytesOf({0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
        {4.0, bytesOf({0, 0, 0, 0, 0, 0, 0, 0x80, 0x01, 0x40})},
        {6.0, bytesOf({0, 0, 0, 0, 0, 0, 0, 0xC0, 0x01, 0x40})},
        {10.0, bytesOf({0, 0, 0, 0, 0, 0, 0, 0xA0, 0x02, 0x40})},
        {210.0, bytesOf({0, 0, 0, 0, 0, 0, 0, 0xD2, 0x06, 0x40})},
        {297.0, bytesOf({0, 0, 0, 0, 0, 0, 0x80, 0x94, 0x07, 0x40})},
        {-1.0, bytesOf({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0xBF})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toExtended(c.value), c.bytes) << c.value;
        EXPECT_EQ(fromExtended(c.bytes), c.value) << c.value;
    }
}

TEST(ExtendedFloat, ReadingRoundsToNearestEven)
{
    // 1 + 2^-53 lies halfway between 1 and the next double: ties to even give 1.
    EXPECT_EQ(fromExtended(bytesOf({0, 0x04, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})), 1.0);
    // Just above the halfway point rounds up.
    EXPECT_EQ(fromExtended(bytesOf({1, 0x04, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})),
              std::nextafter(1.0, 2.0));
    // (1 + 2^-52) + 2^-53: halfway, the odd neighbour rounds up to even.
    EXPECT_EQ(fromExtended(bytesOf({0, 0x0C, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F})),
              1.0 + 2 * std::numeric_limits<double>::epsilon());
}

TEST(ExtendedFloat, OutOfDoubleRange)
{
    EXPECT_FALSE(fromExtended(bytesOf({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}))); // infinity
    EXPECT_FALSE(fromExtended(bytesOf({0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0xFF}))); // NaN
    EXPECT_FALSE(fromExtended(bytesOf({0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0x44}))); // 2^1025
    // The largest double's neighbour above rounds to infinity: out of range.
    EXPECT_FALSE(fromExtended(bytesOf({0, 0xFC, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0x43})));
    EXPECT_EQ(fromExtended(bytesOf({0, 0xF8, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0x43})),
              std::numeric_limits<double>::max());
    // Far below the smallest subnormal: zero with its sign.
    const auto tiny = fromExtended(bytesOf({0, 0, 0, 0, 0, 0, 0, 0x80, 0x01, 0x80}));
    ASSERT_TRUE(tiny);
    EXPECT_EQ(*tiny, 0.0);
    EXPECT_TRUE(std::signbit(*tiny));
}

#if LDBL_MANT_DIG == 64
// On x86 `long double` is this very format: check against the hardware.
TEST(ExtendedFloat, MatchesHardwareExtended)
{
    std::mt19937_64 random(12345);
    for (int i = 0; i < 200000; ++i) {
        std::uint64_t bits = random();
        if (i % 4 == 0) // plenty of subnormals
            bits &= 0x800FFFFFFFFFFFFFull;
        const double d = std::bit_cast<double>(bits);
        if (!std::isfinite(d))
            continue;
        const long double wide = d;
        ExtendedBytes expected{};
        std::memcpy(expected.data(), &wide, 10);
        ASSERT_EQ(toExtended(d), expected) << d;
        ASSERT_EQ(fromExtended(expected), d);
    }
    for (int i = 0; i < 200000; ++i) {
        ExtendedBytes bytes{};
        const std::uint64_t m = random() | (std::uint64_t{1} << 63);
        // Exponents around the double range, subnormals and zero-ish included.
        const int exponent = 16383 - 1100 + static_cast<int>(random() % 2200);
        const int sign = static_cast<int>(random() & 1);
        std::memcpy(bytes.data(), &m, 8);
        bytes[8] = static_cast<std::uint8_t>(exponent);
        bytes[9] = static_cast<std::uint8_t>((exponent >> 8) | (sign << 7));
        long double wide;
        std::memcpy(&wide, bytes.data(), 10);
        const double rounded = static_cast<double>(wide);
        const auto read = fromExtended(bytes);
        if (std::isinf(rounded)) {
            ASSERT_FALSE(read);
        } else {
            ASSERT_TRUE(read);
            ASSERT_EQ(std::bit_cast<std::uint64_t>(*read), std::bit_cast<std::uint64_t>(rounded));
        }
    }
}
#endif

} // namespace
} // namespace sw::test
