#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace sw {

// The page drawing surface ("PageSurface"): shows the editing controller's
// backing image as it is and reports the mouse in surface pixels.
class PageSurface : public QWidget
{
    Q_OBJECT

public:
    explicit PageSurface(QWidget* parent = nullptr);

    void setImageSource(std::function<const QImage*()> source);

signals:
    void pressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void moved(Qt::KeyboardModifiers modifiers, QPoint pos);
    void released(QPoint pos);
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // A double click reports doubleClicked() and then the second press.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::function<const QImage*()> m_source;
};

} // namespace sw
