#include "editor/rulerwidget.h"

#include "document/rulers.h"
#include "platform/graphicstypes.h"

#include <QPainter>

namespace sw {

RulerWidget::RulerWidget(Qt::Orientation orientation, int thickness, QWidget* parent)
    : QWidget(parent), m_orientation(orientation)
{
    if (orientation == Qt::Horizontal) {
        setFixedHeight(thickness);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    } else {
        setFixedWidth(thickness);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    }
    setAttribute(Qt::WA_OpaquePaintEvent);
}

int RulerWidget::length() const
{
    return m_orientation == Qt::Horizontal ? width() : height();
}

void RulerWidget::setImageSource(std::function<const QImage*()> source)
{
    m_source = std::move(source);
    update();
}

void RulerWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(RulerBackground));
    const QImage* image = m_source ? m_source() : nullptr;
    if (image && !image->isNull())
        painter.drawImage(0, 0, *image);
}

void RulerWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    emit resized();
}

} // namespace sw
