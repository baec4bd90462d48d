#pragma once

#include <QSize>
#include <QString>
#include <functional>

class QIODevice;

namespace sw {

// Samples a pixel of a PNG: one grey byte, or red, green and blue bytes.
enum class PngPixels
{
    Grey8,
    Rgb24
};

// Row y of a picture being encoded, as packed samples; valid until the next
// call. Null stops the encoding.
using PackedRowSource = std::function<const uchar*(int y)>;

// Writes a PNG of `size` whose rows are asked for once each, top to bottom,
// with the resolution in its pHYs chunk. Returns false, with the reason in
// *error, when the encoding failed or a row came back null.
bool savePngRows(QSize size, PngPixels pixels, const PackedRowSource& rows, QIODevice& device,
                 int dotsPerInch, QString* error = nullptr);

} // namespace sw
