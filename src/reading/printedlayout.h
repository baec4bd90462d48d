#pragma once

#include "reading/affinemap.h"

#include <QImage>
#include <QString>
#include <vector>

namespace sw {

class GreyView;
struct InkLevels;
struct PageGeometry;

// What a page of the template prints, on a grid of millimetre squares, to
// tell a sheet printed from another template: such a sheet lacks print where
// this page has some (its frames and texts lie elsewhere) or shows print
// where this page has none (answer rows the template does not have). Places
// where people write (cut boxes, barcode stickers, the bubbles) and the
// page's edge are left out. Only self-made sheets are checked: a template
// laid over a pre-printed sheet does not print the sheet.
class PrintedLayout
{
public:
    PrintedLayout() = default;
    // From the page painted on white at `scale` picture pixels per layout pixel.
    PrintedLayout(const QImage& printed, double scale, const PageGeometry& page);

    // Empty when the scan shows this page's print; otherwise why the sheet
    // looks printed from another template, with where.
    QString differences(const GreyView& scan, const AffineMap& map, const InkLevels& levels) const;

private:
    enum Square : unsigned char
    {
        Ignored,
        Print, // the template prints here
        Blank, // the template prints nothing near here
    };

    double m_side = 0; // layout pixels per square
    int m_columns = 0;
    int m_rows = 0;
    std::vector<Square> m_squares;
};

} // namespace sw
