#pragma once

#include <QIODevice>
#include <QImage>
#include <QSize>
#include <QTransform>

namespace sw {

// The mapping of the skew correction from bitmap coordinates before to after:
// with D = -skewAngle x 57.29578 degrees, a rotation by D about the origin
// (clockwise on screen for positive D) followed by a translation by
// (H x D / 90, -W x D / 90) that keeps the middle of the sheet near its place.
QTransform correctionTransform(const QSize& size, double skewAngle);

// The picture drawn straight: a bitmap of `size` (Format_RGB32) cleared to
// opaque white, with the picture scaled into (0, 0, W, H) under the
// correction transform and sampled bilinearly (transparent parts white). A
// Format_Grayscale8 picture gives a grey bitmap under the same mapping. A null
// image when the size is empty or memory runs out.
QImage RotatePicture(const QImage& picture, const QSize& size, double skewAngle);

// saveJpeg of RotatePicture(picture, picture.size(), skewAngle), the picture
// drawn straight row by row into the encoder without the whole bitmap.
bool SaveStraightJpeg(const QImage& picture, double skewAngle, QIODevice& device, int quality,
                      int dotsPerInch, QString* error = nullptr);

} // namespace sw
