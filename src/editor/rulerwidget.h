#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace sw {

// One of the two centimetre rulers beside the page surface. It shows the
// ruler image the editing controller draws; the controller is told about
// size changes through resized().
class RulerWidget : public QWidget
{
    Q_OBJECT

public:
    // thickness: the fixed height (horizontal) or width (vertical) in pixels.
    RulerWidget(Qt::Orientation orientation, int thickness, QWidget* parent = nullptr);

    Qt::Orientation orientation() const { return m_orientation; }
    // Length along the ruler, in pixels.
    int length() const;
    // Where the shown image comes from; none shows an empty ruler.
    void setImageSource(std::function<const QImage*()> source);

signals:
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    const Qt::Orientation m_orientation;
    std::function<const QImage*()> m_source;
};

} // namespace sw
