#include "document/analysis/rotation.h"

#include <QPainter>

namespace sw {

QTransform correctionTransform(const QSize& size, double skewAngle)
{
    const double degrees = -skewAngle * 57.29578;
    QTransform t;
    // Qt composes like prepending: points are rotated first, then translated.
    t.translate(size.height() * degrees / 90, -size.width() * degrees / 90);
    t.rotate(degrees);
    return t;
}

QImage RotatePicture(const QImage& picture, const QSize& size, double skewAngle)
{
    if (size.isEmpty())
        return {};
    QImage bitmap(size, QImage::Format_RGB32);
    if (bitmap.isNull())
        return {};
    bitmap.fill(Qt::white);
    if (picture.isNull())
        return bitmap;
    QPainter painter(&bitmap);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setTransform(correctionTransform(size, skewAngle));
    painter.drawImage(QRectF(0, 0, size.width(), size.height()), picture);
    painter.end();
    bitmap.setDotsPerMeterX(picture.dotsPerMeterX());
    bitmap.setDotsPerMeterY(picture.dotsPerMeterY());
    return bitmap;
}

} // namespace sw
