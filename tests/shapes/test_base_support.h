#pragma once

#include "platform/recordingcanvas.h"

namespace sw::test {

// The recorded calls without the font records, which shapes that write no
// text leave as the canvas had them.
inline QStringList drawnLines(const RecordingCanvas& canvas)
{
    QStringList out;
    for (const CanvasCall& call : canvas.calls()) {
        if (call.name != QLatin1String("Font"))
            out << call.line();
    }
    return out;
}

} // namespace sw::test
