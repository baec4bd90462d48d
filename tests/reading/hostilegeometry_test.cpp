#include "reading/sheets.h"

#include "reading/greyview.h"
#include "reading/sheetgeometry.h"
#include "reading/sheetreader.h"
#include "reading/straighten.h"
#include "shapes/rectkg.h"
#include "shapes/rectzg.h"

#include <algorithm>
#include <climits>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

bool ordered(const TRect& r)
{
    return r.Left <= r.Right && r.Top <= r.Bottom;
}

struct HostileBox
{
    const char* name;
    int left;
    int gridWidth;
    int colSpace;
};

class HostileGeometry : public ::testing::TestWithParam<HostileBox>
{
};

// Boxes near the int limits lay out without wrapping round: every cell keeps
// its right edge right of its left one.
TEST_P(HostileGeometry, BubbleBoxesKeepTheirOrder)
{
    const HostileBox& c = GetParam();
    auto document = handLaidSheet();
    auto box = std::make_unique<TRectKg>(TPoint{0, 100}, TPoint{0, 100}, 1.0, 1.0);
    box->Left = c.left;
    box->Aspect = ARight;
    box->FormatText = QStringLiteral("ABCD");
    box->col = 4;
    box->Row = 3;
    box->Gridwidth = c.gridWidth;
    box->GridHeight = 10;
    box->ColSpace = c.colSpace;
    box->RowSpace = 7;
    document->AddShape(std::move(box));
    const PageGeometry page = pageGeometry(*document, 0);
    const BubbleBoxGeometry& hostile = page.BubbleBoxes.back();
    EXPECT_TRUE(ordered(hostile.Bounds));
    for (const QuestionGeometry& q : hostile.Questions)
        for (const CellGeometry& cell : q.Cells)
            EXPECT_TRUE(ordered(cell.Rect)) << cell.Rect.Left << " " << cell.Rect.Right;
    // Reading a sheet against it stays within the picture.
    const SheetReader reader(*document);
    const SheetReading r = reader.read(QImage(200, 300, QImage::Format_Grayscale8));
    EXPECT_FALSE(r.isRead());
}

INSTANTIATE_TEST_SUITE_P(NearTheLimits, HostileGeometry,
                         ::testing::Values(HostileBox{"right end", INT_MAX - 10, 18, 7},
                                           HostileBox{"huge cells", 100, INT_MAX, INT_MAX},
                                           HostileBox{"left end", INT_MIN + 5, INT_MAX, 1}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

TEST(HostileGeometry, AHugeCutBoxIsRefusedNotDrawn)
{
    QImage scan(300, 400, QImage::Format_Grayscale8);
    scan.fill(255);
    const GreyView view(scan);
    for (const QRectF& area :
         {QRectF(0, 0, 3e9, 3e9), QRectF(-1e12, 0, 2e12, 2e12), QRectF(0, 0, 20000, 20000)})
        EXPECT_TRUE(straightenedArea(view, AffineMap{}, area, 1.0).isNull())
            << area.width() << " x " << area.height();
    const QImage small = straightenedArea(view, AffineMap{}, QRectF(10, 10, 100, 50), 1.0);
    EXPECT_EQ(small.size(), QSize(100, 50));
}

} // namespace
} // namespace sw::test
