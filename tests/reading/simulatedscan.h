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
// Pencil strokes of the given grey over a share `coverage` of the cell's
// width, starting `from` that share of the width in from its left side.
void pencilShade(QImage& sheet, const QRectF& cell, double from, double coverage, int grey,
                 std::mt19937& rng);
// A tick or a cross drawn with a pencil line across the cell.
void pencilTick(QImage& sheet, const QRectF& cell, int grey, std::mt19937& rng);
void pencilCross(QImage& sheet, const QRectF& cell, int grey, std::mt19937& rng);
// The ways a candidate marks a cell.
enum class PencilMark
{
    Fill,      // pencil of the usual darkness over most of the cell
    LightFill, // a light pencil fill, 30 to 45 % dark
    Tick,
    Cross,
    LeftHalf, // a dark fill over one half of the cell only
    RightHalf,
};
void pencilMark(QImage& sheet, const QRectF& cell, PencilMark kind, std::mt19937& rng);

// A punched hole of `diameter` pixels showing the backing's grey.
void punchHole(QImage& sheet, QPointF centre, double diameter, int backing);
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
    // The picture grows to hold the whole turned sheet (a scan cropped to the
    // paper); otherwise it keeps the sheet's size and cuts what is turned out.
    bool wholeSheet = false;
    int platen = 0;     // with wholeSheet: pixels of lid on every side of the paper
    int backdrop = 255; // grey of the scanner's lid around the paper
};

// The sheet as a scanner returns it: turned, shifted and scaled about its
// middle, blurred, noised, JPEG-compressed and decoded again, as grey.
QImage scanned(const QImage& sheet, const ScanConditions& conditions, std::mt19937& rng);

} // namespace sw::test
