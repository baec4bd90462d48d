#pragma once

#include <QObject>
#include <QString>
#include <optional>

class QLineEdit;

namespace sw {

// Whether the decimal key filter lets the typed character into a field that
// holds `text`: digits and Backspace always, "." while the field holds none.
bool decimalKeyAccepted(const QString& text, QChar typed);

// Drops every typed character that decimalKeyAccepted refuses. Control keys
// (Tab, arrows, shortcuts) pass untouched. Install on the line edits.
class DecimalKeyFilter : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// A decimal number with "." as the separator: an optional "-", digits with
// at most one "." and at least one digit. Nothing for anything else (empty,
// a lone ".", exponents, spaces).
std::optional<double> parseDecimal(const QString& text);
// A whole number that fits an int; nothing for fractions and anything else.
std::optional<int> parseWhole(const QString& text);

// The shortest decimal form: "210" rather than "210.0", "10.1" for a sum that
// binary fractions leave a hair off; never an exponent.
QString decimalText(double value);

} // namespace sw
