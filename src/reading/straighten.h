#pragma once

#include "reading/affinemap.h"

#include <QImage>
#include <QRectF>

namespace sw {

class GreyView;
struct PageGeometry;
struct SheetReading;

// The scan under a layout rectangle, drawn straight as an 8-bit grey picture
// at `scale` picture pixels per layout pixel.
QImage straightenedArea(const GreyView& scan, const AffineMap& map, const QRectF& area,
                        double scale);

// The whole page straightened at the scan's resolution, every read cell
// outlined in the colour of its decision (filled green, empty blue, multiple
// red, uncertain orange), the positioning boxes framed in purple, under a
// strip that names the page, the status and the fit's residual.
QImage markedPicture(const GreyView& scan, const SheetReading& reading, const PageGeometry& page);

} // namespace sw
