#include "enginefixture.h"

#include "storage/templatelibrary.h"
#include "storage/wizardsettingsstore.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

namespace sw::test {

namespace {

constexpr int ShortWaitMs = 300;

} // namespace

// Another program holding the database locked in a long transaction.
class BusyDatabase : public EngineFixture
{
protected:
    void lock()
    {
        QString error;
        ASSERT_TRUE(holder.open(location(), &error)) << error.toStdString();
        const QStringList statements =
            GetParam() == sw::DatabaseEngine::SQLite
                ? QStringList{"BEGIN EXCLUSIVE"}
                : QStringList{"BEGIN", "LOCK TABLE templet, pageset IN ACCESS EXCLUSIVE MODE"};
        QSqlQuery query(holder.connection());
        for (const QString& statement : statements)
            ASSERT_TRUE(query.exec(statement)) << statement.toStdString();
    }

    void release()
    {
        QSqlQuery query(holder.connection());
        ASSERT_TRUE(query.exec(QStringLiteral("ROLLBACK")));
    }

    sw::Database holder;
};

TEST_P(BusyDatabase, WritesWaitThenSayBusyAndWorkAfterwards)
{
    sw::Database impatient;
    impatient.setBusyTimeout(ShortWaitMs);
    QString error;
    ASSERT_TRUE(impatient.open(location(), &error)) << error.toStdString();
    lock();

    EXPECT_FALSE(sw::storeTemplate(impatient, QStringLiteral("a"), "x",
                                   QDateTime::currentDateTime(), nullptr, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("数据库 %1 正忙").arg(impatient.path())))
        << error.toStdString();
    error.clear();
    EXPECT_FALSE(sw::storeWizardSettings(impatient, sw::WizardSettings(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral(" 正忙："))) << error.toStdString();

    release();
    qint64 id = 0;
    ASSERT_TRUE(sw::storeTemplate(impatient, QStringLiteral("a"), "x", QDateTime::currentDateTime(),
                                  &id, &error))
        << error.toStdString();
    QList<sw::TemplateEntry> entries;
    ASSERT_TRUE(sw::listTemplates(database, entries));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].id, id);
}

SW_ON_EVERY_ENGINE(BusyDatabase);

// A file locked by a program writing it is busy, not broken, and stays whole.
TEST(BusyFile, OpeningALockedFileSaysBusy)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sheetwright.db"));
    sw::Database holder;
    ASSERT_TRUE(holder.open(path));
    ASSERT_TRUE(
        sw::storeTemplate(holder, QStringLiteral("kept"), "x", QDateTime::currentDateTime()));
    QSqlQuery query(holder.connection());
    ASSERT_TRUE(query.exec(QStringLiteral("BEGIN EXCLUSIVE")));

    sw::Database impatient;
    impatient.setBusyTimeout(ShortWaitMs);
    QString error;
    EXPECT_FALSE(impatient.open(path, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("数据库 %1 正忙").arg(path)))
        << error.toStdString();
    EXPECT_FALSE(error.contains(QStringLiteral("不能用作"))) << error.toStdString();

    ASSERT_TRUE(query.exec(QStringLiteral("ROLLBACK")));
    ASSERT_TRUE(impatient.open(path, &error)) << error.toStdString();
    QList<sw::TemplateEntry> entries;
    ASSERT_TRUE(sw::listTemplates(impatient, entries));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].name, QStringLiteral("kept"));
}

} // namespace sw::test
