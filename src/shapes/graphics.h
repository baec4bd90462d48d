#pragma once

#include "platform/canvas.h"
#include "platform/geometry.h"
#include "platform/graphicstypes.h"
#include "platform/saturating.h"
#include "shapes/enums.h"
#include "shapes/shapememory.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

namespace sw {

// Root of every shape on a page. Geometry is in layout pixels; ScaleX/ScaleY
// (set by the page) convert to device pixels of the canvas drawn on.
class TGraphics
{
public:
    virtual ~TGraphics() = default;

    // Shapes live in memory of their own (shapes/shapememory.h).
    static void* operator new(std::size_t size) { return allocateShapeMemory(size); }
    static void operator delete(void* memory, std::size_t size) noexcept
    {
        releaseShapeMemory(memory, size);
    }

    virtual bool HitTest(TPoint p) = 0;                          // layout pixels
    virtual bool OnHandle(TPoint p) = 0;                         // device pixels
    virtual TCursor HandleCursor(TPoint p, TCursor current) = 0; // device pixels
    virtual TRect GetBounds() const = 0;                         // layout pixels
    virtual void SetBounds(const TRect& r) = 0;                  // layout pixels
    virtual void Draw(Canvas& canvas) = 0;
    virtual void Select() { Selected = true; }
    virtual void Deselect() { Selected = false; }
    virtual void DragMove(Canvas& canvas, int dx, int dy) = 0; // device pixels
    virtual void DragResize(Canvas& canvas, TPoint p) = 0;     // device pixels

    // A deep copy of the shape (same class, same fields).
    virtual std::unique_ptr<TGraphics> clone() const = 0;

    // Layout <-> device conversions with the shape's scale factors.
    int toDeviceX(int x) const;
    int toDeviceY(int y) const;
    int toLayoutX(int x) const;
    int toLayoutY(int y) const;
    TPoint toDevice(TPoint p) const { return {toDeviceX(p.X), toDeviceY(p.Y)}; }
    TPoint toLayout(TPoint p) const { return {toLayoutX(p.X), toLayoutY(p.Y)}; }
    TRect toDevice(const TRect& r) const;

    bool Selected = false;
    bool MoveOutlineShown = false;
    bool ResizeOutlineShown = false;
    bool Visible = true;
    TBrush Brush;
    TPen Pen;
    TGraphicsType Kind = GLine;
    double ScaleX = 1.0;
    double ScaleY = 1.0;
    std::int32_t Group = 0;
    std::int32_t OutputMode = 0;
    bool Locked = false;
    QString Tag;
    QString KindName;
    bool CopyMark = false;

protected:
    TGraphics(double scaleX, double scaleY) : ScaleX(scaleX), ScaleY(scaleY) {}
    TGraphics(const TGraphics&) = default;
    TGraphics& operator=(const TGraphics&) = default;

    // Dotted, black, width 1, not-xor, clear brush: drawn twice it disappears.
    static void setOutlineStyle(Canvas& canvas);
    // The shape's pen with its width in device pixels.
    TPen devicePen() const;
    // The font with its height converted to device pixels.
    TFont deviceFont(const TFont& font) const;

    // p + d, or nothing when a coordinate would leave the int range.
    static std::optional<TPoint> offsetPoint(TPoint p, TPoint d);
};

} // namespace sw
