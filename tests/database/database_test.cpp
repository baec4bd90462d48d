#include "databasefixture.h"

#include "storage/databasepath.h"
#include "storage/templatelibrary.h"
#include "storage/wizardsettingsstore.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

namespace sw::test {

using sw::Database;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs statements on a plain SQLite connection of its own, bypassing Database.
void runRaw(const QString& path, const QStringList& statements)
{
    const QString name = QStringLiteral("raw-") + path;
    {
        QSqlDatabase connection = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        connection.setDatabaseName(path);
        ASSERT_TRUE(connection.open());
        QSqlQuery query(connection);
        for (const QString& statement : statements)
            ASSERT_TRUE(query.exec(statement)) << statement.toStdString();
    }
    QSqlDatabase::removeDatabase(name);
}

QStringList tableNames(const Database& database)
{
    QSqlQuery query(database.connection());
    EXPECT_TRUE(query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                          "AND name NOT LIKE 'sqlite_%' ORDER BY name")));
    QStringList names;
    while (query.next())
        names << query.value(0).toString();
    return names;
}

} // namespace

TEST(DatabaseTexts, AreTheDesignersMessage)
{
    EXPECT_EQ(sw::DatabaseOpenFailedText, QStringLiteral("数据库不能打开，请检查数据库文件！"));
    EXPECT_EQ(sw::DatabaseOpenFailedCaption, QStringLiteral("提示信息"));
    EXPECT_EQ(sw::DatabaseFileName, QStringLiteral("sheetwright.db"));
}

class DatabaseFile : public DatabaseFixture
{
};

TEST_F(DatabaseFile, MissingFileIsCreatedWithBothTables)
{
    EXPECT_TRUE(database.isOpen());
    EXPECT_EQ(database.path(), databasePath());
    EXPECT_TRUE(QFile::exists(databasePath()));
    EXPECT_EQ(tableNames(database), QStringList({"pageset", "templet"}));

    QList<sw::TemplateEntry> entries;
    ASSERT_TRUE(sw::listTemplates(database, entries));
    EXPECT_TRUE(entries.isEmpty());
}

TEST_F(DatabaseFile, ReopeningKeepsTheRows)
{
    sw::WizardSettings settings;
    settings.kgcount = 77;
    ASSERT_TRUE(sw::storeWizardSettings(database, settings));
    qint64 id = 0;
    const QDateTime date(QDate(2024, 5, 6), QTime(7, 8, 9));
    ASSERT_TRUE(sw::storeTemplate(database, QStringLiteral("期中"), "stream", date, &id));
    database.close();
    EXPECT_FALSE(database.isOpen());

    QString error;
    ASSERT_TRUE(database.open(databasePath(), &error)) << error.toStdString();
    sw::WizardSettings loaded;
    ASSERT_TRUE(sw::loadWizardSettings(database, loaded));
    EXPECT_EQ(loaded, settings);
    QList<sw::TemplateEntry> entries;
    ASSERT_TRUE(sw::listTemplates(database, entries));
    EXPECT_EQ(entries, QList<sw::TemplateEntry>({{id, QStringLiteral("期中"), date}}));
}

TEST_F(DatabaseFile, SeveralObjectsShareOneFile)
{
    Database second;
    ASSERT_TRUE(second.open(databasePath()));
    ASSERT_TRUE(sw::storeTemplate(second, QStringLiteral("a"), "x", QDateTime::currentDateTime()));
    second.close();

    QList<sw::TemplateEntry> entries;
    ASSERT_TRUE(sw::listTemplates(database, entries));
    EXPECT_EQ(entries.size(), 1);
}

TEST_F(DatabaseFile, AKilledWriteLeavesTheEarlierRows)
{
    ASSERT_TRUE(
        sw::storeTemplate(database, QStringLiteral("keep"), "x", QDateTime::currentDateTime()));
    ASSERT_TRUE(sw::storeWizardSettings(database, sw::WizardSettings()));
    const QString path = databasePath();
    ::testing::FLAGS_gtest_death_test_style = "fast";
    EXPECT_EXIT(
        {
            QSqlDatabase connection = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "dying");
            connection.setDatabaseName(path);
            connection.open();
            connection.transaction();
            QSqlQuery query(connection);
            const bool deleted =
                query.exec(QStringLiteral("DELETE FROM templet")) && query.numRowsAffected() == 1;
            const bool updated = query.exec(QStringLiteral("UPDATE pageset SET kgcount = 99")) &&
                                 query.numRowsAffected() == 1;
            std::_Exit(deleted && updated ? 3 : 4);
        },
        ::testing::ExitedWithCode(3), "");

    Database reopened;
    ASSERT_TRUE(reopened.open(path));
    QList<sw::TemplateEntry> entries;
    ASSERT_TRUE(sw::listTemplates(reopened, entries));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].name, QStringLiteral("keep"));
    sw::WizardSettings settings;
    ASSERT_TRUE(sw::loadWizardSettings(reopened, settings));
    EXPECT_EQ(settings.kgcount, 15);
}

struct BadFileCase
{
    const char* label;
    QByteArray bytes;
};

void PrintTo(const BadFileCase& c, std::ostream* out)
{
    *out << c.label;
}

class DatabaseBadFile : public ::testing::TestWithParam<BadFileCase>
{
};

TEST_P(DatabaseBadFile, IsRefusedAndLeftAlone)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sheetwright.db"));
    writeFile(path, GetParam().bytes);

    Database database;
    QString error;
    EXPECT_FALSE(database.open(path, &error));
    EXPECT_FALSE(database.isOpen());
    EXPECT_TRUE(error.contains(path)) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("not a database"))) << error.toStdString();
    EXPECT_EQ(readFile(path), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Garbage, DatabaseBadFile,
                         ::testing::Values(BadFileCase{"short",
                                                       QByteArray("not a database at all")},
                                           BadFileCase{"page", QByteArray(4096, '\xA5')},
                                           BadFileCase{"text", QByteArray("SQLite format 2\0", 16) +
                                                                   QByteArray(2000, 'x')}),
                         [](const auto& info) { return std::string(info.param.label); });

struct SchemaCase
{
    const char* label;
    QStringList statements;
    const char* reason;
};

void PrintTo(const SchemaCase& c, std::ostream* out)
{
    *out << c.label;
}

class DatabaseSchema : public ::testing::TestWithParam<SchemaCase>
{
};

TEST_P(DatabaseSchema, WithoutUsableTablesIsRefused)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("other.db"));
    runRaw(path, GetParam().statements);

    Database database;
    QString error;
    EXPECT_FALSE(database.open(path, &error));
    EXPECT_FALSE(database.isOpen());
    EXPECT_TRUE(error.contains(QStringLiteral("不能用作 Sheetwright 的数据库")))
        << error.toStdString();
    EXPECT_TRUE(error.contains(QString::fromUtf8(GetParam().reason))) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DatabaseSchema,
    ::testing::Values(
        SchemaCase{"OtherTables", {"CREATE TABLE other (x INTEGER)"}, "缺少表 templet"},
        SchemaCase{
            "OnlyTemplet",
            {"CREATE TABLE templet (id INTEGER PRIMARY KEY, file BLOB, name TEXT, date TEXT)"},
            "缺少表 pageset"},
        SchemaCase{"ColumnMissing",
                   {"CREATE TABLE templet (id INTEGER PRIMARY KEY, file BLOB, name TEXT)",
                    "CREATE TABLE pageset (pagecount INTEGER)"},
                   "表 templet 缺少列 date"},
        SchemaCase{
            "SettingMissing",
            {"CREATE TABLE templet (id INTEGER PRIMARY KEY, file BLOB, name TEXT, date TEXT)",
             "CREATE TABLE pageset (pagecount INTEGER, pagesize INTEGER)"},
            "表 pageset 缺少列 pagetype"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(DatabaseOpen, EmptyFileBecomesADatabase)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("empty.db"));
    writeFile(path, QByteArray());
    Database database;
    QString error;
    ASSERT_TRUE(database.open(path, &error)) << error.toStdString();
    EXPECT_EQ(tableNames(database), QStringList({"pageset", "templet"}));
}

TEST(DatabaseOpen, UnreachablePathsAreRefused)
{
    QTemporaryDir folder;
    Database database;
    QString error;
    EXPECT_FALSE(database.open(QString(), &error));
    EXPECT_EQ(error, QStringLiteral("没有指定数据库文件"));
    EXPECT_FALSE(database.open(folder.path(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("不是文件"))) << error.toStdString();

    const QString inMissingFolder = folder.filePath(QStringLiteral("missing/sheetwright.db"));
    EXPECT_FALSE(database.open(inMissingFolder, &error));
    EXPECT_TRUE(error.contains(inMissingFolder)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(inMissingFolder));
    EXPECT_FALSE(database.isOpen());
}

TEST(DatabaseOpen, ClosedDatabaseRefusesWork)
{
    Database database;
    QString error;
    QList<sw::TemplateEntry> entries;
    EXPECT_FALSE(sw::listTemplates(database, entries, &error));
    EXPECT_EQ(error, QStringLiteral("数据库没有打开"));
    EXPECT_FALSE(sw::storeWizardSettings(database, sw::WizardSettings(), &error));
    EXPECT_EQ(error, QStringLiteral("数据库没有打开"));
}

TEST(DatabasePath, BesideTheExecutableWhenWritable)
{
    QTemporaryDir folder;
    EXPECT_EQ(sw::chooseDatabasePath(folder.path()),
              QDir(folder.path()).filePath(QStringLiteral("sheetwright.db")));
}

TEST(DatabasePath, InTheDataFolderOtherwise)
{
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("bin")));
    // Unwritable (missing), and installed beside other programs.
    const QString missing = sw::chooseDatabasePath(folder.filePath(QStringLiteral("not-there")));
    const QString installed = sw::chooseDatabasePath(folder.filePath(QStringLiteral("bin")));
    const QString dataFolder =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
            .filePath(QStringLiteral("sheetwright"));
    QStandardPaths::setTestModeEnabled(false);
    EXPECT_EQ(missing, QDir(dataFolder).filePath(QStringLiteral("sheetwright.db")));
    EXPECT_EQ(installed, missing);
    EXPECT_TRUE(QFileInfo(dataFolder).isDir());
}

} // namespace sw::test
