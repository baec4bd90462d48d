#include "shapes/ellipse.h"
#include "shapes/mhsb.h"
#include "shapes/posrect.h"
#include "shapes/rectbarcode.h"
#include "shapes/rimage.h"
#include "shapes/roundrect.h"
#include "shapes/triangle.h"
#include "test_base_support.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>
#include <typeinfo>

namespace sw::test {
namespace {

TEST(OtherShapes, KindsAndDisplayNames)
{
    const TPoint a{10, 10};
    const TPoint b{30, 40};
    const std::unique_ptr<TRectangle> shapes[] = {std::make_unique<TRoundRect>(a, b, 1.0, 1.0, 25),
                                                  std::make_unique<TEllipse>(a, b, 1.0, 1.0),
                                                  std::make_unique<TTriangle>(a, b, 1.0, 1.0),
                                                  std::make_unique<TPosRect>(a, b, 1.0, 1.0),
                                                  std::make_unique<TRectbarcode>(a, b, 1.0, 1.0),
                                                  std::make_unique<TRImage>(a, b, 1.0, 1.0),
                                                  std::make_unique<TMHSB>(a, b, 1.0, 1.0)};
    const TGraphicsType kinds[] = {GRoundRect, GEllipse, GTriangle, GDw, Gbarcode, GRImage, GMHSB};
    const char* const names[] = {"圆角方框", "椭圆", "三角形",    "方框",
                                 "条码框",   "图片", "模糊识别框"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(shapes[i]->Kind, kinds[i]);
        EXPECT_EQ(shapes[i]->KindName, QString::fromUtf8(names[i]));
        EXPECT_EQ(shapes[i]->Bounds, (TRect{10, 10, 30, 40}));
        const auto copy = shapes[i]->clone();
        EXPECT_EQ(copy->Kind, kinds[i]);
        EXPECT_EQ(typeid(*copy), typeid(*shapes[i]));
    }
}

TEST(OtherShapes, CloneCopiesTheOwnFields)
{
    TMHSB box({0, 0}, {9, 9}, 1.0, 1.0);
    box.Number = 2;
    box.SBSL = 17;
    box.PointList = QStringLiteral("1,2;3,4");
    box.PointX = 5;
    box.PointY = 6;
    const auto copy = box.clone();
    const auto& c = dynamic_cast<const TMHSB&>(*copy);
    EXPECT_EQ(c.Number, 2);
    EXPECT_EQ(c.SBSL, 17);
    EXPECT_EQ(c.PointList, QStringLiteral("1,2;3,4"));
    EXPECT_EQ(c.PointX, 5);
    EXPECT_EQ(c.PointY, 6);

    TRoundRect round({0, 0}, {9, 9}, 2.0, 2.0, 25);
    EXPECT_EQ(round.Radius, 25); // already layout pixels: not scaled
    EXPECT_EQ(dynamic_cast<const TRoundRect&>(*round.clone()).Radius, 25);
}

struct TriangleCase
{
    TAspect aspect;
    std::array<TPoint, 3> vertices;
};

class TriangleVertices : public ::testing::TestWithParam<TriangleCase>
{
};

TEST_P(TriangleVertices, Case)
{
    TTriangle t({10, 10}, {30, 50}, 1.0, 1.0);
    t.Aspect = GetParam().aspect;
    EXPECT_EQ(t.Vertices(), GetParam().vertices);
}

INSTANTIATE_TEST_SUITE_P(Triangle, TriangleVertices,
                         ::testing::Values(TriangleCase{ADown, {{{10, 10}, {30, 10}, {20, 50}}}},
                                           TriangleCase{ARight, {{{10, 10}, {30, 30}, {10, 50}}}},
                                           TriangleCase{AUp, {{{10, 50}, {20, 10}, {30, 50}}}},
                                           TriangleCase{ALeft, {{{30, 10}, {10, 30}, {30, 50}}}}));

TEST(Triangle, OddSizesHalveByTruncationAndDrawAClosedPolygon)
{
    TTriangle t({10, 10}, {31, 51}, 1.0, 1.0);
    t.Aspect = AUp;
    EXPECT_EQ(t.Vertices()[1], (TPoint{20, 10}));
    t.ScaleX = t.ScaleY = 2.0;
    t.Select();
    RecordingCanvas canvas(96);
    t.Draw(canvas);
    const QStringList lines = test::drawnLines(canvas);
    ASSERT_EQ(lines.size(), 3 + 2 + 8);
    EXPECT_EQ(lines[2], "Polygon 20 102 40 20 62 102 20 102");
    EXPECT_EQ(lines[5], "Rectangle 17 17 23 23"); // handles as for any box
    EXPECT_TRUE(t.HitTest({11, 11}));             // the whole box hits
}

TEST(RoundRect, DrawsScaledCornersAndItsOwnOutline)
{
    TRoundRect r({10, 10}, {110, 80}, 1.0, 1.0, 25);
    r.ScaleX = r.ScaleY = 2.0;
    RecordingCanvas canvas(96);
    r.Draw(canvas);
    EXPECT_EQ(test::drawnLines(canvas),
              (QStringList{"Pen 000000 2 psSolid pmCopy", "Brush FFFFFF bsSolid",
                           "RoundRect 20 20 220 160 50 50"}));
    canvas.clear();
    r.DragMove(canvas, 4, 0);
    EXPECT_EQ(test::drawnLines(canvas),
              (QStringList{"Pen 000000 1 psDot pmNotXor", "Brush FFFFFF bsClear",
                           "RoundRect 24 20 224 160 50 50"}));
}

struct RegionHitCase
{
    TPoint p;
    bool hit;
};

class RoundRectHit : public ::testing::TestWithParam<RegionHitCase>
{
};

TEST_P(RoundRectHit, Case)
{
    TRoundRect r({10, 10}, {110, 80}, 1.0, 1.0, 25);
    r.Locked = true; // not consulted
    EXPECT_EQ(r.HitTest(GetParam().p), GetParam().hit);
}

INSTANTIATE_TEST_SUITE_P(
    RoundRect, RoundRectHit,
    ::testing::Values(RegionHitCase{{10, 10}, false}, RegionHitCase{{13, 13}, false},
                      RegionHitCase{{14, 14}, true}, RegionHitCase{{10, 45}, true},
                      RegionHitCase{{60, 10}, true}, RegionHitCase{{109, 45}, true},
                      RegionHitCase{{110, 45}, false}, RegionHitCase{{60, 80}, false},
                      RegionHitCase{{109, 79}, false}, RegionHitCase{{105, 75}, true},
                      RegionHitCase{{60, 45}, true}));

TEST(RoundRect, CornerSizesOutsideTheBoxAreClipped)
{
    TRoundRect r({10, 10}, {20, 20}, 1.0, 1.0, 1000); // an ellipse then
    EXPECT_FALSE(r.HitTest({10, 10}));
    EXPECT_TRUE(r.HitTest({15, 15}));
    r.Radius = -1000;
    EXPECT_FALSE(r.HitTest({10, 10}));
    r.Radius = 0; // square corners
    EXPECT_TRUE(r.HitTest({10, 10}));
    EXPECT_FALSE(r.HitTest({20, 15}));
    r.SetCorners({10, 10}, {10, 20}); // empty region
    EXPECT_FALSE(r.HitTest({10, 15}));
}

class EllipseHit : public ::testing::TestWithParam<RegionHitCase>
{
};

TEST_P(EllipseHit, Case)
{
    TEllipse e({10, 10}, {110, 60}, 1.0, 1.0);
    e.Locked = true; // not consulted
    EXPECT_EQ(e.HitTest(GetParam().p), GetParam().hit);
}

INSTANTIATE_TEST_SUITE_P(
    Ellipse, EllipseHit,
    ::testing::Values(RegionHitCase{{60, 35}, true}, RegionHitCase{{10, 35}, true},
                      RegionHitCase{{9, 35}, false}, RegionHitCase{{109, 35}, true},
                      RegionHitCase{{110, 35}, false}, RegionHitCase{{60, 10}, true},
                      RegionHitCase{{60, 9}, false}, RegionHitCase{{60, 59}, true},
                      RegionHitCase{{60, 60}, false}, RegionHitCase{{10, 10}, false},
                      RegionHitCase{{20, 15}, false}, RegionHitCase{{25, 20}, true}));

TEST(Ellipse, DrawsWithTwiceThePenWidthAndItsOwnOutline)
{
    TEllipse e({10, 10}, {110, 60}, 1.0, 1.0);
    RecordingCanvas canvas(96);
    e.Draw(canvas);
    EXPECT_EQ(test::drawnLines(canvas),
              (QStringList{"Pen 000000 2 psSolid pmCopy", "Brush FFFFFF bsSolid",
                           "Ellipse 10 10 110 60"}));
    canvas.clear();
    e.ScaleX = e.ScaleY = 2.0;
    e.Pen.Width = 3;
    e.Draw(canvas);
    EXPECT_EQ(canvas.calls().front().args.at(1), 12);
    canvas.clear();
    e.DragResize(canvas, {220, 120}); // handle 7 at zoom 2
    EXPECT_EQ(e.ActiveHandle, 7);
    EXPECT_EQ(test::drawnLines(canvas),
              (QStringList{"Pen 000000 1 psDot pmNotXor", "Brush FFFFFF bsClear",
                           "Ellipse 20 20 220 120"}));
}

struct PosRectCase
{
    TBrushStyle style;
    const char* brushLine;
};

class PosRectDraw : public ::testing::TestWithParam<PosRectCase>
{
};

TEST_P(PosRectDraw, BlackBlockOrFrameWithoutHandles)
{
    TPosRect r({10, 10}, {30, 30}, 1.0, 1.0);
    r.Pen = {clGreen, 4, psDot, pmCopy};
    r.Brush = {clWhite, GetParam().style};
    r.Select();
    r.MoveOutlineShown = true;
    RecordingCanvas canvas(96);
    r.Draw(canvas);
    EXPECT_EQ(test::drawnLines(canvas),
              (QStringList{"Pen 008000 1 psSolid pmCopy", GetParam().brushLine,
                           "Rectangle 10 10 30 30"}));
    EXPECT_TRUE(r.MoveOutlineShown);
    EXPECT_EQ(r.HandleFrame, (TRect{10, 10, 30, 30}));
}

INSTANTIATE_TEST_SUITE_P(PosRect, PosRectDraw,
                         ::testing::Values(PosRectCase{bsSolid, "Brush 000000 bsSolid"},
                                           PosRectCase{bsClear, "Brush 000000 bsClear"}));

TEST(Rectbarcode, DrawsAsAPlainBox)
{
    TRectbarcode r({10, 10}, {30, 30}, 1.0, 1.0);
    r.Pen = {clRed, 1, psDot, pmCopy};
    r.Brush.Style = bsClear;
    RecordingCanvas canvas(96);
    r.Draw(canvas);
    EXPECT_EQ(test::drawnLines(canvas),
              (QStringList{"Pen 0000FF 1 psDot pmCopy", "Brush FFFFFF bsClear",
                           "Rectangle 10 10 30 30"}));
}

struct MhsbCase
{
    double scale;
    int fontHeight;
    int textX;
    int textY;
};

class MhsbDraw : public ::testing::TestWithParam<MhsbCase>
{
};

TEST_P(MhsbDraw, RedFrameAndNumberThirtyPixelsAbove)
{
    const MhsbCase& c = GetParam();
    TMHSB box({40, 20}, {100, 80}, 1.0, 1.0);
    box.Number = 3;
    box.ScaleX = box.ScaleY = c.scale;
    RecordingCanvas canvas(96);
    box.Draw(canvas);
    const auto& calls = canvas.calls();
    const auto frame = std::find_if(calls.begin(), calls.end(), [](const CanvasCall& call) {
        return call.name == "Rectangle";
    });
    ASSERT_NE(frame, calls.end());
    const auto pen = std::find_if(calls.begin(), frame,
                                  [](const CanvasCall& call) { return call.name == "Pen"; });
    ASSERT_NE(pen, frame);
    EXPECT_EQ(pen->line(), "Pen 0000FF 2 psSolid pmCopy");
    const QStringList lines = canvas.lines();
    const qsizetype text =
        lines.indexOf(QStringLiteral("TextOut %1 %2 \"3\"").arg(c.textX).arg(c.textY));
    ASSERT_GE(text, 2) << lines.join('\n').toStdString();
    EXPECT_EQ(lines[text - 2], "Brush FFFFFF bsClear");
    EXPECT_EQ(lines[text - 1], QStringLiteral("Font \"Arial\" %1 0000FF -").arg(c.fontHeight));
}

// 20 points at 96 pixels per inch is 27 pixels high, 40 points 53.
INSTANTIATE_TEST_SUITE_P(MHSB, MhsbDraw,
                         ::testing::Values(MhsbCase{1.0, -27, 40, -10},
                                           MhsbCase{2.0, -53, 80, 10}));

TEST(OtherShapes, HugeGeometryAndPensDrawWithoutOverflow)
{
    constexpr int big = std::numeric_limits<int>::max();
    RecordingCanvas canvas(96);
    TRoundRect round({0, 0}, {1, 1}, 1.0, 1.0, big);
    TEllipse ellipse({0, 0}, {1, 1}, 1.0, 1.0);
    TTriangle triangle({0, 0}, {1, 1}, 1.0, 1.0);
    TMHSB mhsb({0, 0}, {1, 1}, 1.0, 1.0);
    for (TRectangle* r : std::initializer_list<TRectangle*>{&round, &ellipse, &triangle, &mhsb}) {
        r->SetCorners({0, 0}, {big, big});
        r->Pen.Width = big;
        r->ScaleX = r->ScaleY = 4.0;
        r->Select();
        r->Draw(canvas);
        EXPECT_TRUE(r->HitTest({big - 1, big / 2}));
        EXPECT_EQ(r->Handles[7].Right, big);
    }
    EXPECT_TRUE(ellipse.HitTest({big / 2, big / 2}));
    EXPECT_FALSE(ellipse.HitTest({0, 0}));
}

} // namespace
} // namespace sw::test
