#include "document_support.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

TEST(DocumentChanges, PagesAddedAndDeletedAreAnnounced)
{
    TVectorGraphics document(ScreenDpi);
    QSignalSpy changes(&document, &TVectorGraphics::changed);
    ASSERT_TRUE(document.NewPage(-1, -1));
    EXPECT_GE(changes.count(), 1);

    changes.clear();
    document.DeletePage(0);
    EXPECT_EQ(changes.count(), 1);

    changes.clear();
    document.DeletePage(0); // no page left: nothing changes
    EXPECT_EQ(changes.count(), 0);
}

TEST(DocumentChanges, SavingAnnouncesOnlyTheBoxesItDrops)
{
    auto document = documentWithPages(1);
    QSignalSpy changes(document.get(), &TVectorGraphics::changed);
    saveToBytes(*document);
    EXPECT_EQ(changes.count(), 0);

    TRectKg& empty = addBubbleBox(*document->PageAt(0), RSResult);
    empty.Row = 0;
    changes.clear();
    saveToBytes(*document);
    EXPECT_EQ(changes.count(), 1);
}

TEST(DocumentChanges, ALoadIsAnnouncedAndAFailedOneIsNot)
{
    auto source = documentWithPages(2);
    const QByteArray bytes = saveToBytes(*source);
    TVectorGraphics document(ScreenDpi);
    QSignalSpy changes(&document, &TVectorGraphics::changed);
    ASSERT_TRUE(loadFromBytes(document, bytes));
    EXPECT_GE(changes.count(), 1);

    changes.clear();
    EXPECT_FALSE(loadFromBytes(document, bytes.left(bytes.size() / 2)));
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(document.PageCount(), 2);
}

} // namespace
} // namespace sw::test
