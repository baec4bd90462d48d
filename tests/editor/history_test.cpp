#include "document/vectorgraph.h"
#include "document/vectorgraphics.h"
#include "editor/history.h"
#include "shapes/rectangle.h"
#include "shapes/rectkg.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>
#include <memory>

namespace sw::test {
namespace {

// The page holds 7 reserved shapes; each test entry adds one box, so entry n
// (from 1) is a page of 7 + n shapes.
class HistoryTest : public ::testing::Test
{
protected:
    HistoryTest()
    {
        document.NewPage(-1, -1);
        history.ResetHistory();
    }

    TVectorGraph& page() { return *document.ActivePage(); }
    int userShapes() { return page().ShapeCount() - 7; }

    TRectangle& addBox()
    {
        const int n = page().ShapeCount();
        auto box =
            std::make_unique<TRectangle>(TPoint{10 * n, 10}, TPoint{10 * n + 5, 15}, 1.0, 1.0);
        TRectangle& ref = *box;
        page().AddShape(std::move(box));
        return ref;
    }

    void addEntries(int count)
    {
        for (int i = 1; i <= count; ++i) {
            addBox();
            history.AddEntry(QStringLiteral("新建-%1").arg(userShapes()));
        }
    }

    TVectorGraphics document{96};
    OperationHistory history{document};
    QAbstractItemModelTester tester{&history,
                                    QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(HistoryTest, ResetEmptiesTheHistoryButKeepsTheLastText)
{
    addEntries(2);
    history.RecordChange(9, QStringLiteral("移动"));
    history.ResetHistory();
    EXPECT_EQ(history.SnapshotCount(), 0);
    EXPECT_EQ(history.StoredSnapshots(), 0);
    EXPECT_EQ(history.RestoredIndex(), -1);
    EXPECT_EQ(history.LastKey(), -1);
    EXPECT_EQ(history.LastText(), QStringLiteral("移动"));
    EXPECT_EQ(history.rowCount(), 0);

    // The first change after a reset always makes an entry.
    history.RecordChange(9, QStringLiteral("移动"));
    EXPECT_EQ(history.rowCount(), 1);
}

TEST_F(HistoryTest, ElevenEntriesShowTheNewestTenRows)
{
    addEntries(11);
    EXPECT_EQ(history.rowCount(), OperationHistory::MaxRows);
    // The first entry's row went, and its snapshot with it.
    EXPECT_EQ(history.StoredSnapshots(), 10);
    EXPECT_EQ(history.SnapshotCount(), 10);
    EXPECT_EQ(history.data(history.index(0)).toString(), QStringLiteral("新建-2"));
    EXPECT_EQ(history.data(history.index(9)).toString(), QStringLiteral("新建-11"));

    // The first visible row is the second snapshot.
    ASSERT_TRUE(history.RestoreEntry(0));
    EXPECT_EQ(userShapes(), 2);
    EXPECT_EQ(history.SnapshotCount(), 1);
    EXPECT_EQ(history.RestoredIndex(), 0);
    EXPECT_EQ(history.rowCount(), 10); // rows stay until the next entry
}

TEST_F(HistoryTest, AnEntryAfterARestoreDropsTheLaterEntries)
{
    addEntries(5);
    ASSERT_TRUE(history.RestoreEntry(1));
    EXPECT_EQ(userShapes(), 2);
    addBox();
    history.AddEntry(QStringLiteral("新建-方框"));
    EXPECT_EQ(history.Rows(), (QStringList{QStringLiteral("新建-1"), QStringLiteral("新建-2"),
                                           QStringLiteral("新建-方框")}));
    EXPECT_EQ(history.StoredSnapshots(), 3);
    EXPECT_EQ(history.SnapshotCount(), 3);
    EXPECT_EQ(history.RestoredIndex(), -1);
}

TEST_F(HistoryTest, RowsMapOntoTheNewestSnapshotsAfterTruncation)
{
    addEntries(15); // rows show entries 6 to 15
    ASSERT_TRUE(history.RestoreEntry(2));
    EXPECT_EQ(userShapes(), 8);
    addBox();
    history.AddEntry(QStringLiteral("新建-方框"));
    // Rows: entries 6, 7, 8 and the new one, each with its snapshot.
    ASSERT_EQ(history.rowCount(), 4);
    EXPECT_EQ(history.StoredSnapshots(), 4);

    for (int row = 0; row < 3; ++row) {
        ASSERT_TRUE(history.RestoreEntry(row));
        EXPECT_EQ(userShapes(), 6 + row) << row;
    }
    ASSERT_TRUE(history.RestoreEntry(3));
    EXPECT_EQ(userShapes(), 9);
}

TEST_F(HistoryTest, ConsecutiveChangesOfOneKeyShareAnEntry)
{
    addEntries(1);
    TRectangle& box = *static_cast<TRectangle*>(page().ShapeItem(7));
    box.SetBounds({100, 100, 120, 120});
    history.RecordChange(7, QStringLiteral("移动"));
    box.SetBounds({200, 100, 220, 120});
    history.RecordChange(7, QStringLiteral("移动"));
    EXPECT_EQ(history.Rows(), (QStringList{QStringLiteral("新建-1"), QStringLiteral("移动")}));
    EXPECT_EQ(history.LastKey(), 7);

    // Another key or another text starts a new entry.
    history.RecordChange(8, QStringLiteral("移动"));
    history.RecordChange(8, QStringLiteral("轻移"));
    EXPECT_EQ(history.rowCount(), 4);

    // The shared entry holds the second move.
    box.SetBounds({0, 0, 5, 5});
    ASSERT_TRUE(history.RestoreEntry(1));
    EXPECT_EQ(page().ShapeItem(7)->GetBounds(), (TRect{200, 100, 220, 120}));
}

TEST_F(HistoryTest, AChangeAfterARestoreGetsItsOwnEntry)
{
    addEntries(1);
    TRectangle* box = static_cast<TRectangle*>(page().ShapeItem(7));
    box->SetBounds({100, 100, 120, 120});
    history.RecordChange(7, QStringLiteral("移动"));
    box->SetBounds({200, 100, 220, 120});
    history.AddEntry(QStringLiteral("左对齐"));
    box->SetBounds({300, 100, 320, 120});
    history.RecordChange(7, QStringLiteral("移动"));
    ASSERT_EQ(history.rowCount(), 4);

    // Back to the first move, then the same kind of change on the same shape:
    // the newer entries go, and the change is an entry of its own.
    ASSERT_TRUE(history.RestoreEntry(1));
    box = static_cast<TRectangle*>(page().ShapeItem(7));
    EXPECT_EQ(box->GetBounds(), (TRect{100, 100, 120, 120}));
    box->SetBounds({150, 150, 170, 170});
    history.RecordChange(7, QStringLiteral("移动"));
    EXPECT_EQ(history.Rows(), (QStringList{QStringLiteral("新建-1"), QStringLiteral("移动"),
                                           QStringLiteral("移动")}));
    EXPECT_EQ(history.StoredSnapshots(), 3);
    EXPECT_EQ(history.RestoredIndex(), -1);

    ASSERT_TRUE(history.RestoreEntry(1));
    EXPECT_EQ(page().ShapeItem(7)->GetBounds(), (TRect{100, 100, 120, 120}));
    ASSERT_TRUE(history.RestoreEntry(2));
    EXPECT_EQ(page().ShapeItem(7)->GetBounds(), (TRect{150, 150, 170, 170}));
}

TEST_F(HistoryTest, AMergedChangeRewritesTheWholeSnapshot)
{
    addEntries(1);
    for (int i = 0; i < 5; ++i)
        addBox();
    history.RecordChange(3, QStringLiteral("修改参数"));
    // Fewer shapes: a shorter snapshot that must not keep the old tail.
    for (int i = 0; i < 5; ++i)
        page().RemoveShape(page().ShapeItem(page().ShapeCount() - 1));
    history.RecordChange(3, QStringLiteral("修改参数"));
    addBox();
    ASSERT_TRUE(history.RestoreEntry(1));
    EXPECT_EQ(userShapes(), 1);
}

TEST_F(HistoryTest, RestoreKeepsTheCurrentPageAndNumbersThePages)
{
    document.NewPage(-1, 0);
    document.RenumberPages();
    history.AddEntry(QStringLiteral("新建页面"));
    ASSERT_EQ(document.CurrentPage, 1);
    ASSERT_TRUE(history.RestoreEntry(0));
    ASSERT_EQ(document.PageCount(), 2);
    EXPECT_EQ(document.CurrentPage, 1);
    EXPECT_EQ(document.PageAt(0)->PageNumber, 1);
    EXPECT_EQ(document.PageAt(1)->PageNumber, 2);
    EXPECT_EQ(document.ActiveShape, nullptr);
}

TEST_F(HistoryTest, RestoringARowThatDoesNotExistChangesNothing)
{
    addEntries(3);
    addBox();
    for (const int row : {-1, 3, 100}) {
        QString error;
        EXPECT_FALSE(history.RestoreEntry(row, &error)) << row;
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(userShapes(), 4);
    EXPECT_EQ(history.SnapshotCount(), 3);
    EXPECT_EQ(history.RestoredIndex(), -1);
}

TEST_F(HistoryTest, ASnapshotLeavesTheDocumentAsItIs)
{
    // A bubble box without rows (its option characters just cleared) stays on
    // the page and in the snapshot; only saving a file drops it.
    auto empty = std::make_unique<TRectKg>(TPoint{40, 40}, TPoint{40, 40}, 1.0, 1.0);
    TRectKg* box = empty.get();
    document.ActiveShape = box;
    page().AddShape(std::move(empty));
    history.AddEntry(QStringLiteral("新建-客观题"));
    history.RecordChange(7, QStringLiteral("修改参数"));
    EXPECT_EQ(userShapes(), 1);
    EXPECT_EQ(document.ActiveShape, box);

    addBox();
    history.AddEntry(QStringLiteral("新建-方框"));
    ASSERT_TRUE(history.RestoreEntry(1));
    ASSERT_EQ(userShapes(), 1);
    EXPECT_EQ(page().ShapeItem(7)->Kind, GKg);
}

TEST_F(HistoryTest, SnapshotsStayBoundedOverALongSession)
{
    addBox();
    history.AddEntry(QStringLiteral("新建-方框"));
    for (int i = 0; i < 1000; ++i) {
        // A restore rebuilds the shapes: the box is looked up each time.
        page().ShapeItem(7)->SetBounds({i, 10, i + 20, 30});
        // Alternating keys: every change is an entry of its own.
        history.RecordChange(i % 2, QStringLiteral("移动"));
        if (i % 100 == 50)
            ASSERT_TRUE(history.RestoreEntry(3));
        ASSERT_LE(history.StoredSnapshots(), OperationHistory::MaxRows) << i;
    }
    EXPECT_EQ(history.StoredSnapshots(), history.rowCount());
    // The newest snapshot is the newest change.
    ASSERT_TRUE(history.RestoreEntry(history.rowCount() - 1));
    EXPECT_EQ(page().ShapeItem(7)->GetBounds(), (TRect{999, 10, 1019, 30}));
}

TEST_F(HistoryTest, UndoAndRedoStepThroughTheRows)
{
    addEntries(3);
    EXPECT_EQ(history.CurrentRow(), 2);
    EXPECT_TRUE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    EXPECT_FALSE(history.Redo());

    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(userShapes(), 2);
    ASSERT_TRUE(history.Undo());
    EXPECT_EQ(userShapes(), 1);
    EXPECT_EQ(history.CurrentRow(), 0);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.Undo());
    EXPECT_EQ(userShapes(), 1);

    ASSERT_TRUE(history.Redo());
    EXPECT_EQ(userShapes(), 2);
    EXPECT_EQ(history.CurrentRow(), 1);
    EXPECT_TRUE(history.CanRedo());

    // A change after an undo drops what could be redone.
    addBox();
    history.AddEntry(QStringLiteral("新建-方框"));
    EXPECT_EQ(history.rowCount(), 3);
    EXPECT_EQ(history.CurrentRow(), 2);
    EXPECT_FALSE(history.CanRedo());
}

TEST_F(HistoryTest, ModifiedUntilBackAtTheSavedRow)
{
    addEntries(2);
    EXPECT_TRUE(history.IsModified());
    history.MarkSaved();
    EXPECT_FALSE(history.IsModified());

    addEntries(1);
    EXPECT_TRUE(history.IsModified());
    ASSERT_TRUE(history.Undo());
    EXPECT_FALSE(history.IsModified());
    ASSERT_TRUE(history.Undo());
    EXPECT_TRUE(history.IsModified());
    ASSERT_TRUE(history.Redo());
    EXPECT_FALSE(history.IsModified());

    // Rewriting the saved row's snapshot, a change outside the history, a
    // reset: the saved state is gone.
    history.RecordChange(7, QStringLiteral("移动"));
    history.RecordChange(7, QStringLiteral("移动"));
    ASSERT_TRUE(history.Undo());
    EXPECT_FALSE(history.IsModified());
    history.MarkChanged();
    EXPECT_TRUE(history.IsModified());
    history.MarkSaved();
    history.ResetHistory();
    EXPECT_TRUE(history.IsModified());
}

TEST_F(HistoryTest, TheSavedRowCanScrollOutOfReach)
{
    addEntries(1);
    history.MarkSaved();
    addEntries(OperationHistory::MaxRows);
    while (history.Undo())
        EXPECT_TRUE(history.IsModified());
    EXPECT_EQ(history.CurrentRow(), 0);
}

} // namespace
} // namespace sw::test
