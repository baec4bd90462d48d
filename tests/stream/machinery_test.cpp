// The generic parts of the stream: text decoding and identifier tables.
#include "document/stream/names.h"
#include "document/stream/text.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

using namespace stream;

TEST(StreamText, GbkIsAvailable)
{
    EXPECT_TRUE(QStringDecoder("GBK").isValid());
}

TEST(StreamText, ByteStringsAreAsciiOrGbk)
{
    EXPECT_EQ(decodeAnsi("Arial"), QStringLiteral("Arial"));
    EXPECT_EQ(decodeAnsi("\xCB\xCE\xCC\xE5"), QStringLiteral("宋体"));
    EXPECT_EQ(decodeAnsi("A\xBE\xED"), QStringLiteral("A卷"));
    // A broken double-byte character becomes a replacement, never a failure.
    EXPECT_TRUE(decodeAnsi("\x81\x20"
                           "A")
                    .startsWith(QChar::ReplacementCharacter));
    EXPECT_TRUE(decodeAnsi("\x81\x20"
                           "A")
                    .endsWith(u'A'));
}

TEST(StreamNames, ColoursAndCharsetsIgnoreCase)
{
    EXPECT_EQ(colourFromName("clWindowText"), 0x80000008u);
    EXPECT_EQ(colourFromName("CLWINDOWTEXT"), 0x80000008u);
    EXPECT_EQ(colourFromName("clnone"), 0x1FFFFFFFu);
    EXPECT_FALSE(colourFromName("clWindowTex"));
    EXPECT_EQ(colourName(0xFFFFFF), "clWhite");
    EXPECT_EQ(colourName(0x20000000), "clDefault");
    EXPECT_FALSE(colourName(0x123456));
    EXPECT_EQ(charsetFromName("Oem_Charset"), 255);
    EXPECT_EQ(charsetName(134), "GB2312_CHARSET");
    EXPECT_FALSE(charsetName(3));
}

TEST(StreamNames, EnumerationMembersAreExact)
{
    EXPECT_EQ(findName(enumNames<TGraphicsType>(), "gsinline"), int(gsinline));
    EXPECT_EQ(findName(enumNames<TGraphicsType>(), "GLinelist"), int(GLinelist));
    EXPECT_FALSE(findName(enumNames<TGraphicsType>(), "GLINE"));
    EXPECT_EQ(enumNames<TGraphicsType>().size(), 19u);
    EXPECT_EQ(enumNames<TPenMode>().size(), 16u);
    EXPECT_EQ(findName(enumNames<TPenMode>(), "pmNotXor"), int(pmNotXor));
    EXPECT_EQ(findName(enumNames<TBrushStyle>(), "bsDiagCross"), int(bsDiagCross));
    EXPECT_EQ(findName(enumNames<TPenStyle>(), "psInsideFrame"), int(psInsideFrame));
    EXPECT_EQ(findName(enumNames<TTextType>(), "RSPageNumber"), int(RSPageNumber));
}

} // namespace
} // namespace sw::test
