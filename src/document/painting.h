#pragma once

#include <QImage>
#include <QString>
#include <cstdint>

namespace sw {

class Canvas;
class TRectKg;
class TVectorGraph;
class TVectorGraphics;

// Output modes of Paint: the screen shows editing aids (cut-box labels) that
// printouts and exported pictures leave out.
constexpr int OutputScreen = 0;
constexpr int OutputPrint = 1;

// Running question numbers of one page, in list order. Answer boxes count on
// from 1, each adding its own offset ("加值") for itself and every later
// answer box; optional-question boxes count from 1 on their own; every other
// box starts at 1.
class BubbleNumbering
{
public:
    // The StartNumber of the next box of the page.
    int next(const TRectKg& box);

private:
    // 64 bits: counts and offsets come from files and may be anything.
    std::int64_t m_answer = 1;
    std::int64_t m_optional = 1;
    std::int64_t m_offset = 0;
};

// Numbers the page's bubble boxes, then draws its visible shapes in list order
// on the canvas at the page's current scale.
void Paint(TVectorGraph& page, Canvas& canvas, int outputMode);
// Paint of the current page; nothing when the document has no page.
void PaintCurrentPage(TVectorGraphics& document, Canvas& canvas, int outputMode);

// Device pixels per layout pixel for output at the given resolution.
double outputScale(double dotsPerInch, double pixelsPerMm);
// Point sizes on printer and export canvases resolve at the screen's
// resolution: the shapes scale their fonts to the output themselves.
int outputFontPixelsPerInch(const TVectorGraphics& document);
// Page `pageIndex` as printed on white paper, `scale` device pixels per layout
// pixel (outputScale). Null when the picture cannot be made.
QImage printedPageImage(TVectorGraphics& document, int pageIndex, double scale);
// The page's name in print jobs and exported documents, e.g. "A卷--1面".
QString outputTitle(const TVectorGraph& page);

// Sets a page's scale for the time of an output and restores the previous
// scale when it goes out of scope.
class ScopedPageScale
{
public:
    ScopedPageScale(TVectorGraph& page, double scaleX, double scaleY);
    ~ScopedPageScale();
    ScopedPageScale(const ScopedPageScale&) = delete;
    ScopedPageScale& operator=(const ScopedPageScale&) = delete;

private:
    TVectorGraph& m_page;
    double m_scaleX;
    double m_scaleY;
};

} // namespace sw
