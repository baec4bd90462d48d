#pragma once

#include "document/vectorgraph.h"
#include "document/vectorgraphics.h"
#include "editor/editingcontroller.h"
#include "fakeview.h"
#include "platform/rounding.h"
#include "shapes/rectangle.h"

#include <gtest/gtest.h>
#include <memory>

namespace sw::test {

// A document with one page (the reserved shapes at indices 0 to 6) and the
// controller over a fake window, set up as the window does at start: painted
// once, the history holding "新建页面".
class ControllerTest : public ::testing::Test
{
protected:
    ControllerTest()
    {
        document.NewPage(-1, -1);
        controller.PaintSurface();
        controller.AddEntry(QStringLiteral("新建页面"));
    }

    TVectorGraph& page() { return *document.ActivePage(); }
    TGraphics* lastShape() { return page().ShapeItem(page().ShapeCount() - 1); }
    const QStringList& rows() { return controller.History().Rows(); }

    void setZoom(double scale)
    {
        page().SetScaleX(scale);
        page().SetScaleY(scale);
        controller.PaintSurface();
    }

    // A shape of the given class with layout bounds r, at the page's zoom.
    template <class Shape = TRectangle> Shape& add(TRect r)
    {
        const TVectorGraph& pg = page();
        auto shape = std::make_unique<Shape>(
            TPoint{roundHalfEven(r.Left * pg.ScaleX), roundHalfEven(r.Top * pg.ScaleY)},
            TPoint{roundHalfEven(r.Right * pg.ScaleX), roundHalfEven(r.Bottom * pg.ScaleY)},
            pg.ScaleX, pg.ScaleY);
        Shape& ref = *shape;
        page().AddShape(std::move(shape));
        return ref;
    }

    void press(TPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        controller.MouseDown(Qt::LeftButton, mods, p.X, p.Y);
    }
    void move(TPoint p) { controller.MouseMove(Qt::NoModifier, p.X, p.Y); }
    void release(TPoint p) { controller.MouseUp(p.X, p.Y); }

    // A press, a move on the way and the release, with the tool chosen first
    // as the window's tool buttons do.
    void drag(int tool, TPoint from, TPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        document.Interaction.Tool = std::uint8_t(tool);
        press(from, mods);
        move({(from.X + to.X) / 2, (from.Y + to.Y) / 2});
        move(to);
        release(to);
    }
    void click(TPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        press(p, mods);
        release(p);
    }

    TVectorGraphics document{96};
    FakeView view{document};
    EditingController controller{document, view};
};

} // namespace sw::test
