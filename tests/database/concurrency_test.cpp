#include "enginefixture.h"

#include "document/vectorgraphics.h"
#include "storage/templatelibrary.h"

#include <QFile>
#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>

#include <memory>

namespace sw::test {

namespace {

constexpr int ProcessTimeoutMs = 120000;

struct Finished
{
    int exitCode = -1;
    QList<qint64> ids;
    QString err;
};

std::unique_ptr<QProcess> start(const QString& program, const QStringList& args)
{
    auto process = std::make_unique<QProcess>();
    process->start(program, args);
    return process;
}

Finished finish(QProcess& process)
{
    process.waitForFinished(ProcessTimeoutMs);
    Finished result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    const QList<QByteArray> lines = process.readAllStandardOutput().split('\n');
    for (const QByteArray& line : lines)
        if (!line.isEmpty())
            result.ids << line.toLongLong();
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

QSet<qint64> listedIds(const QString& location)
{
    sw::Database database;
    QString error;
    EXPECT_TRUE(database.open(location, &error)) << error.toStdString();
    QList<sw::TemplateEntry> entries;
    EXPECT_TRUE(sw::listTemplates(database, entries, &error)) << error.toStdString();
    QSet<qint64> ids;
    for (const sw::TemplateEntry& entry : entries)
        ids.insert(entry.id);
    return ids;
}

void writeOnePageTemplate(const QString& path)
{
    sw::TVectorGraphics document(96);
    document.NewPage(-1, -1);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(document.SaveToStream(sw::SaveAllShapes, file));
}

} // namespace

// Two command-line tools adding to a library file that does not exist yet
// both create it; neither may lose the other's template.
TEST(FirstUse, TwoToolsCreatingOneLibraryKeepEveryTemplate)
{
    constexpr int Rounds = 20;
    QTemporaryDir folder;
    const QString sheet = folder.filePath(QStringLiteral("sheet.exm"));
    writeOnePageTemplate(sheet);
    for (int round = 0; round < Rounds; ++round) {
        const QString library = folder.filePath(QStringLiteral("library-%1.db").arg(round));
        const QStringList add = {QStringLiteral("library"), QStringLiteral("--db"), library,
                                 QStringLiteral("add")};
        auto first = start(QStringLiteral(SW_CLI_PATH), add + QStringList{"first", sheet});
        auto second = start(QStringLiteral(SW_CLI_PATH), add + QStringList{"second", sheet});
        const Finished a = finish(*first);
        const Finished b = finish(*second);
        ASSERT_EQ(a.exitCode, 0) << "round " << round << ": " << a.err.toStdString();
        ASSERT_EQ(b.exitCode, 0) << "round " << round << ": " << b.err.toStdString();
        ASSERT_EQ(a.ids.size(), 1);
        ASSERT_EQ(b.ids.size(), 1);
        EXPECT_EQ(listedIds(library), QSet<qint64>({a.ids[0], b.ids[0]})) << "round " << round;
    }
}

class ConcurrentStores : public ::testing::TestWithParam<sw::DatabaseEngine>
{
};

// Both programs start on a database without tables, so they also create the
// tables at the same time.
TEST_P(ConcurrentStores, TwoProgramsAddingAtOnceLoseNothing)
{
    // Every commit to a file waits for the disk, so fewer there.
    const int each = GetParam() == sw::DatabaseEngine::PostgreSQL ? 200 : 50;
    QTemporaryDir folder;
    QString whyNot;
    const QString location = freshLocation(GetParam(), folder, &whyNot);
    if (location.isEmpty())
        GTEST_SKIP() << whyNot.toStdString();

    const QString count = QString::number(each);
    auto first = start(QStringLiteral(SW_STORE_WORKER_PATH), {location, "first", count});
    auto second = start(QStringLiteral(SW_STORE_WORKER_PATH), {location, "second", count});
    const Finished a = finish(*first);
    const Finished b = finish(*second);
    ASSERT_EQ(a.exitCode, 0) << a.err.toStdString();
    ASSERT_EQ(b.exitCode, 0) << b.err.toStdString();
    ASSERT_EQ(a.ids.size(), each);
    ASSERT_EQ(b.ids.size(), each);

    QSet<qint64> reported(a.ids.cbegin(), a.ids.cend());
    reported.unite(QSet<qint64>(b.ids.cbegin(), b.ids.cend()));
    EXPECT_EQ(reported.size(), 2 * each);
    EXPECT_EQ(listedIds(location), reported);
}

SW_ON_EVERY_ENGINE(ConcurrentStores);

} // namespace sw::test
