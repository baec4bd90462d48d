#pragma once

#include "testserver.h"

#include "storage/database.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace sw::test {

// Where a new database on `engine` can be made: a file in `folder`, or a
// schema of its own on the PostgreSQL test server. Empty, with *whyNot, when
// there is no server.
inline QString freshLocation(sw::DatabaseEngine engine, const QTemporaryDir& folder,
                             QString* whyNot)
{
    if (engine == sw::DatabaseEngine::PostgreSQL)
        return freshSchemaUrl(whyNot);
    return folder.filePath(QStringLiteral("sheetwright.db"));
}

// A fresh, open database on each engine; skipped, with the reason, where
// there is no PostgreSQL test server.
class EngineFixture : public ::testing::TestWithParam<sw::DatabaseEngine>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QString whyNot;
        m_location = freshLocation(GetParam(), folder, &whyNot);
        if (m_location.isEmpty())
            GTEST_SKIP() << whyNot.toStdString();
        QString error;
        ASSERT_TRUE(database.open(m_location, &error)) << error.toStdString();
    }

    // What Database::open() takes: the file path or the server URL.
    const QString& location() const { return m_location; }

    QTemporaryDir folder;
    sw::Database database;

private:
    QString m_location;
};

inline std::string engineName(const ::testing::TestParamInfo<sw::DatabaseEngine>& info)
{
    return info.param == sw::DatabaseEngine::PostgreSQL ? "PostgreSQL" : "SQLite";
}

#define SW_ON_EVERY_ENGINE(Suite)                                                                  \
    INSTANTIATE_TEST_SUITE_P(                                                                      \
        Engines, Suite,                                                                            \
        ::testing::Values(sw::DatabaseEngine::SQLite, sw::DatabaseEngine::PostgreSQL), engineName)

} // namespace sw::test
