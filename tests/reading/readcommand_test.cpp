#include "cli/clirunner.h"
#include "reading/sheets.h"
#include "reading/simulatedscan.h"

#include "platform/picturecodec.h"
#include "wizard/settings.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tiffio.h>

namespace sw::test {
namespace {

class ReadCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        const auto document = test::handLaidSheet();
        ASSERT_TRUE(document->SaveToFile(0, path("sheet.exm")));
        std::mt19937 rng(1);
        QImage sheet = test::printedPage(*document, 0, 150);
        // Question 1 answered C, question 2 doubled, exam number left blank.
        const double s = 150 / 96.0;
        const auto cell = [&](int x, int y) { return QRectF(x * s, y * s, 18 * s, 10 * s); };
        test::pencilFill(sheet, cell(120, 380 + 2 * 17), 0.9, false, rng);
        test::pencilFill(sheet, cell(145, 380), 0.9, false, rng);
        test::pencilFill(sheet, cell(145, 380 + 17), 0.9, false, rng);
        ASSERT_TRUE(test::scanned(sheet, {1, {}, 1, true, 6, 80}, rng).save(path("scans/a.jpg")));
        QFile text(path("scans/b.jpg"));
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("this is no picture\n");
        text.close();
        QFile good(path("scans/a.jpg"));
        ASSERT_TRUE(good.open(QIODevice::ReadOnly));
        QFile truncated(path("scans/c.jpg"));
        ASSERT_TRUE(truncated.open(QIODevice::WriteOnly));
        truncated.write(good.read(good.size() / 2));
    }

    QString path(const QString& name) const
    {
        const QString p = dir.filePath(name);
        QDir().mkpath(QFileInfo(p).absolutePath());
        return p;
    }

    QTemporaryDir dir;
};

std::vector<QJsonObject> jsonLines(const QByteArray& out)
{
    std::vector<QJsonObject> lines;
    for (const QByteArray& line : out.split('\n'))
        if (!line.isEmpty())
            lines.push_back(QJsonDocument::fromJson(line).object());
    return lines;
}

TEST_F(ReadCommand, ReadsABatchInOrderAndGoesOnPastBadFiles)
{
    const CliResult r = runCli(
        {QStringLiteral("read"), path("sheet.exm"), path("scans"), QStringLiteral("--json"),
         QStringLiteral("--jobs"), QStringLiteral("2"), QStringLiteral("--csv"), path("out.csv"),
         QStringLiteral("--cuts"), path("cuts"), QStringLiteral("--marked"), path("marked")});
    EXPECT_EQ(r.exitCode, 2) << r.err.toStdString();
    const auto lines = jsonLines(r.out);
    ASSERT_EQ(lines.size(), 3u) << r.out.toStdString();
    EXPECT_TRUE(lines[0][QStringLiteral("scan")].toString().endsWith(QStringLiteral("a.jpg")));
    EXPECT_EQ(lines[0][QStringLiteral("status")].toString(), QStringLiteral("ok"));
    EXPECT_EQ(lines[0][QStringLiteral("paper_type")].toString(), QStringLiteral("A"));
    EXPECT_EQ(lines[0][QStringLiteral("page")].toInt(), 1);
    EXPECT_EQ(lines[0][QStringLiteral("exam_number")].toString(), QStringLiteral("??????"));
    const QJsonObject answers = lines[0][QStringLiteral("answers")].toObject();
    EXPECT_EQ(answers[QStringLiteral("1")].toString(), QStringLiteral("C"));
    EXPECT_EQ(answers[QStringLiteral("2")].toString(), QStringLiteral("AB"));
    EXPECT_EQ(answers[QStringLiteral("3")].toString(), QString());
    EXPECT_EQ(lines[0][QStringLiteral("multiple")].toArray(), QJsonArray{QStringLiteral("2")});
    for (const int i : {1, 2}) {
        EXPECT_TRUE(lines[std::size_t(i)][QStringLiteral("status")].toString().startsWith(
            QStringLiteral("unreadable: ")));
    }

    QFile csv(path("out.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = csv.readAll().trimmed().split('\n');
    ASSERT_EQ(rows.size(), 4);
    EXPECT_TRUE(rows[0].startsWith("scan,status,paper_type,page,exam_number,barcode,1,2,3,"));
    EXPECT_TRUE(rows[1].contains(",ok,A,1,??????,,C,AB,,")) << rows[1].toStdString();
    EXPECT_TRUE(QImage(path("cuts/16-1/a.png")).width() > 0);
    EXPECT_TRUE(QImage(path("marked/a.png")).width() > 0);
}

TEST_F(ReadCommand, ExitsOneWhenASheetNeedsALook)
{
    const CliResult r = runCli({QStringLiteral("read"), path("sheet.exm"), path("scans/a.jpg")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.contains("1=C 2=AB 3=-")) << r.out.toStdString();
}

// A grey picture as scanners write TIFF: one 8-bit sample, LZW strips.
bool writeGreyTiff(const QString& path, const QImage& grey)
{
    TIFF* tiff = TIFFOpen(path.toLocal8Bit().constData(), "w");
    if (!tiff)
        return false;
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, uint32_t(grey.width()));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, uint32_t(grey.height()));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, uint16_t(8));
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, uint16_t(1));
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 16u);
    bool ok = true;
    for (int y = 0; y < grey.height() && ok; ++y)
        ok =
            TIFFWriteScanline(tiff, const_cast<uchar*>(grey.constScanLine(y)), uint32_t(y), 0) == 1;
    TIFFClose(tiff);
    return ok;
}

TEST_F(ReadCommand, ReadsGreyPngAndTiffScansLikeJpeg)
{
    const QImage grey = QImage(path("scans/a.jpg")).convertToFormat(QImage::Format_Grayscale8);
    ASSERT_FALSE(grey.isNull());
    ASSERT_TRUE(grey.save(path("formats/a.jpg"), "JPG", 90));
    ASSERT_TRUE(grey.save(path("formats/b.png")));
    ASSERT_EQ(loadScan(path("formats/b.png")), grey);
    ASSERT_TRUE(writeGreyTiff(path("formats/c.tif"), grey));
    const CliResult r = runCli(
        {QStringLiteral("read"), path("sheet.exm"), path("formats"), QStringLiteral("--json")});
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    const auto lines = jsonLines(r.out);
    ASSERT_EQ(lines.size(), 3u) << r.out.toStdString();
    for (const QJsonObject& line : lines) {
        EXPECT_EQ(line[QStringLiteral("status")].toString(), QStringLiteral("ok"));
        for (const char* key : {"answers", "exam_number", "multiple", "page", "paper_type"})
            EXPECT_EQ(line[QLatin1String(key)], lines[0][QLatin1String(key)]) << key;
    }
}

TEST_F(ReadCommand, RefusesWrongUsage)
{
    for (const QStringList& args :
         {QStringList{QStringLiteral("read"), path("sheet.exm")},
          QStringList{QStringLiteral("read"), path("sheet.exm"), path("scans"),
                      QStringLiteral("--jobs"), QStringLiteral("0")},
          QStringList{QStringLiteral("read"), path("sheet.exm"), path("scans"),
                      QStringLiteral("--bogus")}}) {
        EXPECT_EQ(runCli(args).exitCode, 64) << args.join(QLatin1Char(' ')).toStdString();
    }
}

TEST_F(ReadCommand, GeometryPrintsCellsAtTheResolution)
{
    const CliResult r = runCli({QStringLiteral("geometry"), path("sheet.exm"),
                                QStringLiteral("--dpi"), QStringLiteral("192")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonObject page =
        QJsonDocument::fromJson(r.out).object()[QStringLiteral("pages")].toArray()[0].toObject();
    const QJsonArray boxes = page[QStringLiteral("bubble_boxes")].toArray();
    ASSERT_EQ(boxes.size(), 9);
    const QJsonObject answers = boxes[1].toObject();
    EXPECT_EQ(answers[QStringLiteral("purpose")].toString(), QStringLiteral("RSResult"));
    const QJsonObject first = answers[QStringLiteral("questions")].toArray()[0].toObject();
    EXPECT_EQ(first[QStringLiteral("number")].toInt(), 1);
    const QJsonObject cell = first[QStringLiteral("cells")].toArray()[1].toObject();
    EXPECT_EQ(cell[QStringLiteral("label")].toString(), QStringLiteral("B"));
    EXPECT_EQ(cell[QStringLiteral("rect")].toArray(), (QJsonArray{240, 794, 276, 814}));
    EXPECT_EQ(page[QStringLiteral("cut_boxes")]
                  .toArray()[0]
                  .toObject()[QStringLiteral("question")]
                  .toInt(),
              16);
    EXPECT_EQ(page[QStringLiteral("positioning_boxes")].toArray().size(), 4);
}

} // namespace
} // namespace sw::test
