#include "reading/greyview.h"

namespace sw {

GreyView::GreyView(const QImage& scan) : m_image(scan)
{
    switch (m_image.format()) {
    case QImage::Format_Grayscale8:
        m_grey = true;
        break;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        break;
    default:
        m_image = m_image.convertToFormat(QImage::Format_RGB32);
        break;
    }
    m_bits = m_image.constBits();
    m_stride = m_image.bytesPerLine();
}

} // namespace sw
