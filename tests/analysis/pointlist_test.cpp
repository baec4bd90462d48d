#include "document/analysis/pointlist.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

TEST(PointList, FormatJoinsPairsWithoutTrailingSeparator)
{
    EXPECT_EQ(formatPointList({}), QString());
    EXPECT_EQ(formatPointList({{0, 0}, {12, 3}, {4, 56}}), QStringLiteral("0,0;12,3;4,56"));
}

TEST(PointList, ThreePairsIncludingTheLast)
{
    const std::vector<TPoint> expected{{1, 2}, {3, 4}, {5, 6}};
    EXPECT_EQ(parsePointList(QStringLiteral("1,2;3,4;5,6")), expected);
    EXPECT_EQ(parsePointList(formatPointList(expected)), expected);
}

TEST(PointList, MalformedEntriesAreSkipped)
{
    struct Case
    {
        const char* text;
        std::vector<TPoint> pairs;
    };
    const Case cases[] = {
        {"", {}},
        {";;;", {}},
        {"7", {}},                                    // no comma
        {"1 2;3,4", {{3, 4}}},                        // missing comma
        {"a,b;1,x;2,3", {{2, 3}}},                    // not numbers
        {"1,2,3;4,5", {{4, 5}}},                      // three fields
        {"99999999999,1;2147483648,0;5,5", {{5, 5}}}, // beyond 32 bits
        {"-1,-2;2147483647,0", {{-1, -2}, {2147483647, 0}}},
        {" 8 , 9 ;10,11;", {{8, 9}, {10, 11}}}, // blanks, trailing separator
        {",;1e3,2;0x1,2", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parsePointList(QString::fromLatin1(c.text)), c.pairs) << c.text;
}

} // namespace
} // namespace sw::test
