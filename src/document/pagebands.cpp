#include "document/pagebands.h"

#include "document/vectorgraph.h"
#include "document/vectorgraphics.h"
#include "platform/qpaintercanvas.h"

#include <QPainter>
#include <algorithm>

namespace sw {

int exportBandRows(int width)
{
    const qint64 rowBytes = std::max<qint64>(width, 1) * 4;
    return int(std::clamp<qint64>(ExportBandBytes / rowBytes, 1, 1 << 20));
}

PageBands::PageBands(const TVectorGraphics& document, TVectorGraph& page, double dotsPerInch,
                     QSize size, int bandRows)
    : m_document(document), m_page(page),
      m_scale(page, outputScale(dotsPerInch, document.PixelsPerMm),
              outputScale(dotsPerInch, document.PixelsPerMm)),
      m_size(size), m_band(size.width(), std::clamp(bandRows, 1, std::max(size.height(), 1)),
                           QImage::Format_RGB32)
{
}

const QRgb* PageBands::row(int y)
{
    if (m_top < 0 || y < m_top || y >= m_top + m_band.height())
        paintBand(y - y % m_band.height());
    return reinterpret_cast<const QRgb*>(m_band.constScanLine(y - m_top));
}

// The band is the sheet moved up by `top` whole pixels and clipped to the band,
// so every shape lands on the same pixels as on the whole sheet.
void PageBands::paintBand(int top)
{
    m_top = top;
    m_band.fill(Qt::white);
    QPainter painter(&m_band);
    painter.translate(0, -top);
    painter.setClipRect(QRect(0, top, m_size.width(), m_band.height()));
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QPainterCanvas canvas(painter, outputFontPixelsPerInch(m_document));
    Paint(m_page, canvas, OutputPrint);
}

} // namespace sw
