#pragma once

#include "platform/graphicstypes.h"

#include <QFont>
#include <QToolButton>

namespace sw {

// A button that keeps a font and shows its name. Clicking it only emits
// clicked(); the owner opens the font dialog and sets the chosen font.
class FontButton : public QToolButton
{
    Q_OBJECT

public:
    explicit FontButton(QWidget* parent = nullptr);

    const TFont& Font() const { return m_font; }
    void SetFont(const TFont& font);

private:
    TFont m_font;
};

// The font a font dialog is preset with: family, styles and the size in
// points that the height (character or cell height in pixels, as the canvas
// reads it) has at pixelsPerInch.
QFont toDialogFont(const TFont& font, int pixelsPerInch);

// The font chosen in a font dialog, as a variation of base: family, styles and
// size are the dialog's (the size as a negative character height at
// pixelsPerInch), colour, character set and pitch are base's. A size left as
// the dialog was preset keeps base's height, so confirming the dialog
// unchanged changes nothing.
TFont fromDialogFont(const QFont& chosen, const TFont& base, int pixelsPerInch);

} // namespace sw
