#include "shapes/roundrect.h"

#include <algorithm>
#include <cstdlib>

namespace sw {

namespace {

// Lengths in half pixels, so that pixel centres and half corner sizes are
// whole numbers; 64 bits so that boxes at the end of the int range fit.
using Half = std::int64_t;

// The centre coordinate of the corner ellipse nearest to v (all in half pixels),
// or v itself where v lies along a straight edge.
Half cornerCentre(Half v, Half low, Half high, Half corner)
{
    if (v < low + corner)
        return low + corner;
    if (v > high - corner)
        return high - corner;
    return v;
}

} // namespace

bool inRoundRectRegion(const TRect& r, int cornerWidth, int cornerHeight, TPoint p)
{
    if (!r.contains(p))
        return false;
    const Half cw = std::min(std::abs(Half(cornerWidth)), Half(r.Right) - r.Left);
    const Half ch = std::min(std::abs(Half(cornerHeight)), Half(r.Bottom) - r.Top);
    if (cw < 2 || ch < 2)
        return true;
    const Half x = 2 * Half(p.X) + 1;
    const Half y = 2 * Half(p.Y) + 1;
    // Corner ellipses have semi-axes cw/2 and ch/2 pixels: cw and ch half pixels.
    const double dx = double(x - cornerCentre(x, 2 * Half(r.Left), 2 * Half(r.Right), cw)) / cw;
    const double dy = double(y - cornerCentre(y, 2 * Half(r.Top), 2 * Half(r.Bottom), ch)) / ch;
    return dx * dx + dy * dy <= 1.0;
}

TRoundRect::TRoundRect(TPoint p1, TPoint p2, double scaleX, double scaleY, int radius)
    : TRectangle(p1, p2, scaleX, scaleY), Radius(radius)
{
    Kind = GRoundRect;
    KindName = QStringLiteral("圆角方框");
}

std::unique_ptr<TGraphics> TRoundRect::clone() const
{
    return std::make_unique<TRoundRect>(*this);
}

bool TRoundRect::HitTest(TPoint p)
{
    return inRoundRectRegion(Bounds, Radius, Radius, p);
}

void TRoundRect::Draw(Canvas& canvas)
{
    canvas.setPen(devicePen());
    canvas.setBrush(Brush);
    drawOutline(canvas);
    finishDraw(canvas);
}

void TRoundRect::drawOutline(Canvas& canvas) const
{
    const TRect r = deviceBounds();
    canvas.RoundRect(r.Left, r.Top, r.Right, r.Bottom, toDeviceX(Radius), toDeviceY(Radius));
}

} // namespace sw
