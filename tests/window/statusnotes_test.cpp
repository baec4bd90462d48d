#include "editor/backgroundcommands.h"
#include "editor/editcommands.h"
#include "editor/filecommands.h"
#include "window/windowfixture.h"

#include <QStatusBar>

namespace sw::test {
namespace {

// Requests refused without a message box leave a note in the status bar.
class StatusNoteTest : public WindowTest
{
protected:
    QString note() const { return window->statusBar()->currentMessage(); }
    QString boundLabel(const char* name) const
    {
        return window->findChild<QLabel*>(QString::fromUtf8(name))->text();
    }
};

TEST_F(StatusNoteTest, SmallCutBoxOrBarcodeBox)
{
    const int shapes = page().ShapeCount();
    draw("Zgact", {150, 300}, {180, 330});
    EXPECT_EQ(note(), CutBoxTooSmallStatus);
    draw("barcode", {150, 300}, {400, 320});
    EXPECT_EQ(note(), BarcodeTooSmallStatus);
    EXPECT_EQ(page().ShapeCount(), shapes);
    EXPECT_TRUE(dialogs.messages().empty());

    draw("Zgact", {150, 300}, {250, 400});
    EXPECT_EQ(page().ShapeCount(), shapes + 1);
}

TEST_F(StatusNoteTest, LockedDocument)
{
    draw("ToolRectAct", {100, 300}, {200, 350});
    click("LockAct");
    drag({150, 325}, {180, 345});
    EXPECT_EQ(note(), DocumentLockedStatus);
    window->statusBar()->clearMessage();
    key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(note(), DocumentLockedStatus);
    EXPECT_EQ(lastShape()->GetBounds(), (TRect{100, 300, 200, 350}));
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(StatusNoteTest, RefusedPageDeletion)
{
    dialogs.answers = {true};
    click("DeletePageAct");
    EXPECT_EQ(note(), OnlyPageStatus);

    addPage(true); // A and B, the first tab selected: A's only page stays
    tabs().setCurrentIndex(0);
    dialogs.answers = {true};
    click("DeletePageAct");
    EXPECT_EQ(note(), OnlyPageOfPaperTypeStatus);
    EXPECT_EQ(tabs().count(), 2);
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(StatusNoteTest, InsertingAPictureInTheSelfMadeModeSaysWhy)
{
    ASSERT_EQ(document().Modal, SheetSelfMade);
    click("InsertBackgroundAct");
    EXPECT_EQ(note(), OverlayModeNeededStatus);
    EXPECT_TRUE(dialogs.shown.empty()); // no file dialog
    EXPECT_TRUE(page().PicturePath.isEmpty());
}

TEST_F(StatusNoteTest, PasteWithNothingCopied)
{
    const QStringList rows = historyRows();
    const bool modified = window->isWindowModified();
    dialogs.answers = {true};
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(note(), NothingCopiedStatus);
    EXPECT_EQ(historyRows(), rows);
    EXPECT_EQ(window->isWindowModified(), modified);
}

TEST_F(StatusNoteTest, CoordinatesClearWithoutASelection)
{
    draw("ToolRectAct", {100, 300}, {200, 350});
    EXPECT_EQ(boundLabel("LeftValue"), QStringLiteral("100"));
    EXPECT_EQ(boundLabel("BottomValue"), QStringLiteral("350"));
    clickAt({700, 900});
    EXPECT_EQ(document().ActiveShape, nullptr);
    for (const char* name : {"LeftValue", "TopValue", "RightValue", "BottomValue"})
        EXPECT_TRUE(boundLabel(name).isEmpty()) << name;
}

class PanelStatusNoteTest : public StatusNoteTest
{
protected:
    bool useTestPanel() const override { return false; }
};

TEST_F(PanelStatusNoteTest, BubbleBoxWithoutOptionCharacters)
{
    const int shapes = page().ShapeCount();
    draw("kgact", {150, 300}, {150, 300});
    EXPECT_EQ(note(), NoOptionCharactersStatus);
    EXPECT_EQ(page().ShapeCount(), shapes);
}

} // namespace
} // namespace sw::test
