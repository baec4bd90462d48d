#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace sw {

class TGraphics;

// The property panel as the main window plugs it into its group "图形参数":
// the current drawing style, loaded from and written into shapes.
class ShapePanel
{
public:
    virtual ~ShapePanel() = default;

    // The panel's widget; the window puts it into the group.
    virtual QWidget* widget() = 0;
    // Shows the sub-panels that fit the tool (0 = select: no change).
    virtual void ShowPanels(int tool) = 0;
    // Fills the controls from the shape.
    virtual void LoadPanel(TGraphics& shape) = 0;
    // Writes the controls into the shape and, with all, into every selected
    // shape of its kind on the current page.
    virtual void ApplyPanel(TGraphics& shape, bool all) = 0;
    // "圆角半径", rounded.
    virtual int cornerRadius() const = 0;
    // "字符" of bubble boxes.
    virtual QString optionCharacters() const = 0;
    // Replaces the entries of the "字符" list.
    virtual void setOptionCharacterList(const QStringList& entries) = 0;
};

} // namespace sw
