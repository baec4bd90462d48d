// Compiled by the layers.upward_include_fails test with the shapes layer's
// include path: its own headers are found, the document layer's are not.
#include "shapes/line.h"

#include "document/records.h"
