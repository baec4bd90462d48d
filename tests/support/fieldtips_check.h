#pragma once

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>
#include <QToolTip>
#include <QWidget>

namespace sw::test {

// The inputs under root (named by object name) that show no tooltip when
// the pointer rests on them, or whose tip does not begin with their caption.
// Buttons that are not check boxes or radio buttons are commands, not fields.
inline QStringList inputsWithoutTips(QWidget& root)
{
    QStringList missing;
    const QList<QWidget*> widgets = root.findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        if (qobject_cast<QAbstractSpinBox*>(widget->parentWidget()) ||
            qobject_cast<QComboBox*>(widget->parentWidget()))
            continue;
        const auto* button = qobject_cast<QAbstractButton*>(widget);
        const bool field = qobject_cast<QAbstractSpinBox*>(widget) ||
                           qobject_cast<QComboBox*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                           qobject_cast<QPlainTextEdit*>(widget) ||
                           (button && button->isCheckable());
        if (!field)
            continue;
        QToolTip::hideText();
        const QPoint centre = widget->rect().center();
        QHelpEvent event(QEvent::ToolTip, centre, widget->mapToGlobal(centre));
        QApplication::sendEvent(widget, &event);
        const QString caption = widget->accessibleName().isEmpty() && button
                                    ? QString(button->text()).remove(QLatin1Char('&'))
                                    : widget->accessibleName();
        const QString tip = QToolTip::isVisible() ? QToolTip::text() : widget->toolTip();
        if (tip.isEmpty() || !tip.startsWith(caption))
            missing << widget->objectName() + QStringLiteral(": ") + tip;
    }
    QToolTip::hideText();
    return missing;
}

} // namespace sw::test
