#pragma once

#include "document/vectorgraph.h"
#include "document/vectorgraphics.h"
#include "shapes/line.h"
#include "shapes/rectangle.h"

#include <gtest/gtest.h>
#include <memory>

namespace sw::test {

// A document at 96 pixels per inch with one page holding the reserved
// shapes (indices 0 to 6); user shapes are appended from index 7.
class SelectionTest : public ::testing::Test
{
protected:
    SelectionTest() { document.NewPage(-1, -1); }

    TVectorGraph& page() { return *document.ActivePage(); }

    // Removes the shapes after the reserved ones.
    void removeUserShapes()
    {
        while (page().ShapeCount() > 7)
            page().RemoveShape(page().ShapeItem(page().ShapeCount() - 1));
    }

    // A box with the given layout bounds, made at zoom 1.
    TRectangle& addBox(TRect r, bool selected = false)
    {
        auto box = std::make_unique<TRectangle>(TPoint{r.Left, r.Top}, TPoint{r.Right, r.Bottom},
                                                1.0, 1.0);
        box->Selected = selected;
        TRectangle& ref = *box;
        page().AddShape(std::move(box));
        return ref;
    }

    template <class Line> Line& addLine(TPoint a, TPoint b, bool selected = false)
    {
        auto line = std::make_unique<Line>(a, b, 1.0, 1.0);
        line->Selected = selected;
        Line& ref = *line;
        page().AddShape(std::move(line));
        return ref;
    }

    TVectorGraphics document{96};
};

} // namespace sw::test
