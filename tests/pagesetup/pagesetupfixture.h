#pragma once

#include "dialogs/pagesetupdialog.h"
#include "editor/backgroundcommands.h"
#include "window/windowfixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWheelEvent>

namespace sw::test {

// The designer window with its page setup dialog open.
class PageSetupTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        if (HasFatalFailure())
            return;
        click("PageSetupAct");
        settle();
        ASSERT_TRUE(setup().isVisible());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&setup()));
    }

    PageSetupDialog& setup() const { return window->pageDialog(); }
    QLineEdit* field(PageSetupDialog::Field f) const { return setup().field(f); }
    BackgroundCommands& backgrounds() const { return window->backgroundCommands(); }

    // Lets the queued refresh of the dialog run.
    static void settle() { QCoreApplication::processEvents(); }

    // Picks the entry with the arrow keys, as a user does on a closed list.
    static void choose(QComboBox* list, int index)
    {
        list->setFocus();
        while (list->currentIndex() < index)
            QTest::keyClick(list, Qt::Key_Down);
        while (list->currentIndex() > index)
            QTest::keyClick(list, Qt::Key_Up);
    }
    void chooseMode(int modal) const { choose(setup().modeList(), modal); }

    // Replaces the field's text by typing.
    static void retype(QLineEdit* edit, const QString& text)
    {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    // One wheel notch over the field (up: away from the user).
    static void wheel(QLineEdit* edit, bool up)
    {
        edit->setFocus();
        const QPoint centre = edit->rect().center();
        QWheelEvent event(centre, edit->mapToGlobal(centre), {}, {0, up ? 120 : -120}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(edit, &event);
    }

    void pressOk() const
    {
        auto* ok = setup().findChild<QPushButton*>(QStringLiteral("OkButton"));
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
    }

    // The positioning box at the top left of the current page.
    TGraphics& topLeftBox() const { return *page().ShapeItem(0); }
    // The paper-type (0) or page-number (1) mark of the first page.
    TRectKg& mark(int m) const
    {
        return static_cast<TRectKg&>(*document().PageAt(0)->ShapeItem(4 + m));
    }
};

} // namespace sw::test
