#pragma once

#include "document/analysis/correction.h"
#include "platform/jpegdecoder.h"

#include <QByteArray>
#include <QIODevice>
#include <QImage>
#include <QString>
#include <optional>

namespace sw {

class TVectorGraphics;

// The background correction of a scan that is then written out straight as
// JPEG (the command-line deskew), in little memory where it can be: a JPEG
// scan is decoded only as far as the correction reads it (around the
// positioning marks near the top of the sheet, in modes 0 to 3), then row by
// row through the straightening into the encoder. Fuzzy recognition (mode 4)
// and other picture files take the whole scan.
class ScanStraightening
{
public:
    // A JPEG scan, which must outlive this object; false with the reason when
    // its header cannot be read.
    bool start(const QByteArray& jpeg, QString* error = nullptr);
    // A scan decoded whole.
    void start(const QImage& scan);

    // CorrectBackground of the document's current page for the scan; nothing,
    // with the reason, when the part of the scan it reads cannot be decoded.
    std::optional<BackgroundCorrection> correct(TVectorGraphics& document,
                                                QString* error = nullptr);
    // The scan as the correction leaves it, straightened when it measured an
    // angle, as JPEG; false with the reason when the rest of the scan cannot
    // be decoded (scanFailed()) or the device refuses the data.
    bool write(QIODevice& device, int quality, int dotsPerInch, QString* error = nullptr);
    bool scanFailed() const { return m_scanFailed; }

private:
    JpegDecoder m_decoder;
    bool m_streamed = false;
    // The scan's size, with the rows decoded so far from the top.
    QImage m_scan;
    int m_decodedRows = 0;
    BackgroundCorrection m_correction;
    bool m_scanFailed = false;
};

} // namespace sw
