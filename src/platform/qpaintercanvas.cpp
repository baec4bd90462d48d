#include "platform/qpaintercanvas.h"

#include <QPaintEngine>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace sw {

namespace {

// On/off lengths of the thin pen styles, in pixels; empty = solid.
std::span<const int> dashPattern(TPenStyle style)
{
    static constexpr std::array dot{1, 1};
    static constexpr std::array dash{18, 6};
    static constexpr std::array dashDot{9, 6, 3, 6};
    static constexpr std::array dashDotDot{9, 3, 3, 3, 3, 3};
    switch (style) {
    case psDot:
        return dot;
    case psDash:
        return dash;
    case psDashDot:
        return dashDot;
    case psDashDotDot:
        return dashDotDot;
    default:
        return {};
    }
}

bool patternOn(std::span<const int> pattern, std::int64_t step)
{
    int total = 0;
    for (int length : pattern)
        total += length;
    int pos = int(step % total);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pos < pattern[i])
            return i % 2 == 0;
        pos -= pattern[i];
    }
    return true;
}

// num / den rounded half up, den > 0.
std::int64_t roundedDiv(std::int64_t num, std::int64_t den)
{
    const std::int64_t n = 2 * num + den;
    const std::int64_t d = 2 * den;
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}

// Joins single pixels into horizontal or vertical runs and paints each run
// with one fillRect, in the painter's current composition mode.
class RunPainter
{
public:
    RunPainter(QPainter& painter, const QColor& color) : m_painter(painter), m_color(color) {}
    ~RunPainter() { flush(); }
    RunPainter(const RunPainter&) = delete;
    RunPainter& operator=(const RunPainter&) = delete;

    void add(int x, int y)
    {
        if (m_count == 1) {
            // The second pixel fixes the direction the run grows in.
            const bool horizontal = y == m_y1 && std::abs(x - m_x1) == 1;
            const bool vertical = x == m_x1 && std::abs(y - m_y1) == 1;
            m_dx = horizontal ? x - m_x1 : 0;
            m_dy = vertical ? y - m_y1 : 0;
        }
        if (m_count > 0 && (m_dx != 0 || m_dy != 0) && x == m_x1 + m_dx && y == m_y1 + m_dy) {
            m_x1 = x;
            m_y1 = y;
            ++m_count;
            return;
        }
        flush();
        m_x0 = m_x1 = x;
        m_y0 = m_y1 = y;
        m_count = 1;
    }

    void flush()
    {
        if (m_count == 0)
            return;
        m_painter.fillRect(QRect(QPoint(std::min(m_x0, m_x1), std::min(m_y0, m_y1)),
                                 QPoint(std::max(m_x0, m_x1), std::max(m_y0, m_y1))),
                           m_color);
        m_count = 0;
    }

private:
    QPainter& m_painter;
    QColor m_color;
    int m_x0 = 0, m_y0 = 0, m_x1 = 0, m_y1 = 0;
    int m_count = 0;
    int m_dx = 0, m_dy = 0; // step from one pixel of the run to the next
};

QPointF pixelCentre(const TPoint& p)
{
    return QPointF(p.X + 0.5, p.Y + 0.5);
}

// A right/bottom exclusive box of any size as a QRectF.
QRectF boxOf(const TRect& r)
{
    return QRectF(r.Left, r.Top, double(r.Right) - r.Left, double(r.Bottom) - r.Top);
}

// Normalises a right/bottom exclusive box; false when it is empty.
bool normalise(int& left, int& top, int& right, int& bottom)
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    return left < right && top < bottom;
}

QPainter::CompositionMode rasterOp(TPenMode mode)
{
    switch (mode) {
    case pmNot:
        return QPainter::RasterOp_NotDestination;
    case pmNotCopy:
        return QPainter::RasterOp_NotSource;
    case pmMergePenNot:
        return QPainter::RasterOp_SourceOrNotDestination;
    case pmMaskPenNot:
        return QPainter::RasterOp_SourceAndNotDestination;
    case pmMergeNotPen:
        return QPainter::RasterOp_NotSourceOrDestination;
    case pmMaskNotPen:
        return QPainter::RasterOp_NotSourceAndDestination;
    case pmMerge:
        return QPainter::RasterOp_SourceOrDestination;
    case pmNotMerge:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    case pmMask:
        return QPainter::RasterOp_SourceAndDestination;
    case pmNotMask:
        return QPainter::RasterOp_NotSourceOrNotDestination;
    case pmXor:
        return QPainter::RasterOp_SourceXorDestination;
    case pmNotXor:
        return QPainter::RasterOp_NotSourceXorDestination;
    default:
        return QPainter::CompositionMode_SourceOver;
    }
}

Qt::BrushStyle qtBrushStyle(TBrushStyle style)
{
    switch (style) {
    case bsSolid:
        return Qt::SolidPattern;
    case bsHorizontal:
        return Qt::HorPattern;
    case bsVertical:
        return Qt::VerPattern;
    case bsFDiagonal:
        return Qt::FDiagPattern;
    case bsBDiagonal:
        return Qt::BDiagPattern;
    case bsCross:
        return Qt::CrossPattern;
    case bsDiagCross:
        return Qt::DiagCrossPattern;
    default:
        return Qt::NoBrush;
    }
}

bool paintableWithRasterOps(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

} // namespace

QPainterCanvas::QPainterCanvas(QImage& image, int pixelsPerInch) : m_pixelsPerInch(pixelsPerInch)
{
    if (!image.isNull() && !paintableWithRasterOps(image.format())) {
        image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                              : QImage::Format_RGB32);
    }
    if (!image.isNull())
        begin(image);
}

QPainterCanvas::QPainterCanvas(QPaintDevice& device, int pixelsPerInch)
    : m_pixelsPerInch(pixelsPerInch)
{
    begin(device);
}

QPainterCanvas::QPainterCanvas(QPainter& painter, int pixelsPerInch)
    : m_painter(&painter), m_pixelsPerInch(pixelsPerInch)
{
    if (ready()) {
        m_rasterOps = painter.paintEngine()->type() == QPaintEngine::Raster;
        m_painter->setRenderHint(QPainter::Antialiasing, false);
        m_painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    }
}

QPainterCanvas::~QPainterCanvas()
{
    end();
}

void QPainterCanvas::begin(QPaintDevice& device)
{
    m_ownPainter = std::make_unique<QPainter>();
    if (!m_ownPainter->begin(&device))
        return;
    m_painter = m_ownPainter.get();
    m_rasterOps = m_painter->paintEngine()->type() == QPaintEngine::Raster;
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_painter->setRenderHint(QPainter::TextAntialiasing, true);
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
}

bool QPainterCanvas::isActive() const
{
    return ready();
}

bool QPainterCanvas::ready() const
{
    return m_painter != nullptr && m_painter->isActive();
}

void QPainterCanvas::end()
{
    if (m_ownPainter && m_ownPainter->isActive())
        m_ownPainter->end();
    m_painter = nullptr;
}

bool QPainterCanvas::applyPenMode(Ink& ink)
{
    ink.pen = toQColor(pen().Color);
    ink.brush = toQColor(brush().Color);
    const TPenMode mode = pen().Mode;
    if (mode == pmNop)
        return false;
    if (mode == pmBlack || mode == pmWhite) {
        ink.pen = ink.brush = mode == pmBlack ? QColor(Qt::black) : QColor(Qt::white);
    }
    m_painter->setCompositionMode(m_rasterOps ? rasterOp(mode)
                                              : QPainter::CompositionMode_SourceOver);
    return true;
}

void QPainterCanvas::applyCopyMode()
{
    m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
}

int QPainterCanvas::penWidth() const
{
    return std::max(1, pen().Width);
}

bool QPainterCanvas::thinPen() const
{
    return penWidth() == 1;
}

QBrush QPainterCanvas::fillBrush(const QColor& color) const
{
    return QBrush(color, qtBrushStyle(brush().Style));
}

QRect QPainterCanvas::visibleArea() const
{
    const QPaintDevice* device = m_painter->device();
    QRect area(0, 0, device->width(), device->height());
    const QTransform toDevice = m_painter->combinedTransform();
    if (!toDevice.isIdentity())
        area = toDevice.inverted().mapRect(area);
    return area.adjusted(-1, -1, 1, 1);
}

TRect QPainterCanvas::ClipRect() const
{
    if (!ready())
        return {};
    const QRect area = visibleArea();
    return {area.left(), area.top(), saturatingAdd(area.right(), 1),
            saturatingAdd(area.bottom(), 1)};
}

QRect QPainterCanvas::visiblePart(std::int64_t left, std::int64_t top, std::int64_t right,
                                  std::int64_t bottom) const
{
    const QRect area = visibleArea();
    left = std::max<std::int64_t>(left, area.left());
    top = std::max<std::int64_t>(top, area.top());
    right = std::min<std::int64_t>(right, std::int64_t(area.right()) + 1);
    bottom = std::min<std::int64_t>(bottom, std::int64_t(area.bottom()) + 1);
    if (left >= right || top >= bottom)
        return {};
    return QRect(int(left), int(top), int(right - left), int(bottom - top));
}

void QPainterCanvas::fillVisible(std::int64_t left, std::int64_t top, std::int64_t right,
                                 std::int64_t bottom, const QBrush& brush)
{
    const QRect part = visiblePart(left, top, right, bottom);
    if (!part.isEmpty())
        m_painter->fillRect(part, brush);
}

// A thin polyline, each segment without its end point, so a closed figure
// paints every pixel once. The style pattern runs on along the segments; with
// a solid brush its gaps are painted in the brush colour, as GDI does with an
// opaque background. Only the part inside the device is walked.
void QPainterCanvas::strokeThin(const std::vector<TPoint>& points, bool closed, const Ink& ink)
{
    if (!m_rasterOps) {
        strokeThinVector(points, closed, ink);
        return;
    }
    const std::span<const int> pattern = dashPattern(pen().Style);
    const bool opaqueGaps = !pattern.empty() && brush().Style == bsSolid;
    const QRect area = visibleArea();
    RunPainter on(*m_painter, ink.pen);
    RunPainter off(*m_painter, ink.brush);
    std::int64_t step = 0;
    const std::size_t segments = closed ? points.size() : points.size() - 1;
    for (std::size_t s = 0; s < segments; ++s) {
        const TPoint& a = points[s];
        const TPoint& b = points[(s + 1) % points.size()];
        const std::int64_t dx = std::int64_t(b.X) - a.X;
        const std::int64_t dy = std::int64_t(b.Y) - a.Y;
        const std::int64_t n = std::max(std::abs(dx), std::abs(dy));
        if (n == 0)
            continue;
        const bool xMajor = std::abs(dx) >= std::abs(dy);
        // Steps whose major coordinate lies inside the visible area.
        const std::int64_t start = xMajor ? a.X : a.Y;
        const std::int64_t dir = (xMajor ? dx : dy) > 0 ? 1 : -1;
        const std::int64_t low = xMajor ? area.left() : area.top();
        const std::int64_t high = xMajor ? area.right() : area.bottom();
        std::int64_t first = dir > 0 ? low - start : start - high;
        std::int64_t last = dir > 0 ? high - start : start - low;
        first = std::max<std::int64_t>(first, 0);
        last = std::min<std::int64_t>(last, n - 1);
        for (std::int64_t i = first; i <= last; ++i) {
            const std::int64_t x = a.X + (xMajor ? dir * i : roundedDiv(i * dx, n));
            const std::int64_t y = a.Y + (xMajor ? roundedDiv(i * dy, n) : dir * i);
            if (x < area.left() || x > area.right() || y < area.top() || y > area.bottom())
                continue;
            if (pattern.empty() || patternOn(pattern, step + i))
                on.add(int(x), int(y));
            else if (opaqueGaps)
                off.add(int(x), int(y));
        }
        step += n;
    }
}

// On vector devices (PDF, SVG, printers) a thin polyline stays a line one
// device pixel wide through the pixel centres, ending where the pixel walk ends.
void QPainterCanvas::strokeThinVector(const std::vector<TPoint>& points, bool closed,
                                      const Ink& ink)
{
    QPolygonF line;
    line.reserve(qsizetype(points.size()) + 1);
    for (const TPoint& p : points)
        line << pixelCentre(p);
    if (closed) {
        line << line.first();
    } else {
        // Flat caps: start half a pixel before the first centre, stop half a
        // pixel before the end point.
        const QPointF from = line.first();
        const QPointF to = line.last();
        const QPointF d = to - from;
        const double major = std::max(std::abs(d.x()), std::abs(d.y()));
        if (major == 0)
            return;
        const QPointF half = d * (0.5 / major);
        line.first() = from - half;
        line.last() = to - half;
    }
    QPen thin(ink.pen, 1.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    const std::span<const int> pattern = dashPattern(pen().Style);
    const bool opaqueGaps = !pattern.empty() && brush().Style == bsSolid;
    if (!pattern.empty())
        thin.setDashPattern(QList<qreal>(pattern.begin(), pattern.end()));
    if (opaqueGaps) {
        m_painter->setBackgroundMode(Qt::OpaqueMode);
        m_painter->setBackground(ink.brush);
    }
    m_painter->setPen(thin);
    m_painter->setBrush(Qt::NoBrush);
    m_painter->drawPolyline(line);
    if (opaqueGaps)
        m_painter->setBackgroundMode(Qt::TransparentMode);
}

QPen QPainterCanvas::curvePen(const Ink& ink) const
{
    if (pen().Style == psClear)
        return QPen(Qt::NoPen);
    if (!thinPen())
        return QPen(ink.pen, penWidth(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    QPen thin(ink.pen, 0);
    const std::span<const int> pattern = dashPattern(pen().Style);
    if (!pattern.empty())
        thin.setDashPattern(QList<qreal>(pattern.begin(), pattern.end()));
    return thin;
}

void QPainterCanvas::LineTo(int x, int y)
{
    const TPoint from = m_penPos;
    m_penPos = {x, y};
    Ink ink;
    if (!ready() || pen().Style == psClear || !applyPenMode(ink))
        return;
    if (thinPen()) {
        strokeThin({from, {x, y}}, false, ink);
        return;
    }
    m_painter->setPen(QPen(ink.pen, penWidth(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m_painter->drawLine(pixelCentre(from), pixelCentre({x, y}));
}

void QPainterCanvas::Rectangle(int left, int top, int right, int bottom)
{
    Ink ink;
    if (!ready() || !normalise(left, top, right, bottom) || !applyPenMode(ink))
        return;
    const QBrush fill = fillBrush(ink.brush);
    const bool filled = fill.style() != Qt::NoBrush;
    const std::int64_t width = std::int64_t(right) - left;
    const std::int64_t height = std::int64_t(bottom) - top;
    if (pen().Style == psClear) {
        // Without a pen GDI fills one pixel less to the right and bottom.
        if (filled)
            fillVisible(left, top, std::int64_t(right) - 1, std::int64_t(bottom) - 1, fill);
        return;
    }
    if (thinPen()) {
        if (filled && width > 2 && height > 2)
            fillVisible(std::int64_t(left) + 1, std::int64_t(top) + 1, std::int64_t(right) - 1,
                        std::int64_t(bottom) - 1, fill);
        if (height == 1)
            strokeThin({{left, top}, {right, top}}, false, ink);
        else if (width == 1)
            strokeThin({{left, top}, {left, bottom}}, false, ink);
        else
            strokeThin({{left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}},
                       true, ink);
        return;
    }
    // A wide frame is centred on the outline (inside it for psInsideFrame);
    // painted as four strips so no pixel is painted twice. Edges are exclusive.
    const std::int64_t w = penWidth();
    const std::int64_t out = pen().Style == psInsideFrame ? 0 : w / 2;
    const std::int64_t outerLeft = left - out;
    const std::int64_t outerTop = top - out;
    const std::int64_t outerRight = right + out;
    const std::int64_t outerBottom = bottom + out;
    const QBrush frame(ink.pen);
    if (outerRight - outerLeft <= 2 * w || outerBottom - outerTop <= 2 * w) {
        fillVisible(outerLeft, outerTop, outerRight, outerBottom, frame);
        return;
    }
    const std::int64_t innerLeft = outerLeft + w;
    const std::int64_t innerTop = outerTop + w;
    const std::int64_t innerRight = outerRight - w;
    const std::int64_t innerBottom = outerBottom - w;
    if (filled)
        fillVisible(innerLeft, innerTop, innerRight, innerBottom, fill);
    fillVisible(outerLeft, outerTop, outerRight, innerTop, frame);
    fillVisible(outerLeft, innerBottom, outerRight, outerBottom, frame);
    fillVisible(outerLeft, innerTop, innerLeft, innerBottom, frame);
    fillVisible(innerRight, innerTop, outerRight, innerBottom, frame);
}

void QPainterCanvas::drawCurve(int left, int top, int right, int bottom, int width, int height)
{
    Ink ink;
    if (!ready() || !normalise(left, top, right, bottom) || !applyPenMode(ink))
        return;
    // The path runs through the centres of the outermost pixels of the box.
    QRectF box(left + 0.5, top + 0.5, double(right) - left - 1, double(bottom) - top - 1);
    if (pen().Style == psInsideFrame && !thinPen()) {
        const double inset = penWidth() / 2.0 - 0.5;
        box.adjust(inset, inset, -inset, -inset);
    }
    const QPen outline = curvePen(ink);
    const bool opaqueGaps =
        thinPen() && !dashPattern(pen().Style).empty() && brush().Style == bsSolid;
    if (opaqueGaps) {
        m_painter->setBackgroundMode(Qt::OpaqueMode);
        m_painter->setBackground(ink.brush);
    }
    m_painter->setPen(outline);
    m_painter->setBrush(fillBrush(ink.brush));
    if (width < 0)
        m_painter->drawEllipse(box);
    else
        m_painter->drawRoundedRect(box, width / 2.0, height / 2.0);
    if (opaqueGaps)
        m_painter->setBackgroundMode(Qt::TransparentMode);
}

void QPainterCanvas::RoundRect(int left, int top, int right, int bottom, int width, int height)
{
    drawCurve(left, top, right, bottom, std::max(0, width), std::max(0, height));
}

void QPainterCanvas::Ellipse(int left, int top, int right, int bottom)
{
    drawCurve(left, top, right, bottom, -1, -1);
}

void QPainterCanvas::Polygon(const std::vector<TPoint>& points)
{
    Ink ink;
    if (!ready() || points.size() < 2 || !applyPenMode(ink))
        return;
    QPolygonF polygon;
    polygon.reserve(qsizetype(points.size()));
    for (const TPoint& p : points)
        polygon << pixelCentre(p);
    const QBrush fill = fillBrush(ink.brush);
    if (fill.style() != Qt::NoBrush) {
        m_painter->setPen(Qt::NoPen);
        m_painter->setBrush(fill);
        m_painter->drawPolygon(polygon, Qt::OddEvenFill);
    }
    if (pen().Style == psClear)
        return;
    if (thinPen()) {
        strokeThin(points, true, ink);
        return;
    }
    m_painter->setPen(curvePen(ink));
    m_painter->setBrush(Qt::NoBrush);
    m_painter->drawPolygon(polygon);
}

void QPainterCanvas::SetPixel(int x, int y, TColor color)
{
    if (!ready())
        return;
    applyCopyMode();
    fillVisible(x, y, std::int64_t(x) + 1, std::int64_t(y) + 1, QBrush(toQColor(color)));
}

void QPainterCanvas::drawTextAt(int x, int y, const QString& text, const TRect* clip)
{
    const FontCache::Entry& entry = m_fonts.get(font());
    applyCopyMode();
    m_painter->setFont(entry.font);
    m_painter->setPen(toQColor(font().Color));
    const QBrush background(toQColor(brush().Color));
    const bool opaque = brush().Style == bsSolid;
    const std::int64_t cellHeight = entry.metrics.ascent() + entry.metrics.descent();
    const std::int64_t advance = entry.metrics.horizontalAdvance(text);
    if (clip) {
        const QRect part = visiblePart(clip->Left, clip->Top, clip->Right, clip->Bottom);
        if (part.isEmpty())
            return;
        m_painter->save();
        m_painter->setClipRect(part, Qt::IntersectClip);
        if (opaque)
            m_painter->fillRect(part, background);
    } else if (opaque) {
        fillVisible(x, y, x + advance, y + cellHeight, background);
    }
    // Qt lays text out in fixed point, which cannot place it far outside the
    // device; text there would not show anyway. The margin of one cell height
    // keeps overhanging glyphs.
    if (!visiblePart(x - cellHeight, y - cellHeight, x + advance + cellHeight, y + 2 * cellHeight)
             .isEmpty())
        m_painter->drawText(QPointF(x, double(y) + entry.metrics.ascent()), text);
    if (clip)
        m_painter->restore();
}

void QPainterCanvas::TextOut(int x, int y, const QString& text)
{
    if (ready())
        drawTextAt(x, y, text, nullptr);
    m_penPos = {saturatingAdd(x, TextWidth(text)), y};
}

void QPainterCanvas::TextRect(const TRect& rect, int x, int y, const QString& text)
{
    if (!ready() || rect.Right <= rect.Left || rect.Bottom <= rect.Top)
        return;
    drawTextAt(x, y, text, &rect);
}

int QPainterCanvas::TextWidth(const QString& text)
{
    return m_fonts.textWidth(font(), text);
}

int QPainterCanvas::TextHeight(const QString&)
{
    return m_fonts.textHeight(font());
}

void QPainterCanvas::StretchDraw(const TRect& rect, const QImage& picture)
{
    if (!ready() || picture.isNull() || rect.Right <= rect.Left || rect.Bottom <= rect.Top)
        return;
    applyCopyMode();
    m_painter->drawImage(boxOf(rect), picture);
}

void QPainterCanvas::FillRect(const TRect& rect)
{
    if (!ready() || brush().Style == bsClear)
        return;
    applyCopyMode();
    fillVisible(rect.Left, rect.Top, rect.Right, rect.Bottom, fillBrush(toQColor(brush().Color)));
}

void QPainterCanvas::CopyRect(const TRect& dest, const QImage& source, const TRect& sourceRect)
{
    if (!ready() || source.isNull() || dest.Right <= dest.Left || dest.Bottom <= dest.Top ||
        sourceRect.Right <= sourceRect.Left || sourceRect.Bottom <= sourceRect.Top)
        return;
    applyCopyMode();
    m_painter->drawImage(boxOf(dest), source, boxOf(sourceRect));
}

} // namespace sw
