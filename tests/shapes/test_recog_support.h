#pragma once

#include "platform/recordingcanvas.h"

#include <QString>
#include <cstdint>
#include <ostream>
#include <vector>

namespace sw::test {

// A text written with TextOut (or TextRect: rect and origin).
struct Written
{
    int x = 0;
    int y = 0;
    QString text;

    friend bool operator==(const Written&, const Written&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Written& w)
    {
        return os << '(' << w.x << ", " << w.y << ", \"" << w.text.toStdString() << "\")";
    }
};

inline std::vector<CanvasCall> callsNamed(const RecordingCanvas& canvas, const char* name)
{
    std::vector<CanvasCall> out;
    for (const CanvasCall& call : canvas.calls()) {
        if (call.name == QLatin1String(name))
            out.push_back(call);
    }
    return out;
}

inline std::vector<Written> textsOut(const RecordingCanvas& canvas)
{
    std::vector<Written> out;
    for (const CanvasCall& call : callsNamed(canvas, "TextOut"))
        out.push_back({call.args[0], call.args[1], call.text});
    return out;
}

// Paths drawn as MoveTo followed by LineTos: each is the list of its points.
inline std::vector<std::vector<TPoint>> paths(const RecordingCanvas& canvas)
{
    std::vector<std::vector<TPoint>> out;
    for (const CanvasCall& call : canvas.calls()) {
        if (call.name == QLatin1String("MoveTo"))
            out.push_back({{call.args[0], call.args[1]}});
        else if (call.name == QLatin1String("LineTo") && !out.empty())
            out.back().push_back({call.args[0], call.args[1]});
    }
    return out;
}

// The closed four-line path of a cell with its top-left corner at (x, y).
inline std::vector<TPoint> cellPath(int x, int y, int w, int h)
{
    return {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}, {x, y}};
}

// Counts drawing calls without keeping them, for shapes that might draw
// without bound; text metrics are the recording canvas's.
class CountingCanvas : public RecordingCanvas
{
public:
    CountingCanvas() : RecordingCanvas(96) {}

    std::int64_t count = 0;

    void MoveTo(int x, int y) override
    {
        Canvas::MoveTo(x, y);
        ++count;
    }
    void LineTo(int, int) override { ++count; }
    using RecordingCanvas::Rectangle;
    void Rectangle(int, int, int, int) override { ++count; }
    void TextOut(int, int, const QString&) override { ++count; }
    void TextRect(const TRect&, int, int, const QString&) override { ++count; }
};

} // namespace sw::test
