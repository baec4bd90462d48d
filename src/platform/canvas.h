#pragma once

#include "platform/geometry.h"
#include "platform/graphicstypes.h"

#include <QImage>
#include <QString>
#include <limits>
#include <vector>

namespace sw {

// The drawing surface every shape, page, ruler and printout goes through.
// Coordinates are device pixels. The conventions are those the drawing code
// was written against:
//  - Rectangle(l, t, r, b) paints columns l..r-1 and rows t..b-1: outline with
//    the pen, inside with the brush (nothing inside with a clear brush);
//  - LineTo does not paint its end point and moves the pen position there;
//  - a pen of width 0 or 1 is one pixel wide;
//  - TextOut puts the top-left corner of the text cell at (x, y), paints the
//    cell in the brush colour first when the brush is bsSolid, and moves the
//    pen position to (x + TextWidth, y); text is drawn in the font colour;
//  - pmNotXor inverts the destination where the pen (or a black brush) paints,
//    so drawing the same figure twice restores the pixels;
//  - font Height < 0 is the character height in pixels, > 0 the cell height.
class Canvas
{
public:
    virtual ~Canvas() = default;

    // Pixels per inch the canvas resolves font sizes in points with.
    virtual int pixelsPerInch() const = 0;

    const TPen& pen() const { return m_pen; }
    const TBrush& brush() const { return m_brush; }
    const TFont& font() const { return m_font; }
    TPen& pen() { return m_pen; }
    TBrush& brush() { return m_brush; }
    TFont& font() { return m_font; }
    void setPen(const TPen& pen) { m_pen = pen; }
    void setBrush(const TBrush& brush) { m_brush = brush; }
    void setFont(const TFont& font) { m_font = font; }
    // Font size in points on this canvas (sets Height through pixelsPerInch()).
    void setFontSize(int points) { m_font.setSize(points, pixelsPerInch()); }

    // The part of the coordinate space that can show anything (Right and Bottom
    // exclusive); what is drawn outside it is lost. Figures of many parts draw
    // only the parts that reach into it. Unbounded unless the canvas knows its
    // device.
    virtual TRect ClipRect() const
    {
        constexpr int lo = std::numeric_limits<int>::min();
        constexpr int hi = std::numeric_limits<int>::max();
        return {lo, lo, hi, hi};
    }

    TPoint PenPos() const { return m_penPos; }
    virtual void MoveTo(int x, int y) { m_penPos = {x, y}; }
    virtual void LineTo(int x, int y) = 0;
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    virtual void RoundRect(int left, int top, int right, int bottom, int width, int height) = 0;
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    virtual void Polygon(const std::vector<TPoint>& points) = 0;
    virtual void SetPixel(int x, int y, TColor color) = 0;
    virtual void TextOut(int x, int y, const QString& text) = 0;
    // Text clipped to rect, cell top-left at (x, y); the rect is filled with the
    // brush first unless the brush is clear.
    virtual void TextRect(const TRect& rect, int x, int y, const QString& text) = 0;
    virtual int TextWidth(const QString& text) = 0;
    virtual int TextHeight(const QString& text) = 0;
    // The picture scaled into rect (right/bottom exclusive).
    virtual void StretchDraw(const TRect& rect, const QImage& picture) = 0;
    // Fills rect with the brush, no outline.
    virtual void FillRect(const TRect& rect) = 0;
    // Copies sourceRect of source, scaled, into dest.
    virtual void CopyRect(const TRect& dest, const QImage& source, const TRect& sourceRect) = 0;

protected:
    TPoint m_penPos;

private:
    TPen m_pen;
    TBrush m_brush;
    TFont m_font;
};

} // namespace sw
