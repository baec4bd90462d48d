#include "document/analysis/fuzzymatch.h"
#include "scans.h"

#include <cmath>
#include <gtest/gtest.h>

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
