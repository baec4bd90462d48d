#include "controllerfixture.h"
#include "shapes/line.h"
#include "shapes/mhsb.h"
#include "shapes/rectkg.h"
#include "shapes/roundrect.h"

#include <vector>

namespace sw::test {
namespace {

using CreateTest = ControllerTest;

struct ToolCase
{
    int tool;
    TGraphicsType kind;
    TRect bounds; // layout pixels, for a drag from (100, 100) to (200, 180)
};

TEST_F(CreateTest, EveryDrawingToolCreatesItsShapeOnRelease)
{
    const std::vector<ToolCase> cases = {
        {ToolLine, GLine, {100, 100, 200, 180}},
        {ToolRectangle, GRectangle, {100, 100, 200, 180}},
        {ToolRoundRect, GRoundRect, {100, 100, 200, 180}},
        {ToolEllipse, GEllipse, {100, 100, 200, 180}},
        {ToolTriangle, GTriangle, {100, 100, 200, 180}},
        {ToolCutBox, GZg, {100, 100, 200, 180}},
        {ToolBarcode, Gbarcode, {100, 100, 200, 180}},
        {ToolPicture, GRImage, {100, 100, 200, 180}},
        {ToolHLine, GHline, {100, 100, 200, 100}},
        {ToolVLine, GVline, {100, 100, 100, 180}},
        {ToolFuzzyBox, GMHSB, {100, 100, 200, 180}},
        {ToolLineList, GLinelist, {100, 100, 200, 180}},
    };
    for (const ToolCase& c : cases) {
        SCOPED_TRACE(c.tool);
        const int before = page().ShapeCount();
        const int resets = view.toolResets;
        document.Interaction.Tool = std::uint8_t(c.tool);
        press({100, 100});
        EXPECT_TRUE(document.Interaction.Creating);
        EXPECT_EQ(page().ShapeCount(), before);
        move({150, 150});
        move({200, 180});
        release({200, 180});

        ASSERT_EQ(page().ShapeCount(), before + 1);
        TGraphics& shape = *lastShape();
        EXPECT_EQ(shape.Kind, c.kind);
        EXPECT_EQ(shape.GetBounds(), c.bounds);
        EXPECT_TRUE(shape.Selected);
        EXPECT_EQ(page().SelectedCount(), 1);
        EXPECT_EQ(document.ActiveShape, &shape);
        EXPECT_EQ(view.applied.back(), &shape);
        EXPECT_TRUE(shape.Tag.isEmpty()); // the panel's Tag is not taken over
        EXPECT_EQ(rows().back(), QStringLiteral("新建-") + shape.KindName);
        EXPECT_FALSE(document.Interaction.Creating);
        EXPECT_EQ(document.Interaction.Tool, ToolSelect);
        EXPECT_EQ(view.toolResets, resets + 1);
        if (c.kind == GMHSB) { // at most three per page
            document.ActiveShape = nullptr;
            page().RemoveShape(&shape);
        }
    }
    EXPECT_TRUE(view.messages.isEmpty());
}

TEST_F(CreateTest, RoundRectangleTakesThePanelCornerRadius)
{
    view.cornerRadius = 12;
    drag(ToolRoundRect, {100, 100}, {200, 180});
    auto* box = dynamic_cast<TRoundRect*>(lastShape());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->Radius, 12);
}

TEST_F(CreateTest, ShapesAreMadeInLayoutPixelsOfTheZoom)
{
    setZoom(2.0);
    drag(ToolRectangle, {100, 100}, {300, 260});
    EXPECT_EQ(lastShape()->GetBounds(), (TRect{50, 50, 150, 130}));
    EXPECT_DOUBLE_EQ(lastShape()->ScaleX, 2.0);
}

TEST_F(CreateTest, GridAndBubbleBoxAreCreatedOnPress)
{
    for (const auto& [tool, kind] : {std::pair{ToolGrid, GGrid}, std::pair{ToolBubbleBox, GKg}}) {
        SCOPED_TRACE(tool);
        const int before = page().ShapeCount();
        document.Interaction.Tool = std::uint8_t(tool);
        press({120, 130});
        ASSERT_EQ(page().ShapeCount(), before + 1);
        EXPECT_EQ(lastShape()->Kind, kind);
        EXPECT_EQ(lastShape()->GetBounds().Left, 120);
        EXPECT_EQ(lastShape()->GetBounds().Top, 130);
        EXPECT_FALSE(document.Interaction.Creating);
        release({180, 190});
        EXPECT_EQ(page().ShapeCount(), before + 1);
        EXPECT_EQ(document.Interaction.Tool, ToolSelect);
    }
    auto* box = dynamic_cast<TRectKg*>(lastShape());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->FormatText, QStringLiteral("ABCD"));
    EXPECT_EQ(rows().back(), QStringLiteral("新建-客观题"));
}

TEST_F(CreateTest, BubbleBoxNeedsOptionCharacters)
{
    view.optionCharacters.clear();
    const int before = page().ShapeCount();
    drag(ToolBubbleBox, {100, 100}, {100, 100});
    EXPECT_EQ(page().ShapeCount(), before);
    EXPECT_EQ(rows().size(), 1);
    EXPECT_EQ(document.Interaction.Tool, ToolSelect);
}

TEST_F(CreateTest, AClickWithoutMovingMakesAZeroLengthLineButNoCutBox)
{
    document.Interaction.Tool = ToolLine;
    click({100, 100});
    EXPECT_EQ(lastShape()->Kind, GLine);
    EXPECT_EQ(lastShape()->GetBounds(), (TRect{100, 100, 100, 100}));

    const int before = page().ShapeCount();
    const qsizetype entries = rows().size();
    document.Interaction.Tool = ToolCutBox;
    click({100, 100});
    EXPECT_EQ(page().ShapeCount(), before);
    EXPECT_EQ(rows().size(), entries);
    EXPECT_TRUE(view.messages.isEmpty());
    EXPECT_EQ(document.Interaction.Tool, ToolSelect);
}

TEST_F(CreateTest, RecognitionBoxesNeedFiftyLayoutPixelsEachWay)
{
    setZoom(2.0);
    for (const int tool : {ToolCutBox, ToolBarcode}) {
        SCOPED_TRACE(tool);
        const int before = page().ShapeCount();
        drag(tool, {100, 100}, {198, 300}); // 49 layout pixels wide
        EXPECT_EQ(page().ShapeCount(), before);
        drag(tool, {100, 100}, {200, 200}); // 50 by 50
        ASSERT_EQ(page().ShapeCount(), before + 1);
        EXPECT_EQ(lastShape()->GetBounds(), (TRect{50, 50, 100, 100}));
    }
}

TEST_F(CreateTest, OnlyOneBarcodeBoxPerPage)
{
    drag(ToolBarcode, {100, 100}, {200, 200});
    const int before = page().ShapeCount();
    document.Interaction.Tool = ToolBarcode;
    press({300, 300});
    EXPECT_FALSE(document.Interaction.Creating);
    EXPECT_EQ(view.messages, QStringList{BarcodeExistsMessage});
    move({400, 400});
    release({400, 400});
    EXPECT_EQ(page().ShapeCount(), before);
    EXPECT_EQ(document.Interaction.Tool, ToolSelect);
}

TEST_F(CreateTest, FuzzyBoxesTakeTheLowestFreeNumberAndStopAtThree)
{
    add<TMHSB>({10, 10, 40, 40}).Number = 1;
    add<TMHSB>({50, 10, 80, 40}).Number = 3;
    drag(ToolFuzzyBox, {100, 100}, {200, 200});
    auto* third = dynamic_cast<TMHSB*>(lastShape());
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->Number, 2);

    const int before = page().ShapeCount();
    drag(ToolFuzzyBox, {300, 300}, {400, 400});
    EXPECT_EQ(page().ShapeCount(), before);
    EXPECT_EQ(view.messages, QStringList{FuzzyBoxLimitMessage});
}

// Pixels of column x, rows y0 to y1, that differ between two images.
int differingPixels(const QImage& a, const QImage& b, int x, int y0, int y1)
{
    int count = 0;
    for (int y = y0; y <= y1; ++y)
        count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

TEST_F(CreateTest, PreviewIsRedrawnInvertingWhileDragging)
{
    const QImage clean = controller.SurfaceImage().copy();
    document.Interaction.Tool = ToolRectangle;
    press({100, 100});
    move({200, 180});
    EXPECT_GT(differingPixels(clean, controller.SurfaceImage(), 199, 101, 178), 0);
    move({250, 250});
    // The first preview's right edge is gone, the second one's is drawn.
    EXPECT_EQ(differingPixels(clean, controller.SurfaceImage(), 199, 101, 178), 0);
    EXPECT_GT(differingPixels(clean, controller.SurfaceImage(), 249, 101, 248), 0);
    release({250, 250});
    EXPECT_EQ(lastShape()->GetBounds(), (TRect{100, 100, 250, 250}));
}

} // namespace
} // namespace sw::test
