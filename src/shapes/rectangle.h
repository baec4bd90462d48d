#pragma once

#include "shapes/multiresize.h"

namespace sw {

// The box base of every shape except the lines.
class TRectangle : public TMultiResizeControlGraphics
{
public:
    // p1, p2 in device pixels of a canvas at the given scale.
    TRectangle(TPoint p1, TPoint p2, double scaleX, double scaleY);

    bool HitTest(TPoint p) override;
    TRect GetBounds() const override;
    void SetBounds(const TRect& r) override;
    void Draw(Canvas& canvas) override;
    void DragMove(Canvas& canvas, int dx, int dy) override;
    void DragResize(Canvas& canvas, TPoint p) override;
    std::unique_ptr<TGraphics> clone() const override;

    void SetCorners(TPoint a, TPoint b);
    void SetTopLeft(TPoint p) { SetCorners(p, BottomRight); }
    void SetBottomRight(TPoint p) { SetCorners(TopLeft, p); }
    void SetLeft(int v);
    void SetTop(int v);
    void SetWidth(int v);
    void SetHeight(int v);
    void ResizeByHandle(int i, TPoint p);
    void UpdateBounds();

    // Device-pixel bounds at the current scale.
    TRect deviceBounds() const { return toDevice(Bounds); }

    TRect Bounds;
    TPoint TopLeft;
    TPoint BottomRight;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

protected:
    // The dotted drag outline of this kind of box.
    virtual void drawOutline(Canvas& canvas) const;
    // The common end of every box's Draw: handles when selected, flags cleared.
    void finishDraw(Canvas& canvas);
};

} // namespace sw
