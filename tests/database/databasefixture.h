#pragma once

#include "storage/database.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace sw::test {

// A fresh database file in a temporary folder, opened before each test.
class DatabaseFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QString error;
        ASSERT_TRUE(database.open(databasePath(), &error)) << error.toStdString();
    }

    QString databasePath() const { return folder.filePath(QStringLiteral("sheetwright.db")); }

    QTemporaryDir folder;
    sw::Database database;
};

} // namespace sw::test
