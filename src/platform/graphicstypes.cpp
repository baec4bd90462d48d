#include "platform/graphicstypes.h"

#include "platform/rounding.h"

namespace sw {

int TFont::size(int pixelsPerInch) const
{
    return -mulDiv(Height, 72, pixelsPerInch);
}

void TFont::setSize(int points, int pixelsPerInch)
{
    Height = -mulDiv(points, pixelsPerInch, 72);
}

} // namespace sw
