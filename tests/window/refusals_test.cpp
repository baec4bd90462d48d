#include "dialogs/pagesetupdialog.h"
#include "window/windowfixture.h"

#include <QLineEdit>
#include <QPushButton>

#include <QMessageBox>
#include <QTimer>

namespace sw::test {
namespace {

// The real message boxes, answered with the mouse as a user does.
class RefusalTest : public WindowTest
{
protected:
    // Clicks 确定 of every message box that shows while `act` runs and a
    // little after; returns how many showed.
    int messageBoxesWhile(const std::function<void()>& act)
    {
        QtDialogService qtDialogs;
        setDialogService(&qtDialogs);
        int shown = 0;
        QTimer closer;
        closer.setInterval(10);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            ++shown;
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        });
        closer.start();
        act();
        QTest::qWait(300);
        closer.stop();
        setDialogService(&dialogs);
        return shown;
    }
};

TEST_F(RefusalTest, ARefusalOnThePageShowsOnceWhenItsOkIsClicked)
{
    draw("barcode", {100, 300}, {300, 400}); // the page's one barcode box
    click("barcode");
    const int shown = messageBoxesWhile([&] {
        QTest::mousePress(&surface(), Qt::LeftButton, {}, QPoint(500, 500));
        QTest::mouseRelease(&surface(), Qt::LeftButton, {}, QPoint(500, 500));
    });
    EXPECT_EQ(shown, 1);
}

TEST_F(RefusalTest, AWrongNumberInPageSetupIsRefusedOnceWhenItsOkIsClicked)
{
    click("PageSetupAct");
    PageSetupDialog& setup = window->pageDialog();
    setup.field(PageSetupDialog::LeftMarginField)->setText(QStringLiteral("abc"));
    auto* ok = setup.findChild<QPushButton*>(QStringLiteral("OkButton"));
    ASSERT_NE(ok, nullptr);
    const int shown = messageBoxesWhile([&] { QTest::mouseClick(ok, Qt::LeftButton); });
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(setup.isVisible()); // the wrong number stays to be mended
}

} // namespace
} // namespace sw::test
