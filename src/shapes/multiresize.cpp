#include "shapes/multiresize.h"

namespace sw {

namespace {

// Cursor of each handle pair, tested in this order.
struct HandlePair
{
    int first;
    int second;
    TCursor cursor;
};

constexpr HandlePair handlePairs[] = {
    {0, 7, TCursor::SizeNWSE},
    {1, 6, TCursor::SizeNS},
    {2, 5, TCursor::SizeNESW},
    {3, 4, TCursor::SizeWE},
};

} // namespace

bool TMultiResizeControlGraphics::OnHandle(TPoint p)
{
    for (const TRect& handle : Handles) {
        if (handle.contains(p))
            return true;
    }
    return false;
}

TCursor TMultiResizeControlGraphics::HandleCursor(TPoint p, TCursor current)
{
    for (const HandlePair& pair : handlePairs) {
        if (Handles[pair.first].contains(p) || Handles[pair.second].contains(p))
            return pair.cursor;
    }
    return current;
}

void TMultiResizeControlGraphics::Draw(Canvas& canvas)
{
    if (Selected) {
        const TPenMode mode = canvas.pen().Mode;
        canvas.pen().Mode = pmNotXor;
        DrawHandles(canvas);
        canvas.pen().Mode = mode;
    }
    MoveOutlineShown = false;
    ResizeOutlineShown = false;
}

void TMultiResizeControlGraphics::DrawHandles(Canvas& canvas) const
{
    const TPen pen = canvas.pen();
    const TBrush brush = canvas.brush();
    canvas.setBrush({clBlack, bsSolid});
    canvas.pen().Color = clBlack;
    canvas.pen().Width = 1;
    for (const TRect& handle : Handles)
        canvas.Rectangle(handle);
    canvas.setPen(pen);
    canvas.setBrush(brush);
}

int TMultiResizeControlGraphics::HandleAt(TPoint p) const
{
    for (int i = 0; i < int(Handles.size()); ++i) {
        if (Handles[i].contains(p))
            return i;
    }
    return 0;
}

void TMultiResizeControlGraphics::PlaceHandles(const TRect& r)
{
    HandleFrame = r;
    // 64-bit so that frames at the edge of the int range cannot overflow.
    const std::int64_t xm = r.Left + (std::int64_t(r.Right) - r.Left) / 2;
    const std::int64_t ym = r.Top + (std::int64_t(r.Bottom) - r.Top) / 2;
    const std::int64_t xs[] = {r.Left, xm, r.Right, r.Left, r.Right, r.Left, xm, r.Right};
    const std::int64_t ys[] = {r.Top, r.Top, r.Top, ym, ym, r.Bottom, r.Bottom, r.Bottom};
    for (int i = 0; i < int(Handles.size()); ++i)
        Handles[i] = {clampToInt(xs[i] - 3), clampToInt(ys[i] - 3), clampToInt(xs[i] + 3),
                      clampToInt(ys[i] + 3)};
}

} // namespace sw
