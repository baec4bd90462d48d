// Changes made through the page setup and the background commands mark the
// document unsaved, make history entries and come back with Ctrl+Z.
#include "pagesetup/pagesetupfixture.h"

#include "editor/filecommands.h"
#include "editor/history.h"
#include "pagesetup/scanfixture.h"

#include <QFileInfo>

namespace sw::test {
namespace {

using F = PageSetupDialog;

enum class Change
{
    PageSetup,
    SheetMode,
    InsertPicture,
    MovePicture,
};

struct ChangeCase
{
    const char* name;
    Change change;
    const char* entry;
};

class ChangesRecorded : public PageSetupTest, public ::testing::WithParamInterface<ChangeCase>
{
protected:
    // The changes to a picture start in mode 1, the nudges with a scan.
    bool needsOverlay() const { return GetParam().change == Change::MovePicture; }
    bool needsOverlayMode() const
    {
        return needsOverlay() || GetParam().change == Change::InsertPicture;
    }
    void makeChange()
    {
        switch (GetParam().change) {
        case Change::PageSetup:
            typeWidth("200");
            return;
        case Change::SheetMode:
            chooseMode(1);
            return;
        case Change::InsertPicture:
            insertScan();
            return;
        case Change::MovePicture:
            // Two nudges make one entry.
            click("MoveBackgroundRightAct");
            click("MoveBackgroundDownAct");
            return;
        }
    }
    void insertScan()
    {
        const QString file = path(QStringLiteral("scan.png"));
        ASSERT_TRUE(writeFile(file, encoded(markedScan(400, 600, {}, {}), "PNG")));
        dialogs.files.push_back({file, 1});
        click("InsertBackgroundAct");
    }
    void typeWidth(const char* width)
    {
        retype(field(F::WidthField), QString::fromLatin1(width));
        pressOk();
        // The dialog closes: back to the page.
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QString pageState() const
    {
        return QStringLiteral("mode %1 width %2 picture %3 at %4,%5")
            .arg(document().Modal)
            .arg(page().Width)
            .arg(QFileInfo(page().PicturePath).fileName())
            .arg(page().Left)
            .arg(page().Top);
    }
};

TEST_P(ChangesRecorded, MarkTheDocumentAndUndo)
{
    if (needsOverlayMode())
        chooseMode(1);
    if (needsOverlay())
        insertScan();
    window->controller().History().MarkSaved();
    ASSERT_FALSE(window->isWindowModified());
    const QString before = pageState();
    const QStringList rowsBefore = historyRows();

    makeChange();
    const QString after = pageState();
    ASSERT_NE(after, before);
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(historyRows().size(), std::min<qsizetype>(rowsBefore.size() + 1, 10));
    EXPECT_EQ(historyRows().last(), QString::fromUtf8(GetParam().entry));

    // Ctrl+Z where the user is: in the page setup when it is still open.
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(pageState(), before);
    EXPECT_FALSE(window->isWindowModified());
    if (needsOverlay()) {
        // The picture is shown where the restored page puts it.
        EXPECT_EQ(window->backgroundImage()->pos(), QPoint(page().Left, page().Top));
    }

    // Redone, the change is unsaved work again: Open asks first.
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(pageState(), after);
    dialogs.shown.clear();
    dialogs.threeWayAnswers = {Answer::Cancel};
    click("OpenAct");
    ASSERT_EQ(dialogs.questions().size(), 1u);
    EXPECT_EQ(dialogs.questions()[0].text, QStringLiteral("是否保存模板？"));
    EXPECT_EQ(pageState(), after);
}

INSTANTIATE_TEST_SUITE_P(
    Changes, ChangesRecorded,
    ::testing::Values(ChangeCase{"PageSetup", Change::PageSetup, "页面设置"},
                      ChangeCase{"SheetMode", Change::SheetMode, "更改模式"},
                      ChangeCase{"InsertPicture", Change::InsertPicture, "插入底图"},
                      ChangeCase{"MovePicture", Change::MovePicture, "移动底图"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace sw::test
