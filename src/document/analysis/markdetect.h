#pragma once

#include "platform/geometry.h"

#include <QImage>
#include <optional>

namespace sw {

class TVectorGraphics;

// A printed mark's expected place in millimetres, as a shape record holds it.
struct MarkRectMm
{
    double X1 = 0;
    double Y1 = 0;
    double X2 = 0;
    double Y2 = 0;
};

// Whether a picture colour counts as dark for the mark search: read as the
// integer 0x00BBGGRR it is below 10000000. Pixels outside the picture are not dark.
bool isMarkDark(QRgb colour);

// Looks for a filled mark of about the size of `expected` (picture pixels,
// Right = Left + width) in a window around it: first a corner whose rows and
// columns are mostly dark, then, failing that, the average left edge of the
// dark runs below the first row whose middle column is dark enough.
std::optional<TPoint> FindMark(const QImage& picture, const TRect& expected);

// The skew of a scanned sheet from its two top positioning marks: their
// expected places in millimetres are scaled to the picture by its pixels per
// millimetre of the page size. Nothing when a mark is not found, the page has
// no size, or both marks are found at the same x.
std::optional<double> DetectMarkSkew(const QImage& picture, double pageWidthMm, double pageHeightMm,
                                     const MarkRectMm& first, const MarkRectMm& second);

// How many rows from the top of a picture of `size` DetectMarkSkew reads: a
// picture decoded that far gives the result the whole one gives. 0 when it
// reads none.
int MarkDetectionRows(const QSize& size, double pageWidthMm, double pageHeightMm,
                      const MarkRectMm& first, const MarkRectMm& second);

// DetectMarkSkew for the current page, with the document's first two shape
// records (the first page's top positioning boxes, once the records have
// been rebuilt); sets the page's SkewAngle. False when it fails or the
// document has fewer than two records or no page.
bool DetectMarkSkew(TVectorGraphics& document, const QImage& picture);
// MarkDetectionRows for what DetectMarkSkew of the document reads.
int MarkDetectionRows(const TVectorGraphics& document, const QSize& size);

} // namespace sw
