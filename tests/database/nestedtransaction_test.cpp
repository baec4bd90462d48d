#include "enginefixture.h"

#include "storage/sqlsupport.h"

#include <QSqlQuery>
#include <QVariant>

namespace sw::test {
namespace {

// A transaction begun inside another: its rows count only when both commit,
// and taking it back leaves the outer one's rows and lets it go on.
class NestedTransactionTest : public EngineFixture
{
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        QSqlQuery query(database.connection());
        ASSERT_TRUE(database.run(query, QStringLiteral("CREATE TABLE parts (name TEXT)")));
    }

    bool insert(const QString& name)
    {
        QSqlQuery query(database.connection());
        return database.run(query, QStringLiteral("INSERT INTO parts (name) VALUES (?)"), {name});
    }

    QStringList stored()
    {
        QSqlQuery query(database.connection());
        EXPECT_TRUE(database.run(query, QStringLiteral("SELECT name FROM parts ORDER BY name")));
        QStringList names;
        while (query.next())
            names << query.value(0).toString();
        return names;
    }
};

TEST_P(NestedTransactionTest, InnerPartsCountOnlyWithTheOuterCommit)
{
    struct Case
    {
        bool innerCommits;
        bool outerCommits;
        QStringList expected;
    };
    const Case cases[] = {
        {true, true, {QStringLiteral("inner"), QStringLiteral("outer")}},
        {false, true, {QStringLiteral("outer")}},
        {true, false, {}},
        {false, false, {}},
    };
    for (const Case& c : cases) {
        {
            SqlTransaction outer(database);
            ASSERT_TRUE(outer.begun());
            ASSERT_TRUE(insert(QStringLiteral("outer")));
            {
                SqlTransaction inner(database);
                QString error;
                ASSERT_TRUE(inner.begun(&error)) << error.toStdString();
                ASSERT_TRUE(insert(QStringLiteral("inner")));
                if (c.innerCommits)
                    ASSERT_TRUE(inner.commit(&error)) << error.toStdString();
            }
            if (c.outerCommits) {
                QString error;
                ASSERT_TRUE(outer.commit(&error)) << error.toStdString();
            }
        }
        EXPECT_EQ(stored(), c.expected) << c.innerCommits << c.outerCommits;
        QSqlQuery query(database.connection());
        ASSERT_TRUE(database.run(query, QStringLiteral("DELETE FROM parts")));
    }
}

TEST_P(NestedTransactionTest, FailedInnerStatementLeavesTheOuterUsable)
{
    SqlTransaction outer(database);
    ASSERT_TRUE(outer.begun());
    ASSERT_TRUE(insert(QStringLiteral("outer")));
    {
        SqlTransaction inner(database);
        ASSERT_TRUE(inner.begun());
        QSqlQuery query(database.connection());
        QString error;
        EXPECT_FALSE(
            database.run(query, QStringLiteral("INSERT INTO missing VALUES (1)"), {}, &error));
        EXPECT_FALSE(error.isEmpty());
    }
    ASSERT_TRUE(insert(QStringLiteral("after")));
    QString error;
    ASSERT_TRUE(outer.commit(&error)) << error.toStdString();
    // A transaction begun now is an outermost one again.
    SqlTransaction next(database);
    ASSERT_TRUE(next.begun());
    ASSERT_TRUE(next.commit());
    EXPECT_EQ(stored(), QStringList({QStringLiteral("after"), QStringLiteral("outer")}));
}

SW_ON_EVERY_ENGINE(NestedTransactionTest);

} // namespace
} // namespace sw::test
