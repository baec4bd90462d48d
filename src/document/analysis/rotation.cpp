#include "document/analysis/rotation.h"

#include "document/analysis/greystraightening.h"
#include "platform/picturecodec.h"

#include <QPainter>
#include <vector>

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
    if (picture.format() == QImage::Format_Grayscale8) {
        QImage bitmap(size, QImage::Format_Grayscale8);
        if (bitmap.isNull())
            return {};
        const GreyStraightening straightening(picture, size, correctionTransform(size, skewAngle));
        for (int y = 0; y < size.height(); ++y)
            straightening.drawRow(y, bitmap.scanLine(y));
        bitmap.setDotsPerMeterX(picture.dotsPerMeterX());
        bitmap.setDotsPerMeterY(picture.dotsPerMeterY());
        return bitmap;
    }
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

bool SaveStraightJpeg(const QImage& picture, double skewAngle, QIODevice& device, int quality,
                      int dotsPerInch, QString* error)
{
    if (picture.format() != QImage::Format_Grayscale8)
        return saveJpeg(RotatePicture(picture, picture.size(), skewAngle), device, quality,
                        dotsPerInch, error);
    const GreyStraightening straightening(picture, picture.size(),
                                          correctionTransform(picture.size(), skewAngle));
    std::vector<uchar> row(std::size_t(picture.width()));
    const auto rows = [&](int y) {
        straightening.drawRow(y, row.data());
        return static_cast<const uchar*>(row.data());
    };
    return saveGreyJpegRows(picture.size(), rows, device, quality, dotsPerInch, error);
}

} // namespace sw
