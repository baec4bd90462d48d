#include "platform/fontconversion.h"

#include "platform/rounding.h"

#include <QFontMetricsF>
#include <algorithm>

namespace sw {

namespace {

// The height GDI picks for Height 0, and a bound that keeps corrupt heights
// from asking the font engine for absurd glyph sizes.
constexpr int DefaultHeight = -11;
constexpr int MaxPixelSize = 10000;
constexpr std::size_t CacheSize = 16;

int clampPixelSize(double size)
{
    return roundHalfEven(std::clamp(size, 1.0, double(MaxPixelSize)));
}

} // namespace

QFont toQFont(const TFont& f)
{
    QFont font(f.Name);
    font.setBold(f.has(fsBold));
    font.setItalic(f.has(fsItalic));
    font.setUnderline(f.has(fsUnderline));
    font.setStrikeOut(f.has(fsStrikeOut));
    if (f.Pitch == fpFixed) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::TypeWriter);
    }
    const int height = f.Height == 0 ? DefaultHeight : f.Height;
    if (height < 0) {
        font.setPixelSize(clampPixelSize(-double(height)));
        return font;
    }
    // Cell height: scale the em so that ascent + descent comes to the height.
    font.setPixelSize(clampPixelSize(double(height)));
    const QFontMetricsF metrics(font);
    const double cell = metrics.ascent() + metrics.descent();
    if (cell > 0)
        font.setPixelSize(clampPixelSize(double(height) * height / cell));
    return font;
}

const FontCache::Entry& FontCache::get(const TFont& font)
{
    auto it = std::find_if(m_entries.begin(), m_entries.end(),
                           [&](const Entry& e) { return e.key == font; });
    if (it == m_entries.end()) {
        if (m_entries.size() >= CacheSize)
            m_entries.erase(m_entries.begin());
        QFont qfont = toQFont(font);
        QFontMetrics metrics(qfont);
        m_entries.push_back(Entry{font, std::move(qfont), std::move(metrics)});
    } else if (it != m_entries.end() - 1) {
        std::rotate(it, it + 1, m_entries.end());
    }
    return m_entries.back();
}

int FontCache::textWidth(const TFont& font, const QString& text)
{
    return get(font).metrics.horizontalAdvance(text);
}

int FontCache::textHeight(const TFont& font)
{
    const QFontMetrics& m = get(font).metrics;
    return m.ascent() + m.descent();
}

} // namespace sw
