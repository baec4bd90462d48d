#include "document/analysis/markdetect.h"
#include "document/vectorgraphics.h"
#include "scans.h"

#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

// A page of 210 x 297 mm scanned at 6 pixels per millimetre.
constexpr double PageWidth = 210;
constexpr double PageHeight = 297;
constexpr int ScanWidth = 1260;
constexpr int ScanHeight = 1782;
// Where the template expects the two top marks: 60 x 30 pixels in the scan.
const MarkRectMm TopLeft{10, 10, 20, 15};
const MarkRectMm TopRight{185, 10, 195, 15};

QImage scanWithMarks(QPoint first, QPoint second)
{
    QImage scan = whiteScan(ScanWidth, ScanHeight);
    QPainter p(&scan);
    p.fillRect(first.x(), first.y(), 61, 31, Qt::black);
    p.fillRect(second.x(), second.y(), 61, 31, Qt::black);
    return scan;
}

TEST(MarkDetection, DarkIsBelowTenMillionAsBlueGreenRed)
{
    EXPECT_TRUE(isMarkDark(qRgb(0, 0, 0)));
    EXPECT_TRUE(isMarkDark(qRgb(255, 255, 151)));     // 0x97FFFF: pale yellow counts
    EXPECT_TRUE(isMarkDark(qRgb(0x7F, 0x96, 0x98)));  // 9999999
    EXPECT_FALSE(isMarkDark(qRgb(0x80, 0x96, 0x98))); // 10000000
    EXPECT_FALSE(isMarkDark(qRgb(0, 0, 153)));        // dark blue does not
}

TEST(MarkDetection, FirstPassFindsTheCornerOfASolidMark)
{
    const QImage scan = scanWithMarks({100, 80}, {1100, 90});
    // The first row gives a candidate corner; the next row's corner replaces
    // it and the pixel right of that ends the search.
    EXPECT_EQ(FindMark(scan, {60, 60, 120, 90}), (TPoint{100, 81}));
    EXPECT_EQ(FindMark(scan, {1110, 60, 1170, 90}), (TPoint{1100, 91}));
}

TEST(MarkDetection, SkewOfMarksThousandPixelsApart)
{
    const QImage scan = scanWithMarks({100, 80}, {1100, 90});
    const auto skew = DetectMarkSkew(scan, PageWidth, PageHeight, TopLeft, TopRight);
    ASSERT_TRUE(skew);
    EXPECT_DOUBLE_EQ(*skew, std::atan(0.01));
    EXPECT_NEAR(*skew, 0.0099997, 1e-7);
}

TEST(MarkDetection, SecondPassFindsAT)
{
    // A bar of the mark's width with a stem in its middle: no corner has
    // mostly dark columns, so the second pass averages the bar's left edges.
    QImage scan = whiteScan(ScanWidth, ScanHeight);
    QPainter p(&scan);
    p.fillRect(100, 80, 61, 4, Qt::black);
    p.fillRect(127, 80, 8, 31, Qt::black);
    p.end();
    EXPECT_EQ(FindMark(scan, {60, 60, 120, 90}), (TPoint{100, 80}));
}

TEST(MarkDetection, NothingFound)
{
    QImage scan = whiteScan(ScanWidth, ScanHeight);
    EXPECT_FALSE(FindMark(scan, {60, 60, 120, 90}));
    // A thin line and small dots: neither pass accepts them.
    QPainter p(&scan);
    p.fillRect(0, 100, ScanWidth, 2, Qt::black);
    for (int x = 20; x < 400; x += 25)
        p.fillRect(x, 140, 12, 12, Qt::black);
    p.end();
    EXPECT_FALSE(FindMark(scan, {60, 60, 120, 90}));
    EXPECT_FALSE(DetectMarkSkew(scan, PageWidth, PageHeight, TopLeft, TopRight));
    EXPECT_FALSE(FindMark(QImage(), {60, 60, 120, 90}));
}

TEST(MarkDetection, UnusableInputs)
{
    const QImage scan = scanWithMarks({100, 80}, {1100, 90});
    EXPECT_FALSE(DetectMarkSkew(scan, 0, PageHeight, TopLeft, TopRight));
    EXPECT_FALSE(DetectMarkSkew(scan, PageWidth, -1, TopLeft, TopRight));
    EXPECT_FALSE(DetectMarkSkew(scan, std::nan(""), PageHeight, TopLeft, TopRight));
    EXPECT_FALSE(DetectMarkSkew(scan, PageWidth, PageHeight, TopLeft, {1e300, 0, 1e300, 5}));
    // Marks of no size, or inverted, or far outside the picture.
    EXPECT_FALSE(FindMark(scan, {100, 80, 100, 110}));
    EXPECT_FALSE(FindMark(scan, {160, 110, 100, 80}));
    EXPECT_FALSE(FindMark(scan, {2000000000, 2000000000, 2000000030, 2000000030}));
    EXPECT_FALSE(FindMark(scan, {-2000000000, -2000000000, -1999999000, -1999999000}));
}

TEST(MarkDetection, MarksAtTheSameXGiveNoAngle)
{
    // Both expected places lead to the same mark.
    const QImage scan = scanWithMarks({100, 80}, {1100, 1500});
    const auto skew = DetectMarkSkew(scan, PageWidth, PageHeight, TopLeft, {10, 11, 20, 16});
    EXPECT_FALSE(skew);
}

TEST(MarkDetection, DocumentUsesItsFirstTwoRecordsAndTheCurrentPage)
{
    TVectorGraphics document(96);
    document.NewPage(-1, -1);
    TVectorGraph* page = document.ActivePage();
    page->Width = PageWidth;
    page->Height = PageHeight;
    const QImage scan = scanWithMarks({100, 80}, {1100, 90});
    EXPECT_FALSE(DetectMarkSkew(document, scan));

    TGPS first(96);
    first.X1 = TopLeft.X1;
    first.Y1 = TopLeft.Y1;
    first.X2 = TopLeft.X2;
    first.Y2 = TopLeft.Y2;
    TGPS second = first;
    second.X1 = TopRight.X1;
    second.X2 = TopRight.X2;
    document.GPList = {first, second};
    ASSERT_TRUE(DetectMarkSkew(document, scan));
    EXPECT_DOUBLE_EQ(page->SkewAngle, std::atan(0.01));

    document.CurrentPage = 5;
    EXPECT_FALSE(DetectMarkSkew(document, scan));
}

} // namespace
} // namespace sw::test
