#pragma once

#include <QByteArrayView>
#include <QJsonObject>
#include <functional>

namespace sw {
class TVectorGraphics;
class TGraphics;
} // namespace sw

namespace sw::cli {

// The document as `info` prints it: the stored names as keys, colours as
// integers, enumerations by their member names.
QJsonObject documentToJson(const TVectorGraphics& document);
// The indented text of documentToJson, byte for byte, handed to `write` in
// pieces: one page at a time is held as JSON.
void writeDocumentJson(const TVectorGraphics& document,
                       const std::function<void(QByteArrayView)>& write);
QJsonObject shapeToJson(const TGraphics& shape);

} // namespace sw::cli
