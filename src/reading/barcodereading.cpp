#include "reading/barcodereading.h"

#include "platform/saturating.h"
#include "reading/affinemap.h"

#define ZX_USE_UTF8
#include <ZXing/ReadBarcode.h>

#include <algorithm>
#include <cmath>

namespace sw {

namespace {

// The area is searched with this share of its size around it, for a barcode
// printed or stuck a little off.
constexpr double Margin = 0.15;

// The scan pixels the area covers under the map, with the margin.
QRect scanRect(const QImage& scan, const AffineMap& map, const TRect& area)
{
    const double dx = area.width() * Margin;
    const double dy = area.height() * Margin;
    double left = HUGE_VAL, top = HUGE_VAL, right = -HUGE_VAL, bottom = -HUGE_VAL;
    for (const QPointF corner :
         {QPointF(area.Left - dx, area.Top - dy), QPointF(area.Right + dx, area.Top - dy),
          QPointF(area.Left - dx, area.Bottom + dy), QPointF(area.Right + dx, area.Bottom + dy)}) {
        const QPointF p = map.map(corner);
        left = std::min(left, p.x());
        top = std::min(top, p.y());
        right = std::max(right, p.x());
        bottom = std::max(bottom, p.y());
    }
    const QRect covered(QPoint(saturatingFloor(left), saturatingFloor(top)),
                        QPoint(saturatingFloor(right), saturatingFloor(bottom)));
    return covered.intersected(scan.rect());
}

} // namespace

QString readBarcode(const QImage& scan, const AffineMap& map, const TRect& area)
{
    const QRect part = scanRect(scan, map, area);
    if (part.isEmpty())
        return {};
    const QImage grey = scan.copy(part).convertToFormat(QImage::Format_Grayscale8);
    if (grey.isNull())
        return {};
    const ZXing::ImageView view(grey.constBits(), grey.width(), grey.height(),
                                ZXing::ImageFormat::Lum, int(grey.bytesPerLine()));
    const auto hints = ZXing::DecodeHints()
                           .setFormats(ZXing::BarcodeFormat::Code128 | ZXing::BarcodeFormat::QRCode)
                           .setTryHarder(true)
                           .setTryRotate(true);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid())
        return {};
    const QString text = QString::fromStdString(result.text());
    return text.section(QLatin1Char('\n'), 0, 0);
}

} // namespace sw
