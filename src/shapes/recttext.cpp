#include "shapes/recttext.h"

#include "platform/rounding.h"

#include <algorithm>

namespace sw {

QString joinTextLines(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

QStringList splitTextLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        lines << text.mid(start, end - start);
        if (end < n && text[end] == QLatin1Char('\r'))
            ++end;
        if (end < n && text[end] == QLatin1Char('\n'))
            ++end;
        start = end;
    }
    return lines;
}

TRectText::TRectText(TPoint p1, TPoint p2, double scaleX, double scaleY)
    : TRectangle(p1, p2, scaleX, scaleY)
{
    Kind = GRectText;
    KindName = QStringLiteral("文本框");
}

std::unique_ptr<TGraphics> TRectText::clone() const
{
    return std::make_unique<TRectText>(*this);
}

QString TRectText::Text() const
{
    return joinTextLines(Lines);
}

void TRectText::SetText(const QString& text)
{
    Lines = splitTextLines(text);
}

// Lines are written one below the other and clipped to the box; lines that no
// longer fit get no room at all and are not drawn.
void TRectText::Draw(Canvas& canvas)
{
    canvas.setFont(deviceFont(Font));
    canvas.setBrush(Brush);

    const TRect box = toDevice(TRect{Left, Top, Left + Width, Top + Height});
    const std::int64_t lineHeight = canvas.TextHeight(Text());
    int bottom = box.Top;
    for (const QString& line : Lines) {
        const int top = bottom;
        bottom = int(std::min<std::int64_t>(top + lineHeight, box.Bottom));
        if (bottom <= top)
            break;
        canvas.TextRect({box.Left, top, box.Right, bottom}, box.Left, top, line);
    }
    if (bottom < box.Bottom)
        canvas.TextRect({box.Left, bottom, box.Right, box.Bottom}, box.Left, bottom, QString());
    finishDraw(canvas);
}

} // namespace sw
