#pragma once

#include <QPointF>
#include <QRect>
#include <vector>

namespace sw {

class GreyView;

// A solid dark rectangle found on a scan, measured by its moments, so that
// a turned one measures the same as a straight one.
struct SolidBlock
{
    QPointF Centre;  // scan pixels
    double Long = 0; // side lengths, scan pixels
    double Short = 0;
    double Angle = 0; // of the long side against the x axis, radians
};

// The solid blocks inside `region` of the scan whose long side lies between
// `minLong` and `maxLong` scan pixels and whose sides keep the proportion
// `aspect` (long / short). A block that the region's edge (or the scan's)
// cuts is left out: its middle is not known.
std::vector<SolidBlock> findSolidBlocks(const GreyView& scan, const QRect& region, double minLong,
                                        double maxLong, double aspect);

} // namespace sw
