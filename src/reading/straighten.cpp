#include "reading/straighten.h"

#include "platform/rounding.h"
#include "platform/saturating.h"
#include "reading/greyview.h"
#include "reading/sheetgeometry.h"
#include "reading/sheetreader.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace sw {

namespace {

// Largest side of a straightened picture, pixels.
constexpr int MaxStraightSide = 20000;
// A straightened picture holds at most this many times the scan's pixels: a
// template page or cut box claiming more is refused, not drawn.
constexpr qint64 MaxStraightShare = 2;
// ...but a small scan may still give a readable cut.
constexpr qint64 MinStraightPixels = 1 << 20;

QColor colourOf(CellMark mark)
{
    switch (mark) {
    case CellMark::Filled:
        return QColor(0, 160, 0);
    case CellMark::Multiple:
        return QColor(220, 0, 0);
    case CellMark::Uncertain:
        return QColor(255, 140, 0);
    case CellMark::Empty:
        break;
    }
    return QColor(80, 120, 255);
}

QRectF scaled(const TRect& r, double s)
{
    return {r.Left * s, r.Top * s, r.width() * s, r.height() * s};
}

} // namespace

QImage straightenedArea(const GreyView& scan, const AffineMap& map, const QRectF& area,
                        double scale)
{
    const int w = std::clamp(roundHalfEven(area.width() * scale), 0, MaxStraightSide);
    const int h = std::clamp(roundHalfEven(area.height() * scale), 0, MaxStraightSide);
    const qint64 limit =
        std::max(MinStraightPixels, MaxStraightShare * scan.width() * qint64(scan.height()));
    if (qint64(w) * h > limit)
        return {};
    QImage out(w, h, QImage::Format_Grayscale8);
    if (out.isNull())
        return out;
    const double step = 1.0 / scale;
    for (int y = 0; y < h; ++y) {
        uchar* line = out.scanLine(y);
        const QPointF start = map.map({area.left() + 0.5 * step, area.top() + (y + 0.5) * step});
        double sx = start.x();
        double sy = start.y();
        for (int x = 0; x < w; ++x) {
            line[x] = uchar(scan.grey(saturatingFloor(sx), saturatingFloor(sy)));
            sx += map.A * step;
            sy += map.D * step;
        }
    }
    return out;
}

QImage markedPicture(const GreyView& scan, const SheetReading& reading, const PageGeometry& page)
{
    const double s = reading.Map.scale();
    const QImage straight =
        straightenedArea(scan, reading.Map, QRectF(0, 0, page.Width, page.Height), s);
    if (straight.isNull())
        return straight;
    // A caption strip above the page, so that it hides nothing that was read.
    QFont font;
    font.setPixelSize(std::clamp(roundHalfEven(s * 10), 12, 1000));
    const int strip = roundHalfEven(font.pixelSize() * 1.8);
    QImage picture(straight.width(), straight.height() + strip, QImage::Format_RGB32);
    picture.fill(QColor(255, 255, 200));
    QPainter painter(&picture);
    painter.drawImage(0, strip, straight);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QString caption = QStringLiteral("%1卷--%2面  %3  residual %4 px")
                                .arg(reading.PaperType)
                                .arg(reading.PageNumber)
                                .arg(reading.statusText())
                                .arg(reading.Found.Fit.Residual, 0, 'f', 1);
    painter.drawText(QRectF(font.pixelSize(), 0, picture.width(), strip),
                     Qt::AlignLeft | Qt::AlignVCenter, caption);

    painter.translate(0, strip);
    painter.setBrush(Qt::NoBrush);
    const double pen = std::max(1.0, s * 0.6);
    for (const ReadCell& cell : reading.Cells) {
        painter.setPen(QPen(colourOf(cell.Mark), pen));
        painter.drawRect(scaled(cell.Rect, s).adjusted(-pen, -pen, pen, pen));
    }
    painter.setPen(QPen(QColor(200, 0, 200), pen * 2));
    for (const TRect& box : page.PositioningBoxes)
        painter.drawRect(scaled(box, s).adjusted(-2 * pen, -2 * pen, 2 * pen, 2 * pen));
    return picture;
}

} // namespace sw
