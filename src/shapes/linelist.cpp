#include "shapes/linelist.h"

#include "platform/rounding.h"
#include "shapes/recttext.h"

#include <algorithm>

namespace sw {

namespace {

// Gap after every segment, in device pixels at every zoom.
constexpr int SegmentGap = 20;

} // namespace

QStringList splitLineListText(const QString& text, QChar separator)
{
    QStringList parts;
    QString current;
    for (QChar c : text) {
        if (c == separator) {
            parts << current;
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.isEmpty())
        parts << current;
    return parts;
}

std::optional<TLineListRow> parseLineListRow(const QString& row)
{
    TLineListRow result;
    const QStringList segments = splitLineListText(row, QLatin1Char('|'));
    for (qsizetype s = 0; s < segments.size(); ++s) {
        if (segments[s].isEmpty())
            continue;
        const QStringList parts = splitLineListText(segments[s], QLatin1Char('\\'));
        if (parts.size() < 3)
            return std::nullopt;
        bool ok = false;
        const int weight = parts[2].toInt(&ok, 10);
        if (!ok || weight < 0)
            return std::nullopt;
        result.Segments.push_back({parts[0], parts[1], weight});
        result.WeightSum += weight;
        if (s + 1 < segments.size())
            ++result.Gaps;
    }
    if (result.WeightSum == 0)
        return std::nullopt;
    return result;
}

TLinelist::TLinelist(TPoint p1, TPoint p2, double scaleX, double scaleY, int pixelsPerInch)
    : TRectangle(p1, p2, scaleX, scaleY)
{
    Kind = GLinelist;
    KindName = QStringLiteral("线段列表");
    Font.Name = QStringLiteral("宋体");
    Font.setSize(15, pixelsPerInch);
}

std::unique_ptr<TGraphics> TLinelist::clone() const
{
    return std::make_unique<TLinelist>(*this);
}

QString TLinelist::Text() const
{
    return joinTextLines(Lines);
}

void TLinelist::SetText(const QString& text)
{
    Lines = splitTextLines(text);
}

// Row r lies on the device line y_r; its lines stand on it, texts above them.
// Rows without a well-formed description are left empty.
void TLinelist::Draw(Canvas& canvas)
{
    canvas.setFont(deviceFont(Font));
    canvas.setBrush(Brush);
    canvas.setPen(Pen);

    const int xl = toDeviceX(Left);
    const int xr = toDeviceX(Left + Width);
    const std::int64_t top = toDeviceY(Top);
    const std::int64_t step = Row > 1 ? toDeviceY(Height) / (std::int64_t(Row) - 1) : 0;
    const qsizetype rows = std::min<qsizetype>(std::max(Row, 0), Lines.size());
    for (qsizetype r = 0; r < rows; ++r) {
        const auto row = parseLineListRow(Lines[r]);
        if (!row)
            continue;
        std::int64_t fixed = std::int64_t(SegmentGap) * row->Gaps;
        for (const TLineSegment& seg : row->Segments)
            fixed += canvas.TextWidth(seg.Lead) + canvas.TextWidth(seg.Trail);
        const double free = double(xr) - xl - fixed;
        const int y = clampToInt(top + r * step);
        std::int64_t x = xl;
        for (const TLineSegment& seg : row->Segments) {
            canvas.TextOut(clampToInt(x), clampToInt(std::int64_t(y) - canvas.TextHeight(seg.Lead)),
                           seg.Lead);
            x += canvas.TextWidth(seg.Lead);
            const int len = roundHalfEven(seg.Weight * free / double(row->WeightSum));
            canvas.MoveTo(clampToInt(x), y);
            canvas.LineTo(clampToInt(x + len), y);
            canvas.TextOut(clampToInt(x + len),
                           clampToInt(std::int64_t(y) - canvas.TextHeight(seg.Trail)), seg.Trail);
            x += canvas.TextWidth(seg.Trail) + std::int64_t(len) + SegmentGap;
        }
    }
    finishDraw(canvas);
}

} // namespace sw
