#include "shapes/rectgrid.h"
#include "shapes/rectkg.h"
#include "test_recog_support.h"

#include <gtest/gtest.h>
#include <limits>

namespace sw::test {
namespace {

constexpr int Min = std::numeric_limits<int>::min();
constexpr int Max = std::numeric_limits<int>::max();

struct ExtentCase
{
    std::int32_t cell, space, count;
    int extent;
};

TEST(HugeGrid, ExtentSaturatesInsteadOfOverflowing)
{
    const ExtentCase cases[] = {
        {20, 5, 3, 70},
        {Max, Max, Max, Max},
        {Min, Min, Max, Min},
        {Max, Max, Min, Min},
        {-1, 0, Min, Max},
        {Min, Max, Min, 1}, // (-1) * -2^31 - (2^31 - 1): exact although the
                            // terms are not ints
        {0, Max, Min, Min},
        {Max, 0, 1, Max},
    };
    for (const ExtentCase& c : cases) {
        EXPECT_EQ(gridExtent(c.cell, c.space, c.count), c.extent)
            << c.cell << ' ' << c.space << ' ' << c.count;
    }
}

TEST(HugeGrid, VisibleCellsAreThoseReachingIntoTheRange)
{
    // Cells of 20 at steps of 25 from 100, at scale 1: cell i spans
    // 100 + 25 i .. 120 + 25 i; [300, 400) holds cells 8 to 11, one more
    // either side is kept for labels.
    const CellRange range = visibleCells(100, 25, 20, 1.0, 1000, 300, 400);
    EXPECT_LE(range.first, 8);
    EXPECT_GE(range.first, 6);
    EXPECT_GE(range.last, 12);
    EXPECT_LE(range.last, 14);
    // Unbounded, far off, reversed steps and degenerate input.
    EXPECT_EQ(visibleCells(100, 25, 20, 1.0, 1000, Min, Max).first, 0);
    EXPECT_EQ(visibleCells(100, 25, 20, 1.0, 1000, Min, Max).last, 1000);
    EXPECT_EQ(visibleCells(100, 25, 20, 1.0, 1000, -500, -400).last, 0);
    const CellRange back = visibleCells(1000, -25, 20, 1.0, 30, 300, 400);
    EXPECT_LE(back.first, 24);
    EXPECT_GE(back.last, 29);
    EXPECT_EQ(visibleCells(100, 0, 20, 1.0, 7, 300, 400).last, 7);
    EXPECT_EQ(visibleCells(100, 25, 20, std::nan(""), 7, 300, 400).last, 7);
}

TRectKg bubbleBox(int count)
{
    TRectKg box({-300, -200}, {-300, -200}, 1.0, 1.0);
    box.FormatText = QStringLiteral("ABCD");
    box.Aspect = ADown;
    box.Row = count;
    box.col = count;
    box.Gridwidth = 20;
    box.GridHeight = 10;
    box.ColSpace = 10;
    box.RowSpace = 5;
    box.ShowType = SInner;
    box.ShowNumber = true;
    box.StartNumber = 1;
    return box;
}

// What a canvas clipped to `clip` should show of a full drawing: the cells
// reaching into it, with their labels.
bool reaches(const std::vector<TPoint>& cell, const TRect& clip)
{
    return cell[0].X <= clip.Right && cell[2].X >= clip.Left && cell[0].Y <= clip.Bottom &&
           cell[2].Y >= clip.Top;
}

TEST(HugeGrid, ClippedBubbleBoxDrawsEveryCellThatCanShowAndFewOthers)
{
    const TRect clip{0, 0, 400, 300};
    TRectKg box = bubbleBox(60);
    RecordingCanvas full(96);
    box.Draw(full);
    RecordingCanvas clipped(96);
    clipped.setClipRect(clip);
    box.Draw(clipped);

    const auto drawn = paths(clipped);
    for (const auto& cell : paths(full)) {
        if (reaches(cell, clip)) {
            EXPECT_NE(std::find(drawn.begin(), drawn.end(), cell), drawn.end())
                << cell[0].X << ',' << cell[0].Y;
        }
    }
    EXPECT_LT(drawn.size(), paths(full).size() / 4);
    // The question numbers above the first row stay.
    EXPECT_FALSE(textsOut(clipped).empty());
}

TEST(HugeGrid, LargestBoxesCostWhatCanShow)
{
    for (bool grid : {false, true}) {
        test::CountingCanvas canvas;
        canvas.setClipRect({0, 0, 800, 1100});
        if (grid) {
            TRectGrid shape({0, 0}, {0, 0}, 1.0, 1.0);
            shape.Row = shape.col = MaxGridCount;
            shape.Gridwidth = shape.GridHeight = 20;
            shape.Draw(canvas);
        } else {
            TRectKg box = bubbleBox(MaxGridCount);
            box.Draw(canvas);
        }
        // 1000 x 1000 cells, of which about 40 x 100 reach into the clip.
        EXPECT_LT(canvas.count, 200000) << (grid ? "grid" : "bubble box");
        EXPECT_GT(canvas.count, 1000) << (grid ? "grid" : "bubble box");
    }
}

} // namespace
} // namespace sw::test
