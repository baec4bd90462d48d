#pragma once

class QWidget;
class QString;

namespace sw {

// The tooltip of an input: its caption (the accessible name, or a check
// box's text) and, for a
// number, the range it takes with its unit, read when the tip shows so that
// ranges set later are included.
QString fieldTip(const QWidget& input);

// Gives every named input under root without a tooltip of its own the tip
// fieldTip describes.
void giveFieldTips(QWidget& root);

} // namespace sw
