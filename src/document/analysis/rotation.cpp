#include "document/analysis/rotation.h"

#include "document/analysis/picturestraightening.h"
#include "platform/picturecodec.h"

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

namespace {

// The picture as the straightening reads it: grey stays grey, anything else
// becomes opaque colour, transparent parts white as on the bitmap.
QImage straighteningInput(const QImage& picture)
{
    if (picture.format() == QImage::Format_Grayscale8 || picture.format() == QImage::Format_RGB32)
        return picture;
    return opaqueImage(picture, Qt::white);
}

} // namespace

QImage RotatePicture(const QImage& picture, const QSize& size, double skewAngle)
{
    if (size.isEmpty())
        return {};
    if (picture.isNull()) {
        QImage white(size, QImage::Format_RGB32);
        white.fill(Qt::white);
        return white;
    }
    const QImage input = straighteningInput(picture);
    QImage bitmap(size, input.format() == QImage::Format_Grayscale8 ? QImage::Format_Grayscale8
                                                                    : QImage::Format_RGB32);
    if (input.isNull() || bitmap.isNull())
        return {};
    const PictureStraightening straightening(input.size(), input.format(), size,
                                             correctionTransform(size, skewAngle));
    for (int y = 0; y < size.height(); ++y)
        straightening.drawRow(y, PictureRows::of(input), bitmap.scanLine(y));
    bitmap.setDotsPerMeterX(picture.dotsPerMeterX());
    bitmap.setDotsPerMeterY(picture.dotsPerMeterY());
    return bitmap;
}

bool SaveStraightJpeg(const QImage& picture, double skewAngle, QIODevice& device, int quality,
                      int dotsPerInch, QString* error)
{
    const QImage input = picture.isNull() ? picture : straighteningInput(picture);
    if (input.isNull()) // nothing to draw, or no memory to draw it: saveJpeg says which
        return saveJpeg(input, device, quality, dotsPerInch, error);
    const PictureStraightening straightening(input.size(), input.format(), input.size(),
                                             correctionTransform(input.size(), skewAngle));
    std::vector<uchar> row(std::size_t(input.bytesPerLine()));
    const auto drawn = [&](int y) {
        straightening.drawRow(y, PictureRows::of(input), row.data());
        return static_cast<const uchar*>(row.data());
    };
    if (input.format() == QImage::Format_Grayscale8)
        return saveGreyJpegRows(input.size(), drawn, device, quality, dotsPerInch, error);
    const auto colour = [&drawn](int y) { return reinterpret_cast<const QRgb*>(drawn(y)); };
    return saveJpegRows(input.size(), colour, device, quality, dotsPerInch, error);
}

} // namespace sw
