#include "dialogs/decimalfield.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <cmath>

namespace sw {

namespace {

const QLatin1Char DecimalPoint('.');

} // namespace

bool decimalKeyAccepted(const QString& text, QChar typed)
{
    if (typed == QLatin1Char('\b') || (typed >= QLatin1Char('0') && typed <= QLatin1Char('9')))
        return true;
    return typed == DecimalPoint && !text.contains(DecimalPoint);
}

bool DecimalKeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    auto* field = qobject_cast<QLineEdit*>(watched);
    const QString typed = key->text();
    // Shortcuts and keys that type nothing visible (Tab, arrows, Delete).
    const bool shortcut =
        key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!field || shortcut || typed.size() != 1 || !typed.at(0).isPrint())
        return false;
    return !decimalKeyAccepted(field->text(), typed.at(0));
}

std::optional<double> parseDecimal(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^-?([0-9]+\\.?[0-9]*|\\.[0-9]+)$"));
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> parseWhole(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^-?[0-9]+$"));
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

QString decimalText(double value)
{
    // Ten places hide the binary residue of steps like 10 + 0.1 and cover
    // every millimetre value a sheet needs.
    QString text = QString::number(value, 'f', 10);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(DecimalPoint))
        text.chop(1);
    if (text == QLatin1String("-0"))
        text = QStringLiteral("0");
    return text;
}

} // namespace sw
