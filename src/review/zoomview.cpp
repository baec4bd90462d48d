#include "review/zoomview.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace sw {

namespace {

constexpr double ZoomStep = 1.25;
constexpr double MinZoom = 0.05;
constexpr double MaxZoom = 8;

} // namespace

ZoomView::ZoomView(const QString& accessibleName, QWidget* parent)
    : QScrollArea(parent), m_label(new QLabel)
{
    setAccessibleName(accessibleName);
    setFocusPolicy(Qt::StrongFocus);
    setAlignment(Qt::AlignCenter);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setAccessibleName(accessibleName);
    setWidget(m_label);
    setWidgetResizable(false);
}

void ZoomView::setPicture(const QImage& picture)
{
    m_picture = picture;
    const int room = std::max(1, viewport()->width() - 2);
    m_zoom = picture.isNull() ? 1 : std::clamp(double(room) / picture.width(), MinZoom, MaxZoom);
    showZoomed();
}

void ZoomView::setMessage(const QString& text)
{
    m_picture = {};
    m_label->setPixmap({});
    m_label->setText(text);
    m_label->adjustSize();
}

void ZoomView::setZoom(double zoom)
{
    m_zoom = std::clamp(zoom, MinZoom, MaxZoom);
    showZoomed();
}

void ZoomView::showZoomed()
{
    if (m_picture.isNull())
        return;
    const QSize size = (QSizeF(m_picture.size()) * m_zoom).toSize().expandedTo({1, 1});
    m_label->setPixmap(QPixmap::fromImage(
        m_picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    m_label->resize(size);
}

void ZoomView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QScrollArea::wheelEvent(event);
        return;
    }
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0)
        setZoom(m_zoom * std::pow(ZoomStep, steps));
    event->accept();
}

void ZoomView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal)
        setZoom(m_zoom * ZoomStep);
    else if (event->key() == Qt::Key_Minus)
        setZoom(m_zoom / ZoomStep);
    else
        QScrollArea::keyPressEvent(event);
}

} // namespace sw
