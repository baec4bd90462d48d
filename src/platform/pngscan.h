#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace sw {

// Decodes PNG data row by row through libpng, straight into the picture: a
// grey PNG as Format_Grayscale8 when `keepGrey`, anything else as
// Format_RGB32 with transparent areas black. Checks the size the header
// claims before allocating; a null image and *error on damaged, truncated or
// too large data.
QImage decodePngScan(const QByteArray& data, bool keepGrey, QString* error = nullptr);

// Whether the data starts with the PNG signature.
bool isPngData(const QByteArray& head);

} // namespace sw
