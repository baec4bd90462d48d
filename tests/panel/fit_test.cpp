#include "panel/panel_support.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QFrame>
#include <QLayout>

namespace sw::test {
namespace {

using FitTest = PanelTest;

// Every value shows whole ("准考证号", "单选", "10.0"): each panel's lists and
// number fields are at least as wide as their longest entry needs.
TEST_F(FitTest, ValuesAreNotCutOff)
{
    for (QFrame* group : panel->findChildren<QFrame*>(Qt::FindDirectChildrenOnly)) {
        group->show();
        group->layout()->activate();
        for (QWidget* control : group->findChildren<QWidget*>()) {
            // Typed texts (the option characters) scroll instead.
            const auto* combo = qobject_cast<QComboBox*>(control);
            const bool whole =
                (combo && !combo->isEditable()) || qobject_cast<QAbstractSpinBox*>(control);
            if (!whole)
                continue;
            EXPECT_GE(control->width(), control->sizeHint().width())
                << group->objectName().toStdString() << "/" << control->objectName().toStdString();
        }
    }
}

} // namespace
} // namespace sw::test
