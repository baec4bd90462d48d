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

// CorrectBackground in two steps, for a caller that decodes the picture as it
// goes: how far the correction reads, then the correction. The shape records
// the mark search reads are rebuilt once for both.
class BackgroundCorrector
{
public:
    explicit BackgroundCorrector(TVectorGraphics& document);

    // How many rows from the top of a picture of `size` correct() reads: the
    // marks' surroundings in modes 1 to 3, nothing in mode 0, the whole
    // picture (-1) in mode 4.
    int rowsRead(const QSize& size);
    BackgroundCorrection correct(const QImage& picture,
                                 StraightPicture straight = StraightPicture::Drawn);

private:
    void rebuildRecordsOnce();

    TVectorGraphics& m_document;
    bool m_recordsRebuilt = false;
};

} // namespace sw
