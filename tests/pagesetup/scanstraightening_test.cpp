// Writing a scan straight as the command-line deskew does: the whole-picture
// way and the row-by-row way must give the same file.
#include "document/analysis/correction.h"
#include "document/analysis/rotation.h"
#include "document/analysis/scanstraightening.h"
#include "document/vectorgraphics.h"
#include "pagesetup/scanfixture.h"
#include "platform/picturecodec.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

// A page of the marked scan's size in the given mode, its marks laid out.
void setUpPage(TVectorGraphics& document, int mode)
{
    document.NewPage(-1, -1);
    document.Modal = mode;
    document.ActivePage()->Width = 1100 * 25.4 / 96;
    document.ActivePage()->Height = 1600 * 25.4 / 96;
    document.LayoutMarks();
}

QByteArray jpegOf(const QImage& picture)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(saveJpeg(picture, buffer, 100, 96));
    return buffer.data();
}

// The command-line deskew leaves drawing the straight scan to SaveStraightJpeg,
// which must write what the window's correction draws.
TEST(StraightScanFile, IsWhatTheCorrectionDraws)
{
    for (const QImage::Format format : {QImage::Format_Grayscale8, QImage::Format_RGB32}) {
        const QImage scan = markedScan(1100, 1600, FirstMark, SecondMark).convertToFormat(format);
        const auto corrected = [&scan](StraightPicture straight) {
            TVectorGraphics document(96);
            setUpPage(document, SheetOverlay);
            return CorrectBackground(document, scan, straight);
        };
        const BackgroundCorrection drawn = corrected(StraightPicture::Drawn);
        const BackgroundCorrection left = corrected(StraightPicture::LeftToCaller);
        ASSERT_TRUE(drawn.detected && left.detected) << format;
        EXPECT_NEAR(drawn.skewAngle, std::atan(0.01), 0.002);
        EXPECT_EQ(left.skewAngle, drawn.skewAngle);
        ASSERT_FALSE(drawn.picture.isNull());
        EXPECT_FALSE(drawn.leftToDraw);
        EXPECT_TRUE(left.picture.isNull());
        EXPECT_TRUE(left.leftToDraw);

        QBuffer fromPicture;
        QBuffer fromRows;
        fromPicture.open(QIODevice::WriteOnly);
        fromRows.open(QIODevice::WriteOnly);
        ASSERT_TRUE(saveJpeg(drawn.picture, fromPicture, 100, 96));
        ASSERT_TRUE(SaveStraightJpeg(scan, left.skewAngle, fromRows, 100, 96));
        EXPECT_EQ(fromRows.data(), fromPicture.data()) << format;
    }
}

// A JPEG scan decoded only as far as the marks are searched, then row by row
// into the file, gives the bytes of the whole-picture correction.
TEST(ScanStraightening, WritesWhatTheWholeScanGives)
{
    QTemporaryDir dir;
    for (const QImage::Format format : {QImage::Format_Grayscale8, QImage::Format_RGB32}) {
        for (const int mode : {SheetSelfMade, SheetOverlay, SheetMultiPageOverlay}) {
            const QString file = dir.filePath(QStringLiteral("scan.jpg"));
            ASSERT_TRUE(writeFile(
                file,
                jpegOf(markedScan(1100, 1600, FirstMark, SecondMark).convertToFormat(format))));
            const QImage whole = loadScan(file);
            ASSERT_EQ(whole.format(), format);

            TVectorGraphics wholeDocument(96);
            setUpPage(wholeDocument, mode);
            const BackgroundCorrection expected = CorrectBackground(wholeDocument, whole);
            ASSERT_TRUE(expected.detected) << mode;
            EXPECT_EQ(expected.skewAngle == 0.0, mode == SheetSelfMade);

            TVectorGraphics document(96);
            setUpPage(document, mode);
            const QByteArray jpeg = readJpegFile(file);
            ScanStraightening scan;
            ASSERT_TRUE(scan.start(jpeg));
            const auto corrected = scan.correct(document);
            ASSERT_TRUE(corrected);
            EXPECT_EQ(corrected->skewAngle, expected.skewAngle);
            EXPECT_EQ(corrected->message, expected.message);
            EXPECT_EQ(document.ActivePage()->SkewAngle, wholeDocument.ActivePage()->SkewAngle);

            QBuffer written;
            written.open(QIODevice::WriteOnly);
            QString error;
            ASSERT_TRUE(scan.write(written, 100, 96, &error)) << error.toStdString();
            EXPECT_EQ(written.data(), jpegOf(expected.picture.isNull() ? whole : expected.picture))
                << format << " mode " << mode;
        }
    }
}

// Data missing below the marks shows only while the rest is written: the file
// is refused then, with the reason, as a whole decode refuses it.
TEST(ScanStraightening, ATruncatedScanFailsWhileWriting)
{
    QTemporaryDir dir;
    QImage picture = markedScan(1100, 1600, FirstMark, SecondMark);
    // Detail all over, so that every part of the file holds rows.
    for (int y = 100; y < picture.height(); y += 7)
        picture.setPixel((y * 31) % picture.width(), y, qRgb(0, 0, 0));
    const QByteArray full = jpegOf(picture);
    const QByteArray truncated = full.left(full.size() * 3 / 4);
    const QString file = dir.filePath(QStringLiteral("cut.jpg"));
    ASSERT_TRUE(writeFile(file, truncated));
    QString wholeError;
    EXPECT_TRUE(loadScan(file, &wholeError).isNull());

    TVectorGraphics document(96);
    setUpPage(document, SheetOverlay);
    ScanStraightening scan;
    ASSERT_TRUE(scan.start(truncated));
    const auto corrected = scan.correct(document);
    ASSERT_TRUE(corrected);
    EXPECT_TRUE(corrected->detected);
    QBuffer written;
    written.open(QIODevice::WriteOnly);
    QString error;
    EXPECT_FALSE(scan.write(written, 100, 96, &error));
    EXPECT_TRUE(scan.scanFailed());
    EXPECT_TRUE(wholeError.endsWith(error))
        << wholeError.toStdString() << " / " << error.toStdString();
}

} // namespace
} // namespace sw::test
