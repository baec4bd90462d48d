#include "shapes/rimage.h"
#include "test_base_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

const QStringList placeholder{"Pen 000000 1 psDot pmCopy", "Brush FFFFFF bsClear",
                              "Rectangle 20 20 60 50"};

class Picture : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // A picture file of the given size under the temporary folder.
    QString writePicture(const QString& relative, int width, int height)
    {
        const QString path = dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::red);
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }

    QStringList draw(TRImage& shape)
    {
        RecordingCanvas canvas(96);
        shape.Draw(canvas);
        return test::drawnLines(canvas);
    }

    QTemporaryDir dir;
    TRImage shape{{20, 20}, {60, 50}, 1.0, 1.0};
};

TEST_F(Picture, WithoutAPathShowsTheDottedPlaceholder)
{
    EXPECT_EQ(draw(shape), placeholder);
    EXPECT_TRUE(shape.Picture.isNull());
}

TEST_F(Picture, MissingFileShowsThePlaceholderAndIsTriedAgainLater)
{
    shape.PicturePath = dir.filePath("later.bmp");
    EXPECT_EQ(draw(shape), placeholder);
    EXPECT_TRUE(shape.Picture.isNull());
    writePicture("later.bmp", 3, 2);
    const QStringList lines = draw(shape);
    EXPECT_TRUE(lines.contains("StretchDraw 20 20 60 50"));
    EXPECT_FALSE(lines.contains(placeholder.back()));
    EXPECT_EQ(shape.Picture.size(), QSize(3, 2));
}

TEST_F(Picture, UnreadableFileShowsThePlaceholder)
{
    const QString path = dir.filePath("broken.bmp");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("BM this is not a bitmap");
    file.close();
    shape.PicturePath = path;
    EXPECT_EQ(draw(shape), placeholder);
    EXPECT_TRUE(shape.Picture.isNull());
}

TEST_F(Picture, StretchesOverTheDeviceBoundsWithHandles)
{
    shape.PicturePath = writePicture("logo.bmp", 4, 4);
    shape.ScaleX = 2.0;
    shape.ScaleY = 1.5;
    shape.Select();
    const QStringList lines = draw(shape);
    ASSERT_EQ(lines.size(), 3 + 2 + 8);
    EXPECT_EQ(lines[2], "StretchDraw 40 30 120 75");
}

TEST_F(Picture, PrefersTheFileOfTheSameNameInThePictureFolder)
{
    shape.PicturePath = writePicture("old/logo.bmp", 4, 4);
    writePicture("new/logo.bmp", 2, 3);
    shape.PictureFolder = dir.filePath("new");
    shape.LoadPicture();
    EXPECT_EQ(shape.Picture.size(), QSize(2, 3));
}

TEST_F(Picture, FallsBackToThePathWhenTheFolderHasNoUsableFile)
{
    shape.PicturePath = writePicture("old/logo.bmp", 4, 4);
    shape.PictureFolder = dir.filePath("new") + "/";
    shape.LoadPicture();
    EXPECT_EQ(shape.Picture.size(), QSize(4, 4));

    QDir().mkpath(dir.filePath("new"));
    QFile broken(dir.filePath("new/logo.bmp"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("garbage");
    broken.close();
    shape.LoadPicture();
    EXPECT_EQ(shape.Picture.size(), QSize(4, 4));
}

struct BackslashCase
{
    const char* picturePath; // "%1" stands for the temporary folder
    const char* pictureFolder;
};

class PictureBackslashes : public Picture, public ::testing::WithParamInterface<BackslashCase>
{
};

// Templates made on Windows name their pictures with "\" between folders.
TEST_P(PictureBackslashes, AreFolderSeparators)
{
    writePicture("pics/logo.bmp", 5, 6);
    const QString root = dir.path();
    shape.PicturePath = QString::fromUtf8(GetParam().picturePath).replace("%1", root);
    shape.PictureFolder = QString::fromUtf8(GetParam().pictureFolder).replace("%1", root);
    shape.LoadPicture();
    EXPECT_EQ(shape.Picture.size(), QSize(5, 6));
}

INSTANTIATE_TEST_SUITE_P(Picture, PictureBackslashes,
                         ::testing::Values(BackslashCase{"D:\\exam\\pics\\logo.bmp", "%1/pics"},
                                           BackslashCase{"D:\\exam\\pics\\logo.bmp", "%1\\pics\\"},
                                           BackslashCase{"%1\\pics\\logo.bmp", ""},
                                           BackslashCase{"%1/pics\\logo.bmp", "%1/elsewhere"}));

TEST_F(Picture, ChangedPathLoadsTheNewPictureOrNone)
{
    shape.PicturePath = writePicture("a.bmp", 4, 4);
    shape.LoadPicture();
    ASSERT_FALSE(shape.Picture.isNull());
    shape.PicturePath = dir.filePath("gone.bmp");
    shape.LoadPicture();
    EXPECT_TRUE(shape.Picture.isNull());
}

TEST_F(Picture, CloneKeepsPathFolderAndPicture)
{
    shape.PicturePath = writePicture("a.bmp", 4, 4);
    shape.PictureFolder = dir.path();
    shape.LoadPicture();
    const auto copy = shape.clone();
    const auto& c = dynamic_cast<const TRImage&>(*copy);
    EXPECT_EQ(c.PicturePath, shape.PicturePath);
    EXPECT_EQ(c.PictureFolder, shape.PictureFolder);
    EXPECT_EQ(c.Picture, shape.Picture);
}

} // namespace
} // namespace sw::test
