#include "cli/clirunner.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace sw::test {

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class TemplateCommands : public ::testing::Test
{
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    QTemporaryDir dir;
};

TEST_F(TemplateCommands, NewThenResaveIsByteIdentical)
{
    ASSERT_EQ(runCli({"new", path("a.exm")}).exitCode, 0);
    ASSERT_EQ(runCli({"resave", path("a.exm"), path("b.exm")}).exitCode, 0);
    const QByteArray a = readAll(path("a.exm"));
    EXPECT_TRUE(a.startsWith("TPF0\x0fTVectorGraphics"));
    EXPECT_EQ(a, readAll(path("b.exm")));
}

// These commands run without the GUI application and its fonts: every kind of
// shape must load, check, save and lay out without them, quietly.
TEST_F(TemplateCommands, CommandsWithoutFontsHandleEveryShapeKind)
{
    ASSERT_EQ(
        runCli({"gallery", "-o", path("gallery.png"), "--template", path("all.exm")}).exitCode, 0);
    const QStringList commands[] = {
        {"info", path("all.exm")},     {"info", path("all.exm"), "--raw"},
        {"check", path("all.exm")},    {"resave", path("all.exm"), path("again.exm")},
        {"geometry", path("all.exm")},
    };
    for (const QStringList& command : commands) {
        const CliResult r = runCli(command);
        EXPECT_EQ(r.exitCode, 0) << command.join(u' ').toStdString();
        EXPECT_EQ(r.err, QByteArray()) << command.join(u' ').toStdString();
    }
}

TEST_F(TemplateCommands, InfoShowsTheStartingDocument)
{
    ASSERT_EQ(runCli({"new", path("a.exm")}).exitCode, 0);
    const CliResult r = runCli({"info", path("a.exm")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject doc = QJsonDocument::fromJson(r.out).object();
    EXPECT_EQ(doc["Modal"].toInt(), 0);
    const QJsonArray pages = doc["pages"].toArray();
    ASSERT_EQ(pages.size(), 1);
    const QJsonObject page = pages[0].toObject();
    EXPECT_EQ(page["PaperType"].toString(), "A");
    EXPECT_EQ(page["PageNumber"].toInt(), 1);
    const QJsonArray shapes = page["shapes"].toArray();
    ASSERT_GE(shapes.size(), 6);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(shapes[i].toObject()["class"].toString(), "TPosRect") << i;
    for (int i = 4; i < 6; ++i) {
        EXPECT_EQ(shapes[i].toObject()["class"].toString(), "TRectKg") << i;
        EXPECT_TRUE(shapes[i].toObject().contains("NumberFont"));
    }
}

TEST_F(TemplateCommands, InfoOfManyPagesIsQtsIndentedJson)
{
    // Written page by page, the text must still be exactly Qt's indented form.
    const QString settings = path("settings.json");
    QFile json(settings);
    ASSERT_TRUE(json.open(QIODevice::WriteOnly));
    json.write(R"({"pagecount": 4})");
    json.close();
    ASSERT_EQ(runCli({"wizard", "--settings", settings, "-o", path("sheet.exm")}).exitCode, 0);
    ASSERT_EQ(runCli({"new", path("new.exm")}).exitCode, 0);
    for (const QStringList& args :
         {QStringList{"info", path("sheet.exm")}, QStringList{"info", path("sheet.exm"), "--raw"},
          QStringList{"info", path("new.exm")}}) {
        const CliResult r = runCli(args);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QJsonDocument doc = QJsonDocument::fromJson(r.out);
        ASSERT_TRUE(doc.isObject());
        EXPECT_EQ(r.out, doc.toJson(QJsonDocument::Indented)) << args.join(' ').toStdString();
        EXPECT_GE(doc.object()["pages"].toArray().size(), 1);
    }
}

TEST_F(TemplateCommands, RawInfoIsBeforeRenumbering)
{
    ASSERT_EQ(runCli({"new", path("a.exm")}).exitCode, 0);
    const CliResult r = runCli({"info", path("a.exm"), "--raw"});
    ASSERT_EQ(r.exitCode, 0);
    const QJsonObject page =
        QJsonDocument::fromJson(r.out).object()["pages"].toArray()[0].toObject();
    EXPECT_EQ(page["PageNumber"].toInt(), 0); // page numbers are not read back
}

TEST_F(TemplateCommands, ExitCodes)
{
    ASSERT_EQ(runCli({"new", path("a.exm")}).exitCode, 0);
    QFile garbage(path("bad.exm"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a template");
    garbage.close();

    struct Case
    {
        QStringList args;
        int exitCode;
    };
    const Case cases[] = {
        {{"check", path("a.exm")}, 0},
        {{"info", path("missing.exm")}, 2},
        {{"check", path("bad.exm")}, 2},
        {{"resave", path("a.exm"), dir.filePath("no/such/folder/b.exm")}, 2},
        {{"no-such-command"}, 64},
        {{"info"}, 64},
        {{"info", path("a.exm"), "--bogus"}, 64},
        {{"new", path("c.exm"), "--ppi", "abc"}, 64},
        {{"--help"}, 0},
    };
    for (const Case& c : cases) {
        const CliResult r = runCli(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        if (c.exitCode != 0)
            EXPECT_FALSE(r.err.trimmed().isEmpty()) << c.args.join(' ').toStdString();
    }
}

TEST_F(TemplateCommands, FailedResaveLeavesNoFile)
{
    ASSERT_EQ(runCli({"new", path("a.exm")}).exitCode, 0);
    const CliResult r = runCli({"resave", path("a.exm"), dir.filePath("no/such/folder/b.exm")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_FALSE(QFile::exists(dir.filePath("no/such/folder/b.exm")));
}

TEST_F(TemplateCommands, PpiChangesTheLayout)
{
    ASSERT_EQ(runCli({"new", path("a.exm"), "--ppi", "96"}).exitCode, 0);
    const CliResult r96 = runCli({"info", path("a.exm"), "--ppi", "96"});
    const CliResult r192 = runCli({"info", path("a.exm"), "--ppi", "192"});
    auto firstBox = [](const QByteArray& json) {
        return QJsonDocument::fromJson(json)
            .object()["pages"]
            .toArray()[0]
            .toObject()["shapes"]
            .toArray()[0]
            .toObject()["Bounds"]
            .toArray();
    };
    EXPECT_EQ(firstBox(r96.out)[0].toInt(), 38);
    EXPECT_EQ(firstBox(r192.out)[0].toInt(), 76);
}

} // namespace

} // namespace sw::test
