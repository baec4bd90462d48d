#include "dialogs/resolutiondialog.h"
#include "document/printing.h"
#include "editor/filecommands.h"
#include "painting/fakeprinter.h"
#include "shapes/rectkg.h"
#include "shapes/rectzg.h"
#include "window/windowfixture.h"

#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QStatusBar>

namespace sw::test {
namespace {

class FileCommandsTest : public WindowTest
{
public:
    TRectZg& drawCutBox(int x)
    {
        draw("Zgact", {x, 300}, {x + 100, 400});
        return static_cast<TRectZg&>(*lastShape());
    }
    TRectKg& drawBubbleBox(int x)
    {
        draw("kgact", {x, 500}, {x, 500});
        return static_cast<TRectKg&>(*lastShape());
    }

protected:
    // The next resolution dialog is answered with the text, or cancelled.
    void answerResolution(std::optional<QString> text)
    {
        dialogs.handlers.push_back([text](QDialog& dialog) {
            if (!text)
                return dialog.reject();
            static_cast<ResolutionDialog&>(dialog).field()->setText(*text);
            dialog.accept();
        });
    }
    void saveAs(const QString& name, int filter)
    {
        dialogs.files.push_back({path(name), filter});
        click("SaveAsAct");
    }
    QStringList filesInFolder() const
    {
        QStringList names = QDir(dir.path()).entryList(QDir::Files);
        names.removeAll(QStringLiteral("sheetwright.db"));
        return names;
    }
};

struct FailingCheck
{
    const char* name;
    void (*prepare)(FileCommandsTest&);
    const char* message;
};

class SaveCheckTest : public FileCommandsTest, public ::testing::WithParamInterface<FailingCheck>
{
};

TEST_P(SaveCheckTest, FailingCheckStopsTheSave)
{
    GetParam().prepare(*this);
    click("SaveAct");
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, QString::fromUtf8(GetParam().message));
    EXPECT_EQ(dialogs.messages()[0].caption, QStringLiteral("模板设计"));
    EXPECT_EQ(dialogs.shown.size(), 1u); // no file dialog
    EXPECT_TRUE(window->fileName().isEmpty());
    EXPECT_TRUE(filesInFolder().isEmpty());

    // Also with a file name: nothing is written.
    window->setFileName(path(QStringLiteral("named.exm")));
    click("SaveAct");
    EXPECT_EQ(dialogs.messages().size(), 2u);
    EXPECT_TRUE(filesInFolder().isEmpty());
}

TEST_P(SaveCheckTest, RefusedShapesAreShownSelectedOnTheirPage)
{
    GetParam().prepare(*this);
    const int checkedPage = tabs().currentIndex();
    QList<const TGraphics*> atFault;
    for (const ShapePlace& place : document().FirstFailedCheckWithShapes().Shapes)
        atFault << document().PageAt(place.Page)->ShapeItem(place.Index);
    ASSERT_FALSE(atFault.isEmpty());
    addPage(true); // another page current, nothing selected there
    ASSERT_NE(tabs().currentIndex(), checkedPage);

    click("SaveAct");
    EXPECT_EQ(tabs().currentIndex(), checkedPage);
    EXPECT_EQ(page().SelectedCount(), atFault.size());
    for (const TGraphics* shape : atFault)
        EXPECT_TRUE(shape->Selected) << shape->KindName.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Checks, SaveCheckTest,
    ::testing::Values(FailingCheck{"CutBoxNumbers",
                                   [](FileCommandsTest& t) {
                                       t.drawCutBox(150);
                                       t.drawCutBox(300); // question 1, part 1 twice
                                   },
                                   "主观题题号和序号相同，请检查！"},
                      FailingCheck{"ScoreBoxesBeforeOptionalBoxes",
                                   [](FileCommandsTest& t) {
                                       t.drawCutBox(150).XZT =
                                           true; // no choice box: optional check fails too
                                       TRectKg& score = t.drawBubbleBox(300);
                                       score.TextType = RSZGF;
                                       score.GLZG = 7; // no such question
                                   },
                                   "主观分设置错误，请检查！"},
                      FailingCheck{"OptionalBoxes",
                                   [](FileCommandsTest& t) { t.drawCutBox(150).XZT = true; },
                                   "选做题设置错误，请检查！"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileCommandsTest, SavingANewDocumentAsksForTheNameOnce)
{
    dialogs.files = {{path(QStringLiteral("paper")), 1}};
    click("SaveAct");
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("paper.exm"))));
    EXPECT_EQ(window->fileName(), path(QStringLiteral("paper.exm")));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("试卷制作 - paper.exm[*]"));
    EXPECT_EQ(dialogs.lastFilters, FileCommands::templateFilters());

    draw("ToolRectAct", {150, 300}, {250, 400});
    click("SaveAct");
    ASSERT_EQ(dialogs.shown.size(), 1u); // no second dialog
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(FileCommandsTest, UpperCaseExtensionGetsTheEnding)
{
    dialogs.files = {{path(QStringLiteral("PAPER.EXM")), 1}};
    click("SaveAct");
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("PAPER.EXM.exm"))));
}

TEST_F(FileCommandsTest, CancelledSaveDialogWritesNothing)
{
    click("SaveAct");
    EXPECT_TRUE(window->fileName().isEmpty());
    EXPECT_TRUE(filesInFolder().isEmpty());
}

TEST_F(FileCommandsTest, UnwritableFolderIsReported)
{
    dialogs.files = {{path(QStringLiteral("missing/folder/paper")), 1}};
    click("SaveAct");
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral("paper.exm")));
}

TEST_F(FileCommandsTest, SaveAndOpenRoundTrip)
{
    draw("ToolRectAct", {150, 300}, {250, 400});
    draw("Zgact", {300, 300}, {420, 420});
    addPage(true);
    draw("ToolEllipseAct", {200, 500}, {300, 560});
    click("LockAct"); // locked documents stay locked
    dialogs.files = {{path(QStringLiteral("round.exm")), 1}};
    click("SaveAct");
    ASSERT_TRUE(QFile::exists(path(QStringLiteral("round.exm"))));

    // Open it over a changed document, whose changes are not kept.
    click("LockAct");
    addPage(false);
    dialogs.threeWayAnswers = {Answer::No};
    dialogs.files = {{path(QStringLiteral("round.exm")), 1}};
    click("OpenAct");
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(tabTexts(), (QStringList{"A卷--1面", "B卷--1面"}));
    EXPECT_EQ(tabs().currentIndex(), 0);
    EXPECT_EQ(document().CurrentPage, 0);
    EXPECT_EQ(historyRows(), QStringList{QStringLiteral("打开文件")});
    EXPECT_EQ(window->fileName(), path(QStringLiteral("round.exm")));
    EXPECT_TRUE(document().Locked);
    EXPECT_TRUE(button("LockAct")->isChecked());

    const TVectorGraph& first = *document().PageAt(0);
    ASSERT_EQ(first.ShapeCount(), 9);
    EXPECT_EQ(first.ShapeItem(7)->Kind, GRectangle);
    EXPECT_EQ(first.ShapeItem(7)->GetBounds(), (TRect{150, 300, 250, 400}));
    EXPECT_EQ(first.ShapeItem(8)->Kind, GZg);
    const TVectorGraph& second = *document().PageAt(1);
    EXPECT_EQ(second.ShapeItem(second.ShapeCount() - 1)->Kind, GEllipse);
}

TEST_F(FileCommandsTest, CancelledOpenChangesNothing)
{
    draw("ToolRectAct", {150, 300}, {250, 400});
    const int shapes = page().ShapeCount();
    dialogs.threeWayAnswers = {Answer::No};
    click("OpenAct");
    EXPECT_EQ(page().ShapeCount(), shapes);
    EXPECT_EQ(dialogs.lastFilters, FileCommands::templateFilters());
}

TEST_F(FileCommandsTest, UnreadableTemplateKeepsTheDocument)
{
    addPage(true);
    window->setFileName(path(QStringLiteral("earlier.exm")));
    const QString bad = path(QStringLiteral("bad.exm"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("TPF0 this is no template");
    file.close();

    EXPECT_FALSE(window->openFile(bad));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral("bad.exm")));
    EXPECT_GT(dialogs.messages()[0].text.split(QLatin1Char('\n')).last().size(), 0);
    EXPECT_EQ(tabTexts(), (QStringList{"A卷--1面", "B卷--1面"}));
    EXPECT_EQ(document().PageCount(), 2);
    EXPECT_EQ(window->fileName(), path(QStringLiteral("earlier.exm")));
    EXPECT_EQ(historyRows(), QStringList{QStringLiteral("新建页面")});
}

TEST_F(FileCommandsTest, MissingTemplateIsReported)
{
    EXPECT_FALSE(window->openFile(path(QStringLiteral("nowhere.exm"))));
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(dialogs.messages()[0].text.contains(QStringLiteral("nowhere.exm")));
    EXPECT_EQ(tabs().count(), 1);
}

TEST_F(FileCommandsTest, SaveAsTemplateTakesTheNewName)
{
    saveAs(QStringLiteral("copy"), 1);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("copy.exm"))));
    EXPECT_EQ(window->fileName(), path(QStringLiteral("copy.exm")));
    EXPECT_EQ(dialogs.lastFilters, FileCommands::saveAsFilters());
    EXPECT_EQ(dialogs.lastFilters.mid(0, 3),
              (QStringList{"模板文件 (*.exm)", "位图 (*.bmp)", "JPEG (*.jpg *.jpeg)"}));
}

struct PictureCase
{
    const char* chosen;
    int filter;
    const char* written;
};

class SaveAsPictureTest : public FileCommandsTest, public ::testing::WithParamInterface<PictureCase>
{
};

TEST_P(SaveAsPictureTest, ExportsUnderTheCompletedName)
{
    const PictureCase pc = GetParam();
    window->setFileName(path(QStringLiteral("kept.exm")));
    answerResolution(QStringLiteral("96"));
    saveAs(QString::fromUtf8(pc.chosen), pc.filter);
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(filesInFolder(), QStringList{QString::fromUtf8(pc.written)});
    EXPECT_EQ(window->fileName(), path(QStringLiteral("kept.exm")));
}

INSTANTIATE_TEST_SUITE_P(Pictures, SaveAsPictureTest,
                         ::testing::Values(PictureCase{"page1", 2, "page1.bmp"},
                                           PictureCase{"page1.bmp", 2, "page1.bmp"},
                                           PictureCase{"page1", 3, "page1.jpg"},
                                           PictureCase{"page1.jpeg", 3, "page1.jpeg"},
                                           PictureCase{"page1", 4, "page1.png"},
                                           PictureCase{"sheet", 5, "sheet.pdf"}));

TEST_F(FileCommandsTest, BitmapHasTheChosenResolution)
{
    answerResolution(QStringLiteral("300"));
    saveAs(QStringLiteral("page"), 2);
    const QImage image(path(QStringLiteral("page.bmp")));
    EXPECT_EQ(image.size(), QSize(2480, 3508));
}

TEST_F(FileCommandsTest, PdfHoldsEveryPage)
{
    addPage(false);
    addPage(true);
    answerResolution(QStringLiteral("96"));
    saveAs(QStringLiteral("all.pdf"), 5);
    QFile pdf(path(QStringLiteral("all.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                  bytes.count("/Type /Page "),
              3);
}

TEST_F(FileCommandsTest, CancelledResolutionExportsNothing)
{
    answerResolution(std::nullopt);
    saveAs(QStringLiteral("page1"), 2);
    EXPECT_TRUE(filesInFolder().isEmpty());
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(FileCommandsTest, EmptyOrHugeResolutionIsRefused)
{
    answerResolution(QString());
    saveAs(QStringLiteral("page1"), 2);
    answerResolution(QStringLiteral("99999"));
    saveAs(QStringLiteral("page2"), 3);
    EXPECT_TRUE(filesInFolder().isEmpty());
    EXPECT_EQ(dialogs.messages().size(), 2u);
}

TEST_F(FileCommandsTest, ResolutionFieldTakesDigitsOnly)
{
    ResolutionDialog& resolution = window->resolutionDialog();
    resolution.show();
    EXPECT_EQ(resolution.windowTitle(), QStringLiteral("请设置图像的分辨率"));
    EXPECT_EQ(resolution.field()->text(), QStringLiteral("96"));
    resolution.field()->clear();
    QTest::keyClicks(resolution.field(), QStringLiteral("1.2-0x"));
    EXPECT_EQ(resolution.field()->text(), QStringLiteral("120"));
    QTest::keyClick(resolution.field(), Qt::Key_Backspace);
    EXPECT_EQ(resolution.resolution(), 12);
    resolution.hide();
}

TEST_F(FileCommandsTest, PrintsTheCurrentPageOnThePrinterChosen)
{
    FakePrinter printer;
    window->fileCommands().setPrinter(&printer);
    draw("ToolRectAct", {150, 300}, {250, 400});
    dialogs.printers = {PrintChoice{QStringLiteral("office")}};
    click("PrintAct");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, QStringLiteral("print"));
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("fake")); // opened on the default printer
    EXPECT_EQ(printer.name, QStringLiteral("office"));
    EXPECT_EQ(printer.jobs, 1);
    EXPECT_TRUE(printer.ended);
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(document().ActiveShape, nullptr);
    EXPECT_EQ(page().ScaleX, 1.0);
    const QString status = window->statusBar()->currentMessage();
    EXPECT_TRUE(status.contains(QStringLiteral("A卷--1面"))) << status.toStdString();
    EXPECT_TRUE(status.contains(QStringLiteral("office"))) << status.toStdString();
}

TEST_F(FileCommandsTest, CancelledPrintDialogPrintsNothing)
{
    FakePrinter printer;
    window->fileCommands().setPrinter(&printer);
    click("PrintAct");
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(printer.jobs, 0);
    EXPECT_TRUE(window->statusBar()->currentMessage().isEmpty());
}

TEST_F(FileCommandsTest, MissingPrinterIsReported)
{
    FakePrinter printer;
    printer.available = false;
    window->fileCommands().setPrinter(&printer);
    click("PrintAct");
    ASSERT_EQ(dialogs.shown.size(), 1u); // no print dialog
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, NoPrinterMessage);
    EXPECT_EQ(printer.jobs, 0);
}

TEST_F(FileCommandsTest, FailedJobIsReported)
{
    FakePrinter printer;
    printer.startsJobs = false;
    window->fileCommands().setPrinter(&printer);
    dialogs.printers = {PrintChoice{QStringLiteral("fake")}};
    click("PrintAct");
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_TRUE(window->statusBar()->currentMessage().isEmpty());
}

} // namespace
} // namespace sw::test
