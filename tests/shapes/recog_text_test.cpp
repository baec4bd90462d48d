#include "shapes/recttext.h"
#include "test_recog_support.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

struct Clip
{
    TRect rect;
    TPoint origin;
    QString text;

    friend bool operator==(const Clip&, const Clip&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Clip& c)
    {
        return os << '(' << c.rect.Left << ' ' << c.rect.Top << ' ' << c.rect.Right << ' '
                  << c.rect.Bottom << " at " << c.origin.X << ' ' << c.origin.Y << " \""
                  << c.text.toStdString() << "\")";
    }
};

std::vector<Clip> clips(const RecordingCanvas& canvas)
{
    std::vector<Clip> out;
    for (const CanvasCall& c : callsNamed(canvas, "TextRect"))
        out.push_back(
            {{c.args[0], c.args[1], c.args[2], c.args[3]}, {c.args[4], c.args[5]}, c.text});
    return out;
}

TFont pixelFont(int pixels)
{
    TFont font;
    font.Name = QStringLiteral("Arial");
    font.Height = -pixels;
    return font;
}

// The line height of a font as the recording canvas measures it.
int lineHeight(const TFont& font)
{
    RecordingCanvas canvas(96);
    canvas.setFont(font);
    return canvas.TextHeight(QStringLiteral("Ag"));
}

TEST(RecogText, ConstructorDefaultsCloneAndText)
{
    TRectText box({10, 20}, {110, 70}, 1.0, 1.0);
    EXPECT_EQ(box.Kind, GRectText);
    EXPECT_EQ(box.KindName, QStringLiteral("文本框"));
    EXPECT_TRUE(box.Lines.isEmpty());
    EXPECT_EQ(box.Font, TFont());

    box.SetText(QStringLiteral("考生须知\r\n第二行\r\n"));
    EXPECT_EQ(box.Lines, (QStringList{QStringLiteral("考生须知"), QStringLiteral("第二行")}));
    EXPECT_EQ(box.Text(), QStringLiteral("考生须知\r\n第二行\r\n"));
    box.SetFont(pixelFont(16));
    const auto copy = box.clone();
    const auto& c = dynamic_cast<const TRectText&>(*copy);
    EXPECT_EQ(c.Lines, box.Lines);
    EXPECT_EQ(c.Font, pixelFont(16));
}

struct SplitCase
{
    const char* text;
    QStringList lines;

    friend void PrintTo(const SplitCase& c, std::ostream* os)
    {
        *os << QString::fromUtf8(c.text)
                   .replace(QLatin1Char('\r'), QLatin1String("\\r"))
                   .replace(QLatin1Char('\n'), QLatin1String("\\n"))
                   .toStdString();
    }
};

class RecogTextSplit : public ::testing::TestWithParam<SplitCase>
{
};

TEST_P(RecogTextSplit, Case)
{
    EXPECT_EQ(splitTextLines(QString::fromUtf8(GetParam().text)), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    RecogText, RecogTextSplit,
    ::testing::Values(SplitCase{"", {}}, SplitCase{"a", {"a"}}, SplitCase{"a\r\nb", {"a", "b"}},
                      SplitCase{"a\nb\rc", {"a", "b", "c"}}, SplitCase{"a\r\n", {"a"}},
                      SplitCase{"a\r\n\r\n", {"a", ""}}, SplitCase{"\r\n", {""}}));

TEST(RecogText, ThirdLineIsClippedToTheBox)
{
    const TFont font = pixelFont(16);
    const int h = lineHeight(font);
    TRectText box({30, 40}, {230, 40 + 2 * h + h / 2}, 1.0, 1.0);
    box.SetFont(font);
    box.Lines = {QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")};
    RecordingCanvas canvas(96);
    box.Draw(canvas);
    const std::vector<Clip> expected = {
        {{30, 40, 230, 40 + h}, {30, 40}, QStringLiteral("one")},
        {{30, 40 + h, 230, 40 + 2 * h}, {30, 40 + h}, QStringLiteral("two")},
        {{30, 40 + 2 * h, 230, 40 + 2 * h + h / 2}, {30, 40 + 2 * h}, QStringLiteral("three")},
    };
    EXPECT_EQ(clips(canvas), expected);
    EXPECT_TRUE(callsNamed(canvas, "Rectangle").empty());
}

TEST(RecogText, RoomBelowTheLinesIsFilledWithTheBrush)
{
    const TFont font = pixelFont(12);
    const int h = lineHeight(font);
    TRectText box({0, 0}, {100, 5 * h}, 1.0, 1.0);
    box.SetFont(font);
    box.Brush = {clRed, bsSolid};
    box.Lines = {QStringLiteral("x")};
    RecordingCanvas canvas(96);
    box.Draw(canvas);
    const std::vector<Clip> expected = {
        {{0, 0, 100, h}, {0, 0}, QStringLiteral("x")},
        {{0, h, 100, 5 * h}, {0, h}, QString()},
    };
    EXPECT_EQ(clips(canvas), expected);
    EXPECT_TRUE(canvas.lines().contains(QStringLiteral("Brush 0000FF bsSolid")));

    box.Lines.clear();
    canvas.clear();
    box.Draw(canvas);
    EXPECT_EQ(clips(canvas), (std::vector<Clip>{{{0, 0, 100, 5 * h}, {0, 0}, QString()}}));
}

TEST(RecogText, ZoomScalesTheBoxAndTheFontHeight)
{
    TFont font = pixelFont(11);
    TRectText box({0, 0}, {0, 0}, 1.5, 1.5);
    box.SetCorners({10, 10}, {71, 200});
    box.SetFont(font);
    box.Lines = {QStringLiteral("a")};
    RecordingCanvas canvas(96);
    box.Draw(canvas);
    // -11 * 1.5 = -16.5 rounds to -16; the box is (15, 15)-(106.5 -> 106, 300).
    EXPECT_EQ(canvas.font().Height, -16);
    const int h = canvas.TextHeight(QStringLiteral("a"));
    const auto drawn = clips(canvas);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0], (Clip{{15, 15, 106, 15 + h}, {15, 15}, QStringLiteral("a")}));
    EXPECT_EQ(drawn[1].rect, (TRect{15, 15 + h, 106, 300}));
}

TEST(RecogText, ZeroSizeBoxDrawsNoText)
{
    TRectText box({20, 20}, {20, 20}, 1.0, 1.0);
    box.Lines = {QStringLiteral("a"), QStringLiteral("b")};
    RecordingCanvas canvas(96);
    box.Draw(canvas);
    EXPECT_TRUE(clips(canvas).empty());
}

TEST(RecogTextBadInput, ManyLinesInASmallBoxDrawOnlyWhatFits)
{
    const TFont font = pixelFont(10);
    const int h = lineHeight(font);
    TRectText box({0, 0}, {50, 3 * h}, 1.0, 1.0);
    box.SetFont(font);
    for (int i = 0; i < 200'000; ++i)
        box.Lines << QStringLiteral("line");
    test::CountingCanvas canvas;
    box.Draw(canvas);
    EXPECT_EQ(canvas.count, 3);
}

} // namespace
} // namespace sw::test
