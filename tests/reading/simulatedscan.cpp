#include "reading/simulatedscan.h"

#include "document/painting.h"
#include "document/vectorgraphics.h"
#include "platform/picturecodec.h"
#include "platform/qpaintercanvas.h"
#include "platform/rounding.h"

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace sw::test {

QImage printedPage(TVectorGraphics& document, int pageIndex, double dpi)
{
    TVectorGraph& page = *document.PageAt(pageIndex);
    const double scale = outputScale(dpi, document.PixelsPerMm);
    QImage image(roundHalfEven(scale * page.Width * document.PixelsPerMm),
                 roundHalfEven(scale * page.Height * document.PixelsPerMm), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainterCanvas canvas(image, outputFontPixelsPerInch(document));
    ScopedPageScale output(page, scale, scale);
    Paint(page, canvas, OutputPrint);
    return image;
}

void pencilFill(QImage& sheet, const QRectF& cell, double coverage, bool erased, std::mt19937& rng)
{
    std::uniform_int_distribution<int> darkness(40, 90);
    std::uniform_real_distribution<double> jitter(-0.08, 0.08);
    const int grey = erased ? 205 : darkness(rng);
    const double w = cell.width() * coverage;
    const double left = cell.center().x() - w / 2;
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
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
    QImage turned(sheet.size(), QImage::Format_RGB32);
    turned.fill(Qt::white);
    {
        QPainter p(&turned);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        const QPointF middle(sheet.width() / 2.0, sheet.height() / 2.0);
        p.translate(middle + c.shift);
        p.rotate(c.degrees);
        p.scale(c.scale, c.scale);
        p.translate(-middle);
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
