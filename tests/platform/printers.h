#pragma once

#include "platform/geometry.h"

#include <ostream>

namespace sw::test {

// Readable GoogleTest output for the geometry types.
inline void PrintTo(const TPoint& p, std::ostream* os)
{
    *os << "(" << p.X << "," << p.Y << ")";
}

inline void PrintTo(const TRect& r, std::ostream* os)
{
    *os << "(" << r.Left << "," << r.Top << "," << r.Right << "," << r.Bottom << ")";
}

} // namespace sw::test
