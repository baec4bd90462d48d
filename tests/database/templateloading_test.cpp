#include "enginefixture.h"

#include "document/templatestream.h"
#include "document/vectorgraph.h"
#include "document/vectorgraphics.h"
#include "storage/templatelibrary.h"
#include "storage/templateloading.h"

#include <QBuffer>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include <memory>

namespace sw::test {

using sw::TVectorGraphics;

namespace {

constexpr int ScreenDpi = 96;

// Paper type A with two pages, then paper type B with one.
std::unique_ptr<TVectorGraphics> threePageDocument()
{
    auto document = std::make_unique<TVectorGraphics>(ScreenDpi);
    document->NewPage(-1, -1);
    document->NewPage(-1, 0);
    document->NewPage(-1, -1);
    document->RenumberPages();
    document->LayoutMarks();
    return document;
}

QByteArray streamOf(TVectorGraphics& document)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(document.SaveToStream(sw::SaveAllShapes, buffer));
    return buffer.data();
}

} // namespace

class TemplateLoading : public EngineFixture
{
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        document = std::make_unique<TVectorGraphics>(ScreenDpi);
        document->NewPage(-1, -1);
        document->FileName = QStringLiteral("/exams/current.exm");
        firstPage = document->PageAt(0);
    }

    qint64 insertRaw(const QVariant& file)
    {
        QSqlQuery query(database.connection());
        query.prepare(QStringLiteral("INSERT INTO templet (file, name, date) VALUES (?, 'raw', "
                                     "'2024-01-01 00:00:00') RETURNING id"));
        query.addBindValue(file);
        EXPECT_TRUE(query.exec() && query.next());
        return query.value(0).toLongLong();
    }

    void expectRefused(qint64 id, const QString& message)
    {
        QString error;
        EXPECT_FALSE(sw::loadTemplateIntoDocument(database, id, *document, &error));
        EXPECT_EQ(error, message);
        ASSERT_EQ(document->PageCount(), 1);
        EXPECT_EQ(document->PageAt(0), firstPage);
        EXPECT_EQ(document->ActivePage(), firstPage);
        EXPECT_EQ(document->FileName, QStringLiteral("/exams/current.exm"));
    }

    std::unique_ptr<TVectorGraphics> document;
    sw::TVectorGraph* firstPage = nullptr;
};

TEST_P(TemplateLoading, LoadsRenumbersAndLaysOutTheMarks)
{
    auto source = threePageDocument();
    // Disturb what renumbering and the mark layout restore.
    source->PageAt(1)->PageNumber = 7;
    source->PageAt(2)->ShapeItem(0)->SetBounds({200, 200, 230, 220});
    qint64 id = 0;
    ASSERT_TRUE(sw::storeTemplate(database, QStringLiteral("三页"), streamOf(*source),
                                  QDateTime::currentDateTime(), &id));

    QString error;
    ASSERT_TRUE(sw::loadTemplateIntoDocument(database, id, *document, &error))
        << error.toStdString();
    ASSERT_EQ(document->PageCount(), 3);
    EXPECT_EQ(document->CurrentPage, 0);
    EXPECT_EQ(document->PageAt(1)->PageNumber, 2);
    EXPECT_EQ(document->PageAt(2)->PaperType, QChar('B'));
    EXPECT_EQ(document->PageAt(2)->PageNumber, 1);
    EXPECT_EQ(document->PageAt(2)->ShapeItem(0)->GetBounds(), (sw::TRect{38, 38, 61, 53}));
    EXPECT_EQ(document->FileName, QStringLiteral("/exams/current.exm"));
    EXPECT_EQ(streamOf(*document), streamOf(*threePageDocument()));
}

TEST_P(TemplateLoading, MissingIdIsRefused)
{
    expectRefused(
        99, QStringLiteral("数据库 %1 的模板库中没有编号为 99 的模板（可能已被另一个程序删除）")
                .arg(database.path()));
}

TEST_P(TemplateLoading, EmptyFileIsRefused)
{
    const qint64 empty = insertRaw(QByteArray(""));
    expectRefused(
        empty,
        QStringLiteral("数据库 %1 中编号为 %2 的模板没有内容").arg(database.path()).arg(empty));
    const qint64 null = insertRaw(QVariant());
    expectRefused(
        null,
        QStringLiteral("数据库 %1 中编号为 %2 的模板没有内容").arg(database.path()).arg(null));
}

TEST_P(TemplateLoading, UnreadableFileIsRefused)
{
    const QByteArray whole = streamOf(*threePageDocument());
    for (const QByteArray& bytes : {QByteArray("not a template"), whole.left(whole.size() / 2)}) {
        qint64 id = 0;
        ASSERT_TRUE(sw::storeTemplate(database, QStringLiteral("bad"), bytes,
                                      QDateTime::currentDateTime(), &id));
        QString error;
        EXPECT_FALSE(sw::loadTemplateIntoDocument(database, id, *document, &error));
        EXPECT_TRUE(
            error.startsWith(QStringLiteral("数据库 %1 中编号为 %2 的模板已损坏，不能读取。（")
                                 .arg(database.path())
                                 .arg(id)))
            << error.toStdString();
        expectRefused(id, error);
    }
}

TEST_P(TemplateLoading, StreamWithoutPagesIsRefused)
{
    qint64 id = 0;
    ASSERT_TRUE(sw::storeTemplate(database, QStringLiteral("leer"),
                                  sw::writeTemplate(sw::StoredDocument()),
                                  QDateTime::currentDateTime(), &id));
    expectRefused(
        id, QStringLiteral("数据库 %1 中编号为 %2 的模板没有页面").arg(database.path()).arg(id));
}

SW_ON_EVERY_ENGINE(TemplateLoading);

} // namespace sw::test
