#pragma once

#include "platform/saturating.h"

namespace sw {

struct TPoint
{
    int X = 0;
    int Y = 0;

    friend bool operator==(const TPoint&, const TPoint&) = default;
    TPoint operator+(const TPoint& o) const
    {
        return {saturatingAdd(X, o.X), saturatingAdd(Y, o.Y)};
    }
};

// Left/Top inclusive, Right/Bottom exclusive, as everywhere in the drawing code.
struct TRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    friend bool operator==(const TRect&, const TRect&) = default;
    int width() const { return saturatingSub(Right, Left); }
    int height() const { return saturatingSub(Bottom, Top); }
    bool contains(const TPoint& p) const
    {
        return Left <= p.X && p.X < Right && Top <= p.Y && p.Y < Bottom;
    }
};

} // namespace sw
