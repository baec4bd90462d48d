#include "databasefixture.h"
#include "enginefixture.h"

#include "storage/wizardsettingsstore.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

namespace sw::test {

using sw::WizardSettings;

namespace {

int rowCount(const sw::Database& database)
{
    QSqlQuery query(database.connection());
    EXPECT_TRUE(query.exec(QStringLiteral("SELECT COUNT(*) FROM pageset")));
    return query.next() ? query.value(0).toInt() : -1;
}

void execute(const sw::Database& database, const QString& sql)
{
    QSqlQuery query(database.connection());
    ASSERT_TRUE(query.exec(sql)) << sql.toStdString();
}

} // namespace

class WizardSettingsStore : public EngineFixture
{
};

TEST_P(WizardSettingsStore, EmptyTableGivesTheDefaults)
{
    WizardSettings settings;
    settings.kgcount = 100;
    bool found = true;
    QString error;
    ASSERT_TRUE(sw::loadWizardSettings(database, settings, &error, &found)) << error.toStdString();
    EXPECT_FALSE(found);
    EXPECT_EQ(settings, WizardSettings());
    EXPECT_EQ(rowCount(database), 0);
}

TEST_P(WizardSettingsStore, StoreAndReloadKeepLineBreaks)
{
    WizardSettings settings;
    settings.pagecount = 4;
    settings.pagesize = sw::WizardA4;
    settings.pagetype = sw::WizardThreeColumns;
    settings.examcodetype = sw::WizardBarcode;
    settings.examcodeleng = 20;
    settings.kgcount = 200;
    settings.groupnumber = 1;
    settings.attention = {"第一行", "", "第三行", ""};
    settings.title = {"某某中学", "2024年《数学》答题纸"};
    settings.info = {"班级|姓名", "考场|座号"};
    settings.warning = QStringLiteral("超出边框无效");

    QString error;
    ASSERT_TRUE(sw::storeWizardSettings(database, settings, &error)) << error.toStdString();
    EXPECT_EQ(rowCount(database), 1);

    QSqlQuery query(database.connection());
    ASSERT_TRUE(query.exec(QStringLiteral("SELECT attention, pagetype FROM pageset")));
    ASSERT_TRUE(query.next());
    EXPECT_EQ(query.value(0).toString(), QStringLiteral("第一行\r\n\r\n第三行\r\n"));
    EXPECT_EQ(query.value(1).toInt(), 1);
    query.finish();

    WizardSettings loaded;
    bool found = false;
    ASSERT_TRUE(sw::loadWizardSettings(database, loaded, &error, &found)) << error.toStdString();
    EXPECT_TRUE(found);
    EXPECT_EQ(loaded, settings);
}

TEST_P(WizardSettingsStore, StoringAgainUpdatesTheFirstRow)
{
    WizardSettings settings;
    ASSERT_TRUE(sw::storeWizardSettings(database, settings));
    settings.kgcount = 33;
    ASSERT_TRUE(sw::storeWizardSettings(database, settings));
    EXPECT_EQ(rowCount(database), 1);

    execute(database, QStringLiteral("INSERT INTO pageset (pagecount, pagesize, pagetype, "
                                     "examcodetype, examcodeleng, kgcount, groupnumber) "
                                     "VALUES (1, 0, 0, 0, 1, 1, 1)"));
    WizardSettings loaded;
    ASSERT_TRUE(sw::loadWizardSettings(database, loaded));
    EXPECT_EQ(loaded.kgcount, 33);
}

TEST_P(WizardSettingsStore, InvalidSettingsAreNotStored)
{
    WizardSettings settings;
    settings.pagecount = 5;
    QString error;
    EXPECT_FALSE(sw::storeWizardSettings(database, settings, &error));
    EXPECT_EQ(error, QStringLiteral("向导设置“页数”（pagecount）的值 5 超出 1 到 4 的范围"));
    EXPECT_EQ(rowCount(database), 0);
}

struct StoredRowCase
{
    const char* label;
    const char* assignment;
    const char* message;
};

void PrintTo(const StoredRowCase& c, std::ostream* out)
{
    *out << c.label;
}

// Rows written by other means; the server's column types refuse most of these.
class WizardStoredRow : public DatabaseFixture, public ::testing::WithParamInterface<StoredRowCase>
{
};

TEST_P(WizardStoredRow, BadValueIsRefusedNamingTheColumn)
{
    ASSERT_TRUE(sw::storeWizardSettings(database, WizardSettings()));
    execute(database, QStringLiteral("UPDATE pageset SET ") + QLatin1String(GetParam().assignment));

    WizardSettings settings;
    settings.kgcount = 50;
    QString error;
    EXPECT_FALSE(sw::loadWizardSettings(database, settings, &error));
    EXPECT_EQ(error, QStringLiteral("数据库 %1 中保存的向导设置无效：%2")
                         .arg(database.path(), QString::fromUtf8(GetParam().message)));
    EXPECT_EQ(settings.kgcount, 50);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WizardStoredRow,
    ::testing::Values(
        StoredRowCase{"OutOfRange", "kgcount = 500",
                      "向导设置“客观题数量”（kgcount）的值 500 超出 1 到 200 的范围"},
        StoredRowCase{"Huge", "examcodeleng = 9000000000",
                      "向导设置“准考证位数”（examcodeleng）的值 9000000000 超出 1 到 20 的范围"},
        StoredRowCase{"Null", "pagesize = NULL", "向导设置“尺寸”（pagesize）没有值"},
        StoredRowCase{"Text", "groupnumber = 'five'",
                      "向导设置“每组数量”（groupnumber）的值“five”不是整数"},
        StoredRowCase{"WarningLines", "warning = 'a' || char(13, 10) || 'b'",
                      "向导设置“警告内容”（warning）只能有一行"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST_P(WizardSettingsStore, NullTextsLoadAsEmpty)
{
    ASSERT_TRUE(sw::storeWizardSettings(database, WizardSettings()));
    execute(database, QStringLiteral("UPDATE pageset SET title = NULL, warning = NULL"));
    WizardSettings settings;
    ASSERT_TRUE(sw::loadWizardSettings(database, settings));
    EXPECT_TRUE(settings.title.isEmpty());
    EXPECT_TRUE(settings.warning.isEmpty());
    EXPECT_EQ(settings.info, WizardSettings::defaultInfo());
}

SW_ON_EVERY_ENGINE(WizardSettingsStore);

} // namespace sw::test
