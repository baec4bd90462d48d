#include "platform/widgets/fieldtips.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QHelpEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QToolTip>

namespace sw {

namespace {

QString rangeText(const QString& from, const QString& to, const QString& unit)
{
    return QStringLiteral("%1–%2%3").arg(from, to, unit);
}

bool isInput(const QWidget* widget)
{
    // The line edits inside spin and combo boxes are parts of their input.
    if (qobject_cast<const QAbstractSpinBox*>(widget->parentWidget()) ||
        qobject_cast<const QComboBox*>(widget->parentWidget()))
        return false;
    return qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QComboBox*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QPlainTextEdit*>(widget) ||
           qobject_cast<const QAbstractButton*>(widget);
}

// Shows fieldTip where an input without a tooltip of its own asks for one.
class FieldTipFilter : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
            return false;
        auto* input = static_cast<QWidget*>(watched);
        if (!input->toolTip().isEmpty())
            return false;
        const QString tip = fieldTip(*input);
        if (tip.isEmpty())
            return false;
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, input);
        return true;
    }
};

} // namespace

QString fieldTip(const QWidget& input)
{
    QString caption = input.accessibleName();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&input);
        caption.isEmpty() && button && button->isCheckable())
        caption = QString(button->text()).remove(QLatin1Char('&'));
    if (caption.isEmpty())
        return {};
    QString range;
    if (const auto* spin = qobject_cast<const QSpinBox*>(&input)) {
        range = rangeText(QString::number(spin->minimum()), QString::number(spin->maximum()),
                          spin->suffix());
    } else if (const auto* decimal = qobject_cast<const QDoubleSpinBox*>(&input)) {
        const QLocale locale = decimal->locale();
        range = rangeText(locale.toString(decimal->minimum(), 'f', decimal->decimals()),
                          locale.toString(decimal->maximum(), 'f', decimal->decimals()),
                          decimal->suffix());
    }
    return range.isEmpty() ? caption : QStringLiteral("%1（%2）").arg(caption, range);
}

void giveFieldTips(QWidget& root)
{
    auto* filter = new FieldTipFilter(&root);
    const QList<QWidget*> widgets = root.findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        if (!isInput(widget) || !widget->toolTip().isEmpty() || fieldTip(*widget).isEmpty())
            continue;
        // A spin box's range may change after this; the others' tips do not.
        if (qobject_cast<QAbstractSpinBox*>(widget))
            widget->installEventFilter(filter);
        else
            widget->setToolTip(fieldTip(*widget));
    }
}

} // namespace sw
