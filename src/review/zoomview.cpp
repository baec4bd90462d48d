#include "review/zoomview.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QStackedWidget>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace sw {

namespace {

constexpr double ZoomStep = 1.25;
constexpr double MinZoom = 0.05;
constexpr double MaxZoom = 8;

} // namespace

// Draws the picture at the zoom asked, only where it is exposed: showing a
// large scan costs nothing until it is painted.
class PictureCanvas : public QWidget
{
public:
    void setPicture(const QImage& picture, double zoom)
    {
        m_picture = picture;
        setZoom(zoom);
    }

    void setZoom(double zoom)
    {
        m_zoom = zoom;
        resize((QSizeF(m_picture.size()) * m_zoom).toSize().expandedTo({1, 1}));
        update();
    }

    const QImage& picture() const { return m_picture; }
    double zoom() const { return m_zoom; }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter painter(this);
        painter.fillRect(event->rect(), palette().base());
        painter.setRenderHint(QPainter::SmoothPixmapTransform, m_zoom < 1);
        const QRectF shown = QRectF(event->rect()).intersected(QRectF(rect()));
        const QRectF source(shown.topLeft() / m_zoom, shown.size() / m_zoom);
        painter.drawImage(shown, m_picture, source);
    }

private:
    QImage m_picture;
    double m_zoom = 1;
};

ZoomView::ZoomView(const QString& accessibleName, QWidget* parent)
    : QScrollArea(parent), m_canvas(new PictureCanvas), m_message(new QLabel)
{
    setAccessibleName(accessibleName);
    setFocusPolicy(Qt::StrongFocus);
    setAlignment(Qt::AlignCenter);
    m_canvas->setAccessibleName(accessibleName);
    m_message->setAccessibleName(accessibleName);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
    auto* pages = new QStackedWidget;
    pages->addWidget(m_canvas);
    pages->addWidget(m_message);
    setWidget(pages);
    setWidgetResizable(false);
}

double ZoomView::zoom() const
{
    return m_canvas->zoom();
}

void ZoomView::setPicture(const QImage& picture)
{
    const int room = std::max(1, viewport()->width() - 2);
    const double fit =
        picture.isNull() ? 1 : std::clamp(double(room) / picture.width(), MinZoom, MaxZoom);
    m_canvas->setPicture(picture, fit);
    auto* pages = static_cast<QStackedWidget*>(widget());
    pages->setCurrentWidget(m_canvas);
    pages->resize(m_canvas->size());
}

void ZoomView::setMessage(const QString& text)
{
    m_canvas->setPicture({}, 1);
    m_message->setText(text);
    auto* pages = static_cast<QStackedWidget*>(widget());
    pages->setCurrentWidget(m_message);
    pages->resize(viewport()->size());
}

void ZoomView::setZoom(double zoom)
{
    if (m_canvas->picture().isNull())
        return;
    m_canvas->setZoom(std::clamp(zoom, MinZoom, MaxZoom));
    widget()->resize(m_canvas->size());
}

void ZoomView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QScrollArea::wheelEvent(event);
        return;
    }
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0)
        setZoom(zoom() * std::pow(ZoomStep, steps));
    event->accept();
}

void ZoomView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Equal)
        setZoom(zoom() * ZoomStep);
    else if (event->key() == Qt::Key_Minus)
        setZoom(zoom() / ZoomStep);
    else
        QScrollArea::keyPressEvent(event);
}

} // namespace sw
