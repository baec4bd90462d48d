#include "shapes/rectgrid.h"

#include "platform/rounding.h"

#include <algorithm>
#include <limits>

namespace sw {

namespace {

int saturate(std::int64_t v)
{
    constexpr std::int64_t lo = std::numeric_limits<int>::min();
    constexpr std::int64_t hi = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(v, lo, hi));
}

} // namespace

int drawnGridCount(std::int32_t count)
{
    return std::clamp(count, 0, MaxGridCount);
}

int gridExtent(std::int32_t cell, std::int32_t space, std::int32_t count)
{
    return saturate((std::int64_t(cell) + space) * count - space);
}

int scaleToDevice(std::int64_t v, double scale)
{
    return roundHalfEven(double(v) * scale);
}

void drawCellOutline(Canvas& canvas, int x, int y, int width, int height)
{
    const int right = saturate(std::int64_t(x) + width);
    const int bottom = saturate(std::int64_t(y) + height);
    canvas.MoveTo(x, y);
    canvas.LineTo(right, y);
    canvas.LineTo(right, bottom);
    canvas.LineTo(x, bottom);
    canvas.LineTo(x, y);
}

TRectGrid::TRectGrid(TPoint p1, TPoint p2, double scaleX, double scaleY)
    : TRectangle(p1, p2, scaleX, scaleY)
{
    Kind = GGrid;
    KindName = QStringLiteral("网格");
}

std::unique_ptr<TGraphics> TRectGrid::clone() const
{
    return std::make_unique<TRectGrid>(*this);
}

void TRectGrid::Draw(Canvas& canvas)
{
    canvas.setPen(devicePen());
    canvas.setBrush(Brush);
    SetWidth(gridExtent(Gridwidth, ColSpace, col));
    SetHeight(gridExtent(GridHeight, RowSpace, Row));

    const int cellWidth = scaleToDevice(Gridwidth, ScaleX);
    const int cellHeight = scaleToDevice(GridHeight, ScaleY);
    const std::int64_t stepX = std::int64_t(Gridwidth) + ColSpace;
    const std::int64_t stepY = std::int64_t(GridHeight) + RowSpace;
    const int rows = drawnGridCount(Row);
    const int cols = drawnGridCount(col);
    for (int j = 0; j < rows; ++j) {
        const int y = scaleToDevice(Top + j * stepY, ScaleY);
        for (int i = 0; i < cols; ++i)
            drawCellOutline(canvas, scaleToDevice(Left + i * stepX, ScaleX), y, cellWidth,
                            cellHeight);
    }
    finishDraw(canvas);
}

} // namespace sw
