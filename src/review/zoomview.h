#pragma once

#include <QImage>
#include <QScrollArea>

class QLabel;

namespace sw {

class PictureCanvas;

// A picture in a scroll area, zoomed with Ctrl+wheel and the + and - keys.
class ZoomView : public QScrollArea
{
    Q_OBJECT

public:
    explicit ZoomView(const QString& accessibleName, QWidget* parent = nullptr);

    // Shows `picture` fitted to the view's width.
    void setPicture(const QImage& picture);
    // Shows a text instead of a picture.
    void setMessage(const QString& text);
    double zoom() const;
    void setZoom(double zoom);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    PictureCanvas* m_canvas;
    QLabel* m_message;
};

} // namespace sw
