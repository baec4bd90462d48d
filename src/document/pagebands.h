#pragma once

#include "document/painting.h"

#include <QImage>
#include <QSize>

namespace sw {

class TVectorGraph;
class TVectorGraphics;

// Memory one band of an exported picture may take.
constexpr qint64 ExportBandBytes = qint64(16) << 20;

// Rows of a band of 32-bit pixels `width` wide within ExportBandBytes.
int exportBandRows(int width);

// A page drawn for output (as ExportImage draws it) in horizontal bands of at
// most `bandRows` rows on a white sheet of `size` pixels, so that a picture of
// any size needs one band's memory. Every row equals the row of the whole
// sheet painted at once. The page keeps the output scale while the bands live.
class PageBands
{
public:
    PageBands(const TVectorGraphics& document, TVectorGraph& page, double dotsPerInch, QSize size,
              int bandRows);
    // False when there was no memory for a band.
    bool isValid() const { return !m_band.isNull(); }
    QSize size() const { return m_size; }

    // Row y (0 <= y < height) as Format_RGB32 pixels, valid until the next
    // call; paints the band holding it when it is not the current one.
    const QRgb* row(int y);

private:
    void paintBand(int top);

    const TVectorGraphics& m_document;
    TVectorGraph& m_page;
    ScopedPageScale m_scale;
    QSize m_size;
    QImage m_band;
    int m_top = -1; // of the band painted, -1 before the first
};

} // namespace sw
