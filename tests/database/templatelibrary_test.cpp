#include "databasefixture.h"
#include "enginefixture.h"

#include "storage/templatelibrary.h"

#include <gtest/gtest.h>

namespace sw::test {

using sw::TemplateEntry;

namespace {

QDateTime at(int day, int hour = 10)
{
    return QDateTime(QDate(2024, 3, day), QTime(hour, 30, 15));
}

QStringList names(const QList<TemplateEntry>& entries)
{
    QStringList result;
    for (const TemplateEntry& entry : entries)
        result << entry.name;
    return result;
}

} // namespace

class TemplateLibrary : public EngineFixture
{
protected:
    qint64 store(const QString& name, const QByteArray& bytes, const QDateTime& date)
    {
        qint64 id = -1;
        QString error;
        EXPECT_TRUE(sw::storeTemplate(database, name, bytes, date, &id, &error))
            << error.toStdString();
        return id;
    }

    QList<TemplateEntry> list()
    {
        QList<TemplateEntry> entries;
        QString error;
        EXPECT_TRUE(sw::listTemplates(database, entries, &error)) << error.toStdString();
        return entries;
    }
};

TEST_P(TemplateLibrary, ListsByNameWithIdsAndDates)
{
    const qint64 c = store(QStringLiteral("期末"), "c", at(3));
    const qint64 a = store(QStringLiteral("Alpha"), "a", at(1));
    const qint64 b = store(QStringLiteral("beta"), "b", at(2, 23));
    EXPECT_EQ(list(), QList<TemplateEntry>({{a, QStringLiteral("Alpha"), at(1)},
                                            {b, QStringLiteral("beta"), at(2, 23)},
                                            {c, QStringLiteral("期末"), at(3)}}));
}

TEST_P(TemplateLibrary, DuplicateNamesAreKeptSideBySide)
{
    const qint64 first = store(QStringLiteral("月考"), "one", at(1));
    store(QStringLiteral("A"), "other", at(1));
    const qint64 second = store(QStringLiteral("月考"), "two", at(2));
    const QList<TemplateEntry> entries = list();
    EXPECT_EQ(names(entries), QStringList({"A", "月考", "月考"}));
    EXPECT_EQ(entries[1].id, first);
    EXPECT_EQ(entries[2].id, second);

    QByteArray bytes;
    ASSERT_TRUE(sw::fetchTemplate(database, second, bytes));
    EXPECT_EQ(bytes, QByteArray("two"));
}

TEST_P(TemplateLibrary, FetchReturnsTheExactBytes)
{
    QByteArray stream(70000, '\0');
    for (int i = 0; i < stream.size(); ++i)
        stream[i] = char(i * 7);
    const qint64 id = store(QStringLiteral("big"), stream, at(4));
    QByteArray bytes;
    ASSERT_TRUE(sw::fetchTemplate(database, id, bytes));
    EXPECT_EQ(bytes, stream);
}

TEST_P(TemplateLibrary, DeleteRemovesOnlyThatRow)
{
    const qint64 keep = store(QStringLiteral("keep"), "k", at(1));
    const qint64 drop = store(QStringLiteral("drop"), "d", at(1));
    QString error;
    ASSERT_TRUE(sw::deleteTemplate(database, drop, &error)) << error.toStdString();
    EXPECT_EQ(names(list()), QStringList({"keep"}));

    EXPECT_FALSE(sw::deleteTemplate(database, drop, &error));
    EXPECT_EQ(error,
              QStringLiteral("数据库 %1 的模板库中没有编号为 %2 的模板（可能已被另一个程序删除）")
                  .arg(database.path())
                  .arg(drop));
    EXPECT_EQ(names(list()), QStringList({"keep"}));

    const qint64 later = store(QStringLiteral("later"), "l", at(2));
    EXPECT_NE(later, drop);
    EXPECT_NE(later, keep);
}

TEST_P(TemplateLibrary, FetchOfAMissingIdIsAnError)
{
    store(QStringLiteral("one"), "1", at(1));
    QByteArray bytes("untouched");
    QString error;
    EXPECT_FALSE(sw::fetchTemplate(database, 4711, bytes, &error));
    EXPECT_EQ(error,
              QStringLiteral("数据库 %1 的模板库中没有编号为 4711 的模板（可能已被另一个程序删除）")
                  .arg(database.path()));
    EXPECT_EQ(bytes, QByteArray("untouched"));
}

SW_ON_EVERY_ENGINE(TemplateLibrary);

struct RefusedStoreCase
{
    const char* label;
    QString name;
    QByteArray bytes;
    QDateTime date;
    const char* message;
};

void PrintTo(const RefusedStoreCase& c, std::ostream* out)
{
    *out << c.label;
}

class TemplateLibraryRefusal : public DatabaseFixture,
                               public ::testing::WithParamInterface<RefusedStoreCase>
{
};

TEST_P(TemplateLibraryRefusal, StoresNothing)
{
    const RefusedStoreCase& c = GetParam();
    QString error;
    EXPECT_FALSE(sw::storeTemplate(database, c.name, c.bytes, c.date, nullptr, &error));
    EXPECT_EQ(error, QString::fromUtf8(c.message));
    QList<TemplateEntry> entries;
    ASSERT_TRUE(sw::listTemplates(database, entries));
    EXPECT_TRUE(entries.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TemplateLibraryRefusal,
    ::testing::Values(RefusedStoreCase{"EmptyName", QString(), "x", at(1), "模板需要名称"},
                      RefusedStoreCase{"EmptyStream", "n", QByteArray(), at(1), "空模板不能保存"},
                      RefusedStoreCase{"InvalidDate", "n", "x", QDateTime(), "模板需要有效的日期"}),
    [](const auto& info) { return std::string(info.param.label); });

} // namespace sw::test
