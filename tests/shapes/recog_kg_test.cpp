#include "shapes/rectkg.h"
#include "test_recog_support.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>

namespace sw::test {
namespace {

// The example box: options "ABCD" down the rows, three questions across.
TRectKg exampleBox(TAspect aspect = ADown)
{
    TRectKg box({100, 200}, {100, 200}, 1.0, 1.0);
    box.FormatText = QStringLiteral("ABCD");
    box.Aspect = aspect;
    box.col = aspect == ADown ? 3 : 4;
    box.Row = aspect == ADown ? 4 : 3;
    box.Gridwidth = 20;
    box.GridHeight = 10;
    box.ColSpace = 10;
    box.RowSpace = 5;
    box.ShowType = SOuter;
    box.ShowNumber = true;
    box.StartNumber = 1;
    return box;
}

std::vector<Written> drawnTexts(TRectKg& box)
{
    RecordingCanvas canvas(96);
    box.Draw(canvas);
    return textsOut(canvas);
}

TEST(RecogKg, ConstructorDefaultsAndClone)
{
    TRectKg box({10, 20}, {30, 40}, 1.0, 1.0);
    EXPECT_EQ(box.Kind, GKg);
    EXPECT_EQ(box.KindName, QStringLiteral("客观题"));
    EXPECT_EQ(box.OptionType, Single);
    EXPECT_EQ(box.StartNumberAgg, 0);
    EXPECT_EQ(box.Aspect, ADown);
    EXPECT_EQ(box.TextType, RSExamCode);
    EXPECT_EQ(box.ShowType, SInner);
    EXPECT_EQ(box.Font, TFont());
    EXPECT_EQ(box.NumberFont, TFont());
    EXPECT_EQ(box.Bounds, (TRect{10, 20, 30, 40}));

    box.FormatText = QStringLiteral("AB");
    box.KeyText = QStringLiteral("B");
    box.GLZG = 7;
    box.ReadType = 1;
    TFont f;
    f.Name = QStringLiteral("Arial");
    box.SetNumberFont(f);
    const auto copy = box.clone();
    const auto& c = dynamic_cast<const TRectKg&>(*copy);
    EXPECT_EQ(c.FormatText, QStringLiteral("AB"));
    EXPECT_EQ(c.KeyText, QStringLiteral("B"));
    EXPECT_EQ(c.GLZG, 7);
    EXPECT_EQ(c.ReadType, 1);
    EXPECT_EQ(c.NumberFont.Name, QStringLiteral("Arial"));
}

TEST(RecogKg, DownBoxTakesItsSizeBubblesLabelsAndNumbers)
{
    TRectKg box = exampleBox();
    RecordingCanvas canvas(96);
    box.Draw(canvas);
    EXPECT_EQ(box.Width, 80);
    EXPECT_EQ(box.Height, 55);

    std::vector<std::vector<TPoint>> expectedCells;
    for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 3; ++i)
            expectedCells.push_back(cellPath(100 + 30 * i, 200 + 15 * j, 20, 10));
    }
    EXPECT_EQ(paths(canvas), expectedCells);

    const std::vector<Written> expectedTexts = {
        {76, 200, "A"}, {106, 185, "1"}, {136, 185, "2"}, {166, 185, "3"},
        {76, 215, "B"}, {76, 230, "C"},  {76, 245, "D"},
    };
    EXPECT_EQ(textsOut(canvas), expectedTexts);
}

TEST(RecogKg, RightBoxPutsLabelsInARowAndNumbersInAColumn)
{
    TRectKg box = exampleBox(ARight);
    const std::vector<Written> expected = {
        {106, 185, "A"}, {76, 200, "1"}, {136, 185, "B"}, {166, 185, "C"},
        {196, 185, "D"}, {76, 215, "2"}, {76, 230, "3"},
    };
    EXPECT_EQ(drawnTexts(box), expected);
    EXPECT_EQ(box.Width, 110);
    EXPECT_EQ(box.Height, 40);
}

// Label modes and directions on a 2 x 2 box "AB" at (100, 200), GW 21 (g = 7),
// GH 10, CS 9, RS 5: bubble (i, j) at (100 + 30i, 200 + 15j); outer places are
// x = 100 - 30 + 7 = 77 and y = 200 - 15 = 185.
struct LabelCase
{
    const char* name;
    TAspect aspect;
    TShowType show;
    bool numbers;
    std::vector<Written> expected;

    friend void PrintTo(const LabelCase& c, std::ostream* os) { *os << c.name; }
};

class RecogKgLabels : public ::testing::TestWithParam<LabelCase>
{
};

TEST_P(RecogKgLabels, Case)
{
    TRectKg box({100, 200}, {100, 200}, 1.0, 1.0);
    box.FormatText = QStringLiteral("AB");
    box.Row = 2;
    box.col = 2;
    box.Gridwidth = 21;
    box.GridHeight = 10;
    box.ColSpace = 9;
    box.RowSpace = 5;
    box.Aspect = GetParam().aspect;
    box.ShowType = GetParam().show;
    box.ShowNumber = GetParam().numbers;
    box.StartNumber = 7;
    EXPECT_EQ(drawnTexts(box), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    RecogKg, RecogKgLabels,
    ::testing::Values(
        LabelCase{"DownInner",
                  ADown,
                  SInner,
                  false,
                  {{107, 200, "A"}, {137, 200, "A"}, {107, 215, "B"}, {137, 215, "B"}}},
        LabelCase{"RightInner",
                  ARight,
                  SInner,
                  false,
                  {{107, 200, "A"}, {137, 200, "B"}, {107, 215, "A"}, {137, 215, "B"}}},
        LabelCase{"DownDenyNumbers", ADown, SDeny, true, {{107, 185, "7"}, {137, 185, "8"}}},
        LabelCase{"RightDenyNumbers", ARight, SDeny, true, {{77, 200, "7"}, {77, 215, "8"}}},
        LabelCase{"DownDenyNoNumbers", ADown, SDeny, false, {}},
        LabelCase{"UpInnerNoNumbers",
                  AUp,
                  SInner,
                  true,
                  {{107, 200, "A"}, {137, 200, "A"}, {107, 215, "B"}, {137, 215, "B"}}},
        LabelCase{"LeftInnerNoNumbers",
                  ALeft,
                  SInner,
                  true,
                  {{107, 200, "A"}, {137, 200, "B"}, {107, 215, "A"}, {137, 215, "B"}}},
        LabelCase{"UpOuterNothing", AUp, SOuter, true, {}},
        LabelCase{"LeftOuterNothing", ALeft, SOuter, true, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecogKg, LabelsAndNumbersFollowTheZoomAndScaledFonts)
{
    TRectKg box = exampleBox();
    box.ScaleX = box.ScaleY = 1.5;
    box.Font.Height = -11;
    box.NumberFont.Height = -13;
    RecordingCanvas canvas(96);
    box.Draw(canvas);
    // 76 * 1.5 = 114, 185 * 1.5 = 277.5 -> 278, 106 * 1.5 = 159, 215 * 1.5 = 322.5 -> 322.
    const std::vector<Written> expected = {
        {114, 300, "A"}, {159, 278, "1"}, {204, 278, "2"}, {249, 278, "3"},
        {114, 322, "B"}, {114, 345, "C"}, {114, 368, "D"},
    };
    EXPECT_EQ(textsOut(canvas), expected);
    // Bubble (0, 1): origin (150, 322.5 -> 322), 20 * 1.5 = 30 wide, 10 * 1.5 = 15 high.
    EXPECT_EQ(paths(canvas)[3], cellPath(150, 322, 30, 15));
    // -11 * 1.5 = -16.5 -> -16; -13 * 1.5 = -19.5 -> -20.
    std::vector<int> heights;
    for (const CanvasCall& call : callsNamed(canvas, "Font"))
        heights.push_back(call.args[0]);
    EXPECT_EQ(heights.front(), -16);
    EXPECT_NE(std::find(heights.begin(), heights.end(), -20), heights.end());
}

TEST(RecogKg, PenIsOnePixelInTheBoxColourAtEveryZoom)
{
    TRectKg box = exampleBox();
    box.Pen = {clGreen, 5, psDot, pmCopy};
    box.ScaleX = box.ScaleY = 2.0;
    RecordingCanvas canvas(96);
    box.Draw(canvas);
    const auto pens = callsNamed(canvas, "Pen");
    ASSERT_FALSE(pens.empty());
    EXPECT_EQ(pens.front().args, (std::vector<int>{int(clGreen), 1, psSolid, pmCopy}));
}

struct ScoreCase
{
    const char* format;
    std::vector<QString> labels;

    friend void PrintTo(const ScoreCase& c, std::ostream* os) { *os << c.format; }
};

class RecogKgScoreLabels : public ::testing::TestWithParam<ScoreCase>
{
};

TEST_P(RecogKgScoreLabels, Case)
{
    TRectKg box({0, 0}, {0, 0}, 1.0, 1.0);
    box.TextType = RSZGF;
    box.Aspect = ARight;
    box.FormatText = QString::fromUtf8(GetParam().format);
    box.col = int(box.FormatText.size());
    box.Row = 1;
    box.Gridwidth = 12;
    box.GridHeight = 8;
    std::vector<QString> labels;
    for (const Written& w : drawnTexts(box))
        labels.push_back(w.text);
    EXPECT_EQ(labels, GetParam().labels);
}

INSTANTIATE_TEST_SUITE_P(RecogKg, RecogKgScoreLabels,
                         ::testing::Values(ScoreCase{"ABC", {"0", "1", "2"}},
                                           ScoreCase{"0123", {"0", "1", "2", "3"}},
                                           ScoreCase{"Z9a", {"25", "9", "-1"}}),
                         [](const auto& info) { return std::string(info.param.format); });

TEST(RecogKg, CodeModeFillsOnlyTheKeyBubbles)
{
    TRectKg box({40, 10}, {40, 10}, 1.0, 1.0);
    box.FormatText = QStringLiteral("1248");
    box.KeyText = QStringLiteral("28");
    box.Spread = true;
    box.Aspect = ARight;
    box.ShowType = SDeny;
    box.Row = 1;
    box.col = 4;
    box.Gridwidth = 11;
    box.GridHeight = 19;
    box.ColSpace = 8;
    box.Brush = {clWhite, bsClear};
    RecordingCanvas canvas(96);
    box.Draw(canvas);

    EXPECT_TRUE(paths(canvas).empty());
    const auto rects = callsNamed(canvas, "Rectangle");
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].args, (std::vector<int>{59, 10, 70, 29}));
    EXPECT_EQ(rects[1].args, (std::vector<int>{97, 10, 108, 29}));
    // The filled bubbles are painted with a solid black brush.
    QString brush;
    for (const QString& line : canvas.lines()) {
        if (line.startsWith(QLatin1String("Brush"))) {
            brush = line;
        } else if (line.startsWith(QLatin1String("Rectangle"))) {
            EXPECT_EQ(brush, QStringLiteral("Brush 000000 bsSolid"));
        }
    }
}

TEST(RecogKg, SizeGivenByHandlesLastsUntilTheNextDraw)
{
    TRectKg box = exampleBox();
    RecordingCanvas canvas(96);
    box.Draw(canvas);
    box.ResizeByHandle(7, {300, 400});
    EXPECT_EQ(box.Width, 200);
    box.Draw(canvas);
    EXPECT_EQ(box.Bounds, (TRect{100, 200, 180, 255}));

    box.ResizeByHandle(0, {90, 150});
    box.Draw(canvas);
    EXPECT_EQ(box.Bounds, (TRect{90, 150, 170, 205}));
}

TEST(RecogKg, SelectedBoxEndsWithItsHandles)
{
    TRectKg box = exampleBox();
    box.Select();
    RecordingCanvas canvas(96);
    box.Draw(canvas);
    const auto rects = callsNamed(canvas, "Rectangle");
    ASSERT_EQ(rects.size(), 8u);
    EXPECT_EQ(rects.front().args, (std::vector<int>{97, 197, 103, 203}));
    EXPECT_EQ(rects.back().args, (std::vector<int>{177, 252, 183, 258}));
}

TEST(RecogKg, QuestionCountFollowsTheDirection)
{
    TRectKg box = exampleBox();
    EXPECT_EQ(box.QuestionCount(), 3);
    box.Aspect = ARight;
    EXPECT_EQ(box.QuestionCount(), 4);
    box.Aspect = AUp;
    EXPECT_EQ(box.QuestionCount(), 0);
    box.Aspect = ALeft;
    EXPECT_EQ(box.QuestionCount(), 0);
}

// Boxes from damaged files.

TEST(RecogKgBadInput, ShortOptionStringGivesEmptyLabels)
{
    TRectKg box = exampleBox();
    box.FormatText = QStringLiteral("AB");
    box.ShowType = SInner;
    box.ShowNumber = false;
    box.col = 1;
    const std::vector<Written> expected = {
        {106, 200, "A"}, {106, 215, "B"}, {106, 230, ""}, {106, 245, ""}};
    EXPECT_EQ(drawnTexts(box), expected);

    box.FormatText.clear();
    box.TextType = RSZGF;
    box.Spread = true;
    box.KeyText = QStringLiteral("AB");
    RecordingCanvas canvas(96);
    box.Draw(canvas);
    EXPECT_TRUE(callsNamed(canvas, "Rectangle").empty());
    for (const Written& w : textsOut(canvas))
        EXPECT_TRUE(w.text.isEmpty());
}

TEST(RecogKgBadInput, HugeCountsDrawABoundedNumberOfBubbles)
{
    TRectKg box = exampleBox();
    box.ShowType = SDeny;
    box.ShowNumber = false;
    box.col = 1;
    box.Row = 1'000'000;
    test::CountingCanvas canvas;
    box.Draw(canvas);
    // Height still follows the full count; 1000 rows of one bubble are drawn.
    EXPECT_EQ(box.Height, 15 * 1'000'000 - 5);
    EXPECT_EQ(canvas.count, 1000 * 5);
}

TEST(RecogKgBadInput, ExtremeSizesNeitherOverflowNorHang)
{
    constexpr int big = std::numeric_limits<int>::max();
    const std::int32_t counts[] = {0, -3, 1, big};
    const std::int32_t lengths[] = {0, -7, 25, big};
    for (std::int32_t count : counts) {
        for (std::int32_t length : lengths) {
            TRectKg box({5, 5}, {5, 5}, 1.0, 1.0);
            box.FormatText = QStringLiteral("ABCD");
            box.ShowType = SOuter;
            box.ShowNumber = true;
            box.StartNumber = big;
            box.Row = count;
            box.col = count == big ? 2 : count;
            box.Gridwidth = box.GridHeight = length;
            box.ColSpace = box.RowSpace = length;
            test::CountingCanvas canvas;
            box.Draw(canvas);
            EXPECT_GE(box.Width, 0);
            EXPECT_GE(box.Height, 0);
            EXPECT_LE(canvas.count, std::int64_t(1000) * 2 * 8);
        }
    }
}

TEST(RecogKgBadInput, NumbersPastTheIntRangeAreWrittenInFull)
{
    TRectKg box = exampleBox();
    box.ShowType = SDeny;
    box.StartNumber = std::numeric_limits<std::int32_t>::max();
    const auto texts = drawnTexts(box);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[2].text, QStringLiteral("2147483649"));
}

} // namespace
} // namespace sw::test
