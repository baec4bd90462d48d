#pragma once

#include "document/stream/propertyvisitor.h"

namespace sw::stream {

// Gives the object that `describeTarget` visits the values of the one that
// `describeSource` visits, as writing the source and reading the stream back
// into the target would, without the bytes: a property the writer leaves out
// keeps the target's value, and a collection with items replaces the target's
// by fresh ones holding them (one without items leaves the target's alone, as
// the reader does). Both must describe objects of one class.
void copyAsStored(const Describe& describeSource, const Describe& describeTarget);

} // namespace sw::stream
