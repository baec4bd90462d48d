#include "cli/clirunner.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace sw::test {

namespace {

class WizardAndLibrary : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QString writeJson(const QString& name, const QByteArray& json) const
    {
        QFile f(path(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(json);
        return path(name);
    }
    QJsonArray pages(const QString& exm) const
    {
        return QJsonDocument::fromJson(runCli({"info", exm}).out).object()["pages"].toArray();
    }
    QTemporaryDir dir;
};

TEST_F(WizardAndLibrary, WizardWritesTheDefaultSheet)
{
    const CliResult r = runCli({"wizard", "-o", path("sheet.exm")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonArray p = pages(path("sheet.exm"));
    ASSERT_EQ(p.size(), 2);
    EXPECT_EQ(p[0].toObject()["PageSize"].toString(), "A3");
    EXPECT_EQ(runCli({"check", path("sheet.exm")}).exitCode, 0);
}

TEST_F(WizardAndLibrary, SettingsFileOverridesTheDefaults)
{
    const QString json =
        writeJson("a4.json", R"({"pagesize": 0, "pagecount": 1, "title": ["期末考试", "数学"]})");
    ASSERT_EQ(runCli({"wizard", "--settings", json, "-o", path("a4.exm")}).exitCode, 0);
    const QJsonArray p = pages(path("a4.exm"));
    ASSERT_EQ(p.size(), 1);
    EXPECT_EQ(p[0].toObject()["PageSize"].toString(), "A4");
}

TEST_F(WizardAndLibrary, BadSettingsAreWrongUsageNamingTheKey)
{
    struct Case
    {
        QByteArray json;
        QByteArray key;
    };
    const Case cases[] = {
        {R"({"kgcount": 0})", "kgcount"},
        {R"({"pagesize": 3})", "pagesize"},
        {R"({"examcodeleng": "12"})", "examcodeleng"},
        {R"({"colour": 1})", "colour"},
    };
    for (const Case& c : cases) {
        const CliResult r =
            runCli({"wizard", "--settings", writeJson("bad.json", c.json), "-o", path("x.exm")});
        EXPECT_EQ(r.exitCode, 64) << c.json.toStdString();
        EXPECT_TRUE(r.err.contains(c.key)) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(path("x.exm")));
    EXPECT_EQ(runCli({"wizard", "--settings", path("missing.json"), "-o", path("x.exm")}).exitCode,
              2);
}

TEST_F(WizardAndLibrary, LibraryStoresListsFetchesAndDeletes)
{
    const QString db = path("lib.db");
    ASSERT_EQ(runCli({"wizard", "-o", path("sheet.exm")}).exitCode, 0);
    ASSERT_EQ(runCli({"library", "--db", db, "add", "期中数学", path("sheet.exm")}).exitCode, 0);
    ASSERT_EQ(runCli({"library", "--db", db, "add", "A卷", path("sheet.exm")}).exitCode, 0);

    const QStringList rows = QString::fromUtf8(runCli({"library", "--db", db, "list"}).out)
                                 .split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows[0].startsWith("2\tA卷\t")); // ordered by name
    EXPECT_TRUE(rows[1].startsWith("1\t期中数学\t"));

    ASSERT_EQ(runCli({"library", "--db", db, "get", "1", path("got.exm")}).exitCode, 0);
    EXPECT_EQ(pages(path("got.exm")).size(), 2);
    EXPECT_EQ(runCli({"library", "--db", db, "get", "7", path("none.exm")}).exitCode, 2);
    EXPECT_FALSE(QFile::exists(path("none.exm")));

    ASSERT_EQ(runCli({"library", "--db", db, "delete", "1"}).exitCode, 0);
    EXPECT_EQ(QString::fromUtf8(runCli({"library", "--db", db, "list"}).out).count('\n'), 1);
    EXPECT_EQ(runCli({"library", "--db", db, "delete", "x"}).exitCode, 64);
    EXPECT_EQ(runCli({"library", "--db", db, "rename"}).exitCode, 64);

    QFile corrupt(path("corrupt.db"));
    ASSERT_TRUE(corrupt.open(QIODevice::WriteOnly));
    corrupt.write(QByteArray(4096, 'x'));
    corrupt.close();
    EXPECT_EQ(runCli({"library", "--db", path("corrupt.db"), "list"}).exitCode, 2);
}

} // namespace

} // namespace sw::test
