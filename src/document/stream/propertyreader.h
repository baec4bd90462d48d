#pragma once

#include "document/stream/propertyvisitor.h"

#include <QByteArrayView>
#include <QString>
#include <string_view>

namespace sw::stream {

// Reads a whole root-object stream into the object described by `describe`.
// `className` names the object in errors. Returns false at the first error with
// its message in *error (if given); the object keeps what was read until then.
// Bytes after the end of the stream are not looked at.
bool readComponent(QByteArrayView bytes, std::string_view className, const Describe& describe,
                   QString* error);

} // namespace sw::stream
