#pragma once

#include "document/stream/bytewriter.h"
#include "document/stream/propertyvisitor.h"

#include <QByteArray>
#include <string_view>

namespace sw::stream {

// The whole stream of a root object: signature, class name, empty component
// name, its properties, end of properties, empty list of sub-components.
// `sizeHint` is the expected size in bytes, room made for at the start.
QByteArray writeComponent(std::string_view className, const Describe& describe,
                          qsizetype sizeHint = 0);
// The same stream handed to `sink` in chunks; false when the sink refused one
// (nothing more is handed to it then).
bool writeComponent(std::string_view className, const Describe& describe, const ByteSink& sink);

} // namespace sw::stream
