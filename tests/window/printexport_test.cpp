#include "dialogs/resolutiondialog.h"
#include "document/painting.h"
#include "editor/exportcommands.h"
#include "editor/filecommands.h"
#include "painting/fakeprinter.h"
#include "painting/pagebuilder.h"
#include "painting/pdffile.h"
#include "platform/rounding.h"
#include "window/windowfixture.h"

#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QStatusBar>
#include <QSvgRenderer>
#include <vector>

namespace sw::test {
namespace {

// A document of two pages of paper type A, each with a text naming it; the
// second page is A3.
class PrintExportTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        addPage(false);
        ASSERT_EQ(document().PageCount(), 2);
        for (int i = 0; i < 2; ++i)
            addText(*document().PageAt(i), {100, 100, 400, 130}, marker(i));
        document().PageAt(1)->PageSize = A3;
        document().PageAt(1)->Width = 297;
        document().PageAt(1)->Height = 420;
        window->fileCommands().setPrinter(&printer);
    }

    static QString marker(int index) { return QStringLiteral("第%1页内容").arg(index + 1); }

    std::vector<int> pagesDrawn() const
    {
        std::vector<int> drawn;
        for (const QString& line : printer.canvas->lines()) {
            for (int i = 0; i < 2; ++i) {
                if (line.contains(marker(i)))
                    drawn.push_back(i);
            }
        }
        return drawn;
    }

    void trigger(const char* name) { window->action(QString::fromUtf8(name))->trigger(); }

    // The next resolution dialog is answered with the text.
    void answerResolution(const QString& text)
    {
        dialogs.handlers.push_back([text](QDialog& dialog) {
            static_cast<ResolutionDialog&>(dialog).field()->setText(text);
            dialog.accept();
        });
    }

    // "导出…" to the name with the filter, every page or the current one,
    // at the resolution.
    void exportAs(const QString& name, int filter, bool allPages, int dotsPerInch = 50)
    {
        dialogs.files.push_back({path(name), filter});
        dialogs.answers.push_back(allPages);
        answerResolution(QString::number(dotsPerInch));
        trigger("ExportAct");
    }

    // Pixels of a paper side at the resolution.
    static int pixels(double mm, int dotsPerInch) { return roundHalfEven(mm / 25.4 * dotsPerInch); }

    FakePrinter printer;
};

struct RangeCase
{
    const char* name;
    PrintChoice::Range range;
    int first;
    int last;
    std::vector<int> pages;
};

class PrintRangeTest : public PrintExportTest, public ::testing::WithParamInterface<RangeCase>
{
};

TEST_P(PrintRangeTest, PrintsThePagesOfTheChosenRange)
{
    const RangeCase& c = GetParam();
    window->selectTab(1);
    dialogs.printers = {PrintChoice{QStringLiteral("office"), c.range, c.first, c.last}};
    click("PrintAct");
    EXPECT_EQ(dialogs.printPageCount, 2);
    ASSERT_EQ(printer.jobs, 1);
    EXPECT_EQ(pagesDrawn(), c.pages);
    ASSERT_EQ(printer.sheetPapers.size(), c.pages.size());
    for (std::size_t i = 0; i < c.pages.size(); ++i)
        EXPECT_EQ(printer.sheetPapers[i].id(), c.pages[i] == 1 ? QPageSize::A3 : QPageSize::A4);
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(printer.name, QStringLiteral("office"));
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, PrintRangeTest,
    ::testing::Values(RangeCase{"AllPages", PrintChoice::Range::AllPages, 1, 1, {0, 1}},
                      RangeCase{"CurrentPage", PrintChoice::Range::CurrentPage, 1, 1, {1}},
                      RangeCase{"FirstPage", PrintChoice::Range::PageRange, 1, 1, {0}},
                      RangeCase{"BothPages", PrintChoice::Range::PageRange, 1, 2, {0, 1}},
                      RangeCase{"RangeBeyondTheEnd", PrintChoice::Range::PageRange, 2, 9, {1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrintExportTest, RangeOutsideTheDocumentIsRefused)
{
    dialogs.printers = {PrintChoice{QStringLiteral("fake"), PrintChoice::Range::PageRange, 3, 4}};
    click("PrintAct");
    EXPECT_EQ(printer.jobs, 0);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral("共2页")));
}

TEST_F(PrintExportTest, JobIsNamedAfterTheTemplateFile)
{
    dialogs.printers = {PrintChoice{QStringLiteral("fake"), PrintChoice::Range::AllPages}};
    click("PrintAct");
    EXPECT_EQ(printer.title, MainWindowCaption); // no file yet

    dialogs.files.push_back({path(QStringLiteral("期中考试.exm")), 1});
    click("SaveAct");
    dialogs.printers = {PrintChoice{QStringLiteral("fake"), PrintChoice::Range::AllPages}};
    click("PrintAct");
    EXPECT_EQ(printer.title, QStringLiteral("期中考试.exm"));
}

TEST_F(PrintExportTest, PreviewShowsEveryPage)
{
    int previewPages = -1;
    QString title;
    dialogs.handlers.push_back([&](QDialog& dialog) {
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(preview, nullptr);
        previewPages = preview->pageCount();
        title = dialog.windowTitle();
        dialog.reject();
    });
    trigger("PrintPreviewAct");
    EXPECT_EQ(previewPages, 2);
    EXPECT_EQ(title, QStringLiteral("打印预览"));
    EXPECT_EQ(printer.jobs, 0); // the preview prints nothing by itself
    EXPECT_DOUBLE_EQ(page().ScaleX, 1.0);
}

struct ExportCase
{
    const char* name;
    int filter;
    const char* ending;
};

class ExportFormatTest : public PrintExportTest, public ::testing::WithParamInterface<ExportCase>
{
protected:
    QString file(const QString& base) const
    {
        return path(base + QString::fromUtf8(GetParam().ending));
    }

    // Checks that the file decodes as one page of `widthMm` x `heightMm` at
    // 50 dots per inch.
    void expectPage(const QString& file, double widthMm, double heightMm) const
    {
        ASSERT_TRUE(QFile::exists(file)) << file.toStdString();
        const QString ending = QString::fromUtf8(GetParam().ending);
        if (ending == QLatin1String(".pdf")) {
            const std::vector<QSizeF> sizes = pdfPageSizes(file);
            ASSERT_EQ(sizes.size(), 1u);
            EXPECT_NEAR(sizes[0].width(), widthMm * PointsPerMm, 1);
            EXPECT_NEAR(sizes[0].height(), heightMm * PointsPerMm, 1);
        } else if (ending == QLatin1String(".svg")) {
            QSvgRenderer svg(file);
            ASSERT_TRUE(svg.isValid());
            EXPECT_EQ(svg.viewBox().size(), QSize(pixels(widthMm, 50), pixels(heightMm, 50)));
        } else {
            QImageReader reader(file);
            const QImage image = reader.read();
            ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
            EXPECT_EQ(image.size(), QSize(pixels(widthMm, 50), pixels(heightMm, 50)));
        }
    }
};

TEST_P(ExportFormatTest, ExportsTheCurrentPage)
{
    window->selectTab(1);
    exportAs(QStringLiteral("sheet"), GetParam().filter, false);
    expectPage(file(QStringLiteral("sheet")), 297, 420);
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(dialogs.lastFilters, ExportCommands::exportFilters());
    // The question offered both pages.
    ASSERT_EQ(dialogs.questions().size(), 1u);
    EXPECT_EQ(dialogs.questions()[0].text, ExportScopeQuestion.arg(2));
}

TEST_P(ExportFormatTest, ExportsEveryPage)
{
    exportAs(QStringLiteral("sheet"), GetParam().filter, true);
    EXPECT_TRUE(dialogs.messages().empty());
    if (QString::fromUtf8(GetParam().ending) == QLatin1String(".pdf")) {
        const std::vector<QSizeF> sizes = pdfPageSizes(file(QStringLiteral("sheet")));
        ASSERT_EQ(sizes.size(), 2u);
        EXPECT_NEAR(sizes[0].width(), 210 * PointsPerMm, 1);
        EXPECT_NEAR(sizes[1].width(), 297 * PointsPerMm, 1);
        return;
    }
    EXPECT_FALSE(QFile::exists(file(QStringLiteral("sheet"))));
    expectPage(file(QStringLiteral("sheet-1")), 210, 297);
    expectPage(file(QStringLiteral("sheet-2")), 297, 420);
}

INSTANTIATE_TEST_SUITE_P(Formats, ExportFormatTest,
                         ::testing::Values(ExportCase{"Png", 1, ".png"},
                                           ExportCase{"Jpeg", 2, ".jpg"},
                                           ExportCase{"Bmp", 3, ".bmp"},
                                           ExportCase{"Pdf", 4, ".pdf"},
                                           ExportCase{"Svg", 5, ".svg"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrintExportTest, ExportNeverReplacesAPictureOfTheTemplate)
{
    const QString scan = path(QStringLiteral("scan.png"));
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::white);
    ASSERT_TRUE(picture.save(scan));
    document().PageAt(1)->PicturePath = scan;

    dialogs.files.push_back({scan, 1});
    dialogs.answers.push_back(false);
    trigger("ExportAct");
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QDir::toNativeSeparators(scan)));
    EXPECT_EQ(QImage(scan).size(), QSize(10, 10));
}

TEST_F(PrintExportTest, ExportDoesNotWriteThroughALinkIntoAnotherFolder)
{
    QTemporaryDir elsewhere;
    const QString outside = elsewhere.filePath(QStringLiteral("kept.png"));
    QFile kept(outside);
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.write("kept");
    kept.close();
    const QString link = path(QStringLiteral("link.png"));
    ASSERT_TRUE(QFile::link(outside, link));

    dialogs.files.push_back({link, 1});
    dialogs.answers.push_back(false);
    trigger("ExportAct");
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QDir::toNativeSeparators(link)));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("kept"));
}

TEST_F(PrintExportTest, FailedExportNamesTheFile)
{
    const QString target = path(QStringLiteral("missing/sheet.png"));
    exportAs(QStringLiteral("missing/sheet.png"), 1, false);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QDir::toNativeSeparators(target)));
    EXPECT_FALSE(QFile::exists(target));
}

TEST(ExportNames, PagesAreNumberedBeforeTheEnding)
{
    EXPECT_EQ(ExportCommands::numberedFileName(QStringLiteral("/t/sheet.png"), 2),
              QStringLiteral("/t/sheet-2.png"));
    EXPECT_EQ(ExportCommands::numberedFileName(QStringLiteral("/t/a.b/sheet"), 10),
              QStringLiteral("/t/a.b/sheet-10"));
}

} // namespace
} // namespace sw::test
