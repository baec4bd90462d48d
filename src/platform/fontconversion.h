#pragma once

#include "platform/graphicstypes.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <vector>

namespace sw {

// The QFont a TFont stands for. Height < 0 is the pixel size of the characters,
// Height > 0 the cell height (ascent + descent), 0 the platform default.
QFont toQFont(const TFont& font);

// TFont -> QFont conversions with their metrics, kept for the fonts a canvas
// uses most recently. Every canvas measures text through this class, so all
// canvases agree on text extents.
class FontCache
{
public:
    struct Entry
    {
        TFont key;
        QFont font;
        QFontMetrics metrics;
    };

    // The entry stays valid until the next call of get().
    const Entry& get(const TFont& font);

    int textWidth(const TFont& font, const QString& text);
    // Cell height: ascent + descent.
    int textHeight(const TFont& font);

private:
    std::vector<Entry> m_entries; // most recently used last
};

} // namespace sw
