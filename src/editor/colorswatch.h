#pragma once

#include "platform/graphicstypes.h"

#include <QToolButton>

namespace sw {

// A small button filled with a colour. Clicking it only emits clicked(); the
// owner opens the colour dialog and sets the chosen colour.
class ColorSwatch : public QToolButton
{
    Q_OBJECT

public:
    explicit ColorSwatch(QWidget* parent = nullptr);

    TColor Color() const { return m_color; }
    void SetColor(TColor color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TColor m_color = clBlack;
};

} // namespace sw
