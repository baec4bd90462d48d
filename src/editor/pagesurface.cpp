#include "editor/pagesurface.h"

#include <QMouseEvent>
#include <QPainter>

namespace sw {

PageSurface::PageSurface(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void PageSurface::setImageSource(std::function<const QImage*()> source)
{
    m_source = std::move(source);
    update();
}

void PageSurface::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QImage* image = m_source ? m_source() : nullptr;
    if (!image || image->isNull()) {
        painter.fillRect(event->rect(), Qt::white);
        return;
    }
    const QRect area = event->rect();
    // In the overlay modes the image is transparent over the background picture.
    painter.drawImage(area.topLeft(), *image, area);
}

void PageSurface::mousePressEvent(QMouseEvent* event)
{
    emit pressed(event->button(), event->modifiers(), event->position().toPoint());
}

void PageSurface::mouseMoveEvent(QMouseEvent* event)
{
    emit moved(event->modifiers(), event->position().toPoint());
}

void PageSurface::mouseReleaseEvent(QMouseEvent* event)
{
    emit released(event->position().toPoint());
}

void PageSurface::mouseDoubleClickEvent(QMouseEvent* event)
{
    emit doubleClicked();
    emit pressed(event->button(), event->modifiers(), event->position().toPoint());
}

} // namespace sw
