#include "wizard_support.h"

#include <QBuffer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace sw::test {
namespace {

TEST(Sequence, ReplacesTheDocumentAndTellsTheWindow)
{
    auto sheet = std::make_unique<Sheet>();
    TVectorGraphics& document = *sheet->document;
    for (int i = 0; i < 3; ++i)
        document.NewPage(-1, -1);
    document.FileName = QStringLiteral("/tmp/old.exm");
    document.Modal = 2;
    document.ActiveShape = document.PageAt(1)->ShapeItem(6);

    WizardSettings settings;
    settings.pagecount = 3;
    RecordingCanvas canvas(ScreenDpi);
    ASSERT_TRUE(
        generateAnswerSheet(document, settings, canvas, sheet->host,
                            [&](const WizardStepFailure& f) { sheet->failures.push_back(f); }));
    EXPECT_TRUE(sheet->failures.empty());

    ASSERT_EQ(document.PageCount(), 3);
    EXPECT_EQ(document.PaperTypes(), QStringLiteral("A"));
    EXPECT_EQ(document.CurrentPage, 0);
    EXPECT_EQ(document.ActiveShape, nullptr);
    EXPECT_TRUE(document.FileName.isEmpty());
    EXPECT_EQ(document.Modal, 0);
    for (int i = 0; i < 3; ++i) {
        const TVectorGraph& page = *document.PageAt(i);
        EXPECT_EQ(page.PageNumber, i + 1);
        EXPECT_EQ(page.PageSize, A3);
        EXPECT_EQ(page.Orientation, poLandscape);
        EXPECT_EQ(page.Width, 420.0);
        EXPECT_EQ(page.Height, 297.0);
        EXPECT_EQ(page.LeftMargin, 8.0);
        EXPECT_EQ(page.BottomMargin, 8.0);
        // Marks laid out for the page's margins and numbered.
        EXPECT_EQ(page.ShapeItem(0)->GetBounds().Left, rnd(8 * 96 / 25.4));
        EXPECT_EQ(static_cast<TRectKg*>(page.ShapeItem(5))->KeyText,
                  QStringList({"1000", "0200", "1200"})[i]);
    }

    const QStringList pageSteps = {QStringLiteral("addTab"), QStringLiteral("relabel")};
    QStringList expected = {QStringLiteral("scroll"), QStringLiteral("clearTabs"),
                            QStringLiteral("forgetFileName"), QStringLiteral("background")};
    for (int i = 0; i < 3; ++i)
        expected << pageSteps << QStringLiteral("select %1").arg(i);
    expected << QStringLiteral("select 0") << QStringLiteral("history 新建页面")
             << QStringLiteral("repaint");
    EXPECT_EQ(sheet->host.calls, expected);
}

TEST(Sequence, GeneratedSheetSavesAndLoadsBack)
{
    const auto sheet = generate(WizardSettings());
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    QString error;
    ASSERT_TRUE(sheet->document->SaveToStream(SaveAllShapes, buffer, &error))
        << error.toStdString();
    TVectorGraphics loaded(ScreenDpi);
    ASSERT_TRUE(loaded.LoadFromStream(buffer, &error)) << error.toStdString();
    ASSERT_EQ(loaded.PageCount(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(loaded.PageAt(i)->ShapeCount(), sheet->page(i).ShapeCount());
}

struct BadInput
{
    const char* name;
    void (*change)(WizardSettings&);
    const char* key;
};

class RefusedSettings : public ::testing::TestWithParam<BadInput>
{
};

TEST_P(RefusedSettings, LeaveTheDocumentUntouched)
{
    auto sheet = std::make_unique<Sheet>();
    sheet->document->NewPage(-1, -1);
    sheet->document->FileName = QStringLiteral("kept.exm");
    WizardSettings settings;
    GetParam().change(settings);
    RecordingCanvas canvas(ScreenDpi);
    QString error;
    EXPECT_FALSE(generateAnswerSheet(*sheet->document, settings, canvas, sheet->host, {}, &error));
    EXPECT_TRUE(error.contains(QLatin1String(GetParam().key))) << error.toStdString();
    EXPECT_EQ(sheet->document->PageCount(), 1);
    EXPECT_EQ(sheet->document->FileName, QStringLiteral("kept.exm"));
    EXPECT_TRUE(sheet->host.calls.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, RefusedSettings,
    ::testing::Values(
        BadInput{"NoPages", [](WizardSettings& s) { s.pagecount = 0; }, "pagecount"},
        BadInput{"FivePages", [](WizardSettings& s) { s.pagecount = 5; }, "pagecount"},
        BadInput{"NoDigits", [](WizardSettings& s) { s.examcodeleng = 0; }, "examcodeleng"},
        BadInput{"EmptyGroups", [](WizardSettings& s) { s.groupnumber = 0; }, "groupnumber"},
        BadInput{"TooManyQuestions", [](WizardSettings& s) { s.kgcount = 201; }, "kgcount"},
        BadInput{"UnknownSize", [](WizardSettings& s) { s.pagesize = 3; }, "pagesize"},
        BadInput{"ExamNumberWiderThanAColumn",
                 [](WizardSettings& s) {
                     s.pagetype = WizardThreeColumns;
                     s.examcodeleng = 20; // A3 in three columns holds 19
                 },
                 "examcodeleng"},
        BadInput{"BrokenWarning", [](WizardSettings& s) { s.warning = QStringLiteral("a\nb"); },
                 "warning"}),
    [](const auto& info) { return std::string(info.param.name); });

// Reports every step failure and goes on with the next step.
class ThrowingHost : public RecordingHost
{
public:
    void clearTabs() override { throw std::runtime_error("no tabs here"); }
};

TEST(Sequence, AFailedStepIsReportedByItsCodeAndTheRestRuns)
{
    TVectorGraphics document(ScreenDpi);
    RecordingCanvas canvas(ScreenDpi);
    ThrowingHost host;
    std::vector<WizardStepFailure> failures;
    EXPECT_TRUE(generateAnswerSheet(document, WizardSettings(), canvas, host,
                                    [&](const WizardStepFailure& f) { failures.push_back(f); }));
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].code, QStringLiteral("33"));
    EXPECT_EQ(failures[0].reason, QStringLiteral("no tabs here"));
    ASSERT_EQ(document.PageCount(), 2);
    EXPECT_EQ(shapesOf<TRectZg>(*document.PageAt(1)).size(), 2u);
}

TEST(Sequence, RefusesACanvasOfAnotherResolution)
{
    Sheet sheet;
    RecordingCanvas canvas(120);
    QString error;
    EXPECT_FALSE(
        generateAnswerSheet(*sheet.document, WizardSettings(), canvas, sheet.host, {}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(sheet.document->PageCount(), 0);
}

TEST(Sequence, NullHostServesTheCommandLine)
{
    TVectorGraphics document(ScreenDpi);
    RecordingCanvas canvas(ScreenDpi);
    NullWizardHost host;
    EXPECT_TRUE(generateAnswerSheet(document, WizardSettings(), canvas, host, {}));
    EXPECT_EQ(document.PageCount(), 2);
}

} // namespace
} // namespace sw::test
