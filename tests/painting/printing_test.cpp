#include "document/painting.h"
#include "document/printing.h"
#include "fakeprinter.h"
#include "pagebuilder.h"

#include <gtest/gtest.h>
#include <ostream>

namespace sw::test {
namespace {

class Printing : public ::testing::Test
{
protected:
    std::unique_ptr<TVectorGraphics> document = newDocument();
    TVectorGraph& page = *document->ActivePage();
    FakePrinter printer;
};

TEST_F(Printing, NoDefaultPrinterShowsTheMessageAndPrintsNothing)
{
    TRectangle& shape = test::addRectangle(page, {40, 40, 80, 80});
    shape.Select();
    document->ActiveShape = &shape;
    page.SetScaleX(1.5);
    printer.available = false;

    QString message;
    EXPECT_FALSE(PrintCurrentPage(*document, printer, &message));
    EXPECT_EQ(message, QStringLiteral("没有默认打印机，或默认打印机不可用！"));
    EXPECT_EQ(message, NoPrinterMessage);
    EXPECT_EQ(printer.jobs, 0);
    EXPECT_FALSE(printer.paper.has_value());
    // The selection is cleared first, whatever follows.
    EXPECT_FALSE(shape.Selected);
    EXPECT_EQ(document->ActiveShape, nullptr);
    EXPECT_DOUBLE_EQ(page.ScaleX, 1.5);
}

TEST_F(Printing, FailuresOfThePrinterShowTheSameMessage)
{
    for (int failure = 0; failure < 3; ++failure) {
        FakePrinter p;
        p.acceptsPaper = failure != 0;
        p.startsJobs = failure != 1;
        p.endsJobs = failure != 2;
        QString message;
        EXPECT_FALSE(PrintCurrentPage(*document, p, &message)) << failure;
        EXPECT_EQ(message, NoPrinterMessage) << failure;
        EXPECT_DOUBLE_EQ(page.ScaleX, 1.0) << failure;
        EXPECT_DOUBLE_EQ(page.ScaleY, 1.0) << failure;
    }
}

TEST_F(Printing, PrintsOneSheetAtThePrinterResolution)
{
    TRectangle& shape = test::addRectangle(page, {38, 38, 76, 77});
    shape.Select();
    document->ActiveShape = &shape;
    page.SetScaleX(2.0);
    page.SetScaleY(2.0);
    printer.dpiX = 600;
    printer.dpiY = 300;

    QString message;
    ASSERT_TRUE(PrintCurrentPage(*document, printer, &message)) << message.toStdString();
    EXPECT_EQ(printer.jobs, 1);
    EXPECT_EQ(printer.pages, 1);
    EXPECT_TRUE(printer.ended);
    EXPECT_EQ(printer.title, QStringLiteral("A卷--%1面").arg(page.PageNumber));
    EXPECT_EQ(printer.fontPixelsPerInch, 96);
    // 600 and 300 dpi over 96 pixels per inch: 6.25 and 3.125 dots per layout
    // pixel; 38 * 6.25 = 237.5 and 38 * 3.125 = 118.75.
    EXPECT_TRUE(printer.canvas->lines().contains(QStringLiteral("Rectangle 238 119 475 241")))
        << printer.canvas->lines().join('\n').toStdString();
    EXPECT_FALSE(shape.Selected);
    EXPECT_EQ(shape.OutputMode, OutputPrint);
    EXPECT_DOUBLE_EQ(page.ScaleX, 2.0);
    EXPECT_DOUBLE_EQ(page.ScaleY, 2.0);
    EXPECT_DOUBLE_EQ(shape.ScaleX, 2.0);
}

struct PaperCase
{
    const char* name;
    int pageSize; // TPageSize, or a size list position beyond Custom
    TPrinterOrientation orientation;
    double width;
    double height;
    QPageSize expected;
    QPageLayout::Orientation expectedOrientation;
};

// Test names and failure messages show the case by its name.
void PrintTo(const PaperCase& c, std::ostream* os)
{
    *os << c.name;
}

class PrinterPaper : public ::testing::TestWithParam<PaperCase>
{
};

TEST_P(PrinterPaper, FollowsThePage)
{
    const PaperCase& c = GetParam();
    auto document = newDocument();
    TVectorGraph& page = *document->ActivePage();
    page.PageSize = static_cast<TPageSize>(c.pageSize);
    page.Orientation = c.orientation;
    page.Width = c.width;
    page.Height = c.height;
    FakePrinter printer;
    ASSERT_TRUE(PrintCurrentPage(*document, printer));
    ASSERT_TRUE(printer.paper.has_value());
    EXPECT_TRUE(printer.paper->isEquivalentTo(c.expected))
        << printer.paper->name().toStdString() << " "
        << printer.paper->size(QPageSize::Millimeter).width() << " x "
        << printer.paper->size(QPageSize::Millimeter).height();
    EXPECT_EQ(printer.orientation, c.expectedOrientation);
}

QPageSize millimetres(double w, double h)
{
    return QPageSize(QSizeF(w, h), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
}

INSTANTIATE_TEST_SUITE_P(
    Papers, PrinterPaper,
    ::testing::Values(
        PaperCase{"A4", A4, poPortrait, 210, 297, QPageSize(QPageSize::A4), QPageLayout::Portrait},
        PaperCase{"A3Landscape", A3, poLandscape, 420, 297, QPageSize(QPageSize::A3),
                  QPageLayout::Landscape},
        PaperCase{"A5", A5, poPortrait, 148, 210, QPageSize(QPageSize::A5), QPageLayout::Portrait},
        PaperCase{"B4", B4, poPortrait, 250, 354, QPageSize(QPageSize::B4), QPageLayout::Portrait},
        PaperCase{"B5", B5, poPortrait, 182, 257, QPageSize(QPageSize::JisB5),
                  QPageLayout::Portrait},
        PaperCase{"CustomRoundsToWholeMillimetres", Custom, poPortrait, 200.4, 299.6,
                  millimetres(200, 300), QPageLayout::Portrait},
        PaperCase{"CustomLandscapeKeepsTheLaidOutSize", Custom, poLandscape, 300, 200,
                  millimetres(200, 300), QPageLayout::Landscape},
        PaperCase{"SizeListEntryBeyondCustom", 7, poPortrait, 185, 260, millimetres(185, 260),
                  QPageLayout::Portrait}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrintingEmptyDocument, RefusesWithoutAPage)
{
    TVectorGraphics document(test::ScreenDpi);
    FakePrinter printer;
    QString message;
    EXPECT_FALSE(PrintCurrentPage(document, printer, &message));
    EXPECT_FALSE(message.isEmpty());
    EXPECT_EQ(printer.jobs, 0);
}

} // namespace
} // namespace sw::test
