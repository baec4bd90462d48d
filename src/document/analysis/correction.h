#pragma once

#include <QImage>
#include <QString>

namespace sw {

class TVectorGraphics;

inline const QString DetectionFailedMessage = QStringLiteral("检测失败!");
inline const QString DetectionSucceededMessage = QStringLiteral("检测成功！");

// What straightening a background picture came to.
struct BackgroundCorrection
{
    bool detected = false;  // the marks or fuzzy boxes were found
    double skewAngle = 0.0; // radians, as measured before the rotation
    QImage picture;         // the straightened picture; null when nothing was rotated
    QString message;        // "检测失败!", "检测成功！" or empty
    // The picture is left for the caller to draw straight by skewAngle.
    bool leftToDraw = false;
};

// Whether CorrectBackground draws the straightened picture.
enum class StraightPicture
{
    Drawn,
    // Only where measuring needs it (mode 4): a caller that writes the picture
    // out can draw it row by row instead (SaveStraightJpeg).
    LeftToCaller
};

// Measures the skew of the current page's background picture and draws it
// straight, as the "校正底图" command does without its windows: the two top
// positioning marks in the overlay modes 1 to 3, the fuzzy-recognition boxes
// in mode 4 (learnt on the picture, then located again on the straightened
// one, which moves them). Mode 0 has nothing to measure.
BackgroundCorrection CorrectBackground(TVectorGraphics& document, const QImage& picture,
                                       StraightPicture straight = StraightPicture::Drawn);

// How many rows from the top of a picture of `size` CorrectBackground reads:
// the marks' surroundings in modes 1 to 3, nothing in mode 0, the whole
// picture (-1) in mode 4. Rebuilds the shape records as CorrectBackground does.
int CorrectionRowsRead(TVectorGraphics& document, const QSize& size);

} // namespace sw
