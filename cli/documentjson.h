#pragma once

#include <QJsonObject>

namespace sw {
class TVectorGraphics;
class TGraphics;
}

namespace sw::cli {

// The document as `info` prints it: the stored names as keys, colours as
// integers, enumerations by their member names.
QJsonObject documentToJson(const TVectorGraphics& document);
QJsonObject shapeToJson(const TGraphics& shape);

} // namespace sw::cli
