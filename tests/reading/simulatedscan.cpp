#include "reading/simulatedscan.h"

#include "document/painting.h"
#include "document/vectorgraphics.h"
#include "platform/picturecodec.h"

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace sw::test {

QImage printedPage(TVectorGraphics& document, int pageIndex, double dpi)
{
    return printedPageImage(document, pageIndex, outputScale(dpi, document.PixelsPerMm));
}

void pencilFill(QImage& sheet, const QRectF& cell, double coverage, bool erased, std::mt19937& rng)
{
    std::uniform_int_distribution<int> darkness(40, 90);
    const int grey = erased ? 205 : darkness(rng);
    pencilShade(sheet, cell, (1 - coverage) / 2, coverage, grey, rng);
}

void pencilShade(QImage& sheet, const QRectF& cell, double from, double coverage, int grey,
                 std::mt19937& rng)
{
    std::uniform_real_distribution<double> jitter(-0.08, 0.08);
    const double w = cell.width() * coverage;
    const double left = cell.left() + cell.width() * from;
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    // Graphite darkens the print under it, never lightens it.
    p.setCompositionMode(QPainter::CompositionMode_Darken);
    const double strokes = std::max(3.0, cell.height() / 2.5);
    p.setPen(
        QPen(QColor(grey, grey, grey), cell.height() / strokes * 1.6, Qt::SolidLine, Qt::RoundCap));
    QPainterPath path;
    for (int k = 0; k <= int(strokes); ++k) {
        const double y = cell.top() + cell.height() * (k + 0.5 + jitter(rng)) / (strokes + 1);
        const QPointF a(left + w * jitter(rng), y);
        const QPointF b(left + w * (1 + jitter(rng)), y + cell.height() * jitter(rng));
        path.moveTo(k % 2 ? b : a);
        path.lineTo(k % 2 ? a : b);
    }
    p.drawPath(path);
}

namespace {

// A pencil line about a third of a millimetre wide on a cell of about 2.5 mm.
QPen pencilLine(const QRectF& cell, int grey)
{
    return QPen(QColor(grey, grey, grey), std::max(1.5, cell.height() / 7), Qt::SolidLine,
                Qt::RoundCap, Qt::RoundJoin);
}

QPointF within(const QRectF& cell, double x, double y, std::mt19937& rng)
{
    std::uniform_real_distribution<double> jitter(-0.06, 0.06);
    return {cell.left() + cell.width() * (x + jitter(rng)),
            cell.top() + cell.height() * (y + jitter(rng))};
}

} // namespace

void pencilTick(QImage& sheet, const QRectF& cell, int grey, std::mt19937& rng)
{
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Darken);
    p.setPen(pencilLine(cell, grey));
    const QPointF points[] = {within(cell, 0.15, 0.5, rng), within(cell, 0.4, 0.9, rng),
                              within(cell, 0.95, 0.05, rng)};
    p.drawPolyline(points, 3);
}

void pencilCross(QImage& sheet, const QRectF& cell, int grey, std::mt19937& rng)
{
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    p.setCompositionMode(QPainter::CompositionMode_Darken);
    p.setPen(pencilLine(cell, grey));
    p.drawLine(within(cell, 0.1, 0.1, rng), within(cell, 0.9, 0.9, rng));
    p.drawLine(within(cell, 0.9, 0.1, rng), within(cell, 0.1, 0.9, rng));
}

void pencilMark(QImage& sheet, const QRectF& cell, PencilMark kind, std::mt19937& rng)
{
    std::uniform_int_distribution<int> dark(40, 90);
    std::uniform_int_distribution<int> light(150, 185);
    switch (kind) {
    case PencilMark::Fill:
        pencilFill(sheet, cell, 0.8, false, rng);
        break;
    case PencilMark::LightFill:
        pencilShade(sheet, cell, 0.05, 0.9, light(rng), rng);
        break;
    case PencilMark::Tick:
        pencilTick(sheet, cell, dark(rng), rng);
        break;
    case PencilMark::Cross:
        pencilCross(sheet, cell, dark(rng), rng);
        break;
    case PencilMark::LeftHalf:
    case PencilMark::RightHalf:
        pencilShade(sheet, cell, kind == PencilMark::LeftHalf ? 0.05 : 0.5, 0.45, dark(rng), rng);
        break;
    }
}

void punchHole(QImage& sheet, QPointF centre, double diameter, int backing)
{
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(backing, backing, backing));
    p.drawEllipse(centre, diameter / 2, diameter / 2);
}

void strayMark(QImage& sheet, QPointF at, std::mt19937& rng)
{
    std::uniform_real_distribution<double> d(-6, 6);
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.drawLine(at, at + QPointF(d(rng), d(rng)));
}

namespace {

void boxBlur(QImage& grey)
{
    const QImage source = grey.copy();
    for (int y = 1; y + 1 < grey.height(); ++y) {
        uchar* out = grey.scanLine(y);
        const uchar* rows[3] = {source.constScanLine(y - 1), source.constScanLine(y),
                                source.constScanLine(y + 1)};
        for (int x = 1; x + 1 < grey.width(); ++x) {
            int sum = 0;
            for (const uchar* r : rows)
                sum += r[x - 1] + r[x] + r[x + 1];
            out[x] = uchar(sum / 9);
        }
    }
}

} // namespace

QImage scanned(const QImage& sheet, const ScanConditions& c, std::mt19937& rng)
{
    QTransform place;
    const QPointF middle(sheet.width() / 2.0, sheet.height() / 2.0);
    place.translate(middle.x() + c.shift.x(), middle.y() + c.shift.y());
    place.rotate(c.degrees);
    place.scale(c.scale, c.scale);
    place.translate(-middle.x(), -middle.y());
    QSize size = sheet.size();
    if (c.wholeSheet) {
        const QRect bounds = place.mapRect(QRectF(sheet.rect()))
                                 .toAlignedRect()
                                 .adjusted(-c.platen, -c.platen, c.platen, c.platen);
        place *= QTransform::fromTranslate(-bounds.left(), -bounds.top());
        size = bounds.size();
    }
    QImage turned(size, QImage::Format_RGB32);
    turned.fill(QColor(c.backdrop, c.backdrop, c.backdrop));
    {
        QPainter p(&turned);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.setTransform(place);
        p.drawImage(0, 0, sheet);
    }
    QImage grey = turned.convertToFormat(QImage::Format_Grayscale8);
    if (c.blur)
        boxBlur(grey);
    std::uniform_int_distribution<int> noise(-c.noise, c.noise);
    for (int y = 0; y < grey.height() && c.noise > 0; ++y) {
        uchar* line = grey.scanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            line[x] = uchar(std::clamp(line[x] + noise(rng), 0, 255));
    }
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    grey.save(&buffer, "JPG", c.quality);
    return decodeJpeg(jpeg);
}

} // namespace sw::test
