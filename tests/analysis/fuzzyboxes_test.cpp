#include "document/analysis/fuzzyboxes.h"
#include "document/analysis/pointlist.h"
#include "document/analysis/rotation.h"
#include "document/vectorgraph.h"
#include "platform/recordingcanvas.h"
#include "scans.h"
#include "shapes/mhsb.h"

#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

class FuzzyBoxesTest : public ::testing::Test
{
protected:
    TMHSB* addBox(int number, QRect r)
    {
        auto box = std::make_unique<TMHSB>(TPoint{r.left(), r.top()},
                                           TPoint{r.right() + 1, r.bottom() + 1}, 1.0, 1.0);
        box->Number = number;
        TMHSB* raw = box.get();
        page.AddShape(std::move(box));
        return raw;
    }
    // A box reaching `half` pixels to each side of c.
    TMHSB* addBoxAround(int number, QPoint c, int half)
    {
        return addBox(number, QRect(c.x() - half, c.y() - half, 2 * half, 2 * half));
    }

    TVectorGraph page;
};

TRect boundsOf(const TMHSB* box)
{
    return box->GetBounds();
}

TEST_F(FuzzyBoxesTest, LearnShrinksBoxesOntoTheirPatternsAndMeasuresTheSkew)
{
    QImage scan = whiteScan(1000, 300);
    drawSquare(scan, {100, 100}, 10);
    drawSquare(scan, {900, 110}, 10);
    TMHSB* one = addBoxAround(1, {100, 100}, 30);
    TMHSB* two = addBoxAround(2, {905, 100}, 40);

    ASSERT_TRUE(LearnFuzzyBoxes(page, scan, 200, 50));
    EXPECT_EQ(boundsOf(one), (TRect{90, 90, 110, 110}));
    EXPECT_EQ(boundsOf(two), (TRect{890, 100, 910, 120}));
    EXPECT_EQ(one->SBSL, 441);
    EXPECT_EQ(one->PointX, 100);
    EXPECT_EQ(one->PointY, 100);
    EXPECT_EQ(two->PointX, 900);
    EXPECT_EQ(two->PointY, 110);
    EXPECT_TRUE(one->PointList.startsWith(QStringLiteral("0,0;1,0;2,0;")));
    EXPECT_TRUE(one->PointList.endsWith(QStringLiteral(";20,20")));
    EXPECT_EQ(parsePointList(one->PointList).size(), 441u);
    EXPECT_DOUBLE_EQ(page.SkewAngle, std::atan(10.0 / 800.0));
    EXPECT_NEAR(page.SkewAngle, 0.0125, 1e-4);
}

TEST_F(FuzzyBoxesTest, LearnMeasuresAVerticalPair)
{
    QImage scan = whiteScan(300, 1000);
    drawSquare(scan, {100, 100}, 10);
    drawSquare(scan, {110, 900}, 10);
    addBoxAround(1, {100, 100}, 30);
    addBoxAround(2, {110, 900}, 30);
    ASSERT_TRUE(LearnFuzzyBoxes(page, scan, 200, 50));
    EXPECT_DOUBLE_EQ(page.SkewAngle, std::atan(-10.0 / 800.0));
}

TEST_F(FuzzyBoxesTest, LearnWithCoincidingCentresGivesNoSkew)
{
    QImage scan = whiteScan(300, 300);
    drawSquare(scan, {100, 100}, 10);
    addBoxAround(1, {100, 100}, 30);
    addBoxAround(2, {100, 100}, 40);
    page.SkewAngle = 0.3;
    ASSERT_TRUE(LearnFuzzyBoxes(page, scan, 200, 50));
    EXPECT_EQ(page.SkewAngle, 0.0);
}

TEST_F(FuzzyBoxesTest, LearnNeedsBoxesOneAndTwoAndAPicture)
{
    QImage scan = whiteScan(300, 300);
    drawSquare(scan, {100, 100}, 10);
    TMHSB* one = addBoxAround(1, {100, 100}, 30);
    TMHSB* three = addBoxAround(3, {100, 100}, 30);
    one->SBSL = 7;
    page.SkewAngle = 0.5;
    EXPECT_FALSE(LearnFuzzyBoxes(page, scan, 200, 50));
    EXPECT_EQ(one->SBSL, 7);
    EXPECT_EQ(boundsOf(one), (TRect{70, 70, 130, 130}));

    three->Number = 2;
    EXPECT_FALSE(LearnFuzzyBoxes(page, QImage(), 200, 50));
    EXPECT_EQ(one->SBSL, 7);
    EXPECT_EQ(page.SkewAngle, 0.5);
    EXPECT_TRUE(LearnFuzzyBoxes(page, scan, 200, 50));
}

TEST_F(FuzzyBoxesTest, LearnStopsAtABoxWithoutPattern)
{
    QImage scan = whiteScan(400, 300);
    drawSquare(scan, {100, 100}, 10);
    drawSquare(scan, {300, 100}, 10);
    TMHSB* one = addBoxAround(1, {100, 100}, 30);
    TMHSB* empty = addBoxAround(3, {200, 250}, 20);
    TMHSB* two = addBoxAround(2, {300, 100}, 30);
    // A box far outside the picture has no dark pixels either.
    TMHSB* outside = addBox(4, QRect(5000, 5000, 100, 100));
    empty->SBSL = 9;
    page.SkewAngle = 0.25;

    EXPECT_FALSE(LearnFuzzyBoxes(page, scan, 200, 50));
    EXPECT_EQ(one->SBSL, 441); // handled before the failure: kept
    EXPECT_EQ(empty->SBSL, 0);
    EXPECT_EQ(boundsOf(empty), (TRect{180, 230, 220, 270}));
    EXPECT_EQ(two->SBSL, 0);
    EXPECT_EQ(page.SkewAngle, 0.25);

    empty->Number = 5;
    page.RemoveShape(empty);
    EXPECT_FALSE(LearnFuzzyBoxes(page, scan, 200, 50));
    EXPECT_EQ(two->SBSL, 441);
    EXPECT_EQ(outside->SBSL, 0);
}

TEST_F(FuzzyBoxesTest, LocateFollowsAShiftedScan)
{
    const QPointF l(200, 200);
    const QPointF plus(1000, 215);
    QImage scan = whiteScan(1300, 500);
    drawFeatureL(scan, l);
    drawFeaturePlus(scan, plus);
    TMHSB* one = addBoxAround(1, l.toPoint(), 45);
    TMHSB* two = addBoxAround(2, plus.toPoint(), 45);
    ASSERT_TRUE(LearnFuzzyBoxes(page, scan, 200, 50));
    const TRect learnt1 = boundsOf(one);
    const TRect learnt2 = boundsOf(two);
    const double learntSkew = page.SkewAngle;
    const TPoint learntCentre{one->PointX, one->PointY};

    // The same sheet scanned 37 pixels further right and 23 higher, among clutter.
    const QTransform shift = QTransform::fromTranslate(37, -23);
    QImage moved = whiteScan(1300, 500);
    drawFeatureL(moved, l, shift);
    drawFeaturePlus(moved, plus, shift);
    drawClutter(moved, l + QPointF(-100, 60));
    drawClutter(moved, l + QPointF(110, -40));
    drawClutter(moved, plus + QPointF(-120, 70));
    drawClutter(moved, plus + QPointF(60, 60));
    ASSERT_TRUE(LocateFuzzyBoxes(page, moved, 200, 5, 50));

    const auto shifted = [](TRect r) {
        return TRect{r.Left + 37, r.Top - 23, r.Right + 37, r.Bottom - 23};
    };
    EXPECT_EQ(boundsOf(one), shifted(learnt1));
    EXPECT_EQ(boundsOf(two), shifted(learnt2));
    EXPECT_EQ(one->PointX, learntCentre.X + 37);
    EXPECT_EQ(one->PointY, learntCentre.Y - 23);
    EXPECT_EQ(page.SkewAngle, learntSkew);
}

TEST_F(FuzzyBoxesTest, CorrectionOfARotatedScan)
{
    // The sheet was scanned turned by 1.2 degrees about its corner.
    const double angle = 1.2 * M_PI / 180;
    QTransform scanner;
    scanner.rotateRadians(angle);
    const QPointF l(150, 150);
    const QPointF plus(1050, 150);
    QImage scan = whiteScan(1250, 400);
    drawFeatureL(scan, l, scanner);
    drawFeaturePlus(scan, plus, scanner);
    drawClutter(scan, QPointF(600, 200), scanner);
    TMHSB* one = addBoxAround(1, l.toPoint(), 50);
    addBoxAround(2, QPoint(1050, 170), 50);

    ASSERT_TRUE(LearnFuzzyBoxes(page, scan, 200, 50));
    const double learnt = page.SkewAngle;
    EXPECT_NEAR(learnt, angle, 0.0025);

    const QImage straight = RotatePicture(scan, scan.size(), page.SkewAngle);
    ASSERT_TRUE(LocateFuzzyBoxes(page, straight, 200, 5, 50));
    EXPECT_NEAR(page.SkewAngle, 0.0, 0.0025);
    // Box 1 sits on the L where the correction put it.
    const QPointF expected = correctionTransform(scan.size(), learnt).map(scanner.map(l));
    EXPECT_NEAR(one->PointX, expected.x(), 3);
    EXPECT_NEAR(one->PointY, expected.y(), 3);
}

TEST_F(FuzzyBoxesTest, LocateAlignsAPairFoundOnePixelApart)
{
    QImage scan = whiteScan(1200, 400);
    drawSquare(scan, {200, 200}, 10);
    drawSquare(scan, {1000, 201}, 10);
    TMHSB* one = addBoxAround(1, {200, 200}, 30);
    TMHSB* two = addBoxAround(2, {1000, 200}, 30);
    ASSERT_TRUE(LearnFuzzyBoxes(page, scan, 200, 50));
    EXPECT_EQ(two->Top, 191);

    ASSERT_TRUE(LocateFuzzyBoxes(page, scan, 200, 5, 50));
    EXPECT_EQ(page.SkewAngle, 0.0);
    EXPECT_EQ(two->Top, one->Top);
    EXPECT_EQ(boundsOf(one), (TRect{190, 190, 210, 210}));
}

TEST_F(FuzzyBoxesTest, LocateWithCoincidingCentres)
{
    QImage scan = whiteScan(400, 400);
    drawSquare(scan, {200, 200}, 10);
    addBoxAround(1, {200, 200}, 30);
    addBoxAround(2, {200, 200}, 30);
    ASSERT_TRUE(LearnFuzzyBoxes(page, scan, 200, 50));
    page.SkewAngle = 1;
    ASSERT_TRUE(LocateFuzzyBoxes(page, scan, 200, 5, 50));
    EXPECT_EQ(page.SkewAngle, 0.0);
}

TEST_F(FuzzyBoxesTest, LocateReadsWhatItCanOfAMalformedPattern)
{
    QImage scan = whiteScan(1200, 400);
    drawFeatureL(scan, {200, 200});
    drawFeaturePlus(scan, {1000, 200});
    TMHSB* one = addBoxAround(1, {200, 200}, 45);
    TMHSB* two = addBoxAround(2, {1000, 200}, 45);
    ASSERT_TRUE(LearnFuzzyBoxes(page, scan, 200, 50));
    const TRect learnt = boundsOf(one);

    one->PointList = QStringLiteral("junk;;12;x,3;4,5,6;99999999999,1;-7,-8;2147483648,0;") +
                     one->PointList + QStringLiteral(";,;1e3,2");
    ASSERT_TRUE(LocateFuzzyBoxes(page, scan, 200, 5, 50));
    EXPECT_EQ(boundsOf(one), learnt);

    // Nothing readable: no pattern to look for.
    two->PointList = QStringLiteral("a,b;;c");
    EXPECT_FALSE(LocateFuzzyBoxes(page, scan, 200, 5, 50));
    two->PointList.clear();
    EXPECT_FALSE(LocateFuzzyBoxes(page, scan, 200, 5, 50));
}

TEST_F(FuzzyBoxesTest, LocateFailsWithoutAFittingPlace)
{
    QImage scan = whiteScan(1200, 400);
    drawSquare(scan, {200, 200}, 10);
    drawSquare(scan, {1000, 200}, 10);
    TMHSB* one = addBoxAround(1, {200, 200}, 30);
    addBoxAround(2, {1000, 200}, 30);
    ASSERT_TRUE(LearnFuzzyBoxes(page, scan, 200, 50));

    // Box 1's square is now twice as large: nothing of its size is left.
    QImage changed = whiteScan(1200, 400);
    drawSquare(changed, {205, 200}, 20);
    drawSquare(changed, {1000, 200}, 10);
    EXPECT_FALSE(LocateFuzzyBoxes(page, changed, 200, 5, 50));
    EXPECT_EQ(boundsOf(one), (TRect{190, 190, 210, 210}));

    EXPECT_FALSE(LocateFuzzyBoxes(page, QImage(), 200, 5, 50));
}

TEST_F(FuzzyBoxesTest, BoxesOutsideThePictureOrOfNoSize)
{
    QImage scan = whiteScan(400, 300);
    drawSquare(scan, {100, 100}, 10);
    drawSquare(scan, {300, 100}, 10);
    addBoxAround(1, {100, 100}, 30);
    TMHSB* two = addBoxAround(2, {300, 100}, 30);
    ASSERT_TRUE(LearnFuzzyBoxes(page, scan, 200, 50));

    two->SetBounds({100000, 100000, 100020, 100020});
    EXPECT_FALSE(LocateFuzzyBoxes(page, scan, 200, 5, 50));
    EXPECT_FALSE(LocateFuzzyBoxes(page, scan, 200, -3, 50));
    // A search rectangle over the whole picture takes the first of the two
    // equally good squares.
    ASSERT_TRUE(LocateFuzzyBoxes(page, scan, 200, 1e300, 50));
    EXPECT_EQ(boundsOf(two), (TRect{90, 90, 110, 110}));

    two->SetBounds({0, 0, 2000000000, 2000000000});
    EXPECT_FALSE(LocateFuzzyBoxes(page, scan, 200, 5, 50));
    EXPECT_FALSE(LearnFuzzyBoxes(page, whiteScan(400, 300), 200, 50));

    // A pattern one pixel wide gives a box of no width, which nothing fits.
    two->SetBounds({300, 90, 300, 110});
    two->SBSL = 21;
    EXPECT_FALSE(LocateFuzzyBoxes(page, scan, 200, 5, 50));
    RecordingCanvas canvas(96);
    EXPECT_FALSE(TestFuzzyBoxes(page, canvas, scan, 80, 200, 5));
}

// The Rectangle calls with the brush colour they were painted with.
std::vector<std::pair<TColor, TRect>> paintedRectangles(const RecordingCanvas& canvas)
{
    std::vector<std::pair<TColor, TRect>> out;
    TColor brush = clWhite;
    for (const CanvasCall& call : canvas.calls()) {
        if (call.name == QLatin1String("Brush"))
            brush = TColor(call.args[0]);
        else if (call.name == QLatin1String("Rectangle"))
            out.push_back({brush, {call.args[0], call.args[1], call.args[2], call.args[3]}});
    }
    return out;
}

TEST_F(FuzzyBoxesTest, TestPaintsWhereBoxesOneAndTwoAreFound)
{
    QImage scan = whiteScan(1200, 400);
    drawSquare(scan, {200, 200}, 12);
    drawSquare(scan, {1000, 230}, 12);
    drawSquare(scan, {1060, 230}, 4); // too small to be taken
    addBoxAround(1, {200, 200}, 30);
    addBoxAround(2, {1020, 220}, 60);
    RecordingCanvas canvas(96);
    ASSERT_TRUE(TestFuzzyBoxes(page, canvas, scan, 80, 200, 0.0));
    const auto painted = paintedRectangles(canvas);
    ASSERT_EQ(painted.size(), 2u);
    EXPECT_EQ(painted[0].first, clRed);
    EXPECT_EQ(painted[0].second, (TRect{188, 188, 212, 212}));
    EXPECT_EQ(painted[1].first, clGreen);
    EXPECT_EQ(painted[1].second, (TRect{988, 218, 1012, 242}));
    EXPECT_DOUBLE_EQ(page.SkewAngle, std::atan(30.0 / (1012 - 188)));
}

TEST_F(FuzzyBoxesTest, TestWithoutMatchPaintsOnlyBoxOne)
{
    QImage scan = whiteScan(1200, 400);
    drawSquare(scan, {200, 200}, 12);
    drawSquare(scan, {1000, 230}, 30);
    addBoxAround(1, {200, 200}, 30);
    addBoxAround(2, {1000, 230}, 60);
    page.SkewAngle = 0.5;
    RecordingCanvas canvas(96);
    EXPECT_FALSE(TestFuzzyBoxes(page, canvas, scan, 80, 200, 0.0));
    const auto painted = paintedRectangles(canvas);
    ASSERT_EQ(painted.size(), 1u);
    EXPECT_EQ(painted[0].first, clRed);
    EXPECT_EQ(page.SkewAngle, 0.5);

    // Nothing dark in box 1: nothing painted at all.
    RecordingCanvas blank(96);
    EXPECT_FALSE(TestFuzzyBoxes(page, blank, whiteScan(1200, 400), 80, 200, 0.0));
    EXPECT_TRUE(paintedRectangles(blank).empty());
}

} // namespace
} // namespace sw::test
