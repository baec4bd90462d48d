#include "cli/clirunner.h"
#include "support/rlebmp.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace sw::test {

namespace {

class ScanCommands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(runCli({"new", path("blank.exm")}).exitCode, 0);
        QImage scan(400, 300, QImage::Format_RGB32);
        scan.fill(Qt::white);
        ASSERT_TRUE(scan.save(path("scan.png")));
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(ScanCommands, LearnWithoutFuzzyBoxesFails)
{
    const CliResult r =
        runCli({"learn", path("blank.exm"), path("scan.png"), "-o", path("out.exm")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(QString::fromUtf8(r.err).contains("检测失败!"));
    EXPECT_FALSE(QFile::exists(path("out.exm")));
}

TEST_F(ScanCommands, DeskewNeverWritesOverItsInput)
{
    QFile scan(path("scan.png"));
    ASSERT_TRUE(scan.open(QIODevice::ReadOnly));
    const QByteArray before = scan.readAll();
    scan.close();
    for (const QString& out :
         {path("scan.png"), dir.path() + QStringLiteral("/./scan.png"), path("blank.exm")}) {
        const CliResult r = runCli({"deskew", path("blank.exm"), path("scan.png"), "-o", out});
        EXPECT_EQ(r.exitCode, 64) << out.toStdString();
        EXPECT_TRUE(r.err.contains("would overwrite the input")) << r.err.toStdString();
    }
    ASSERT_TRUE(scan.open(QIODevice::ReadOnly));
    EXPECT_EQ(scan.readAll(), before);
}

TEST_F(ScanCommands, DeskewOfASelfMadeSheetFindsNoSkew)
{
    const CliResult r =
        runCli({"deskew", path("blank.exm"), path("scan.png"), "-o", path("out.jpg")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(r.out).contains("检测成功！"));
    EXPECT_EQ(QImage(path("out.jpg")).size(), QSize(400, 300));
}

// A JPEG scan is written out as it is decoded: data missing far down still
// refuses the scan, and no file is left behind.
TEST_F(ScanCommands, DeskewOfATruncatedJpegScanWritesNothing)
{
    QImage scan(400, 300, QImage::Format_RGB32);
    for (int y = 0; y < scan.height(); ++y) {
        for (int x = 0; x < scan.width(); ++x)
            scan.setPixel(x, y, qRgb((x * 7 + y) & 0xFF, (x + y * 5) & 0xFF, (x * y) & 0xFF));
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(scan.save(&buffer, "JPG", 90));
    QFile cut(path("cut.jpg"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(buffer.data().left(buffer.data().size() * 3 / 4));
    cut.close();

    const CliResult r =
        runCli({"deskew", path("blank.exm"), path("cut.jpg"), "-o", path("out.jpg")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(QString::fromUtf8(r.err).contains(path("cut.jpg"))) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("out.jpg")));
}

// Run-length coded pixels stop early without the size of the picture
// showing it; the scan is refused all the same, the whole one still read.
TEST_F(ScanCommands, DeskewOfARunLengthBmpCutInHalfWritesNothing)
{
    const QByteArray whole = runLengthBmp(400, 300);
    QFile cut(path("cut.bmp"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write(whole.left(whole.size() / 2));
    cut.close();
    QFile full(path("whole.bmp"));
    ASSERT_TRUE(full.open(QIODevice::WriteOnly));
    full.write(whole);
    full.close();

    const CliResult r =
        runCli({"deskew", path("blank.exm"), path("cut.bmp"), "-o", path("out.jpg")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(QString::fromUtf8(r.err).contains(path("cut.bmp"))) << r.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("out.jpg")));

    const CliResult read =
        runCli({"deskew", path("blank.exm"), path("whole.bmp"), "-o", path("whole.jpg")});
    EXPECT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_EQ(QImage(path("whole.jpg")).size(), QSize(400, 300));
}

TEST_F(ScanCommands, AnOutputFolderThatIsMissingIsNamedWithTheReason)
{
    const QString out = path("missing/out.jpg");
    const CliResult r = runCli({"deskew", path("blank.exm"), path("scan.png"), "-o", out});
    EXPECT_EQ(r.exitCode, 2);
    const QString err = QString::fromUtf8(r.err).trimmed();
    EXPECT_TRUE(err.startsWith(QStringLiteral("不能创建文件 ") + out)) << err.toStdString();
    EXPECT_GT(err.size(),
              (QStringLiteral("不能创建文件 ") + out + QStringLiteral("。（）")).size());
}

TEST_F(ScanCommands, UnreadableScanIsAFileError)
{
    QFile bad(path("bad.jpg"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("\xff\xd8 not really a jpeg");
    bad.close();
    EXPECT_EQ(runCli({"deskew", path("blank.exm"), path("bad.jpg"), "-o", path("o.jpg")}).exitCode,
              2);
    EXPECT_EQ(
        runCli({"learn", path("blank.exm"), path("missing.png"), "-o", path("o.exm")}).exitCode, 2);
    EXPECT_EQ(runCli({"deskew", path("blank.exm"), path("scan.png")}).exitCode, 64);
}

} // namespace

} // namespace sw::test
