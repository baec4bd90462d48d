#include "shapes/rectangle.h"
#include "test_base_support.h"

#include <gtest/gtest.h>
#include <limits>

namespace sw::test {
namespace {

TRectangle box(TPoint a, TPoint b, double scale = 1.0)
{
    return TRectangle(a, b, scale, scale);
}

void expectGeometry(const TRectangle& r, TRect bounds)
{
    EXPECT_EQ(r.Bounds, bounds);
    EXPECT_EQ(r.TopLeft, (TPoint{bounds.Left, bounds.Top}));
    EXPECT_EQ(r.BottomRight, (TPoint{bounds.Right, bounds.Bottom}));
    EXPECT_EQ(r.Left, bounds.Left);
    EXPECT_EQ(r.Top, bounds.Top);
    EXPECT_EQ(r.Width, bounds.Right - bounds.Left);
    EXPECT_EQ(r.Height, bounds.Bottom - bounds.Top);
}

TEST(Rectangle, ConstructorSetsKindDefaultsAndLayoutCorners)
{
    const TRectangle r = box({20, 30}, {101, 61}, 2.0);
    EXPECT_EQ(r.Kind, GRectangle);
    EXPECT_EQ(r.KindName, QStringLiteral("方框"));
    EXPECT_TRUE(r.Visible);
    EXPECT_FALSE(r.Selected);
    EXPECT_EQ(r.Pen, (TPen{clBlack, 1, psSolid, pmCopy}));
    EXPECT_EQ(r.Brush, (TBrush{clWhite, bsSolid}));
    EXPECT_EQ(r.Group, 0);
    // 101 / 2 and 61 / 2 round half to even.
    expectGeometry(r, {10, 15, 50, 30});
}

struct CornerCase
{
    TPoint a;
    TPoint b;
    TRect expected;
};

class SetCornersNormalises : public ::testing::TestWithParam<CornerCase>
{
};

TEST_P(SetCornersNormalises, Case)
{
    TRectangle r = box({1, 2}, {3, 4});
    r.SetCorners(GetParam().a, GetParam().b);
    expectGeometry(r, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rectangle, SetCornersNormalises,
    ::testing::Values(CornerCase{{10, 10}, {50, 40}, {10, 10, 50, 40}},
                      CornerCase{{50, 40}, {10, 10}, {10, 10, 50, 40}},
                      CornerCase{{50, 10}, {10, 40}, {10, 10, 50, 40}},
                      CornerCase{{10, 40}, {50, 10}, {10, 10, 50, 40}},
                      CornerCase{{7, 7}, {7, 9}, {7, 7, 7, 9}},
                      // A negative coordinate is refused: the box keeps (1,2)-(3,4).
                      CornerCase{{-1, 0}, {5, 5}, {1, 2, 3, 4}},
                      CornerCase{{0, 0}, {5, -5}, {1, 2, 3, 4}}));

TEST(Rectangle, SettersKeepTheOppositeEdge)
{
    TRectangle r = box({10, 10}, {50, 40});
    r.SetLeft(20);
    expectGeometry(r, {20, 10, 50, 40});
    r.SetTop(60); // past the bottom edge: the corners swap
    expectGeometry(r, {20, 40, 50, 60});
    r.SetLeft(-1);
    expectGeometry(r, {20, 40, 50, 60});
    r.SetWidth(5);
    expectGeometry(r, {20, 40, 25, 60});
    r.SetHeight(7);
    expectGeometry(r, {20, 40, 25, 47});
}

TEST(Rectangle, SetWidthAndHeightIgnoreZeroAndNegative)
{
    TRectangle r = box({10, 10}, {50, 40});
    r.SetWidth(0);
    r.SetHeight(0);
    r.SetWidth(-3);
    r.SetHeight(-3);
    expectGeometry(r, {10, 10, 50, 40});
}

TEST(Rectangle, HandlesAreSixPixelSquaresInDevicePixels)
{
    const TRectangle r = box({20, 20}, {101, 61}, 2.0); // layout (10,10)-(50,30)
    EXPECT_EQ(r.HandleFrame, (TRect{20, 20, 100, 60}));
    const TRect expected[8] = {{17, 17, 23, 23}, {57, 17, 63, 23},  {97, 17, 103, 23},
                               {17, 37, 23, 43}, {97, 37, 103, 43}, {17, 57, 23, 63},
                               {57, 57, 63, 63}, {97, 57, 103, 63}};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(r.Handles[i], expected[i]) << "handle " << i;
        EXPECT_EQ(r.Handles[i].width(), 6);
        EXPECT_EQ(r.Handles[i].height(), 6);
    }
}

TEST(Rectangle, HandleMiddleTruncatesTowardZero)
{
    TRectangle r = box({0, 0}, {1, 1});
    r.PlaceHandles({10, 10, 15, 15});
    EXPECT_EQ(r.Handles[1], (TRect{9, 7, 15, 13}));
    EXPECT_EQ(r.Handles[3], (TRect{7, 9, 13, 15}));
}

struct HandleCase
{
    TPoint p;
    int index;
    bool onHandle;
    TCursor cursor;
};

class HandleLookup : public ::testing::TestWithParam<HandleCase>
{
};

TEST_P(HandleLookup, Case)
{
    TRectangle r = box({10, 10}, {50, 40});
    const HandleCase& c = GetParam();
    EXPECT_EQ(r.HandleAt(c.p), c.index);
    EXPECT_EQ(r.OnHandle(c.p), c.onHandle);
    EXPECT_EQ(r.HandleCursor(c.p, TCursor::Cross), c.cursor);
}

INSTANTIATE_TEST_SUITE_P(
    Rectangle, HandleLookup,
    ::testing::Values(HandleCase{{7, 7}, 0, true, TCursor::SizeNWSE},
                      HandleCase{{13, 13}, 0, false, TCursor::Cross}, // right/bottom outside
                      HandleCase{{30, 12}, 1, true, TCursor::SizeNS},
                      HandleCase{{52, 8}, 2, true, TCursor::SizeNESW},
                      HandleCase{{10, 25}, 3, true, TCursor::SizeWE},
                      HandleCase{{50, 25}, 4, true, TCursor::SizeWE},
                      HandleCase{{10, 40}, 5, true, TCursor::SizeNESW},
                      HandleCase{{30, 42}, 6, true, TCursor::SizeNS},
                      HandleCase{{52, 42}, 7, true, TCursor::SizeNWSE},
                      HandleCase{{30, 25}, 0, false, TCursor::Cross}));

TEST(Rectangle, OppositeHandle)
{
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(TMultiResizeControlGraphics::OppositeHandle(i), 7 - i);
}

struct ResizeCase
{
    int handle;
    TPoint p;
    TRect expected;
};

class ResizeByHandle : public ::testing::TestWithParam<ResizeCase>
{
};

TEST_P(ResizeByHandle, Case)
{
    TRectangle r = box({10, 10}, {50, 40});
    r.ResizeByHandle(GetParam().handle, GetParam().p);
    expectGeometry(r, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rectangle, ResizeByHandle,
                         ::testing::Values(ResizeCase{0, {5, 6}, {5, 6, 50, 40}},
                                           ResizeCase{1, {99, 6}, {10, 6, 50, 40}},
                                           ResizeCase{2, {60, 6}, {10, 6, 60, 40}},
                                           ResizeCase{3, {5, 99}, {5, 10, 50, 40}},
                                           ResizeCase{4, {60, 99}, {10, 10, 60, 40}},
                                           ResizeCase{5, {5, 45}, {5, 10, 50, 45}},
                                           ResizeCase{6, {99, 45}, {10, 10, 50, 45}},
                                           ResizeCase{7, {60, 45}, {10, 10, 60, 45}},
                                           // past the opposite edges: normalised
                                           ResizeCase{2, {0, 50}, {0, 40, 10, 50}},
                                           ResizeCase{5, {60, 0}, {50, 0, 60, 10}}));

struct HitCase
{
    TPoint p;
    bool hit;
};

class RectangleHit : public ::testing::TestWithParam<HitCase>
{
};

TEST_P(RectangleHit, Case)
{
    TRectangle r = box({10, 10}, {50, 40});
    EXPECT_EQ(r.HitTest(GetParam().p), GetParam().hit);
    r.Locked = true;
    EXPECT_FALSE(r.HitTest(GetParam().p));
}

INSTANTIATE_TEST_SUITE_P(Rectangle, RectangleHit,
                         ::testing::Values(HitCase{{10, 10}, true}, HitCase{{49, 39}, true},
                                           HitCase{{50, 20}, false}, HitCase{{20, 40}, false},
                                           HitCase{{9, 20}, false}, HitCase{{20, 9}, false}));

TEST(Rectangle, DrawPaintsScaledPenBrushAndBounds)
{
    TRectangle r = box({10, 10}, {50, 40});
    r.Pen = {clRed, 3, psSolid, pmCopy};
    r.Brush = {clGreen, bsSolid};
    r.ScaleX = r.ScaleY = 1.5;
    RecordingCanvas canvas(96);
    r.Draw(canvas);
    EXPECT_EQ(test::drawnLines(canvas),
              (QStringList{"Pen 0000FF 4 psSolid pmCopy", "Brush 008000 bsSolid",
                           "Rectangle 15 15 75 60"}));
    EXPECT_EQ(r.HandleFrame, (TRect{15, 15, 75, 60}));
}

TEST(Rectangle, SelectedDrawInvertsEightBlackHandles)
{
    TRectangle r = box({10, 10}, {50, 40});
    r.Select();
    r.MoveOutlineShown = r.ResizeOutlineShown = true;
    RecordingCanvas canvas(96);
    r.Draw(canvas);
    const QStringList lines = test::drawnLines(canvas);
    ASSERT_EQ(lines.size(), 3 + 2 + 8);
    EXPECT_EQ(lines[3], "Pen 000000 1 psSolid pmNotXor");
    EXPECT_EQ(lines[4], "Brush 000000 bsSolid");
    EXPECT_EQ(lines[5], "Rectangle 7 7 13 13");
    EXPECT_EQ(lines[12], "Rectangle 47 37 53 43");
    EXPECT_FALSE(r.MoveOutlineShown);
    EXPECT_FALSE(r.ResizeOutlineShown);
    r.Deselect();
    EXPECT_FALSE(r.Selected);
}

TEST(Rectangle, DragMoveErasesThePreviousOutlineAndRefusesNegativeMoves)
{
    TRectangle r = box({10, 10}, {50, 40}, 2.0); // layout (5,5)-(25,20)
    RecordingCanvas canvas(96);
    r.DragMove(canvas, 7, 0); // 3.5 rounds to 4
    expectGeometry(r, {9, 5, 29, 20});
    EXPECT_TRUE(r.MoveOutlineShown);
    r.DragMove(canvas, -20, 0); // to x = -1: refused
    expectGeometry(r, {9, 5, 29, 20});
    EXPECT_EQ(
        test::drawnLines(canvas),
        (QStringList{"Pen 000000 1 psDot pmNotXor", "Brush FFFFFF bsClear", "Rectangle 18 10 58 40",
                     "Rectangle 18 10 58 40", "Rectangle 18 10 58 40"}));
    r.Draw(canvas);
    EXPECT_FALSE(r.MoveOutlineShown);
}

TEST(Rectangle, ResizeDragSwapsToTheOppositeHandleOnlyAfterItsFirstOutline)
{
    TRectangle r = box({10, 10}, {50, 40});
    RecordingCanvas canvas(96);
    r.DragResize(canvas, {10, 10}); // picks handle 0
    EXPECT_EQ(r.ActiveHandle, 0);
    r.DragResize(canvas, {60, 50}); // past right and bottom
    expectGeometry(r, {50, 40, 60, 50});
    EXPECT_EQ(r.ActiveHandle, 7);
    r.DragResize(canvas, {70, 55});
    expectGeometry(r, {50, 40, 70, 55});
    EXPECT_EQ(r.ActiveHandle, 7);
}

TEST(Rectangle, FirstResizeMoveMaySwapCornersButKeepsTheHandle)
{
    TRectangle r = box({10, 10}, {50, 40});
    RecordingCanvas canvas(96);
    r.DragResize(canvas, {60, 50}); // on no handle: handle 0
    expectGeometry(r, {50, 40, 60, 50});
    EXPECT_EQ(r.ActiveHandle, 0);
}

struct FlipCase
{
    TPoint grab;
    TPoint pastEdge;
    int handleAfter;
    TPoint next;
    TRect expected;
};

class ResizeDragFlip : public ::testing::TestWithParam<FlipCase>
{
};

// Dragging a handle over one edge only continues with the handle mirrored
// across that edge, so the box follows the pointer.
TEST_P(ResizeDragFlip, Case)
{
    const FlipCase& c = GetParam();
    TRectangle r = box({10, 10}, {50, 40});
    RecordingCanvas canvas(96);
    r.DragResize(canvas, c.grab);
    r.DragResize(canvas, c.pastEdge);
    EXPECT_EQ(r.ActiveHandle, c.handleAfter);
    r.DragResize(canvas, c.next);
    expectGeometry(r, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rectangle, ResizeDragFlip,
    ::testing::Values(FlipCase{{10, 10}, {60, 10}, 2, {62, 12}, {50, 12, 62, 40}},
                      FlipCase{{10, 10}, {10, 50}, 5, {12, 52}, {12, 40, 50, 52}},
                      FlipCase{{50, 10}, {5, 45}, 5, {4, 46}, {4, 40, 10, 46}},
                      FlipCase{{50, 25}, {5, 25}, 3, {4, 25}, {4, 10, 10, 40}},
                      FlipCase{{30, 40}, {30, 5}, 1, {30, 4}, {10, 4, 50, 10}}));

TEST(Rectangle, BoundsRoundTripAndCloneIsIndependent)
{
    TRectangle r = box({10, 10}, {50, 40});
    r.SetBounds({1, 2, 3, 4});
    EXPECT_EQ(r.GetBounds(), (TRect{1, 2, 3, 4}));
    r.Tag = QStringLiteral("x");
    auto copy = r.clone();
    r.SetBounds({5, 6, 7, 8});
    r.Tag.clear();
    auto* c = dynamic_cast<TRectangle*>(copy.get());
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->GetBounds(), (TRect{1, 2, 3, 4}));
    EXPECT_EQ(c->Tag, QStringLiteral("x"));
}

TEST(Rectangle, HugeGeometryDrawsWithoutOverflow)
{
    constexpr int big = std::numeric_limits<int>::max();
    TRectangle r = box({0, 0}, {1, 1});
    r.SetCorners({big - 1, big - 1}, {big, big});
    r.ScaleX = r.ScaleY = 3.0;
    r.Pen.Width = big;
    r.Select();
    RecordingCanvas canvas(96);
    r.Draw(canvas);
    EXPECT_EQ(r.Handles[7], (TRect{big - 3, big - 3, big, big}));
    r.DragMove(canvas, 30, 30); // would leave the int range: refused
    EXPECT_EQ(r.TopLeft, (TPoint{big - 1, big - 1}));
    r.SetWidth(5);
    EXPECT_EQ(r.Width, 1);
}

} // namespace
} // namespace sw::test
