#include "document/export.h"
#include "document/painting.h"
#include "pagebuilder.h"
#include "pdffile.h"

#include <QImage>
#include <QImageReader>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>

namespace sw::test {
namespace {

struct BmpHeader
{
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int pixelsPerMetreX = 0;
    int pixelsPerMetreY = 0;
};

BmpHeader bmpHeader(const QString& path)
{
    const QByteArray data = readFile(path);
    if (data.size() < 54 || !data.startsWith("BM"))
        return {};
    const auto* h = reinterpret_cast<const uchar*>(data.constData());
    return {qFromLittleEndian<qint32>(h + 18), qFromLittleEndian<qint32>(h + 22),
            qFromLittleEndian<quint16>(h + 28), qFromLittleEndian<qint32>(h + 38),
            qFromLittleEndian<qint32>(h + 42)};
}

// Units and densities of the JFIF header: (1 = dots per inch, x, y).
std::vector<int> jfifDensity(const QString& path)
{
    const QByteArray data = readFile(path);
    const int at = data.indexOf(QByteArray("JFIF\0", 5));
    if (at < 0 || data.size() < at + 12)
        return {};
    const auto* p = reinterpret_cast<const uchar*>(data.constData()) + at + 7;
    return {p[0], qFromBigEndian<quint16>(p + 1), qFromBigEndian<quint16>(p + 3)};
}

class Export : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    std::unique_ptr<TVectorGraphics> document = newDocument();
    TVectorGraph& page = *document->ActivePage();
};

struct SizeCase
{
    const char* name;
    const char* file;
    double dpi;
    int width;
    int height;
};

// Test names and failure messages show the case by its name.
void PrintTo(const SizeCase& c, std::ostream* os)
{
    *os << c.name;
}

class ExportSize : public Export, public ::testing::WithParamInterface<SizeCase>
{
};

TEST_P(ExportSize, BitmapIsThePaperAtTheResolution)
{
    const SizeCase& c = GetParam();
    const QString file = path(QString::fromLatin1(c.file));
    QString error;
    ASSERT_TRUE(ExportImage(*document, file, c.dpi, &error)) << error.toStdString();
    QImageReader reader(file);
    EXPECT_EQ(reader.size(), QSize(c.width, c.height));
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255)) << "the sheet is white";
}

INSTANTIATE_TEST_SUITE_P(Resolutions, ExportSize,
                         ::testing::Values(SizeCase{"A4At300Bmp", "a.bmp", 300, 2480, 3508},
                                           SizeCase{"A4At96Bmp", "a.bmp", 96, 794, 1123},
                                           SizeCase{"A4At300Jpg", "a.jpg", 300, 2480, 3508},
                                           SizeCase{"A4At96Jpeg", "a.jpeg", 96, 794, 1123},
                                           SizeCase{"A4At150Png", "a.png", 150, 1240, 1754},
                                           SizeCase{"FractionalResolution", "a.bmp", 72.5, 599,
                                                    848}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Export, ResolutionIsWrittenIntoTheFiles)
{
    ASSERT_TRUE(ExportImage(*document, path("r.bmp"), 300));
    const BmpHeader bmp = bmpHeader(path("r.bmp"));
    EXPECT_EQ(bmp.bitsPerPixel, 24);
    EXPECT_EQ(bmp.pixelsPerMetreX, 11811); // 300 / 0.0254
    EXPECT_EQ(bmp.pixelsPerMetreY, 11811);

    ASSERT_TRUE(ExportImage(*document, path("r.jpg"), 150));
    EXPECT_EQ(jfifDensity(path("r.jpg")), (std::vector<int>{1, 150, 150}));

    ASSERT_TRUE(ExportImage(*document, path("r.png"), 200));
    const QImage png(path("r.png"));
    EXPECT_EQ(png.dotsPerMeterX(), 7874); // 200 / 0.0254
    EXPECT_EQ(png.dotsPerMeterY(), 7874);
}

TEST_F(Export, JpegIsWrittenAtFullQuality)
{
    ASSERT_TRUE(ExportImage(*document, path("q.jpg"), 96));
    const QByteArray data = readFile(path("q.jpg"));
    // Quality 100 makes every quantisation step 1.
    const int dqt = data.indexOf("\xFF\xDB");
    ASSERT_GE(dqt, 0);
    ASSERT_GE(data.size(), dqt + 5 + 64);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ(data[dqt + 5 + i], 1) << i;
}

TEST_F(Export, EndingsAreCaseSensitive)
{
    for (const char* name :
         {"upper.BMP", "mixed.Jpg", "upper.JPEG", "other.gif", "noending", "bmp", "a.bmp.txt"}) {
        QString error;
        EXPECT_FALSE(ExportImage(*document, path(QString::fromLatin1(name)), 96, &error)) << name;
        EXPECT_FALSE(error.isEmpty()) << name;
        EXPECT_FALSE(QFile::exists(path(QString::fromLatin1(name)))) << name;
    }
}

TEST_F(Export, PaintsTheShapesForOutputAndRestoresTheZoom)
{
    TRectangle& block = test::addRectangle(page, {38, 38, 76, 76});
    block.Brush = TBrush{clBlack, bsSolid};
    block.Pen.Width = 0; // one pixel at every scale
    block.Select();
    document->ActiveShape = &block;
    page.SetScaleX(1.5);
    page.SetScaleY(1.5);

    ASSERT_TRUE(ExportImage(*document, path("p.bmp"), 300));
    EXPECT_FALSE(block.Selected);
    EXPECT_EQ(block.OutputMode, OutputPrint);
    EXPECT_DOUBLE_EQ(page.ScaleX, 1.5);
    EXPECT_DOUBLE_EQ(page.ScaleY, 1.5);
    EXPECT_DOUBLE_EQ(block.ScaleX, 1.5);

    // 300 dpi over 96 pixels per inch: 3.125 pixels per layout pixel, so the
    // block covers 118.75 -> 119 up to 237.5 -> 238 (exclusive).
    const QImage image(path("p.bmp"));
    EXPECT_EQ(image.pixel(119, 119), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(237, 237), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(118, 150), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(238, 150), qRgb(255, 255, 255));
    // No selection handles around the block.
    EXPECT_EQ(image.pixel(117, 117), qRgb(255, 255, 255));
}

TEST_F(Export, RefusesBadResolutionsAndPapers)
{
    for (double dpi : {0.0, -96.0, std::nan(""), std::numeric_limits<double>::infinity(), 1e9}) {
        QString error;
        EXPECT_FALSE(ExportImage(*document, path("bad.bmp"), dpi, &error)) << dpi;
        EXPECT_FALSE(error.isEmpty());
    }
    // A4 at 2400 dpi would be a 556-megapixel bitmap.
    QString error;
    EXPECT_FALSE(ExportImage(*document, path("bad.bmp"), 2400, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(ExportImage(*document, path("big.pdf"), 2400, &error)) << error.toStdString();

    page.Width = 0;
    for (const char* name : {"bad.bmp", "bad.pdf", "bad.svg"})
        EXPECT_FALSE(ExportImage(*document, path(QString::fromLatin1(name)), 96)) << name;
    EXPECT_FALSE(QFile::exists(path("bad.bmp")));
    EXPECT_FALSE(QFile::exists(path("bad.pdf")));
    EXPECT_FALSE(QFile::exists(path("bad.svg")));
}

TEST_F(Export, FailureKeepsAnExistingFile)
{
    {
        QFile old(path("keep.jpg"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old content");
    }
    EXPECT_FALSE(ExportImage(*document, path("keep.jpg"), 0));
    EXPECT_EQ(readFile(path("keep.jpg")), QByteArray("old content"));
    EXPECT_TRUE(ExportImage(*document, path("keep.jpg"), 96));
    EXPECT_NE(readFile(path("keep.jpg")), QByteArray("old content"));
}

TEST_F(Export, UnwritableFolderIsAnError)
{
    QString error;
    EXPECT_FALSE(ExportImage(*document, path("missing/folder/a.bmp"), 96, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(Export, EmptyDocumentIsAnError)
{
    TVectorGraphics empty(test::ScreenDpi);
    QString error;
    EXPECT_FALSE(ExportImage(empty, path("e.bmp"), 96, &error));
    EXPECT_FALSE(ExportPdf(empty, path("e.pdf"), 96, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(Export, PdfOfTheCurrentPageHasItsPaperSize)
{
    ASSERT_TRUE(ExportImage(*document, path("one.pdf"), 300));
    EXPECT_EQ(pdfPageCount(path("one.pdf")), 1);
    const auto sizes = pdfPageSizes(path("one.pdf"));
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_NEAR(sizes[0].width(), 210 * PointsPerMm, 0.5);
    EXPECT_NEAR(sizes[0].height(), 297 * PointsPerMm, 0.5);
}

TEST_F(Export, PdfKeepsTextAsTextWithItsFontEmbedded)
{
    test::addText(page, {100, 100, 300, 130}, QStringLiteral("考生须知"));
    ASSERT_TRUE(ExportImage(*document, path("text.pdf"), 300));
    const QByteArray pdf = readFile(path("text.pdf"));
    EXPECT_TRUE(pdf.contains("/FontFile2")) << "font program embedded";
    EXPECT_TRUE(pdf.contains("/ToUnicode")) << "text can be extracted";
    const QString text = pdfText(path("text.pdf"));
    if (!text.isEmpty()) { // pdftotext is installed
        EXPECT_TRUE(text.contains(QStringLiteral("考生须知"))) << text.toStdString();
    }
}

TEST_F(Export, PdfOfAllPagesInPageOrder)
{
    document->NewPage(-1, -1);
    document->ActivePage()->Width = 420;
    document->ActivePage()->Height = 297;
    document->NewPage(-1, 0);
    document->ActivePage()->Width = 100;
    document->ActivePage()->Height = 150.5;
    test::addRectangle(*document->PageAt(2), {10, 10, 50, 50}).Select();
    ASSERT_EQ(document->PageCount(), 3);

    QString error;
    ASSERT_TRUE(ExportPdf(*document, path("all.pdf"), 600, &error)) << error.toStdString();
    EXPECT_EQ(pdfPageCount(path("all.pdf")), 3);
    const auto sizes = pdfPageSizes(path("all.pdf"));
    ASSERT_EQ(sizes.size(), 3u);
    const std::vector<QSizeF> expected{{210, 297}, {100, 150.5}, {420, 297}};
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        EXPECT_NEAR(sizes[i].width(), expected[i].width() * PointsPerMm, 0.5) << i;
        EXPECT_NEAR(sizes[i].height(), expected[i].height() * PointsPerMm, 0.5) << i;
    }
    EXPECT_EQ(document->PageAt(2)->ShapeItem(document->PageAt(2)->ShapeCount() - 1)->Selected,
              false);
}

TEST_F(Export, SvgHasThePaperSizeAndTheShapes)
{
    test::addRectangle(page, {38, 38, 76, 76});
    ASSERT_TRUE(ExportImage(*document, path("p.svg"), 100));
    QSvgRenderer svg(path("p.svg"));
    ASSERT_TRUE(svg.isValid());
    // 210 x 297 mm at 100 dpi.
    EXPECT_EQ(svg.viewBox(), QRect(0, 0, 827, 1169));
    const QString text = QString::fromUtf8(readFile(path("p.svg")));
    EXPECT_TRUE(text.contains(QStringLiteral("width=\"210")));
    EXPECT_TRUE(text.contains(QStringLiteral("A卷--")));
}

TEST_F(Export, LargePageWithManyShapes)
{
    page.Width = 297;
    page.Height = 420;
    for (int i = 0; i < 1000; ++i) {
        const int x = 40 + (i % 25) * 40;
        const int y = 40 + (i / 25) * 38;
        if (i % 2 == 0)
            test::addRectangle(page, {x, y, x + 30, y + 30});
        else
            test::addBubbleBox(page, RSResult, ADown, 2).SetCorners({x, y}, {x, y});
    }
    QString error;
    ASSERT_TRUE(ExportImage(*document, path("big.jpg"), 600, &error)) << error.toStdString();
    EXPECT_EQ(QImageReader(path("big.jpg")).size(), QSize(7016, 9921));
}

} // namespace
} // namespace sw::test
