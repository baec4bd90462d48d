#include "platform/recordingcanvas.h"

#include "platform/saturating.h"

namespace sw {

namespace {

QString colorHex(int color)
{
    return QString::asprintf("%06X", static_cast<unsigned>(color));
}

QString penStyleName(int style)
{
    static const char* const names[] = {"psSolid",      "psDash",  "psDot",        "psDashDot",
                                        "psDashDotDot", "psClear", "psInsideFrame"};
    return style >= 0 && style < int(std::size(names)) ? QString::fromLatin1(names[style])
                                                       : QString::number(style);
}

QString penModeName(int mode)
{
    static const char* const names[] = {
        "pmBlack",       "pmWhite",      "pmNop",         "pmNot",        "pmCopy",  "pmNotCopy",
        "pmMergePenNot", "pmMaskPenNot", "pmMergeNotPen", "pmMaskNotPen", "pmMerge", "pmNotMerge",
        "pmMask",        "pmNotMask",    "pmXor",         "pmNotXor"};
    return mode >= 0 && mode < int(std::size(names)) ? QString::fromLatin1(names[mode])
                                                     : QString::number(mode);
}

QString brushStyleName(int style)
{
    static const char* const names[] = {"bsSolid",    "bsClear",     "bsHorizontal",
                                        "bsVertical", "bsFDiagonal", "bsBDiagonal",
                                        "bsCross",    "bsDiagCross"};
    return style >= 0 && style < int(std::size(names)) ? QString::fromLatin1(names[style])
                                                       : QString::number(style);
}

QString fontStylesText(int styles)
{
    static const char* const names[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};
    QStringList set;
    for (int i = 0; i < int(std::size(names)); ++i) {
        if (styles & (1 << i))
            set << QString::fromLatin1(names[i]);
    }
    return set.isEmpty() ? QStringLiteral("-") : set.join(QLatin1Char(','));
}

QString quoted(const QString& text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        out += c;
    }
    out += QLatin1Char('"');
    return out;
}

QString joined(const std::vector<int>& args)
{
    QStringList parts;
    for (int a : args)
        parts << QString::number(a);
    return parts.join(QLatin1Char(' '));
}

} // namespace

QString CanvasCall::line() const
{
    const auto arg = [this](std::size_t i) { return i < args.size() ? args[i] : 0; };
    if (name == QLatin1String("Pen"))
        return QStringLiteral("Pen %1 %2 %3 %4")
            .arg(colorHex(arg(0)))
            .arg(arg(1))
            .arg(penStyleName(arg(2)), penModeName(arg(3)));
    if (name == QLatin1String("Brush"))
        return QStringLiteral("Brush %1 %2").arg(colorHex(arg(0)), brushStyleName(arg(1)));
    if (name == QLatin1String("Font"))
        return QStringLiteral("Font %1 %2 %3 %4")
            .arg(quoted(text))
            .arg(arg(0))
            .arg(colorHex(arg(1)), fontStylesText(arg(2)));
    if (name == QLatin1String("Pixel"))
        return QStringLiteral("Pixel %1 %2 %3").arg(arg(0)).arg(arg(1)).arg(colorHex(arg(2)));
    QString out = name;
    if (!args.empty())
        out += QLatin1Char(' ') + joined(args);
    if (name == QLatin1String("TextOut") || name == QLatin1String("TextRect"))
        out += QLatin1Char(' ') + quoted(text);
    return out;
}

RecordingCanvas::RecordingCanvas(int pixelsPerInch) : m_pixelsPerInch(pixelsPerInch) {}

QStringList RecordingCanvas::lines() const
{
    QStringList out;
    out.reserve(qsizetype(m_calls.size()));
    for (const CanvasCall& call : m_calls)
        out << call.line();
    return out;
}

void RecordingCanvas::clear()
{
    m_calls.clear();
    m_writtenPen.reset();
    m_writtenBrush.reset();
    m_writtenFont.reset();
}

void RecordingCanvas::writeChangedState()
{
    if (m_writtenPen != pen()) {
        m_writtenPen = pen();
        record({QStringLiteral("Pen"),
                {int(pen().Color), pen().Width, int(pen().Style), int(pen().Mode)},
                {}});
    }
    if (m_writtenBrush != brush()) {
        m_writtenBrush = brush();
        record({QStringLiteral("Brush"), {int(brush().Color), int(brush().Style)}, {}});
    }
    if (m_writtenFont != font()) {
        m_writtenFont = font();
        record({QStringLiteral("Font"),
                {font().Height, int(font().Color), int(font().Style)},
                font().Name});
    }
}

void RecordingCanvas::draw(const QString& name, std::vector<int> args, const QString& text)
{
    writeChangedState();
    record({name, std::move(args), text});
}

void RecordingCanvas::record(CanvasCall call)
{
    if (m_sink)
        m_sink(call);
    else
        m_calls.push_back(std::move(call));
}

void RecordingCanvas::MoveTo(int x, int y)
{
    Canvas::MoveTo(x, y);
    record({QStringLiteral("MoveTo"), {x, y}, {}});
}

void RecordingCanvas::LineTo(int x, int y)
{
    m_penPos = {x, y};
    draw(QStringLiteral("LineTo"), {x, y});
}

void RecordingCanvas::Rectangle(int left, int top, int right, int bottom)
{
    draw(QStringLiteral("Rectangle"), {left, top, right, bottom});
}

void RecordingCanvas::RoundRect(int left, int top, int right, int bottom, int width, int height)
{
    draw(QStringLiteral("RoundRect"), {left, top, right, bottom, width, height});
}

void RecordingCanvas::Ellipse(int left, int top, int right, int bottom)
{
    draw(QStringLiteral("Ellipse"), {left, top, right, bottom});
}

void RecordingCanvas::Polygon(const std::vector<TPoint>& points)
{
    std::vector<int> args;
    args.reserve(points.size() * 2);
    for (const TPoint& p : points) {
        args.push_back(p.X);
        args.push_back(p.Y);
    }
    draw(QStringLiteral("Polygon"), std::move(args));
}

void RecordingCanvas::SetPixel(int x, int y, TColor color)
{
    draw(QStringLiteral("Pixel"), {x, y, int(color)});
}

void RecordingCanvas::TextOut(int x, int y, const QString& text)
{
    draw(QStringLiteral("TextOut"), {x, y}, text);
    m_penPos = {saturatingAdd(x, TextWidth(text)), y};
}

void RecordingCanvas::TextRect(const TRect& rect, int x, int y, const QString& text)
{
    draw(QStringLiteral("TextRect"), {rect.Left, rect.Top, rect.Right, rect.Bottom, x, y}, text);
}

int RecordingCanvas::TextWidth(const QString& text)
{
    return m_fonts.textWidth(font(), text);
}

int RecordingCanvas::TextHeight(const QString&)
{
    return m_fonts.textHeight(font());
}

void RecordingCanvas::StretchDraw(const TRect& rect, const QImage&)
{
    draw(QStringLiteral("StretchDraw"), {rect.Left, rect.Top, rect.Right, rect.Bottom});
}

void RecordingCanvas::FillRect(const TRect& rect)
{
    draw(QStringLiteral("FillRect"), {rect.Left, rect.Top, rect.Right, rect.Bottom});
}

void RecordingCanvas::CopyRect(const TRect& dest, const QImage&, const TRect&)
{
    draw(QStringLiteral("CopyRect"), {dest.Left, dest.Top, dest.Right, dest.Bottom});
}

} // namespace sw
