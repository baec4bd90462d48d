#include "dialogs/decimalfield.h"
#include "dialogs/papersizes.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

struct EntryCase
{
    TPageSize stored;
    double width;
    double height;
    int entry;
};

TEST(PaperSizes, StoredSizesShowTheirEntry)
{
    const EntryCase cases[] = {
        {A3, 420, 297, EntryA3},
        {A4, 100, 100, EntryA4}, // the name wins
        {B5, 182, 257, EntryB5},
        {Custom, 185, 260, EntryZheng16},
        {Custom, 260, 185, EntryZheng16},
        {Custom, 260, 370, EntryZheng8},
        {Custom, 210, 285, EntryDa16},
        {Custom, 420, 285, EntryDa8},
        {Custom, 185.04, 260, EntryZheng16},
        {Custom, 185.1, 260, EntryCustom},
        {Custom, 210, 297, EntryCustom},
        {Custom, 0, 0, EntryCustom},
    };
    for (const EntryCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.stored << ' ' << c.width << 'x' << c.height);
        EXPECT_EQ(paperSizeEntry(c.stored, c.width, c.height), c.entry);
    }
    for (int entry = 0; entry < PaperSizeEntryCount; ++entry)
        EXPECT_EQ(pageSizeOfEntry(entry), entry < EntryZheng16 ? TPageSize(entry) : Custom);
    EXPECT_EQ(paperSizeNames().size(), PaperSizeEntryCount);
    EXPECT_FALSE(paperSizePreset(EntryDa16, false));
    EXPECT_FALSE(paperSizePreset(-1, false));
    EXPECT_EQ(*paperSizePreset(EntryB4, true), QSizeF(354, 250));
}

TEST(DecimalFields, ParsesOnlyPlainNumbers)
{
    const struct
    {
        const char* text;
        std::optional<double> decimal;
        std::optional<int> whole;
    } cases[] = {
        {"10", 10, 10},
        {"10.5", 10.5, std::nullopt},
        {"-0.1", -0.1, std::nullopt},
        {".5", 0.5, std::nullopt},
        {"7.", 7, std::nullopt},
        {"", std::nullopt, std::nullopt},
        {".", std::nullopt, std::nullopt},
        {"-", std::nullopt, std::nullopt},
        {"1e3", std::nullopt, std::nullopt},
        {" 1", std::nullopt, std::nullopt},
        {"1,5", std::nullopt, std::nullopt},
        {"inf", std::nullopt, std::nullopt},
        {"99999999999", 99999999999.0, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parseDecimal(QString::fromUtf8(c.text)), c.decimal);
        EXPECT_EQ(parseWhole(QString::fromUtf8(c.text)), c.whole);
    }
}

TEST(DecimalFields, WritesTheShortestForm)
{
    EXPECT_EQ(decimalText(210.0), QStringLiteral("210"));
    EXPECT_EQ(decimalText(10.0 + 0.1), QStringLiteral("10.1"));
    EXPECT_EQ(decimalText(0.3 - 0.1 - 0.1 - 0.1), QStringLiteral("0"));
    EXPECT_EQ(decimalText(-0.1), QStringLiteral("-0.1"));
    EXPECT_EQ(decimalText(1e15), QStringLiteral("1000000000000000"));
    EXPECT_EQ(decimalText(3.7795), QStringLiteral("3.7795"));
}

TEST(DecimalFields, KeyFilterTakesDigitsAndOnePoint)
{
    EXPECT_TRUE(decimalKeyAccepted(QString(), QLatin1Char('7')));
    EXPECT_TRUE(decimalKeyAccepted(QStringLiteral("1.5"), QLatin1Char('\b')));
    EXPECT_TRUE(decimalKeyAccepted(QStringLiteral("15"), QLatin1Char('.')));
    EXPECT_FALSE(decimalKeyAccepted(QStringLiteral("1.5"), QLatin1Char('.')));
    EXPECT_FALSE(decimalKeyAccepted(QString(), QLatin1Char('-')));
    EXPECT_FALSE(decimalKeyAccepted(QString(), QChar(0x4E00)));
}

} // namespace
} // namespace sw::test
