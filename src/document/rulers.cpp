#include "document/rulers.h"

#include "document/vectorgraph.h"
#include "document/vectorgraphics.h"
#include "platform/canvas.h"
#include "platform/rounding.h"

#include <cmath>

namespace sw {

namespace {

// Tick lengths in pixels, measured from the page side of the ruler.
constexpr int MillimetreTick = 2;
constexpr int HalfCentimetreTick = 4;
constexpr int CentimetreTick = 6;
constexpr int RulerFontPoints = 7;
// Distance of the labels from the outer edge of the ruler.
constexpr int HorzLabelTop = 8;
constexpr int VertLabelLeft = 7;

// The whole millimetres visible along a ruler that starts `scroll` device
// pixels into the page, at k device pixels per millimetre.
struct MillimetreScale
{
    MillimetreScale(int scroll, double k, int length) : k(k)
    {
        const double c = scroll / k;
        first = std::trunc(c);
        offset = roundHalfEven((1 - (c - first)) * k);
        count = roundHalfEven(length / k);
    }
    // Position of the i-th tick (from 1) and the millimetre it stands for.
    int position(int i) const { return roundHalfEven((i - 1) * k) + offset; }
    long long millimetre(int i) const { return i + static_cast<long long>(first); }

    double k;
    double first;
    int offset;
    int count;
};

// Below this many device pixels per millimetre the ticks would merge anyway;
// it also bounds the number of ticks per ruler.
constexpr double MinPixelsPerMm = 0.05;

bool usable(double k)
{
    return std::isfinite(k) && k >= MinPixelsPerMm;
}

enum class Axis
{
    Horizontal,
    Vertical
};

// Millimetre ticks of 2 pixels, 4 at every half centimetre, and the label of
// every centimetre. The horizontal ruler adds a 6-pixel centimetre tick under
// its label; on the vertical one the label stands in the tick's place.
void drawScale(Canvas& ruler, Axis axis, int scroll, double k, int thickness, int length)
{
    const MillimetreScale scale(scroll, k, length);
    for (int i = 1; i <= scale.count; ++i) {
        const int along = scale.position(i);
        const long long mm = scale.millimetre(i);
        int tick = mm % 5 == 0 ? HalfCentimetreTick : MillimetreTick;
        if (mm % 10 == 0 && axis == Axis::Horizontal)
            tick = CentimetreTick;
        for (int d = 1; d <= tick; ++d) {
            if (axis == Axis::Horizontal)
                ruler.SetPixel(along, thickness - d, clBlack);
            else
                ruler.SetPixel(thickness - d, along, clBlack);
        }
        if (mm % 10 != 0)
            continue;
        const QString label = QString::number(mm / 10);
        if (axis == Axis::Horizontal)
            ruler.TextOut(along - ruler.TextWidth(label) / 2, HorzLabelTop, label);
        else
            ruler.TextOut(VertLabelLeft, along - ruler.TextHeight(label) / 2, label);
    }
}

} // namespace

void DrawRulers(TVectorGraphics& document, int horzScroll, int vertScroll, Canvas& vertRuler,
                Canvas& horzRuler, int thickness, int vertLength, int horzLength)
{
    if (document.PageCount() == 0)
        return;
    DrawRulerCursor(document, 0, 0, vertRuler, horzRuler, thickness);

    horzRuler.setPen(TPen{clBlack, 1, psSolid, pmCopy});
    horzRuler.setBrush(TBrush{RulerBackground, bsSolid});
    vertRuler.setPen(horzRuler.pen());
    vertRuler.setBrush(horzRuler.brush());
    horzRuler.Rectangle(0, 0, horzLength, thickness);
    vertRuler.Rectangle(0, 0, thickness, vertLength);

    TFont font;
    font.Name = QStringLiteral("Arial");
    horzRuler.setFont(font);
    horzRuler.setFontSize(RulerFontPoints);
    horzRuler.brush().Style = bsClear;
    vertRuler.setPen(horzRuler.pen());
    vertRuler.setFont(horzRuler.font());
    vertRuler.setBrush(horzRuler.brush());

    const TVectorGraph& page = *document.ActivePage();
    const double kx = document.PixelsPerMm * page.ScaleX;
    const double ky = document.PixelsPerMm * page.ScaleY;
    if (usable(kx))
        drawScale(horzRuler, Axis::Horizontal, horzScroll, kx, thickness, horzLength);
    if (usable(ky))
        drawScale(vertRuler, Axis::Vertical, vertScroll, ky, thickness, vertLength);

    DrawRulerSelection(document, horzScroll, vertScroll, vertRuler, horzRuler, thickness);
}

void DrawRulerCursor(TVectorGraphics& document, int x, int y, Canvas& vertRuler,
                     Canvas& horzRuler, int thickness)
{
    TPen& pen = horzRuler.pen();
    pen.Color = clRed;
    pen.Style = psDot;
    pen.Mode = pmNotXor;
    if (document.RulerMarkX != 0) {
        horzRuler.MoveTo(document.RulerMarkX, 0);
        horzRuler.LineTo(document.RulerMarkX, thickness);
    }
    if (x != 0) {
        horzRuler.MoveTo(x, 0);
        horzRuler.LineTo(x, thickness);
    }
    vertRuler.setPen(pen);
    if (document.RulerMarkY != 0) {
        vertRuler.MoveTo(0, document.RulerMarkY);
        vertRuler.LineTo(thickness, document.RulerMarkY);
    }
    if (y != 0) {
        vertRuler.MoveTo(0, y);
        vertRuler.LineTo(thickness, y);
    }
    document.RulerMarkX = x;
    document.RulerMarkY = y;
}

void DrawRulerSelection(TVectorGraphics& document, int horzScroll, int vertScroll,
                        Canvas& vertRuler, Canvas& horzRuler, int thickness)
{
    if (document.ActiveShape == nullptr || document.PageCount() == 0)
        return;
    const TVectorGraph& page = *document.ActivePage();
    const TRect r = document.ActiveShape->GetBounds();

    horzRuler.setPen(TPen{clBlack, 1, psDot, pmCopy});
    for (int x : {roundHalfEven(r.Left * page.ScaleX) - horzScroll,
                  roundHalfEven(r.Right * page.ScaleX) - horzScroll - 1}) {
        horzRuler.MoveTo(x, 0);
        horzRuler.LineTo(x, thickness);
    }
    vertRuler.setPen(horzRuler.pen());
    for (int y : {roundHalfEven(r.Top * page.ScaleY) - vertScroll,
                  roundHalfEven(r.Bottom * page.ScaleY) - vertScroll - 1}) {
        vertRuler.MoveTo(0, y);
        vertRuler.LineTo(thickness, y);
    }
}

} // namespace sw
