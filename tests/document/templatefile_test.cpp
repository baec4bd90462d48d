#include "document_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace sw::test {
namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class TemplateFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("sheet.exm"));
        document = test::documentWithPages(2);
    }

    // Names in the folder: a save leaves no temporary file behind.
    QStringList folder() const { return QDir(dir.path()).entryList(QDir::Files); }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<TVectorGraphics> document;
};

TEST_F(TemplateFile, SavesTheStreamAndRemembersTheName)
{
    QString error;
    ASSERT_TRUE(document->SaveToFile(SaveAllShapes, path, &error)) << error.toStdString();
    EXPECT_EQ(fileBytes(path), test::saveToBytes(*document));
    EXPECT_EQ(document->FileName, path);
    EXPECT_EQ(document->PictureFolder(), dir.path());
    EXPECT_EQ(folder(), QStringList{QStringLiteral("sheet.exm")});

    TVectorGraphics loaded(test::ScreenDpi);
    ASSERT_TRUE(loaded.LoadFromFile(path, &error)) << error.toStdString();
    EXPECT_EQ(loaded.PageCount(), 2);
    EXPECT_EQ(loaded.FileName, path);
}

TEST_F(TemplateFile, ReportsAFileThatCannotBeCreated)
{
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/sheet.exm"));
    QString error;
    EXPECT_FALSE(document->SaveToFile(SaveAllShapes, missing, &error));
    EXPECT_EQ(error, QStringLiteral("Cannot create file %1").arg(missing));
    EXPECT_TRUE(document->FileName.isEmpty());
}

TEST_F(TemplateFile, ReportsAFileThatCannotBeOpened)
{
    const QString missing = dir.filePath(QStringLiteral("missing.exm"));
    QString error;
    EXPECT_FALSE(document->LoadFromFile(missing, &error));
    EXPECT_EQ(error, QStringLiteral("Cannot open file %1").arg(missing));
    EXPECT_EQ(document->PageCount(), 2);
    EXPECT_TRUE(document->FileName.isEmpty());
}

TEST_F(TemplateFile, AFailedSaveLeavesThePreviousFileIntact)
{
    ASSERT_TRUE(document->SaveToFile(SaveAllShapes, path));
    const QByteArray previous = fileBytes(path);
    document->NewPage(-1, -1);

    QString error;
    EXPECT_FALSE(document->SaveToFile(2, path, &error)); // no such save mode
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(fileBytes(path), previous);
    EXPECT_EQ(folder(), QStringList{QStringLiteral("sheet.exm")});
}

// The disk refuses the data half way (file size limit), as on a full disk.
TEST_F(TemplateFile, AWriteErrorLeavesThePreviousFileIntact)
{
    ASSERT_TRUE(document->SaveToFile(SaveAllShapes, path));
    const QByteArray previous = fileBytes(path);
    document->NewPage(-1, -1);
    document->FileName.clear();

    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    const bool saved64 = document->SaveToFile(SaveAllShapes, path, &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved64);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(fileBytes(path), previous);
    EXPECT_EQ(folder(), QStringList{QStringLiteral("sheet.exm")});
    EXPECT_TRUE(document->FileName.isEmpty());
}

// Without write permission on the folder (not testable as root, who may
// write anywhere).
TEST_F(TemplateFile, AnUnwritableFolderLeavesThePreviousFileIntact)
{
    ASSERT_TRUE(document->SaveToFile(SaveAllShapes, path));
    const QByteArray previous = fileBytes(path);
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    QFile probe(dir.filePath(QStringLiteral("probe")));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "folder permissions do not apply to this user";
    }
    document->NewPage(-1, -1);
    QString error;
    const bool saved = document->SaveToFile(SaveAllShapes, path, &error);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    EXPECT_FALSE(saved);
    EXPECT_EQ(error, QStringLiteral("Cannot create file %1").arg(path));
    EXPECT_EQ(fileBytes(path), previous);
}

} // namespace
} // namespace sw::test
