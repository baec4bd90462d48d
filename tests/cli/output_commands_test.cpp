#include "cli/clirunner.h"
#include "document/vectorgraphics.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace sw::test {

namespace {

class OutputCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Paper type A with two pages, paper type B with one.
        sw::TVectorGraphics document(96);
        ASSERT_TRUE(document.NewPage(-1, -1));
        ASSERT_TRUE(document.NewPage(-1, 0));
        ASSERT_TRUE(document.NewPage(-1, -1));
        document.RenumberPages();
        document.LayoutMarks();
        ASSERT_TRUE(document.SaveToFile(0, path("three.exm")));
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(OutputCommands, ExportSizesFollowTheResolution)
{
    struct Case
    {
        QString name;
        QStringList extra;
        QSize size;
    };
    const Case cases[] = {
        {"a.png", {}, {794, 1123}},
        {"b.png", {"--dpi", "300"}, {2480, 3508}},
        {"c.JPG", {"--dpi", "300"}, {2480, 3508}},
        {"d.bmp", {"--ppi", "96"}, {794, 1123}},
    };
    for (const Case& c : cases) {
        const CliResult r =
            runCli(QStringList{"export", path("three.exm"), "-o", path(c.name)} + c.extra);
        ASSERT_EQ(r.exitCode, 0) << c.name.toStdString() << r.err.toStdString();
        EXPECT_EQ(QImage(path(c.name)).size(), c.size) << c.name.toStdString();
    }
}

TEST_F(OutputCommands, AllPagesGoToNumberedFilesOrOnePdf)
{
    ASSERT_EQ(runCli({"export", path("three.exm"), "-o", path("p.png"), "--all"}).exitCode, 0);
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(QFile::exists(path(QStringLiteral("p-%1.png").arg(i)))) << i;
    EXPECT_FALSE(QFile::exists(path("p.png")));

    ASSERT_EQ(runCli({"export", path("three.exm"), "-o", path("all.pdf"), "--all"}).exitCode, 0);
    QFile pdf(path("all.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdf.readAll().count("/Type /Page\n") + 0, 3);
}

TEST_F(OutputCommands, ExportRefusals)
{
    struct Case
    {
        QStringList args;
        int exitCode;
    };
    const Case cases[] = {
        {{"export", path("three.exm"), "-o", path("x.gif")}, 64},
        {{"export", path("three.exm"), "-o", path("x")}, 64},
        {{"export", path("three.exm")}, 64},
        {{"export", path("three.exm"), "-o", path("x.png"), "--page", "4"}, 64},
        {{"export", path("three.exm"), "-o", path("x.png"), "--page", "1", "--all"}, 64},
        {{"export", path("missing.exm"), "-o", path("x.png")}, 2},
        {{"export", path("three.exm"), "-o", dir.filePath("none/x.png")}, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(runCli(c.args).exitCode, c.exitCode) << c.args.join(' ').toStdString();
    EXPECT_FALSE(QFile::exists(path("x.gif")));
}

TEST_F(OutputCommands, TraceListsCanvasCallsInDevicePixels)
{
    const CliResult r1 = runCli({"trace", path("three.exm")});
    ASSERT_EQ(r1.exitCode, 0);
    const QStringList lines = QString::fromUtf8(r1.out).split('\n', Qt::SkipEmptyParts);
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.contains("Rectangle 38 38 61 53")); // top-left positioning box
    EXPECT_TRUE(lines.first().startsWith("Pen "));

    const CliResult r2 = runCli({"trace", path("three.exm"), "--zoom", "2"});
    ASSERT_EQ(r2.exitCode, 0);
    EXPECT_TRUE(QString::fromUtf8(r2.out).split('\n').contains("Rectangle 76 76 122 106"));

    EXPECT_EQ(runCli({"trace", path("three.exm"), "--mode", "2"}).exitCode, 64);
    EXPECT_EQ(runCli({"trace", path("three.exm"), "--page", "0"}).exitCode, 64);
}

} // namespace

namespace {

TEST(Gallery, DrawsEveryKindOnOnePicture)
{
    QTemporaryDir dir;
    const QString out = dir.filePath("gallery.png");
    const CliResult r = runCli({"gallery", "-o", out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.trimmed().endsWith("gallery.png"));
    const QImage image(out);
    ASSERT_EQ(image.size(), QSize(800, 900));
    // The positioning box drawn solid at (30, 820)-(60, 840) and the red cut-box frame.
    EXPECT_EQ(image.pixelColor(45, 830), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(540, 140), QColor(Qt::red));
}

} // namespace

} // namespace sw::test
