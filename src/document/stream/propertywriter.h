#pragma once

#include "document/stream/propertyvisitor.h"

#include <QByteArray>
#include <string_view>

namespace sw::stream {

// The whole stream of a root object: signature, class name, empty component
// name, its properties, end of properties, empty list of sub-components.
QByteArray writeComponent(std::string_view className, const Describe& describe);

} // namespace sw::stream
