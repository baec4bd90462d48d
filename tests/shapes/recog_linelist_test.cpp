#include "platform/rounding.h"
#include "shapes/linelist.h"
#include "test_recog_support.h"

#include <gtest/gtest.h>
#include <limits>

namespace sw::test {
namespace {

TLinelist listBox(TPoint a, TPoint b, int rows, QStringList lines)
{
    TLinelist box(a, b, 1.0, 1.0);
    box.Font.Name = QStringLiteral("Arial");
    box.Font.Height = -12;
    box.Row = rows;
    box.Lines = std::move(lines);
    return box;
}

// The drawn lines as (start, end) pairs.
std::vector<std::pair<TPoint, TPoint>> segmentsDrawn(const RecordingCanvas& canvas)
{
    std::vector<std::pair<TPoint, TPoint>> out;
    for (const auto& path : paths(canvas)) {
        if (path.size() == 2)
            out.emplace_back(path[0], path[1]);
    }
    return out;
}

TEST(RecogLinelist, ConstructorDefaultsCloneAndText)
{
    TLinelist box({10, 20}, {110, 70}, 1.0, 1.0, 96);
    EXPECT_EQ(box.Kind, GLinelist);
    EXPECT_EQ(box.KindName, QStringLiteral("线段列表"));
    EXPECT_EQ(box.Row, 0);
    EXPECT_TRUE(box.Lines.isEmpty());
    EXPECT_EQ(box.Font.Name, QStringLiteral("宋体"));
    EXPECT_EQ(box.Font.size(96), 15);
    EXPECT_EQ(TLinelist({0, 0}, {1, 1}, 1.0, 1.0, 120).Font.size(120), 15);

    box.SetText(QStringLiteral("姓名\\\\3\r\n\\\\1\r\n"));
    box.Row = 2;
    const auto copy = box.clone();
    const auto& c = dynamic_cast<const TLinelist&>(*copy);
    EXPECT_EQ(c.Lines, (QStringList{QStringLiteral("姓名\\\\3"), QStringLiteral("\\\\1")}));
    EXPECT_EQ(c.Row, 2);
    EXPECT_EQ(c.Text(), QStringLiteral("姓名\\\\3\r\n\\\\1\r\n"));
}

struct SplitCase
{
    const char* text;
    QStringList parts;

    friend void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.text; }
};

class RecogLinelistSplit : public ::testing::TestWithParam<SplitCase>
{
};

TEST_P(RecogLinelistSplit, Case)
{
    EXPECT_EQ(splitLineListText(QString::fromUtf8(GetParam().text), QLatin1Char('|')),
              GetParam().parts);
}

INSTANTIATE_TEST_SUITE_P(RecogLinelist, RecogLinelistSplit,
                         ::testing::Values(SplitCase{"", {}}, SplitCase{"a", {"a"}},
                                           SplitCase{"a|b", {"a", "b"}},
                                           SplitCase{"a||b", {"a", "", "b"}},
                                           SplitCase{"a|", {"a"}}, SplitCase{"a||", {"a", ""}},
                                           SplitCase{"|a", {"", "a"}}, SplitCase{"|", {""}}));

TEST(RecogLinelist, DefaultRowDrawsOneLineAlongTheTopEdge)
{
    TLinelist box = listBox({40, 60}, {440, 90}, 1, {QStringLiteral("\\\\1")});
    box.Pen = {clBlue, 3, psSolid, pmCopy};
    RecordingCanvas canvas(96);
    box.Draw(canvas);
    EXPECT_EQ(segmentsDrawn(canvas),
              (std::vector<std::pair<TPoint, TPoint>>{{{40, 60}, {440, 60}}}));
    // The pen is the box's, its width not scaled.
    EXPECT_TRUE(canvas.lines().contains(QStringLiteral("Pen FF0000 3 psSolid pmCopy")));
}

TEST(RecogLinelist, LinesShareTheWidthTheTextsLeaveByWeight)
{
    TLinelist box = listBox({50, 100}, {450, 140}, 1, {QStringLiteral("A\\B\\1|C\\D\\3")});
    RecordingCanvas canvas(96);
    box.Draw(canvas);

    const auto w = [&canvas](const char* s) { return canvas.TextWidth(QString::fromUtf8(s)); };
    const int h = canvas.TextHeight(QStringLiteral("A"));
    const int fixed = w("A") + w("B") + 20 + w("C") + w("D");
    const int len1 = roundHalfEven(1 * (400.0 - fixed) / 4);
    const int len2 = roundHalfEven(3 * (400.0 - fixed) / 4);
    const int x1 = 50 + w("A");
    const int x2 = x1 + len1 + w("B") + 20 + w("C");
    EXPECT_EQ(segmentsDrawn(canvas),
              (std::vector<std::pair<TPoint, TPoint>>{{{x1, 100}, {x1 + len1, 100}},
                                                      {{x2, 100}, {x2 + len2, 100}}}));
    const std::vector<Written> texts = {{50, 100 - h, "A"},
                                        {x1 + len1, 100 - h, "B"},
                                        {x1 + len1 + w("B") + 20, 100 - h, "C"},
                                        {x2 + len2, 100 - h, "D"}};
    EXPECT_EQ(textsOut(canvas), texts);
}

// A row description ending in "||" keeps an empty last segment, so even the
// last line leaves room for a gap.
TEST(RecogLinelist, EmptyLastSegmentReservesAGap)
{
    TLinelist plain = listBox({0, 10}, {300, 10}, 1, {QStringLiteral("\\\\1")});
    TLinelist gapped = listBox({0, 10}, {300, 10}, 1, {QStringLiteral("\\\\1||")});
    RecordingCanvas a(96);
    RecordingCanvas b(96);
    plain.Draw(a);
    gapped.Draw(b);
    EXPECT_EQ(segmentsDrawn(a), (std::vector<std::pair<TPoint, TPoint>>{{{0, 10}, {300, 10}}}));
    EXPECT_EQ(segmentsDrawn(b), (std::vector<std::pair<TPoint, TPoint>>{{{0, 10}, {280, 10}}}));
}

struct RowCase
{
    const char* name;
    int rows;
    int top;
    int height;
    double scale;
    std::vector<int> ys;

    friend void PrintTo(const RowCase& c, std::ostream* os) { *os << c.name; }
};

class RecogLinelistRows : public ::testing::TestWithParam<RowCase>
{
};

TEST_P(RecogLinelistRows, Case)
{
    const RowCase& c = GetParam();
    TLinelist box({0, 0}, {0, 0}, c.scale, c.scale);
    box.SetCorners({10, c.top}, {110, c.top + c.height});
    box.Row = c.rows;
    for (int r = 0; r < c.rows; ++r)
        box.Lines << QStringLiteral("\\\\1");
    RecordingCanvas canvas(96);
    box.Draw(canvas);
    std::vector<int> ys;
    for (const auto& [from, to] : segmentsDrawn(canvas))
        ys.push_back(from.Y);
    EXPECT_EQ(ys, c.ys);
}

INSTANTIATE_TEST_SUITE_P(RecogLinelist, RecogLinelistRows,
                         ::testing::Values(RowCase{"ThreeRows", 3, 20, 100, 1.0, {20, 70, 120}},
                                           RowCase{"StepTruncates", 3, 20, 101, 1.0, {20, 70, 120}},
                                           RowCase{
                                               "FourRowsZoom", 4, 20, 100, 1.5, {30, 80, 130, 180}},
                                           RowCase{"OneRow", 1, 20, 100, 1.0, {20}},
                                           RowCase{"NoRows", 0, 20, 100, 1.0, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

// Rows that stored files can hold but the editor never writes draw nothing;
// the other rows still draw.
struct BadRowCase
{
    const char* name;
    const char* row;

    friend void PrintTo(const BadRowCase& c, std::ostream* os) { *os << c.name; }
};

class RecogLinelistBadRow : public ::testing::TestWithParam<BadRowCase>
{
};

TEST_P(RecogLinelistBadRow, Case)
{
    TLinelist box = listBox(
        {0, 0}, {200, 100}, 3,
        {QStringLiteral("\\\\1"), QString::fromUtf8(GetParam().row), QStringLiteral("a\\b\\2")});
    RecordingCanvas canvas(96);
    box.Draw(canvas);
    std::vector<int> ys;
    for (const auto& [from, to] : segmentsDrawn(canvas))
        ys.push_back(from.Y);
    EXPECT_EQ(ys, (std::vector<int>{0, 100}));
    for (const Written& w : textsOut(canvas))
        EXPECT_NE(w.y + canvas.TextHeight(w.text), 50) << w;
}

INSTANTIATE_TEST_SUITE_P(RecogLinelistBadInput, RecogLinelistBadRow,
                         ::testing::Values(BadRowCase{"Empty", ""}, BadRowCase{"OnlyBars", "|||"},
                                           BadRowCase{"TwoParts", "a\\b"},
                                           BadRowCase{"OnePart", "a"},
                                           BadRowCase{"TrailingSeparatorOnly", "a\\b\\"},
                                           BadRowCase{"WordWeight", "a\\b\\x"},
                                           BadRowCase{"RealWeight", "a\\b\\1.5"},
                                           BadRowCase{"NegativeWeight", "a\\b\\-1|c\\d\\2"},
                                           BadRowCase{"ZeroWeights", "a\\b\\0|c\\d\\0"},
                                           BadRowCase{"OneSegmentBad", "a\\b\\1|c\\d"},
                                           BadRowCase{"WeightTooLarge", "a\\b\\99999999999"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RecogLinelistBadInput, MissingRowsDrawNothing)
{
    TLinelist box = listBox({0, 0}, {200, 100}, 1'000'000, {QStringLiteral("\\\\1")});
    test::CountingCanvas canvas;
    box.Draw(canvas);
    // Only the row with a description draws: empty lead, MoveTo/LineTo, empty trail.
    EXPECT_EQ(canvas.count, 4);
}

TEST(RecogLinelistBadInput, HugeWeightsAndSizesDoNotOverflow)
{
    constexpr int big = std::numeric_limits<int>::max();
    TLinelist box =
        listBox({0, 0}, {0, 0}, 2,
                {QStringLiteral("a\\b\\2147483647|c\\d\\2147483647"), QStringLiteral("\\\\1")});
    box.SetCorners({0, 0}, {big, big});
    RecordingCanvas canvas(96);
    box.Draw(canvas);
    const auto drawn = segmentsDrawn(canvas);
    ASSERT_EQ(drawn.size(), 3u);
    for (const auto& [from, to] : drawn)
        EXPECT_LE(from.X, to.X);
    EXPECT_EQ(drawn[2].first.Y, big);
}

} // namespace
} // namespace sw::test
