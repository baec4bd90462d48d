#include "shapes/rectkg.h"

#include "shapes/rectgrid.h"

namespace sw {

namespace {

bool isAllDigits(const QString& s)
{
    for (QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// Options run across the columns (one question per row).
bool optionsAcross(TAspect aspect)
{
    return aspect == ARight || aspect == ALeft;
}

} // namespace

TRectKg::TRectKg(TPoint p1, TPoint p2, double scaleX, double scaleY)
    : TRectangle(p1, p2, scaleX, scaleY)
{
    Kind = GKg;
    KindName = QStringLiteral("客观题");
}

std::unique_ptr<TGraphics> TRectKg::clone() const
{
    return std::make_unique<TRectKg>(*this);
}

int TRectKg::QuestionCount() const
{
    switch (Aspect) {
    case ADown:
        return col;
    case ARight:
        return Row;
    default:
        return 0;
    }
}

QString TRectKg::BubbleLabel(int i, int j) const
{
    const int index = optionsAcross(Aspect) ? i : j;
    if (index < 0 || index >= FormatText.size())
        return {};
    QString label(FormatText.at(index));
    // Score boxes count from 0: letters stand for their place in the alphabet.
    if (TextType == RSZGF && !isAllDigits(label))
        label = QString::number(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ").indexOf(label));
    return label;
}

void TRectKg::Draw(Canvas& canvas)
{
    canvas.pen().Style = psSolid;
    canvas.pen().Width = 1;
    canvas.pen().Color = Pen.Color;
    canvas.brush().Style = bsClear;
    SetWidth(gridExtent(Gridwidth, ColSpace, col));
    SetHeight(gridExtent(GridHeight, RowSpace, Row));

    const TFont labelFont = deviceFont(Font);
    const TFont numberFont = deviceFont(NumberFont);

    const std::int64_t stepX = std::int64_t(Gridwidth) + ColSpace;
    const std::int64_t stepY = std::int64_t(GridHeight) + RowSpace;
    const int g = Gridwidth / 3;
    // Outer labels and numbers stand one bubble step before the first column or row.
    const std::int64_t beforeX = std::int64_t(Left) - Gridwidth - ColSpace + g;
    const std::int64_t beforeY = std::int64_t(Top) - GridHeight - RowSpace;
    const int bubbleWidth = scaleToDevice(Gridwidth, ScaleX);
    const int bubbleHeight = scaleToDevice(GridHeight, ScaleY);
    const auto textOut = [&](std::int64_t x, std::int64_t y, const QString& text) {
        canvas.TextOut(scaleToDevice(x, ScaleX), scaleToDevice(y, ScaleY), text);
    };

    // The first row and column carry the numbers and outer labels: they are
    // always drawn, the others only where they can show.
    const TRect clip = canvas.ClipRect();
    const CellRange rows =
        visibleCells(Top, stepY, GridHeight, ScaleY, drawnGridCount(Row), clip.Top, clip.Bottom);
    const CellRange cols =
        visibleCells(Left, stepX, Gridwidth, ScaleX, drawnGridCount(col), clip.Left, clip.Right);
    const auto next = [](int index, const CellRange& range) {
        return index < range.first ? range.first : index + 1;
    };
    for (int j = 0; j < rows.last; j = next(j, rows)) {
        const std::int64_t y = Top + j * stepY;
        for (int i = 0; i < cols.last; i = next(i, cols)) {
            const std::int64_t x = Left + i * stepX;
            const QString label = BubbleLabel(i, j);
            canvas.setFont(labelFont);
            if (ShowType == SOuter) {
                if (Aspect == ADown && i == 0)
                    textOut(beforeX, y, label);
                else if (Aspect == ARight && j == 0)
                    textOut(x + g, beforeY, label);
            } else if (ShowType == SInner) {
                textOut(x + g, y, label);
            }
            if (ShowNumber) {
                canvas.setFont(numberFont);
                if (Aspect == ADown && j == 0)
                    textOut(x + g, beforeY, QString::number(std::int64_t(StartNumber) + i));
                else if (Aspect == ARight && i == 0)
                    textOut(beforeX, y, QString::number(std::int64_t(StartNumber) + j));
            }

            const int dx = scaleToDevice(x, ScaleX);
            const int dy = scaleToDevice(y, ScaleY);
            if (Spread) {
                canvas.setBrush({clBlack, bsSolid});
                if (!label.isEmpty() && KeyText.contains(label))
                    canvas.Rectangle(dx, dy, clampToInt(std::int64_t(dx) + bubbleWidth),
                                     clampToInt(std::int64_t(dy) + bubbleHeight));
                canvas.brush().Style = Brush.Style;
            } else {
                canvas.setBrush(Brush);
                drawCellOutline(canvas, dx, dy, bubbleWidth, bubbleHeight);
            }
        }
    }
    finishDraw(canvas);
}

} // namespace sw
