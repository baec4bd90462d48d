#include "cli/clirunner.h"

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

TEST_F(ScanCommands, DeskewOfASelfMadeSheetFindsNoSkew)
{
    const CliResult r =
        runCli({"deskew", path("blank.exm"), path("scan.png"), "-o", path("out.jpg")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(r.out).contains("检测成功！"));
    EXPECT_EQ(QImage(path("out.jpg")).size(), QSize(400, 300));
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
