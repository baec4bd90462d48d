#pragma once

#include "reading/affinemap.h"

#include <QImage>
#include <optional>
#include <vector>

namespace sw {

class GreyView;
struct PageGeometry;

// Where a template page prints ink, kept to find the page on a scan whose
// positioning boxes are cut off by the picture's edge or covered: the frames,
// texts and cells give the turn and the shift that the boxes cannot.
class PrintedInk
{
public:
    PrintedInk() = default;
    // From the page painted on white at `scale` picture pixels per layout pixel.
    PrintedInk(const QImage& printed, double scale, const PageGeometry& page);

    bool isEmpty() const { return m_points.empty(); }

    // The map from layout pixels to scan pixels that lays the page's print
    // onto the scan's ink: the page turned about its middle by up to about
    // ten degrees and shifted by up to a few centimetres from `estimate`, at
    // its scale. Nothing when the print does not clearly show there.
    std::optional<AffineMap> alignOn(const GreyView& scan, const AffineMap& estimate) const;

    // Print on a grid of squares: each square's share of dark pixels.
    struct Grid
    {
        double SideMm = 0;
        int Columns = 0;
        int Rows = 0;
        std::vector<float> Ink;
        std::vector<int> Inked; // squares holding ink
    };

private:
    double m_pixelsPerMm = 0;      // layout pixels
    QPointF m_middle;              // layout pixels
    std::vector<Grid> m_grids;     // coarse to fine
    std::vector<QPointF> m_points; // dark points of the print, layout pixels
    std::vector<QPointF> m_paper;  // points far from any print, layout pixels
};

} // namespace sw
