#pragma once

#include "platform/canvas.h"
#include "platform/fontconversion.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <cstdint>
#include <memory>

class QPaintDevice;

namespace sw {

// The canvas over QPainter: on a QImage (where the not-xor and other pen modes
// work as raster operations), on any other paint device (PDF, SVG, printer:
// pen modes other than pmNop paint like pmCopy there), or through a painter
// someone else has opened (a widget's paint event).
//
// One QPainter stays open for the lifetime of the canvas. Thin lines and
// rectangle frames are painted as pixel runs, so that every pixel of a figure
// is painted exactly once and raster operations invert cleanly.
class QPainterCanvas : public Canvas
{
public:
    // Images in formats QPainter cannot paint on (indexed, mono) are converted
    // to Format_RGB32 first.
    QPainterCanvas(QImage& image, int pixelsPerInch);
    QPainterCanvas(QPaintDevice& device, int pixelsPerInch);
    // Paints through an active painter and leaves it open; its state is changed.
    QPainterCanvas(QPainter& painter, int pixelsPerInch);
    ~QPainterCanvas() override;
    QPainterCanvas(const QPainterCanvas&) = delete;
    QPainterCanvas& operator=(const QPainterCanvas&) = delete;

    // False when the device could not be opened; the canvas then paints nothing.
    bool isActive() const;
    // Ends painting on a device the canvas opened itself (a PDF page is
    // written then); later calls paint nothing.
    void end();

    int pixelsPerInch() const override { return m_pixelsPerInch; }
    // The device's area in the painter's coordinates, one pixel wider all round.
    TRect ClipRect() const override;

    void LineTo(int x, int y) override;
    using Canvas::Rectangle;
    void Rectangle(int left, int top, int right, int bottom) override;
    void RoundRect(int left, int top, int right, int bottom, int width, int height) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void Polygon(const std::vector<TPoint>& points) override;
    void SetPixel(int x, int y, TColor color) override;
    void TextOut(int x, int y, const QString& text) override;
    void TextRect(const TRect& rect, int x, int y, const QString& text) override;
    int TextWidth(const QString& text) override;
    int TextHeight(const QString& text) override;
    void StretchDraw(const TRect& rect, const QImage& picture) override;
    void FillRect(const TRect& rect) override;
    void CopyRect(const TRect& dest, const QImage& source, const TRect& sourceRect) override;

private:
    // Colours and composition of a figure drawn with the pen and brush in the
    // current pen mode.
    struct Ink
    {
        QColor pen;
        QColor brush;
    };

    void begin(QPaintDevice& device);
    bool ready() const;
    // Sets the composition for the pen mode; false when nothing is to be drawn.
    bool applyPenMode(Ink& ink);
    void applyCopyMode();
    int penWidth() const;
    bool thinPen() const;
    QBrush fillBrush(const QColor& color) const;
    void strokeThin(const std::vector<TPoint>& points, bool closed, const Ink& ink);
    void strokeThinVector(const std::vector<TPoint>& points, bool closed, const Ink& ink);
    QPen curvePen(const Ink& ink) const;
    void drawCurve(int left, int top, int right, int bottom, int width, int height);
    void drawTextAt(int x, int y, const QString& text, const TRect* clip);
    QRect visibleArea() const;
    // The part of [left, right) x [top, bottom) inside the visible area, empty
    // when there is none; coordinates in 64 bits, so that no arithmetic on
    // values from a file can overflow.
    QRect visiblePart(std::int64_t left, std::int64_t top, std::int64_t right,
                      std::int64_t bottom) const;
    void fillVisible(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                     const QBrush& brush);

    std::unique_ptr<QPainter> m_ownPainter;
    QPainter* m_painter = nullptr;
    bool m_rasterOps = false;
    int m_pixelsPerInch;
    FontCache m_fonts;
};

} // namespace sw
