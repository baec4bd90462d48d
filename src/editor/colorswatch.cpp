#include "editor/colorswatch.h"

#include <QPainter>

namespace sw {

TColorSwatch::TColorSwatch(QWidget* parent) : QToolButton(parent)
{
    setAutoRaise(false);
    setFocusPolicy(Qt::TabFocus);
}

void TColorSwatch::SetColor(TColor color)
{
    m_color = color;
    update();
}

void TColorSwatch::paintEvent(QPaintEvent* event)
{
    QToolButton::paintEvent(event);
    QPainter painter(this);
    const QRect swatch = rect().adjusted(3, 3, -4, -4);
    painter.fillRect(swatch, toQColor(m_color));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(swatch);
}

} // namespace sw
