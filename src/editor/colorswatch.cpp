#include "editor/colorswatch.h"

#include <QPainter>

namespace sw {

ColorSwatch::ColorSwatch(QWidget* parent) : QToolButton(parent)
{
    setAutoRaise(false);
    setFocusPolicy(Qt::TabFocus);
}

void ColorSwatch::SetColor(TColor color)
{
    m_color = color;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent* event)
{
    QToolButton::paintEvent(event);
    QPainter painter(this);
    const QRect swatch = rect().adjusted(3, 3, -4, -4);
    painter.fillRect(swatch, toQColor(m_color));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(swatch);
}

} // namespace sw
