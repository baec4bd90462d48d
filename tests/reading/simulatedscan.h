#pragma once

#include <QImage>
#include <QRectF>
#include <random>

namespace sw {
class TVectorGraphics;
}

namespace sw::test {

// Printed sheets filled in by hand and scanned, made up inside the tests.

// The page drawn for printing at `dpi` on white paper.
QImage printedPage(TVectorGraphics& document, int pageIndex, double dpi);

// Pencil strokes over a centred share `coverage` of the cell's width, at a
// grey level between 40 and 90; lighter (about 205) for a half-erased mark.
void pencilFill(QImage& sheet, const QRectF& cell, double coverage, bool erased, std::mt19937& rng);
// A short dark scribble.
void strayMark(QImage& sheet, QPointF at, std::mt19937& rng);

struct ScanConditions
{
    double degrees = 0;
    QPointF shift; // pixels
    double scale = 1;
    bool blur = true;
    int noise = 10;   // grey levels, plus or minus
    int quality = 75; // JPEG
};

// The sheet as a scanner returns it: turned, shifted and scaled about its
// middle, blurred, noised, JPEG-compressed and decoded again, as grey.
QImage scanned(const QImage& sheet, const ScanConditions& conditions, std::mt19937& rng);

} // namespace sw::test
