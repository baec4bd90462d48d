#include "shapes/line.h"

#include "platform/rounding.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace sw {

namespace {

// Tolerance of the line hit test, layout pixels.
constexpr std::int64_t LineTolerance = 5;

} // namespace

TLine::TLine(TPoint p1, TPoint p2, double scaleX, double scaleY) : TGraphics(scaleX, scaleY)
{
    Kind = GLine;
    KindName = QStringLiteral("直线");
    placeEndHandles();
    SetPoints(toLayout(p1), toLayout(p2));
}

std::unique_ptr<TGraphics> TLine::clone() const
{
    return std::make_unique<TLine>(*this);
}

bool TLine::HitTest(TPoint p)
{
    const std::int64_t minX = std::min(P1.X, P2.X);
    const std::int64_t maxX = std::max(P1.X, P2.X);
    const std::int64_t minY = std::min(P1.Y, P2.Y);
    const std::int64_t maxY = std::max(P1.Y, P2.Y);
    const std::int64_t x = p.X;
    const std::int64_t y = p.Y;
    if (maxX - minX <= LineTolerance)
        return std::abs(x - maxX) <= LineTolerance && minY <= y && y <= maxY;
    if (maxY - minY <= LineTolerance)
        return std::abs(y - maxY) <= LineTolerance && minX <= x && x <= maxX;
    const double m = double(P2.Y - P1.Y) / double(P2.X - P1.X);
    const double o = P1.Y - m * P1.X;
    const std::int64_t yl = roundHalfEven(m * p.X + o);
    return yl - LineTolerance <= y && y <= yl + LineTolerance && minX <= x && x <= maxX &&
           minY <= y && y <= maxY;
}

bool TLine::OnHandle(TPoint p)
{
    return StartHandle.contains(p) || EndHandle.contains(p);
}

TCursor TLine::HandleCursor(TPoint p, TCursor current)
{
    if (!OnHandle(p))
        return current;
    if (P1.X == P2.X)
        return TCursor::SizeNS;
    if (P1.Y == P2.Y)
        return TCursor::SizeWE;
    const bool sameDirection = (P2.X > P1.X) == (P2.Y > P1.Y);
    return sameDirection ? TCursor::SizeNWSE : TCursor::SizeNESW;
}

TRect TLine::GetBounds() const
{
    return {P1.X, P1.Y, P2.X, P2.Y};
}

void TLine::SetBounds(const TRect& r)
{
    SetPoints({r.Left, r.Top}, {r.Right, r.Bottom});
}

void TLine::Draw(Canvas& canvas)
{
    canvas.setPen(devicePen());
    drawOutline(canvas);
    placeEndHandles();
    if (Selected) {
        const TPen pen = canvas.pen();
        const TBrush brush = canvas.brush();
        canvas.pen().Mode = pmNotXor;
        canvas.setBrush({clBlack, bsSolid});
        canvas.Rectangle(StartHandle);
        canvas.Rectangle(EndHandle);
        canvas.setPen(pen);
        canvas.setBrush(brush);
    }
    MoveOutlineShown = false;
    ResizeOutlineShown = false;
    DraggingStart = false;
    DraggingEnd = false;
}

void TLine::drawOutline(Canvas& canvas) const
{
    const TPoint a = toDevice(P1);
    const TPoint b = toDevice(P2);
    canvas.MoveTo(a.X, a.Y);
    canvas.LineTo(b.X, b.Y);
}

void TLine::DragMove(Canvas& canvas, int dx, int dy)
{
    setOutlineStyle(canvas);
    if (MoveOutlineShown)
        drawOutline(canvas);
    const TPoint d{toLayoutX(dx), toLayoutY(dy)};
    const auto a = offsetPoint(P1, d);
    const auto b = offsetPoint(P2, d);
    if (a && b)
        SetPoints(*a, *b);
    drawOutline(canvas);
    MoveOutlineShown = true;
}

void TLine::DragResize(Canvas& canvas, TPoint p)
{
    setOutlineStyle(canvas);
    if (ResizeOutlineShown)
        drawOutline(canvas);
    if (!DraggingStart && !DraggingEnd) {
        DraggingStart = StartHandle.contains(p);
        if (!DraggingStart)
            DraggingEnd = EndHandle.contains(p);
    }
    const TPoint q = keepDirection(toLayout(p));
    if (DraggingStart)
        MoveStart(q);
    if (DraggingEnd)
        MoveEnd(q);
    drawOutline(canvas);
    ResizeOutlineShown = true;
}

void TLine::SetPoints(TPoint a, TPoint b)
{
    if (a.X < 0 || a.Y < 0 || b.X < 0 || b.Y < 0)
        return;
    P1 = a;
    P2 = b;
    if (P2.X < P1.X && P2.Y < P1.Y) {
        std::swap(P1, P2);
        if (ResizeOutlineShown) {
            const bool wasStart = DraggingStart;
            DraggingStart = !wasStart;
            DraggingEnd = wasStart;
        }
    }
    placeEndHandles();
}

void TLine::placeEndHandles()
{
    const auto square = [](TPoint c) {
        const std::int64_t x = c.X;
        const std::int64_t y = c.Y;
        return TRect{clampToInt(x - 3), clampToInt(y - 3), clampToInt(x + 4), clampToInt(y + 4)};
    };
    StartHandle = square(toDevice(P1));
    EndHandle = square(toDevice(P2));
}

void TLine::MoveStart(TPoint p)
{
    if (p != P1)
        SetPoints(p, P2);
}

void TLine::MoveEnd(TPoint p)
{
    if (p != P2)
        SetPoints(P1, p);
}

THLine::THLine(TPoint p1, TPoint p2, double scaleX, double scaleY)
    : TLine(p1, {p2.X, p1.Y}, scaleX, scaleY)
{
    Kind = GHline;
    KindName = QStringLiteral("横线");
}

std::unique_ptr<TGraphics> THLine::clone() const
{
    return std::make_unique<THLine>(*this);
}

void THLine::DragResize(Canvas& canvas, TPoint p)
{
    p.Y = toDeviceY(P1.Y);
    TLine::DragResize(canvas, p);
}

TVLine::TVLine(TPoint p1, TPoint p2, double scaleX, double scaleY)
    : TLine(p1, {p1.X, p2.Y}, scaleX, scaleY)
{
    Kind = GVline;
    KindName = QStringLiteral("竖线");
}

std::unique_ptr<TGraphics> TVLine::clone() const
{
    return std::make_unique<TVLine>(*this);
}

void TVLine::DragResize(Canvas& canvas, TPoint p)
{
    p.X = toDeviceX(P1.X);
    TLine::DragResize(canvas, p);
}

} // namespace sw
