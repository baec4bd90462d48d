#pragma once

#include "editor/colorswatch.h"
#include "editor/fontbutton.h"
#include "platform/rounding.h"
#include "shapes/graphics.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSpinBox>
#include <functional>

namespace sw {

// One control of the property panel and the shape value it shows: load puts
// the shape's value into the control, store the control's value into the
// shape. A binding for a class of shapes passes other shapes by.
struct PanelBinding
{
    std::function<void(const TGraphics&)> load;
    std::function<void(TGraphics&)> store;
};

// A binding for shapes of class S, given as what it does to such a shape.
template <class S>
PanelBinding bindShape(std::function<void(const S&)> load, std::function<void(S&)> store)
{
    return {[load = std::move(load)](const TGraphics& shape) {
                if (const auto* own = dynamic_cast<const S*>(&shape))
                    load(*own);
            },
            [store = std::move(store)](TGraphics& shape) {
                if (auto* own = dynamic_cast<S*>(&shape))
                    store(*own);
            }};
}

// A spin box and a whole number.
template <class S, class V> PanelBinding bindSpin(QSpinBox* spin, V S::*member)
{
    return bindShape<S>([=](const S& shape) { spin->setValue(shape.*member); },
                        [=](S& shape) { shape.*member = spin->value(); });
}

// A spin box with a decimal and a whole number, rounded half to even.
template <class S, class V> PanelBinding bindSpin(QDoubleSpinBox* spin, V S::*member)
{
    return bindShape<S>([=](const S& shape) { spin->setValue(shape.*member); },
                        [=](S& shape) { shape.*member = roundHalfEven(spin->value()); });
}

// A check box and a flag.
template <class S> PanelBinding bindCheck(QCheckBox* check, bool S::*member)
{
    return bindShape<S>([=](const S& shape) { check->setChecked(shape.*member); },
                        [=](S& shape) { shape.*member = check->isChecked(); });
}

// A list of choices and a number or enumeration counting from its first
// entry. A number the list lacks leaves the choice as it is.
template <class S, class V> PanelBinding bindIndex(QComboBox* combo, V S::*member)
{
    return bindShape<S>(
        [=](const S& shape) {
            const int index = int(shape.*member);
            if (index >= 0 && index < combo->count())
                combo->setCurrentIndex(index);
        },
        [=](S& shape) { shape.*member = V(combo->currentIndex()); });
}

// A text field and a string.
template <class S> PanelBinding bindText(QLineEdit* edit, QString S::*member)
{
    return bindShape<S>([=](const S& shape) { edit->setText(shape.*member); },
                        [=](S& shape) { shape.*member = edit->text(); });
}

// A font button and a font; its colour shows in swatch, when given, as well.
template <class S> PanelBinding bindFont(FontButton* button, ColorSwatch* swatch, TFont S::*member)
{
    return bindShape<S>(
        [=](const S& shape) {
            button->SetFont(shape.*member);
            if (swatch)
                swatch->SetColor((shape.*member).Color);
        },
        [=](S& shape) { shape.*member = button->Font(); });
}

} // namespace sw
