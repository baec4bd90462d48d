#include "document/analysis/blobs.h"
#include "document/analysis/darkmask.h"
#include "document/analysis/fuzzymatch.h"
#include "document/analysis/placement.h"
#include "scans.h"

#include <QLineF>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <iterator>

namespace sw::test {
namespace {

TEST(SearchArea, WidenedRaisedAndClipped)
{
    struct Case
    {
        TRect box;
        double margin;
        bool clip;
        QRect expected; // inclusive edges
    };
    const QSize picture(500, 400);
    const Case cases[] = {
        {{100, 100, 120, 110}, 5, true, QRect(QPoint(1, 50), QPoint(220, 160))},
        {{100, 100, 120, 110}, 0, true, QRect(QPoint(100, 100), QPoint(120, 110))},
        {{100, 100, 120, 110}, 0.25, true, QRect(QPoint(95, 98), QPoint(125, 112))}, // 2.5 -> 2
        {{480, 390, 500, 400}, 1, true, QRect(QPoint(460, 380), QPoint(499, 399))},
        {{470, 380, 500, 400}, 0, true, QRect(QPoint(470, 380), QPoint(500, 400))}, // not beyond
        {{480, 390, 500, 400}, 1, false, QRect(QPoint(460, 380), QPoint(520, 410))},
        {{0, 0, 10, 10}, 0, false, QRect(QPoint(1, 1), QPoint(10, 10))},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(searchArea(c.box, c.margin, picture, c.clip), c.expected)
            << c.box.Left << "," << c.box.Top << " margin " << c.margin;
    }
    // Shrunk past itself or beyond any picture: nothing to search.
    EXPECT_TRUE(searchArea({100, 100, 120, 110}, -3, picture, true).isEmpty());
    EXPECT_TRUE(searchArea({600, 100, 620, 110}, 0, picture, true).isEmpty());
}

TEST(Skew, AfterLearning)
{
    EXPECT_DOUBLE_EQ(learntSkew({100, 100}, {900, 110}), std::atan(10.0 / 800));
    EXPECT_DOUBLE_EQ(learntSkew({100, 100}, {110, 900}), std::atan(-10.0 / 800));
    EXPECT_DOUBLE_EQ(learntSkew({900, 110}, {100, 100}), std::atan(10.0 / 800));
    // A diagonal pair is measured as a vertical one.
    EXPECT_DOUBLE_EQ(learntSkew({0, 0}, {50, 50}), std::atan(-1.0));
    EXPECT_EQ(learntSkew({100, 100}, {100, 100}), 0.0);
}

TEST(Skew, AfterLocating)
{
    struct Case
    {
        TPoint second;
        double angle;
        bool alignTop;
        bool alignLeft;
    };
    const TPoint first{100, 100};
    const Case cases[] = {
        {{900, 101}, 0, true, false},
        {{900, 99}, 0, true, false},
        {{900, 102}, std::atan(2.0 / 800), false, false},
        {{101, 900}, 0, false, true},
        {{103, 900}, std::atan(-3.0 / 800), false, false},
        {{100, 100}, 0, false, true}, // coinciding
        {{110, 110}, std::atan(-1.0), false, false},
    };
    for (const Case& c : cases) {
        const LocatedSkew s = locatedSkew(first, c.second);
        EXPECT_DOUBLE_EQ(s.Angle, c.angle) << c.second.X << "," << c.second.Y;
        EXPECT_EQ(s.AlignTop, c.alignTop) << c.second.X << "," << c.second.Y;
        EXPECT_EQ(s.AlignLeft, c.alignLeft) << c.second.X << "," << c.second.Y;
    }
}

TEST(LearnPattern, PatternOfSeveralBlobsInScanOrder)
{
    QImage scan = whiteScan(200, 200);
    drawSquare(scan, {60, 50}, 5);   // 121 pixels, starts second in the scan
    drawSquare(scan, {40, 44}, 4);   // 81 pixels
    drawSquare(scan, {100, 100}, 2); // 25 pixels: below the minimum
    const auto learnt = learnPattern(scan, {20, 20, 110, 110}, 200, 50);
    ASSERT_TRUE(learnt);
    EXPECT_EQ(learnt->Extent, (TRect{36, 40, 65, 55}));
    ASSERT_EQ(learnt->Points.size(), 202u);
    EXPECT_EQ(learnt->Points.front(), (TPoint{0, 0}));         // (36, 40)
    EXPECT_EQ(learnt->Points[81], (TPoint{19, 5}));            // (55, 45)
    EXPECT_EQ(extentCentre(learnt->Extent), (TPoint{50, 48})); // 14.5 -> 14, 7.5 -> 8
}

TEST(LearnPattern, EdgesOfTheBoxBelongToIt)
{
    QImage scan = whiteScan(100, 100);
    drawSquare(scan, {30, 30}, 5);
    // The box's right and bottom edges fall on the square's last column and row.
    const auto learnt = learnPattern(scan, {0, 0, 35, 35}, 200, 1);
    ASSERT_TRUE(learnt);
    EXPECT_EQ(learnt->Points.size(), 121u);
    EXPECT_FALSE(learnPattern(scan, {0, 0, 24, 24}, 200, 1));
}

// The placement a search would take if a group of blobs were scored by the
// blob it gathered last alone: the best share of the pattern, first found.
TRect placementScoringTheLastBlob(const QImage& picture, const TRect& box, int darkCount,
                                  const std::vector<TPoint>& pattern)
{
    const double w = box.width();
    const double h = box.height();
    const double f = darkCount / w * h <= 0.9 ? 0.8 : 0.5;
    const QRect area = searchArea(box, 5, picture.size(), true);
    const std::vector<TBlob> blobs = FindBlobs(binarizedArea(picture, area, 200), 50);
    TRect best;
    std::int64_t bestScore = -1;
    forEachCandidate(blobs, {f * w, 1.2 * w, f * h, 1.2 * h}, [&](const TWZXZ& a) {
        std::int64_t score = 0;
        for (const TPoint& p : blobs[std::size_t(a.Blobs.back())].Points)
            score += std::count(pattern.begin(), pattern.end(), TPoint{p.X - a.Left, p.Y - a.Top});
        if (score > bestScore) {
            bestScore = score;
            best = {a.Left + area.left(), a.Top + area.top(), a.Right + area.left(),
                    a.Bottom + area.top()};
        }
    });
    return best;
}

// A mark of three printed bars with write-in frames of its size nearby. A
// group scored by its last bar alone matches a third of the mark, less than
// a frame's edges lying over the first and last bars: a frame would be taken
// for the mark. Scored with the pixels of every bar, the mark wins.
TEST(LocatePattern, MatchesAMarkOfSeveralStrokesAsAWhole)
{
    const QPointF mark(300, 200);
    QImage scan = whiteScan(800, 500);
    drawFeatureBars(scan, mark);
    const auto learnt = learnPattern(scan, {250, 150, 350, 250}, 200, 50);
    ASSERT_TRUE(learnt);

    // Scanned again 23 pixels further right and 17 higher, with the frames,
    // stripes and specks of the sheet around the mark.
    const QTransform shift = QTransform::fromTranslate(23, -17);
    QImage moved = whiteScan(800, 500);
    drawFeatureBars(moved, mark, shift);
    drawClutter(moved, mark + QPointF(110, 60), shift);
    drawClutter(moved, mark + QPointF(-150, -90), shift);
    const TRect expected{learnt->Extent.Left + 23, learnt->Extent.Top - 17,
                         learnt->Extent.Right + 23, learnt->Extent.Bottom - 17};

    const int darkCount = int(learnt->Points.size());
    const auto found = locatePattern(moved, learnt->Extent, darkCount, learnt->Points, 200, 5, 50);
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, expected);
    const TRect lastBlobOnly =
        placementScoringTheLastBlob(moved, learnt->Extent, darkCount, learnt->Points);
    EXPECT_NE(lastBlobOnly, expected);
    // It lands on one of the frames.
    const QPointF centre = QRectF(QPointF(lastBlobOnly.Left, lastBlobOnly.Top),
                                  QPointF(lastBlobOnly.Right, lastBlobOnly.Bottom))
                               .center();
    const QPointF frames[] = {shift.map(mark + QPointF(110, 60)),
                              shift.map(mark + QPointF(-150, -90))};
    EXPECT_TRUE(std::any_of(std::begin(frames), std::end(frames),
                            [&](QPointF frame) { return QLineF(centre, frame).length() < 3; }))
        << lastBlobOnly.Left << "," << lastBlobOnly.Top;
}

TEST(CheckFuzzyPair, NoAngleWhenTheDivisorIsZero)
{
    QImage scan = whiteScan(300, 400);
    drawSquare(scan, {110, 100}, 10); // extent 100..120
    drawSquare(scan, {90, 300}, 10);  // extent 80..100: its right is box 1's left
    const PairCheck check =
        checkFuzzyPair(scan, {90, 90, 130, 110}, {70, 280, 110, 320}, 80, 200, 0);
    ASSERT_TRUE(check.First && check.Second);
    EXPECT_EQ(check.Second->Right, check.First->Left);
    EXPECT_FALSE(check.Angle);
}

} // namespace
} // namespace sw::test
