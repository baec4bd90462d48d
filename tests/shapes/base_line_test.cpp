#include "shapes/line.h"
#include "test_base_support.h"

#include <gtest/gtest.h>

namespace sw::test {
namespace {

struct StoreCase
{
    TPoint a;
    TPoint b;
    TPoint p1;
    TPoint p2;
};

class LineStorage : public ::testing::TestWithParam<StoreCase>
{
};

TEST_P(LineStorage, Case)
{
    const StoreCase& c = GetParam();
    const TLine line(c.a, c.b, 1.0, 1.0);
    EXPECT_EQ(line.P1, c.p1);
    EXPECT_EQ(line.P2, c.p2);
    EXPECT_EQ(line.GetBounds(), (TRect{c.p1.X, c.p1.Y, c.p2.X, c.p2.Y}));
}

INSTANTIATE_TEST_SUITE_P(
    Line, LineStorage,
    ::testing::Values(StoreCase{{50, 10}, {10, 40}, {50, 10}, {10, 40}}, // one coordinate falls
                      StoreCase{{10, 40}, {50, 10}, {10, 40}, {50, 10}},
                      StoreCase{{50, 40}, {10, 10}, {10, 10}, {50, 40}}, // both fall: swapped
                      StoreCase{{50, 40}, {10, 40}, {50, 40}, {10, 40}},
                      StoreCase{{-1, 5}, {10, 10}, {0, 0}, {0, 0}})); // refused

TEST(Line, KindsAndNames)
{
    const TLine line({0, 0}, {5, 5}, 1.0, 1.0);
    const THLine h({0, 0}, {5, 5}, 1.0, 1.0);
    const TVLine v({0, 0}, {5, 5}, 1.0, 1.0);
    EXPECT_EQ(line.Kind, GLine);
    EXPECT_EQ(line.KindName, QStringLiteral("直线"));
    EXPECT_EQ(h.Kind, GHline);
    EXPECT_EQ(h.KindName, QStringLiteral("横线"));
    EXPECT_EQ(h.P2, (TPoint{5, 0}));
    EXPECT_EQ(v.Kind, GVline);
    EXPECT_EQ(v.KindName, QStringLiteral("竖线"));
    EXPECT_EQ(v.P2, (TPoint{0, 5}));
}

struct LineHitCase
{
    TPoint a;
    TPoint b;
    TPoint p;
    bool hit;
};

class LineHit : public ::testing::TestWithParam<LineHitCase>
{
};

TEST_P(LineHit, Case)
{
    const LineHitCase& c = GetParam();
    TLine line(c.a, c.b, 1.0, 1.0);
    EXPECT_EQ(line.HitTest(c.p), c.hit);
}

INSTANTIATE_TEST_SUITE_P(
    Line, LineHit,
    ::testing::Values(
        // Sloped (10,10)-(110,60): on the line at x = 50 is y = 30.
        LineHitCase{{10, 10}, {110, 60}, {50, 30}, true},
        LineHitCase{{10, 10}, {110, 60}, {50, 25}, true},  // 5 above
        LineHitCase{{10, 10}, {110, 60}, {50, 24}, false}, // 6 above
        LineHitCase{{10, 10}, {110, 60}, {50, 35}, true},
        LineHitCase{{10, 10}, {110, 60}, {50, 36}, false},
        LineHitCase{{10, 10}, {110, 60}, {12, 7}, false}, // near, but above the bounding box
        LineHitCase{{10, 10}, {110, 60}, {111, 60}, false},
        // Nearly vertical: 5 either side of the larger x.
        LineHitCase{{20, 10}, {22, 100}, {27, 50}, true},
        LineHitCase{{20, 10}, {22, 100}, {28, 50}, false},
        LineHitCase{{20, 10}, {22, 100}, {17, 50}, true},
        LineHitCase{{20, 10}, {22, 100}, {16, 50}, false},
        LineHitCase{{20, 10}, {22, 100}, {22, 101}, false},
        // Nearly horizontal: 5 either side of the larger y.
        LineHitCase{{10, 50}, {100, 53}, {50, 48}, true},
        LineHitCase{{10, 50}, {100, 53}, {50, 47}, false},
        LineHitCase{{10, 50}, {100, 53}, {50, 58}, true},
        LineHitCase{{10, 50}, {100, 53}, {101, 53}, false}));

TEST(Line, HandlesAreSevenPixelSquaresAtZoomTwo)
{
    const TLine line({20, 20}, {101, 61}, 2.0, 2.0); // layout (10,10)-(50,30)
    EXPECT_EQ(line.P2, (TPoint{50, 30}));
    EXPECT_EQ(line.StartHandle, (TRect{17, 17, 24, 24}));
    EXPECT_EQ(line.EndHandle, (TRect{97, 57, 104, 64}));
}

struct LineCursorCase
{
    TPoint a;
    TPoint b;
    TPoint p;
    TCursor cursor;
};

class LineCursor : public ::testing::TestWithParam<LineCursorCase>
{
};

TEST_P(LineCursor, Case)
{
    const LineCursorCase& c = GetParam();
    TLine line(c.a, c.b, 1.0, 1.0);
    EXPECT_EQ(line.HandleCursor(c.p, TCursor::Hand), c.cursor);
}

INSTANTIATE_TEST_SUITE_P(
    Line, LineCursor,
    ::testing::Values(LineCursorCase{{10, 10}, {10, 50}, {10, 50}, TCursor::SizeNS},
                      LineCursorCase{{10, 10}, {50, 10}, {13, 13}, TCursor::SizeWE},
                      LineCursorCase{{10, 10}, {50, 40}, {50, 40}, TCursor::SizeNWSE},
                      LineCursorCase{{10, 40}, {50, 10}, {7, 37}, TCursor::SizeNESW},
                      LineCursorCase{{10, 40}, {50, 10}, {14, 40}, TCursor::Hand},
                      LineCursorCase{{10, 40}, {50, 10}, {30, 25}, TCursor::Hand}));

TEST(Line, DrawScalesThePenAndInvertsTheHandlesWhenSelected)
{
    TLine line({10, 10}, {50, 40}, 1.0, 1.0);
    line.Pen = {clRed, 3, psSolid, pmCopy};
    line.ScaleX = line.ScaleY = 2.0;
    line.Select();
    line.ResizeOutlineShown = line.DraggingEnd = true;
    RecordingCanvas canvas(96);
    line.Draw(canvas);
    EXPECT_EQ(test::drawnLines(canvas),
              (QStringList{"MoveTo 20 20", "Pen 0000FF 6 psSolid pmCopy", "Brush FFFFFF bsSolid",
                           "LineTo 100 80", "Pen 0000FF 6 psSolid pmNotXor", "Brush 000000 bsSolid",
                           "Rectangle 17 17 24 24", "Rectangle 97 77 104 84"}));
    EXPECT_EQ(line.EndHandle, (TRect{97, 77, 104, 84}));
    EXPECT_FALSE(line.ResizeOutlineShown);
    EXPECT_FALSE(line.DraggingEnd);
}

TEST(Line, DragMoveStopsAtTheLayoutEdge)
{
    TLine line({10, 10}, {50, 40}, 1.0, 1.0);
    RecordingCanvas canvas(96);
    line.DragMove(canvas, -5, 3);
    EXPECT_EQ(line.P1, (TPoint{5, 13}));
    line.DragMove(canvas, -6, 0);
    EXPECT_EQ(line.P1, (TPoint{5, 13}));
    EXPECT_EQ(line.P2, (TPoint{45, 43}));
    EXPECT_TRUE(line.MoveOutlineShown);
    EXPECT_EQ(test::drawnLines(canvas),
              (QStringList{"MoveTo 5 13", "Pen 000000 1 psDot pmNotXor", "Brush FFFFFF bsClear",
                           "LineTo 45 43", "MoveTo 5 13", "LineTo 45 43", "MoveTo 5 13",
                           "LineTo 45 43"}));
}

TEST(Line, ResizeDragPastTheOtherEndSwapsTheDraggedEnd)
{
    TLine line({10, 10}, {50, 40}, 1.0, 1.0);
    RecordingCanvas canvas(96);
    line.DragResize(canvas, {10, 10});
    EXPECT_TRUE(line.DraggingStart);
    line.DragResize(canvas, {60, 50});
    EXPECT_EQ(line.P1, (TPoint{50, 40}));
    EXPECT_EQ(line.P2, (TPoint{60, 50}));
    EXPECT_FALSE(line.DraggingStart);
    EXPECT_TRUE(line.DraggingEnd);
    line.DragResize(canvas, {70, 45});
    EXPECT_EQ(line.P1, (TPoint{50, 40}));
    EXPECT_EQ(line.P2, (TPoint{70, 45}));
}

TEST(Line, ResizeDragOffBothEndsChangesNothing)
{
    TLine line({10, 10}, {50, 40}, 1.0, 1.0);
    RecordingCanvas canvas(96);
    line.DragResize(canvas, {30, 25});
    line.DragResize(canvas, {35, 5});
    EXPECT_EQ(line.P1, (TPoint{10, 10}));
    EXPECT_EQ(line.P2, (TPoint{50, 40}));
}

TEST(Line, HorizontalLineStaysAtItsHeightAtZoomTwo)
{
    THLine line({20, 200}, {300, 250}, 2.0, 2.0);
    ASSERT_EQ(line.P1, (TPoint{10, 100}));
    ASSERT_EQ(line.P2, (TPoint{150, 100}));
    RecordingCanvas canvas(96);
    line.DragResize(canvas, {302, 203});
    EXPECT_TRUE(line.DraggingEnd);
    line.DragResize(canvas, {401, 237});
    EXPECT_EQ(line.P2, (TPoint{200, 100}));
    EXPECT_EQ(line.P1, (TPoint{10, 100}));
}

// At zoom 0.5 layout y 101 is device 50, which converts back to 100; the
// dragged end still keeps the line level.
TEST(Line, HorizontalAndVerticalLinesStayStraightAtZoomHalf)
{
    THLine h({10, 101}, {200, 101}, 1.0, 1.0);
    TVLine v({101, 10}, {101, 200}, 1.0, 1.0);
    RecordingCanvas canvas(96);
    for (TLine* line : {static_cast<TLine*>(&h), static_cast<TLine*>(&v)}) {
        line->ScaleX = line->ScaleY = 0.5;
        line->Draw(canvas);
        const TPoint end = line->toDevice(line->P2);
        line->DragResize(canvas, end);
        line->DragResize(canvas, {end.X + 7, end.Y + 9});
    }
    EXPECT_EQ(h.P1, (TPoint{10, 101}));
    EXPECT_EQ(h.P2, (TPoint{214, 101}));
    EXPECT_EQ(v.P1, (TPoint{101, 10}));
    EXPECT_EQ(v.P2, (TPoint{101, 218}));
}

TEST(Line, CloneCopiesTheClassAndPoints)
{
    const THLine line({10, 20}, {40, 20}, 1.0, 1.0);
    const auto copy = line.clone();
    const auto* h = dynamic_cast<const THLine*>(copy.get());
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->GetBounds(), (TRect{10, 20, 40, 20}));
}

} // namespace
} // namespace sw::test
