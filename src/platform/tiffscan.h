#pragma once

#include "platform/picturecodec.h"

#include <QByteArray>
#include <QImage>
#include <QString>

namespace sw {

// Decodes the first picture of TIFF data through libtiff: grey and bilevel
// strips row by row as Format_Grayscale8 when `keepGrey`, anything else as
// Format_RGB32 with transparent areas black. Checks the size the header
// claims, and asks `admit` (with the bytes per pixel of the picture it would
// make), before allocating; a null image and *error on damaged, truncated or
// too large data, or data `admit` refuses.
QImage decodeTiffScan(const QByteArray& data, bool keepGrey, QString* error = nullptr,
                      const PictureAdmission& admit = {});

// Whether the data starts like a TIFF file (either byte order, classic or big).
bool isTiffData(const QByteArray& head);

} // namespace sw
