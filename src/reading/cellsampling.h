#pragma once

#include "platform/geometry.h"
#include "reading/affinemap.h"

#include <QRectF>

namespace sw {

class GreyView;

// The part of a cell that is read: away from its printed outline, which a
// slightly misplaced scan would otherwise count as a mark.
QRectF cellInterior(const TRect& cell);

// Mean grey of a layout rectangle on the scan, sampled about once per scan
// pixel through the map.
double meanGrey(const GreyView& scan, const AffineMap& map, const QRectF& area);

// Grey levels of the paper and of the printed ink on one scan.
struct InkLevels
{
    double White = 255;
    double Black = 0;

    // 0 for paper, 1 for full ink, clamped.
    double darkness(double grey) const;
};

// How much ink a layout rectangle holds on the scan.
struct CellInk
{
    double Mean = 0;       // mean darkness
    double DarkShare = 0;  // share of the area that is plainly ink
    double LightShare = 0; // share at least as dark as a light pencil line
};

// The ink of a layout rectangle, sampled like meanGrey: its mean darkness,
// and the shares of samples dark enough to be a pen or firm pencil line (a
// mark over part of the cell, a tick or a cross, counts by what it covers)
// and a light pencil line (which a half-erased mark no longer is).
CellInk cellInk(const GreyView& scan, const AffineMap& map, const QRectF& area,
                const InkLevels& levels);

// The paper's level: the bright end of a sparse sample of the whole scan.
double paperLevel(const GreyView& scan);

} // namespace sw
