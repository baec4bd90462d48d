#include "document/export.h"
#include "document/pagebands.h"
#include "document/painting.h"
#include "pagebuilder.h"
#include "platform/picturecodec.h"
#include "platform/qpaintercanvas.h"
#include "platform/rounding.h"
#include "shapes/ellipse.h"
#include "shapes/line.h"
#include "shapes/rimage.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

constexpr double Dpi = 300;

// The page painted at once on one sheet, as bitmaps were exported before
// they were drawn in bands.
QImage wholeSheet(const TVectorGraphics& document, TVectorGraph& page, double dpi)
{
    const double scale = outputScale(dpi, document.PixelsPerMm);
    QImage sheet(roundHalfEven(scale * page.Width * document.PixelsPerMm),
                 roundHalfEven(scale * page.Height * document.PixelsPerMm), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    ScopedPageScale output(page, scale, scale);
    QPainterCanvas canvas(sheet, outputFontPixelsPerInch(document));
    Paint(page, canvas, OutputPrint);
    return sheet;
}

QImage fromBands(PageBands& bands, bool bottomUp)
{
    QImage sheet(bands.size(), QImage::Format_RGB32);
    const int height = sheet.height();
    for (int i = 0; i < height; ++i) {
        const int y = bottomUp ? height - 1 - i : i;
        std::copy_n(bands.row(y), sheet.width(), reinterpret_cast<QRgb*>(sheet.scanLine(y)));
    }
    return sheet;
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The colour type byte of a PNG's header: 0 grey, 2 RGB.
int pngColourType(const QByteArray& png)
{
    return png.size() > 25 ? uchar(png[25]) : -1;
}

class ExportBands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QImage picture(160, 120, QImage::Format_RGB32);
        QPainter painter(&picture);
        QLinearGradient gradient(0, 0, 160, 120);
        gradient.setColorAt(0, Qt::black);
        gradient.setColorAt(1, Qt::white);
        painter.fillRect(picture.rect(), gradient);
        painter.end();
        ASSERT_TRUE(picture.convertToFormat(QImage::Format_Grayscale8)
                        .save(dir.filePath(QStringLiteral("grey.png"))));

        // Shapes of every sort lie across the band edges of the sizes tried.
        addText(page, {60, 200, 700, 260}, QStringLiteral("准考证号 Exam number 0123456789"))
            .Font.Height = -48;
        addText(page, {90, 400, 500, 430}, QStringLiteral("姓名 Name"));
        addBubbleBox(page, RSResult, ADown, 12);
        addRectangle(page, {40, 150, 760, 1080});
        page.AddShape(std::make_unique<TEllipse>(TPoint{300, 500}, TPoint{560, 820}, 1.0, 1.0));
        page.AddShape(std::make_unique<TLine>(TPoint{20, 20}, TPoint{770, 1100}, 1.0, 1.0));
        auto shape = std::make_unique<TRImage>(TPoint{420, 180}, TPoint{700, 460}, 1.0, 1.0);
        shape->PicturePath = QStringLiteral("grey.png");
        shape->SetPictureFolder(dir.path());
        page.AddShape(std::move(shape));
    }

    void addColour() { addRectangle(page, {500, 900, 700, 1000}).Pen.Color = clRed; }

    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    std::unique_ptr<TVectorGraphics> document = newDocument();
    TVectorGraph& page = *document->ActivePage();
};

TEST_F(ExportBands, EveryBandHeightGivesTheWholeSheetsPixels)
{
    const QImage whole = wholeSheet(*document, page, Dpi);
    for (const int rows : {5, 64, 333, whole.height()}) {
        for (const bool bottomUp : {false, true}) {
            PageBands bands(*document, page, Dpi, whole.size(), rows);
            ASSERT_TRUE(bands.isValid());
            EXPECT_EQ(fromBands(bands, bottomUp), whole)
                << rows << " rows a band, " << (bottomUp ? "bottom up" : "top down");
        }
    }
}

TEST_F(ExportBands, BandsLeaveThePageScaleAsItWas)
{
    page.SetScaleX(1.5);
    page.SetScaleY(1.5);
    {
        PageBands bands(*document, page, Dpi, {100, 100}, 10);
        bands.row(50);
    }
    EXPECT_EQ(page.ScaleX, 1.5);
    EXPECT_EQ(page.ScaleY, 1.5);
}

TEST_F(ExportBands, BandsAreSmallAtAnyWidth)
{
    for (const int width : {1, 2480, 9921, 39685}) {
        const qint64 bytes = qint64(exportBandRows(width)) * width * 4;
        EXPECT_LE(bytes, ExportBandBytes) << width;
        EXPECT_GE(exportBandRows(width), 1) << width;
    }
    // A large sheet is really cut into several bands.
    EXPECT_LT(exportBandRows(2480 * 4), 3508 * 4);
}

TEST_F(ExportBands, BmpAndJpegBytesEqualTheWholeSheetsEncoding)
{
    // At 600 dpi the A4 sheet needs several bands.
    constexpr double Fine = 600;
    const QImage whole = wholeSheet(*document, page, Fine);
    ASSERT_LT(exportBandRows(whole.width()), whole.height());
    QByteArray bmp;
    QBuffer bmpBuffer(&bmp);
    bmpBuffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(saveBmp(whole, bmpBuffer, int(Fine)));
    QByteArray jpeg;
    QBuffer jpegBuffer(&jpeg);
    jpegBuffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(saveJpeg(whole, jpegBuffer, 100, int(Fine)));

    QString error;
    ASSERT_TRUE(ExportImage(*document, path(QStringLiteral("a.bmp")), Fine, &error))
        << error.toStdString();
    ASSERT_TRUE(ExportImage(*document, path(QStringLiteral("a.jpg")), Fine, &error))
        << error.toStdString();
    EXPECT_TRUE(readAll(path(QStringLiteral("a.bmp"))) == bmp);
    EXPECT_TRUE(readAll(path(QStringLiteral("a.jpg"))) == jpeg);
}

TEST_F(ExportBands, PngOfAPageWithoutColourIsGreyWithTheSamePixels)
{
    const QImage whole = wholeSheet(*document, page, Dpi);
    ASSERT_TRUE(whole.allGray());
    const QString file = path(QStringLiteral("grey.png"));
    ASSERT_TRUE(ExportImage(*document, file, Dpi));
    EXPECT_EQ(pngColourType(readAll(file)), 0);
    const QImage written(file);
    EXPECT_EQ(written.dotsPerMeterX(), roundHalfEven(Dpi / 0.0254));
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), whole);
}

TEST_F(ExportBands, PngKeepsTheColourOfAColouredShape)
{
    addColour();
    const QImage whole = wholeSheet(*document, page, Dpi);
    ASSERT_FALSE(whole.allGray());
    const QString file = path(QStringLiteral("colour.png"));
    ASSERT_TRUE(ExportImage(*document, file, Dpi));
    EXPECT_EQ(pngColourType(readAll(file)), 2);
    EXPECT_EQ(QImage(file).convertToFormat(QImage::Format_RGB32), whole);
}

} // namespace
} // namespace sw::test
