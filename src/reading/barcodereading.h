#pragma once

#include "platform/geometry.h"

#include <QImage>
#include <QString>

namespace sw {

struct AffineMap;

// The exam number a personalised sheet's barcode holds (a Code 128 of the
// number, or a QR code whose first line is the number), decoded from the part
// of the scan the barcode area `area` (layout pixels) maps to. Empty when no
// barcode there decodes.
QString readBarcode(const QImage& scan, const AffineMap& map, const TRect& area);

} // namespace sw
