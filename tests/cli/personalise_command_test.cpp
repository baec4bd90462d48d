#include "cli/clirunner.h"
#include "painting/pdffile.h"
#include "support/pdfrendering.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

class PersonaliseCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // The wizard's A4 sheet with a barcode area instead of exam-number bubbles.
        const QString settings =
            write("barcode.json", R"({"pagesize": 0, "examcodetype": 0, "examcodeleng": 8})");
        const CliResult r = runCli({"wizard", "--settings", settings, "-o", path("sheet.exm")});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        write("roster.csv", "exam_number,name\n20260001,李雷\n20260002,韩梅梅\n20260003,林涛\n");
    }

    QString path(const QString& name) const { return dir.filePath(name); }
    QString write(const QString& name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return path(name);
    }

    QTemporaryDir dir;
};

TEST_F(PersonaliseCommand, WritesEveryCandidatesSheetsWithAReadableBarcode)
{
    const CliResult r =
        runCli({"personalise", path("sheet.exm"), path("roster.csv"), "-o", path("out.pdf")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.trimmed(), "3");
    const int pages = pdfPageCount(path("out.pdf"));
    ASSERT_GT(pages, 0);
    EXPECT_EQ(pages % 3, 0);

    // The second candidate's first page, printed and read as a scan.
    const int page = pages / 3 + 1;
    const std::vector<QImage> printed = renderPdfPages(path("out.pdf"), page, page, 200);
    ASSERT_EQ(printed.size(), 1u) << "pdftoppm";
    ASSERT_TRUE(printed.front().save(path("scan.png")));
    const CliResult read = runCli({"read", path("sheet.exm"), path("scan.png"), "--json"});
    const QJsonObject sheet = QJsonDocument::fromJson(read.out).object();
    EXPECT_EQ(sheet["barcode"].toString(), "20260002") << read.out.toStdString();
    EXPECT_FALSE(sheet["barcode_mismatch"].toBool());
}

TEST_F(PersonaliseCommand, RefusesBadInputWithoutWriting)
{
    const QString sheet = path("sheet.exm");
    const QString roster = path("roster.csv");
    const QString out = path("out.pdf");
    const struct
    {
        QStringList args;
        int exitCode;
        const char* message;
    } cases[] = {
        {{"personalise", sheet, roster}, 64, "-o"},
        {{"personalise", sheet, "-o", out}, 64, "ROSTER.csv"},
        {{"personalise", sheet, roster, "-o", path("out.png")}, 64, ".pdf"},
        {{"personalise", sheet, roster, "-o", out, "--symbology", "ean13"}, 64, "ean13"},
        {{"personalise", sheet, roster, "-o", out, "--fill-exam-number", "--no-fill-exam-number"},
         64,
         "--no-fill-exam-number"},
        {{"personalise", sheet, roster, "-o", path("roster.csv")}, 64, "roster.csv"},
        {{"personalise", sheet, path("missing.csv"), "-o", out}, 2, "missing.csv"},
        {{"personalise", path("missing.exm"), roster, "-o", out}, 2, "missing.exm"},
        {{"personalise", sheet, write("twice.csv", "exam_number,name\n1,a\n2,b\n1,c\n"), "-o", out},
         2,
         "名单第 4 行：考号 1 与第 2 行重复"},
        {{"personalise", sheet, write("noname.csv", "exam_number\n1\n"), "-o", out},
         2,
         "名单第 1 行：表头缺少 name 列"},
        {{"personalise", sheet,
          write("long.csv", "exam_number,name\n1,a\n" + QByteArray(60, '7') + ",b\n"), "-o", out},
         1,
         "名单第 3 行：条码区只有"},
    };
    for (const auto& c : cases) {
        const CliResult r = runCli(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.join(' ').toStdString();
        EXPECT_TRUE(QString::fromUtf8(r.err).contains(QString::fromUtf8(c.message)))
            << r.err.toStdString();
        EXPECT_FALSE(QFile::exists(out)) << c.args.join(' ').toStdString();
    }
}

TEST_F(PersonaliseCommand, HelpNamesTheOptions)
{
    const CliResult r = runCli({"personalise", "--help"});
    EXPECT_EQ(r.exitCode, 0);
    for (const char* option : {"ROSTER.csv", "--symbology", "--no-fill-exam-number", "{name}"})
        EXPECT_TRUE(r.out.contains(option)) << option;
}

} // namespace
} // namespace sw::test
