#pragma once

#include "shapes/graphics.h"

namespace sw {

class TLine : public TGraphics
{
public:
    // p1, p2 in device pixels of a canvas at the given scale.
    TLine(TPoint p1, TPoint p2, double scaleX, double scaleY);

    bool HitTest(TPoint p) override;
    bool OnHandle(TPoint p) override;
    TCursor HandleCursor(TPoint p, TCursor current) override;
    TRect GetBounds() const override;
    void SetBounds(const TRect& r) override;
    void Draw(Canvas& canvas) override;
    void DragMove(Canvas& canvas, int dx, int dy) override;
    void DragResize(Canvas& canvas, TPoint p) override;
    std::unique_ptr<TGraphics> clone() const override;

    void SetPoints(TPoint a, TPoint b);
    void MoveStart(TPoint p);
    void MoveEnd(TPoint p);

    TPoint P1;
    TPoint P2;
    TRect StartHandle;
    TRect EndHandle;
    bool DraggingStart = false;
    bool DraggingEnd = false;

protected:
    void drawOutline(Canvas& canvas) const;
    // The 7 x 7 device-pixel squares around both ends.
    void placeEndHandles();
    // The layout point a dragged end moves to for the pointer at layout point q.
    virtual TPoint keepDirection(TPoint q) const { return q; }
};

class THLine : public TLine
{
public:
    THLine(TPoint p1, TPoint p2, double scaleX, double scaleY);
    void DragResize(Canvas& canvas, TPoint p) override;
    std::unique_ptr<TGraphics> clone() const override;

protected:
    TPoint keepDirection(TPoint q) const override { return {q.X, P1.Y}; }
};

class TVLine : public TLine
{
public:
    TVLine(TPoint p1, TPoint p2, double scaleX, double scaleY);
    void DragResize(Canvas& canvas, TPoint p) override;
    std::unique_ptr<TGraphics> clone() const override;

protected:
    TPoint keepDirection(TPoint q) const override { return {P1.X, q.Y}; }
};

} // namespace sw
