#pragma once

#include "reading/affinemap.h"

#include <QString>
#include <vector>

namespace sw {

class GreyView;
class PrintedInk;
struct PageGeometry;

// Where a template page lies on a scan.
struct Registration
{
    enum Outcome
    {
        Found,
        NoReferences, // the page has neither positioning nor fuzzy boxes
        NotFound,     // too few of them were found on the scan
        PoorFit,      // found, but they do not agree on one mapping
    };
    Outcome Result = NotFound;
    AffineFit Fit;
    std::vector<QPointF> FoundMarks; // scan pixels
    int ExpectedMarks = 0;
    bool ByFuzzyBoxes = false; // found by fuzzy boxes, not solid positioning boxes
};

// Largest residual of a usable fit, in millimetres of the sheet.
constexpr double MaxFitResidualMm = 1.0;

// Finds the page's positioning boxes on the scan, or its fuzzy boxes when it
// has none, and fits the mapping from layout pixels to scan pixels. The scan
// is taken to show the whole sheet: its size gives the first estimate of
// where to look. When too few boxes show whole, the page's print (when
// given) places the page, and every box whose place the picture shows must
// show there.
Registration registerPage(const PageGeometry& page, const GreyView& scan,
                          const PrintedInk* print = nullptr);

} // namespace sw
