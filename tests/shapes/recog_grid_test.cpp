#include "shapes/rectgrid.h"
#include "test_recog_support.h"

#include <gtest/gtest.h>
#include <limits>

namespace sw::test {
namespace {

TEST(RecogGrid, ConstructorDefaultsAndClone)
{
    TRectGrid grid({10, 20}, {110, 70}, 1.0, 1.0);
    EXPECT_EQ(grid.Kind, GGrid);
    EXPECT_EQ(grid.KindName, QStringLiteral("网格"));
    EXPECT_EQ(grid.Row, 0);
    EXPECT_EQ(grid.col, 0);
    EXPECT_EQ(grid.Gridwidth, 0);
    grid.Gridwidth = 30;
    grid.RowSpace = 5;
    const auto copy = grid.clone();
    EXPECT_EQ(dynamic_cast<const TRectGrid&>(*copy).Gridwidth, 30);
    EXPECT_EQ(dynamic_cast<const TRectGrid&>(*copy).RowSpace, 5);
}

struct GridCase
{
    const char* name;
    int gridWidth;
    int gridHeight;
    int colSpace;
    int rowSpace;
    int cols;
    int rows;
    double scale;
    TRect bounds; // layout pixels after drawing
    std::vector<std::vector<TPoint>> cells;

    friend void PrintTo(const GridCase& c, std::ostream* os) { *os << c.name; }
};

class RecogGridCells : public ::testing::TestWithParam<GridCase>
{
};

TEST_P(RecogGridCells, Case)
{
    const GridCase& c = GetParam();
    TRectGrid grid({0, 0}, {0, 0}, c.scale, c.scale);
    grid.SetCorners({10, 20}, {500, 500});
    grid.Gridwidth = c.gridWidth;
    grid.GridHeight = c.gridHeight;
    grid.ColSpace = c.colSpace;
    grid.RowSpace = c.rowSpace;
    grid.col = c.cols;
    grid.Row = c.rows;
    RecordingCanvas canvas(96);
    grid.Draw(canvas);
    EXPECT_EQ(grid.Bounds, c.bounds);
    EXPECT_EQ(paths(canvas), c.cells);
}

INSTANTIATE_TEST_SUITE_P(
    RecogGrid, RecogGridCells,
    ::testing::Values(
        // Five writing lines 20 apart, 80 high.
        GridCase{"RuledLines",
                 300,
                 0,
                 0,
                 20,
                 1,
                 5,
                 1.0,
                 {10, 20, 310, 100},
                 {cellPath(10, 20, 300, 0), cellPath(10, 40, 300, 0), cellPath(10, 60, 300, 0),
                  cellPath(10, 80, 300, 0), cellPath(10, 100, 300, 0)}},
        GridCase{"VerticalLines",
                 0,
                 40,
                 15,
                 0,
                 3,
                 1,
                 1.0,
                 {10, 20, 40, 60},
                 {cellPath(10, 20, 0, 40), cellPath(25, 20, 0, 40), cellPath(40, 20, 0, 40)}},
        GridCase{"CellsRowByRow",
                 30,
                 20,
                 4,
                 6,
                 2,
                 2,
                 1.0,
                 {10, 20, 74, 66},
                 {cellPath(10, 20, 30, 20), cellPath(44, 20, 30, 20), cellPath(10, 46, 30, 20),
                  cellPath(44, 46, 30, 20)}},
        // Zoom 1.5: 15 * 1.5 = 22.5 -> 22 and 45 * 1.5 = 67.5 -> 68 (ties to even).
        GridCase{"HalfZoom",
                 15,
                 5,
                 0,
                 0,
                 2,
                 1,
                 1.5,
                 {10, 20, 40, 25},
                 {cellPath(15, 30, 22, 8), cellPath(38, 30, 22, 8)}},
        // A size the parameters cannot give (0 or below) leaves the bounds alone.
        GridCase{"NoCells", 30, 20, 0, 0, 0, 0, 1.0, {10, 20, 500, 500}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecogGrid, PenWidthFollowsTheZoom)
{
    TRectGrid grid({0, 0}, {0, 0}, 2.0, 2.0);
    grid.Pen = {clRed, 2, psDot, pmCopy};
    grid.Brush = {clGreen, bsSolid};
    grid.Gridwidth = grid.GridHeight = 10;
    grid.Row = grid.col = 1;
    RecordingCanvas canvas(96);
    grid.Draw(canvas);
    const QStringList lines = canvas.lines();
    EXPECT_TRUE(lines.contains(QStringLiteral("Pen 0000FF 4 psDot pmCopy")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Brush 008000 bsSolid")));
    EXPECT_TRUE(callsNamed(canvas, "Rectangle").empty());
}

TEST(RecogGridBadInput, HugeCountsDrawABoundedNumberOfCells)
{
    TRectGrid grid({0, 0}, {0, 0}, 1.0, 1.0);
    grid.Gridwidth = 30;
    grid.GridHeight = 10;
    grid.RowSpace = 5;
    grid.col = 1;
    grid.Row = 1'000'000;
    test::CountingCanvas canvas;
    grid.Draw(canvas);
    EXPECT_EQ(grid.Height, 15 * 1'000'000 - 5);
    EXPECT_EQ(canvas.count, 1000 * 5);
}

TEST(RecogGridBadInput, ExtremeSizesNeitherOverflowNorHang)
{
    constexpr int big = std::numeric_limits<int>::max();
    const std::int32_t counts[] = {-4, 0, 2, big};
    const std::int32_t lengths[] = {std::numeric_limits<int>::min(), -1, 0, big};
    for (std::int32_t count : counts) {
        for (std::int32_t length : lengths) {
            TRectGrid grid({3, 3}, {9, 9}, 1.0, 1.0);
            grid.Row = count;
            grid.col = count == big ? 3 : count;
            grid.Gridwidth = grid.GridHeight = length;
            grid.ColSpace = grid.RowSpace = length;
            test::CountingCanvas canvas;
            grid.Draw(canvas);
            EXPECT_GE(grid.Width, 0);
            EXPECT_GE(grid.Height, 0);
            EXPECT_LE(canvas.count, std::int64_t(1000) * 3 * 5);
        }
    }
}

} // namespace
} // namespace sw::test
