#include "cli/clirunner.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace sw::test {

namespace {

bool hasChinese(const QString& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
}

// English words in a row: prose, where a Chinese text shows only command
// and option names, file names and placeholders.
QStringList englishProse(const QString& text)
{
    static const QRegularExpression words(
        QStringLiteral("(?<![\\w./-])[A-Za-z][a-z]{2,}[ ,]+[a-z]{3,}"));
    QStringList found;
    for (auto it = words.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    return found;
}

void expectChineseHelp(const QByteArray& printed, const std::string& what)
{
    const QString text = QString::fromUtf8(printed);
    EXPECT_TRUE(text.contains(QStringLiteral("用法"))) << what << "\n" << text.toStdString();
    EXPECT_TRUE(hasChinese(text)) << what;
    EXPECT_EQ(englishProse(text), QStringList()) << what << "\n" << text.toStdString();
}

TEST(ChineseMessages, HelpOfTheCommandLineToolAndEachCommand)
{
    const CliResult all = runCli({"--help"});
    EXPECT_EQ(all.exitCode, 0);
    expectChineseHelp(all.out, "--help");
    const char* commands[] = {"new",     "info",     "check",  "resave", "export",
                              "trace",   "learn",    "deskew", "wizard", "library",
                              "gallery", "geometry", "read"};
    for (const char* command : commands) {
        const CliResult r = runCli({command, "--help"});
        EXPECT_EQ(r.exitCode, 0) << command;
        EXPECT_TRUE(all.out.contains(QByteArray("  ") + command + ' ')) << command;
        expectChineseHelp(r.out, command);
    }
    const CliResult version = runCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith("sheetwright-cli ")) << version.out.toStdString();
}

TEST(ChineseMessages, HelpOfTheDesigner)
{
    QProcess designer;
    designer.start(QStringLiteral(SW_APP_PATH), {QStringLiteral("--help")});
    ASSERT_TRUE(designer.waitForFinished(60000));
    EXPECT_EQ(designer.exitCode(), 0);
    const QByteArray help = designer.readAllStandardOutput();
    expectChineseHelp(help, "sheetwright --help");
    EXPECT_TRUE(help.contains("--db")) << help.toStdString();
}

class RefusalsTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QString write(const QString& name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path(name);
    }
    QTemporaryDir dir;
};

// Each refusal says in Chinese what is wrong and names the file it concerns.
TEST_F(RefusalsTest, NameTheFileInChinese)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.db")));
    ASSERT_EQ(runCli({"library", "--db", path("lib.db"), "list"}).exitCode, 0);
    struct Case
    {
        QStringList args;
        int exitCode;
        QString file;  // named in the message
        QString names; // and what else it says
    };
    const Case cases[] = {
        {{"wizard", "--settings", write("bad.json", R"({"kgcount": 0})"), "-o", path("x.exm")},
         64,
         path("bad.json"),
         QStringLiteral("客观题数量")},
        {{"wizard", "--settings", write("list.json", "[1, 2]"), "-o", path("x.exm")},
         64,
         path("list.json"),
         QStringLiteral("JSON")},
        {{"wizard", "--settings", path("missing.json"), "-o", path("x.exm")},
         2,
         path("missing.json"),
         QStringLiteral("设置文件")},
        {{"info", write("bad.exm", "not a template")},
         2,
         path("bad.exm"),
         QStringLiteral("不能读取模板文件")},
        {{"export", path("bad.exm"), "-o", path("x.xyz")},
         64,
         path("x.xyz"),
         QStringLiteral("格式")},
        {{"library", "--db", path("folder.db"), "list"},
         2,
         path("folder.db"),
         QStringLiteral("不是文件")},
        {{"library", "--db", write("corrupt.db", QByteArray(4096, 'x')), "list"},
         2,
         path("corrupt.db"),
         QStringLiteral("数据库")},
        {{"library", "--db", path("lib.db"), "get", "7", path("x.exm")},
         2,
         path("lib.db"),
         QStringLiteral("没有编号为 7 的模板")},
    };
    for (const Case& c : cases) {
        const CliResult r = runCli(c.args);
        const QString err = QString::fromUtf8(r.err);
        EXPECT_EQ(r.exitCode, c.exitCode) << err.toStdString();
        EXPECT_TRUE(hasChinese(err)) << err.toStdString();
        EXPECT_TRUE(err.contains(c.file)) << err.toStdString();
        EXPECT_TRUE(err.contains(c.names)) << err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(path("x.exm")));
}

TEST_F(RefusalsTest, WizardSaysHowManyDigitsFit)
{
    const QString settings =
        write("wide.json", R"({"pagesize": 2, "pagetype": 1, "examcodeleng": 20})");
    const CliResult r = runCli({"wizard", "--settings", settings, "-o", path("x.exm")});
    EXPECT_EQ(r.exitCode, 1);
    const QString err = QString::fromUtf8(r.err);
    EXPECT_TRUE(err.contains(QStringLiteral("最多放得下 19 位"))) << err.toStdString();
    EXPECT_FALSE(QFile::exists(path("x.exm")));
}

TEST_F(RefusalsTest, WrongUsageIsToldInChinese)
{
    const CliResult r = runCli({"check", "--colour", path("x.exm")});
    EXPECT_EQ(r.exitCode, 64);
    const QString err = QString::fromUtf8(r.err);
    EXPECT_TRUE(err.contains(QStringLiteral("未知选项 --colour"))) << err.toStdString();
    EXPECT_TRUE(err.contains(QStringLiteral("用法：sheetwright-cli check"))) << err.toStdString();
}

} // namespace

} // namespace sw::test
