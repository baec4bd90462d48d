#include "document/arrange.h"
#include "selectionfixture.h"

#include <functional>
#include <limits>
#include <vector>

namespace sw::test {
namespace {

using ArrangeTest = SelectionTest;

struct AlignCase
{
    const char* name;
    std::function<void(TVectorGraphics&)> command;
    std::vector<TRect> expected;
};

// Boxes at Left 50, 20, 80 (widths 10, 20, 30) and Top 5, 40, 15 (heights 30,
// 20, 10).
TEST_F(ArrangeTest, AlignsEdgesKeepingSizes)
{
    const std::vector<AlignCase> cases = {
        {"AlignLeft", AlignLeft, {{20, 5, 30, 35}, {20, 40, 40, 60}, {20, 15, 50, 25}}},
        {"AlignRight", AlignRight, {{100, 5, 110, 35}, {90, 40, 110, 60}, {80, 15, 110, 25}}},
        {"AlignTop", AlignTop, {{50, 5, 60, 35}, {20, 5, 40, 25}, {80, 5, 110, 15}}},
        {"AlignBottom", AlignBottom, {{50, 30, 60, 60}, {20, 40, 40, 60}, {80, 50, 110, 60}}},
    };
    for (const AlignCase& c : cases) {
        SCOPED_TRACE(c.name);
        removeUserShapes();
        TRectangle& a = addBox({50, 5, 60, 35}, true);
        TRectangle& b = addBox({20, 40, 40, 60}, true);
        TRectangle& other = addBox({0, 0, 5, 5});
        TRectangle& d = addBox({80, 15, 110, 25}, true);
        c.command(document);
        EXPECT_EQ(a.GetBounds(), c.expected[0]);
        EXPECT_EQ(b.GetBounds(), c.expected[1]);
        EXPECT_EQ(d.GetBounds(), c.expected[2]);
        EXPECT_EQ(other.GetBounds(), (TRect{0, 0, 5, 5}));
    }
}

TEST_F(ArrangeTest, DistributeHorizontallySpreadsInListOrder)
{
    TRectangle& first = addBox({0, 0, 9, 5}, true);
    TRectangle& second = addBox({50, 0, 59, 5}, true);
    TRectangle& third = addBox({30, 0, 39, 5}, true);
    DistributeHorizontally(document);
    EXPECT_EQ(first.GetBounds(), (TRect{0, 0, 9, 5}));
    EXPECT_EQ(second.GetBounds(), (TRect{25, 0, 34, 5}));
    EXPECT_EQ(third.GetBounds(), (TRect{50, 0, 59, 5}));
}

TEST_F(ArrangeTest, DistributeVerticallyHasOnePixelLessInTheGaps)
{
    TRectangle& first = addBox({0, 0, 5, 9}, true);
    TRectangle& second = addBox({0, 50, 5, 59}, true);
    TRectangle& third = addBox({0, 30, 5, 39}, true);
    DistributeVertically(document);
    EXPECT_EQ(first.GetBounds(), (TRect{0, 0, 5, 9}));
    // gap 14.5: the second starts at rnd(24.5) = 24.
    EXPECT_EQ(second.GetBounds(), (TRect{0, 24, 5, 33}));
    EXPECT_EQ(third.GetBounds(), (TRect{0, 50, 5, 59}));
}

TEST_F(ArrangeTest, SizeMatchingSkipsTheLinesOfTheOtherDirection)
{
    struct Case
    {
        const char* name;
        std::function<void(TVectorGraphics&)> command;
        bool vertical; // the excluded line is a vertical one
        TRect small;
        TRect large;
    };
    const std::vector<Case> cases = {
        {"MaxWidth", MaxWidth, true, {10, 10, 40, 20}, {50, 10, 80, 50}},
        {"MinWidth", MinWidth, true, {10, 10, 20, 20}, {50, 10, 60, 50}},
        {"MaxHeight", MaxHeight, false, {10, 10, 20, 50}, {50, 10, 80, 50}},
        {"MinHeight", MinHeight, false, {10, 10, 20, 20}, {50, 10, 80, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        removeUserShapes();
        // A 10 x 10 box, a line across the direction, and a 30 x 40 box.
        TRectangle& small = addBox({10, 10, 20, 20}, true);
        TLine& line = c.vertical
                          ? static_cast<TLine&>(addLine<TVLine>({100, 100}, {100, 300}, true))
                          : addLine<THLine>({100, 100}, {400, 100}, true);
        const TRect lineBounds = line.GetBounds();
        TRectangle& large = addBox({50, 10, 80, 50}, true);
        c.command(document);
        EXPECT_EQ(small.GetBounds(), c.small);
        EXPECT_EQ(large.GetBounds(), c.large);
        EXPECT_EQ(line.GetBounds(), lineBounds);
    }
}

TEST_F(ArrangeTest, MaxWidthLeavesASelectedVerticalLineAlone)
{
    TVLine& line = addLine<TVLine>({5, 5}, {5, 200}, true);
    TRectangle& narrow = addBox({10, 10, 20, 20}, true);
    TRectangle& wide = addBox({40, 10, 70, 20}, true);
    MaxWidth(document);
    EXPECT_EQ(line.GetBounds(), (TRect{5, 5, 5, 200}));
    EXPECT_EQ(narrow.GetBounds().width(), 30);
    EXPECT_EQ(wide.GetBounds().width(), 30);
}

TEST_F(ArrangeTest, CommandsNeedEnoughSelectedShapes)
{
    TRectangle& a = addBox({50, 5, 60, 35}, true);
    TRectangle& b = addBox({20, 40, 40, 60}, true);
    addBox({80, 15, 110, 25});
    DistributeHorizontally(document); // two selected: needs three
    EXPECT_EQ(a.GetBounds(), (TRect{50, 5, 60, 35}));
    EXPECT_EQ(b.GetBounds(), (TRect{20, 40, 40, 60}));

    b.Selected = false;
    AlignLeft(document); // one selected: needs two
    MaxWidth(document);
    EXPECT_EQ(a.GetBounds(), (TRect{50, 5, 60, 35}));
}

TEST_F(ArrangeTest, ReservedShapesCountButNeverMove)
{
    // The positioning boxes stay where they are although they count as
    // selected (as they may in the overlay modes).
    for (int i = 0; i < 4; ++i)
        page().ShapeItem(i)->Selected = true;
    const TRect reserved = page().ShapeItem(0)->GetBounds();
    TRectangle& only = addBox({50, 5, 60, 35}, true);
    for (const auto& command : {AlignLeft, AlignBottom, MaxWidth, MinHeight, DistributeHorizontally,
                                DistributeVertically}) {
        command(document);
        EXPECT_EQ(only.GetBounds(), (TRect{50, 5, 60, 35}));
        EXPECT_EQ(page().ShapeItem(0)->GetBounds(), reserved);
    }
}

TEST_F(ArrangeTest, DistributingTwoShapesPutsThemAtTheOuterEdges)
{
    // Three selected on the page, two collected: the first goes to the
    // leftmost edge, the last to the rightmost one.
    page().ShapeItem(0)->Selected = true;
    TRectangle& first = addBox({40, 0, 50, 5}, true);
    TRectangle& second = addBox({10, 0, 20, 5}, true);
    DistributeHorizontally(document);
    EXPECT_EQ(first.GetBounds(), (TRect{10, 0, 20, 5}));
    EXPECT_EQ(second.GetBounds(), (TRect{40, 0, 50, 5}));
}

TEST_F(ArrangeTest, HugeCoordinatesSaturateInsteadOfOverflowing)
{
    constexpr int big = std::numeric_limits<int>::max() - 10;
    TRectangle& far = addBox({big - 10, 0, big, 10}, true);
    TRectangle& wide = addBox({0, 0, big / 2, 10}, true);
    MaxWidth(document);
    EXPECT_EQ(far.GetBounds(), (TRect{big - 10, 0, std::numeric_limits<int>::max(), 10}));
    EXPECT_EQ(wide.GetBounds(), (TRect{0, 0, big / 2, 10}));
}

} // namespace
} // namespace sw::test
