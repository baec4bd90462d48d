#include "shapes/rectgrid.h"

#include "platform/rounding.h"
#include "platform/saturating.h"

#include <algorithm>
#include <cmath>

namespace sw {

int drawnGridCount(std::int32_t count)
{
    return std::clamp(count, 0, MaxGridCount);
}

int gridExtent(std::int32_t cell, std::int32_t space, std::int32_t count)
{
    return clampToInt(saturatingMul(std::int64_t(cell) + space, count) - space);
}

int scaleToDevice(std::int64_t v, double scale)
{
    return roundHalfEven(double(v) * scale);
}

CellRange visibleCells(std::int64_t origin, std::int64_t step, std::int64_t cell, double scale,
                       int count, int low, int high)
{
    const CellRange all{0, count};
    if (count <= 0 || step == 0 || !(scale > 0))
        return all;
    // Layout coordinates a cell may start at and still reach into [low, high).
    const double from = (double(low) - std::max<double>(cell * scale, 0)) / scale;
    const double to = (double(high) - std::min<double>(cell * scale, 0)) / scale;
    double first = (from - double(origin)) / double(step);
    double last = (to - double(origin)) / double(step);
    if (step < 0)
        std::swap(first, last);
    if (!std::isfinite(first) || !std::isfinite(last))
        return all;
    first = std::clamp(std::floor(first) - 1, 0.0, double(count));
    last = std::clamp(std::ceil(last) + 2, 0.0, double(count));
    return {int(first), std::max(int(first), int(last))};
}

void drawCellOutline(Canvas& canvas, int x, int y, int width, int height)
{
    const int right = saturatingAdd(x, width);
    const int bottom = saturatingAdd(y, height);
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
    const TRect clip = canvas.ClipRect();
    const CellRange rows =
        visibleCells(Top, stepY, GridHeight, ScaleY, drawnGridCount(Row), clip.Top, clip.Bottom);
    const CellRange cols =
        visibleCells(Left, stepX, Gridwidth, ScaleX, drawnGridCount(col), clip.Left, clip.Right);
    for (int j = rows.first; j < rows.last; ++j) {
        const int y = scaleToDevice(Top + j * stepY, ScaleY);
        for (int i = cols.first; i < cols.last; ++i)
            drawCellOutline(canvas, scaleToDevice(Left + i * stepX, ScaleX), y, cellWidth,
                            cellHeight);
    }
    finishDraw(canvas);
}

} // namespace sw
