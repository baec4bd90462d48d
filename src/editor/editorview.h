#pragma once

#include "platform/geometry.h"
#include "platform/graphicstypes.h"
#include "shapes/enums.h"

#include <QString>
#include <QStringList>

namespace sw {

class TGraphics;

// What the editing controller needs of the main window. The window shows the
// controller's backing images (surface and rulers) and forwards the surface's
// mouse events, the keys and the text editor's keys to it.
//
// Coordinates: "surface" pixels are pixels of the page surface (its backing
// image); "scroll area" pixels are relative to the visible part of the
// scrolling area that holds the surface, i.e. surface pixels minus the scroll
// position.
class EditorView
{
public:
    virtual ~EditorView() = default;

    // Property panel.

    // Fills the panel from the shape; the panel writes nothing back into
    // shapes meanwhile.
    virtual void loadPanel(TGraphics& shape) = 0;
    // Writes the panel's values into the shape and, with allSelectedOfKind,
    // into every selected shape of its kind on the current page.
    virtual void applyPanel(TGraphics& shape, bool allSelectedOfKind) = 0;
    // The corner radius ("圆角半径") rounded, for rounded rectangles.
    virtual int panelCornerRadius() const = 0;
    // The option characters ("字符") of bubble boxes.
    virtual QString panelOptionCharacters() const = 0;

    // In-place text editor, a child of the scrolling area.

    // Shows the editor over the area (scroll-area pixels) holding the lines,
    // and gives it the keyboard focus.
    virtual void showTextEditor(const TRect& area, const QStringList& lines) = 0;
    virtual void hideTextEditor() = 0;
    // Where the editor stands now (scroll-area pixels) and what it holds.
    virtual TRect textEditorArea() const = 0;
    virtual QStringList textEditorLines() const = 0;
    // The editor's font: the font new text boxes get.
    virtual TFont textEditorFont() const = 0;
    virtual void setTextEditorFont(const TFont& font) = 0;

    // A one-line message box with an OK button.
    virtual void showMessage(const QString& text) = 0;
    // A short note in the status bar, for a request that was refused without
    // a message box.
    virtual void showStatus(const QString& text) = 0;
    // The application-wide mouse cursor.
    virtual void setCursor(TCursor cursor) = 0;

    // Surface.

    // Scroll position of the scrolling area (surface pixels at its top-left).
    virtual TPoint scrollPosition() const = 0;
    // The surface got a new size (the page at its zoom).
    virtual void setSurfaceSize(int width, int height) = 0;
    // The surface's backing image changed: show it. Must not call back into
    // PaintSurface (that would wipe the drag outlines).
    virtual void surfaceChanged() = 0;

    // Rulers: the horizontal ruler above the surface and the vertical one on
    // its left, both `rulerThickness` pixels thick.
    virtual int rulerThickness() const = 0;
    virtual int horzRulerLength() const = 0; // width of the horizontal ruler
    virtual int vertRulerLength() const = 0; // height of the vertical ruler
    // The rulers' backing images changed: show them.
    virtual void rulersChanged() = 0;

    // Read-outs of the "坐标" group.

    // The mouse over the surface, surface pixels ("X:" x "  Y:" y).
    virtual void showMousePosition(int x, int y) = 0;
    // The current shape's bounds after each painting, layout pixels; cleared
    // while there is no current shape.
    virtual void showShapeBounds(const TRect& bounds) = 0;
    virtual void clearShapeBounds() = 0;

    // The tool went back to 0 after a mouse release: check the select tool,
    // show the panels of tool 0 and give the keyboard focus to the scrolling
    // area unless the text editor is showing.
    virtual void toolReset() = 0;
};

} // namespace sw
