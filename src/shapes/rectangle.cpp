#include "shapes/rectangle.h"

#include <utility>

namespace sw {

namespace {

// The handle at the mirrored place of handle i after the box flipped over
// along x and/or y. Flipping both ways gives the opposite handle.
int flippedHandle(int i, bool flipX, bool flipY)
{
    static constexpr int mirrorX[8] = {2, 1, 0, 4, 3, 7, 6, 5};
    static constexpr int mirrorY[8] = {5, 6, 7, 3, 4, 0, 1, 2};
    if (flipX)
        i = mirrorX[i];
    if (flipY)
        i = mirrorY[i];
    return i;
}

} // namespace

TRectangle::TRectangle(TPoint p1, TPoint p2, double scaleX, double scaleY)
    : TMultiResizeControlGraphics(scaleX, scaleY)
{
    Kind = GRectangle;
    KindName = QStringLiteral("方框");
    UpdateBounds();
    SetCorners(toLayout(p1), toLayout(p2));
}

std::unique_ptr<TGraphics> TRectangle::clone() const
{
    return std::make_unique<TRectangle>(*this);
}

bool TRectangle::HitTest(TPoint p)
{
    return !Locked && Bounds.contains(p);
}

TRect TRectangle::GetBounds() const
{
    return Bounds;
}

void TRectangle::SetBounds(const TRect& r)
{
    SetCorners({r.Left, r.Top}, {r.Right, r.Bottom});
}

void TRectangle::Draw(Canvas& canvas)
{
    canvas.setPen(devicePen());
    canvas.setBrush(Brush);
    canvas.Rectangle(deviceBounds());
    finishDraw(canvas);
}

void TRectangle::finishDraw(Canvas& canvas)
{
    PlaceHandles(deviceBounds());
    TMultiResizeControlGraphics::Draw(canvas);
}

void TRectangle::drawOutline(Canvas& canvas) const
{
    canvas.Rectangle(deviceBounds());
}

void TRectangle::DragMove(Canvas& canvas, int dx, int dy)
{
    setOutlineStyle(canvas);
    if (MoveOutlineShown)
        drawOutline(canvas);
    const TPoint d{toLayoutX(dx), toLayoutY(dy)};
    const auto topLeft = offsetPoint(TopLeft, d);
    const auto bottomRight = offsetPoint(BottomRight, d);
    if (topLeft && bottomRight)
        SetCorners(*topLeft, *bottomRight);
    drawOutline(canvas);
    MoveOutlineShown = true;
}

void TRectangle::DragResize(Canvas& canvas, TPoint p)
{
    setOutlineStyle(canvas);
    if (ResizeOutlineShown)
        drawOutline(canvas);
    else
        ActiveHandle = std::uint8_t(HandleAt(p));
    ResizeByHandle(ActiveHandle, toLayout(p));
    drawOutline(canvas);
    ResizeOutlineShown = true;
}

void TRectangle::SetCorners(TPoint a, TPoint b)
{
    if (a.X < 0 || a.Y < 0 || b.X < 0 || b.Y < 0)
        return;
    TopLeft = a;
    BottomRight = b;
    const bool swapX = BottomRight.X < TopLeft.X;
    const bool swapY = BottomRight.Y < TopLeft.Y;
    if (swapX)
        std::swap(TopLeft.X, BottomRight.X);
    if (swapY)
        std::swap(TopLeft.Y, BottomRight.Y);
    // While a resize drag is under way the dragged handle follows the pointer
    // to the other side of the box.
    if (ResizeOutlineShown)
        ActiveHandle = std::uint8_t(flippedHandle(ActiveHandle & 7, swapX, swapY));
    UpdateBounds();
}

void TRectangle::SetLeft(int v)
{
    if (v != TopLeft.X)
        SetCorners({v, TopLeft.Y}, BottomRight);
}

void TRectangle::SetTop(int v)
{
    if (v != TopLeft.Y)
        SetCorners({TopLeft.X, v}, BottomRight);
}

void TRectangle::SetWidth(int v)
{
    if (v == Width || v <= 0)
        return;
    if (const auto right = offsetPoint({Left, BottomRight.Y}, {v, 0}))
        SetCorners(TopLeft, *right);
}

void TRectangle::SetHeight(int v)
{
    if (v == Height || v <= 0)
        return;
    if (const auto bottom = offsetPoint({BottomRight.X, Top}, {0, v}))
        SetCorners(TopLeft, *bottom);
}

void TRectangle::ResizeByHandle(int i, TPoint p)
{
    switch (i) {
    case 0:
        SetTopLeft(p);
        break;
    case 1:
        SetTopLeft({Left, p.Y});
        break;
    case 2:
        SetTopLeft({Left, p.Y});
        SetBottomRight({p.X, Top + Height});
        break;
    case 3:
        SetTopLeft({p.X, Top});
        break;
    case 4:
        SetBottomRight({p.X, Top + Height});
        break;
    case 5:
        SetTopLeft({p.X, Top});
        SetBottomRight({Left + Width, p.Y});
        break;
    case 6:
        SetBottomRight({Left + Width, p.Y});
        break;
    case 7:
        SetBottomRight(p);
        break;
    default:
        break;
    }
}

void TRectangle::UpdateBounds()
{
    Bounds = {TopLeft.X, TopLeft.Y, BottomRight.X, BottomRight.Y};
    Left = TopLeft.X;
    Top = TopLeft.Y;
    Width = BottomRight.X - TopLeft.X;
    Height = BottomRight.Y - TopLeft.Y;
    PlaceHandles(deviceBounds());
}

} // namespace sw
