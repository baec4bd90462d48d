#pragma once

#include "document/stream/propertyvisitor.h"
#include "platform/graphicstypes.h"

namespace sw::stream {

// Stored properties of the canvas objects nested in records ("Font.Name", ...).
// The size of a font in points is not stored: it follows from "Height".
void describeFont(PropertyVisitor& visitor, TFont& font);
void describePen(PropertyVisitor& visitor, TPen& pen);
void describeBrush(PropertyVisitor& visitor, TBrush& brush);

} // namespace sw::stream
