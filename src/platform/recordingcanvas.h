#pragma once

#include "platform/canvas.h"
#include "platform/fontconversion.h"

#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace sw {

// One call on a RecordingCanvas. args hold the numbers of the trace line in
// their order (coordinates in device pixels, colours as TColor, enumerations
// by ordinal); text holds the quoted text (the font name for "Font").
struct CanvasCall
{
    QString name;
    std::vector<int> args;
    QString text;

    friend bool operator==(const CanvasCall&, const CanvasCall&) = default;
    // The trace line, e.g. `Rectangle 10 20 30 40` or `TextOut 5 6 "A\"B"`.
    QString line() const;
};

// A canvas that draws nothing and keeps every call instead, for tests and the
// drawing trace. Pen, brush and font are plain state, so they are written as
// "Pen"/"Brush"/"Font" records just before the next drawing call that follows
// a change (all three before the first drawing call). Text metrics are those
// of QPainterCanvas.
class RecordingCanvas : public Canvas
{
public:
    explicit RecordingCanvas(int pixelsPerInch);

    int pixelsPerInch() const override { return m_pixelsPerInch; }

    const std::vector<CanvasCall>& calls() const { return m_calls; }
    QStringList lines() const;
    // Forgets the calls; the next drawing call writes all state records again.
    void clear();
    // Hands every call to `sink` as it is made instead of keeping it, so that
    // a long trace needs no memory for itself.
    void setSink(std::function<void(const CanvasCall&)> sink) { m_sink = std::move(sink); }
    // The area a trace stands for (unbounded unless set).
    void setClipRect(const TRect& rect) { m_clip = rect; }
    TRect ClipRect() const override { return m_clip.value_or(Canvas::ClipRect()); }

    void MoveTo(int x, int y) override;
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
    void draw(const QString& name, std::vector<int> args, const QString& text = {});
    void writeChangedState();
    void record(CanvasCall call);

    int m_pixelsPerInch;
    std::vector<CanvasCall> m_calls;
    std::function<void(const CanvasCall&)> m_sink;
    std::optional<TRect> m_clip;
    std::optional<TPen> m_writtenPen;
    std::optional<TBrush> m_writtenBrush;
    std::optional<TFont> m_writtenFont;
    FontCache m_fonts;
};

} // namespace sw
