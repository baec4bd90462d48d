#pragma once

#include <QPageLayout>
#include <QString>

namespace sw {

class TVectorGraph;
class TVectorGraphics;

// Highest resolution an export accepts, in dots per inch.
constexpr double MaxExportDotsPerInch = 2400;
// Largest bitmap an export paints (a 32-bit image of this many pixels is 1 GiB).
constexpr long long MaxExportPixels = 1LL << 28;

// Draws the current page for output (output mode 1, selections cleared, no
// background picture) at `dotsPerInch` and writes it to `fileName`. The
// ending of the name, compared case-sensitively, picks the format:
//   ".bmp"           24-bit BMP, resolution in pixels per metre;
//   ".jpg", ".jpeg"  JPEG at quality 100, resolution as JFIF density;
//   ".png"           PNG, resolution in the pHYs chunk;
//   ".pdf"           one vector page of the page's paper size, text as text;
//   ".svg"           SVG of the page's paper size.
// Bitmaps are white sheets of the paper size at that resolution. Any other
// ending writes nothing. Returns false, with the reason in *error, when no
// file was written; an existing file is replaced only on success.
bool ExportImage(TVectorGraphics& document, const QString& fileName, double dotsPerInch,
                 QString* error = nullptr);
// ExportImage of the page of that index instead of the current page.
bool ExportPage(TVectorGraphics& document, int pageIndex, const QString& fileName,
                double dotsPerInch, QString* error = nullptr);

// Every page of the document as one PDF, in page order, each PDF page of its
// template page's paper size; coordinates are laid out at `dotsPerInch`.
bool ExportPdf(TVectorGraphics& document, const QString& fileName, double dotsPerInch,
               QString* error = nullptr);

// Whether the page's paper size can be written to a PDF or SVG; the reason
// in *error when not.
bool checkExportPaper(const TVectorGraph& page, QString* error);
// A PDF page of the page's paper size, without margins.
QPageLayout pdfPageLayout(const TVectorGraph& page);

} // namespace sw
