#include "painting/pdffile.h"
#include "personalise/candidates.h"
#include "reading/sheets.h"
#include "support/pdfrendering.h"

#include "document/vectorgraph.h"
#include "personalise/personalisedsheets.h"
#include "reading/sheetreader.h"
#include "shapes/rectbarcode.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

constexpr int WizardA4 = 0;
constexpr int WizardA3 = 2;

QString examNumber(int candidate)
{
    return QString::number(20260000 + candidate);
}

class PersonalisedSheets : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }

    QString pdf() const { return m_folder.filePath(QStringLiteral("sheets.pdf")); }

    QTemporaryDir m_folder;
};

TEST_F(PersonalisedSheets, ThirtyCandidatesReadBackByBarcodeAndBubbles)
{
    auto document = personalisableSheet(WizardA4);
    const int pages = document->PageCount();
    const Roster roster = testRoster(30);
    QString error;
    ASSERT_TRUE(savePersonalisedPdf(*document, roster, {}, pdf(), &error)) << error.toStdString();

    EXPECT_EQ(pdfPageCount(pdf()), 30 * pages);
    const std::vector<QSizeF> sizes = pdfPageSizes(pdf());
    ASSERT_EQ(sizes.size(), std::size_t(30 * pages));
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const TVectorGraph& page = *document->PageAt(int(i % pages));
        EXPECT_NEAR(sizes[i].width(), page.Width * PointsPerMm, 1);
        EXPECT_NEAR(sizes[i].height(), page.Height * PointsPerMm, 1);
    }
    const QString text = pdfText(pdf());
    for (int c = 1; c <= 30; ++c)
        EXPECT_TRUE(
            text.contains(QStringLiteral("李雷%1 %2 %3").arg(c).arg(examNumber(c)).arg(1 + c % 3)))
            << c;

    // Every candidate's first page as a 200 dpi printer makes it, a few at 300 dpi.
    const SheetReader reader(*document);
    for (const int dpi : {200, 300}) {
        for (int c = 1; c <= 30; c += dpi == 200 ? 1 : 29) {
            const int first = (c - 1) * pages + 1;
            const std::vector<QImage> printed = renderPdfPages(pdf(), first, first, dpi);
            ASSERT_EQ(printed.size(), 1u) << "pdftoppm";
            const SheetReading r = reader.read(printed.front());
            ASSERT_TRUE(r.isRead()) << r.statusText().toStdString();
            EXPECT_EQ(r.PageIndex, 0);
            EXPECT_EQ(r.Barcode, examNumber(c)) << dpi << " dpi, candidate " << c;
            EXPECT_EQ(r.ExamNumber, examNumber(c)) << dpi << " dpi, candidate " << c;
            EXPECT_FALSE(r.barcodeMismatch());
        }
    }
}

TEST_F(PersonalisedSheets, QrCodesOnA3WithoutFilledBubbles)
{
    auto document = personalisableSheet(WizardA3);
    PersonaliseOptions options;
    options.Kind = Symbology::Qr;
    options.FillExamNumber = false;
    QString error;
    ASSERT_TRUE(savePersonalisedPdf(*document, testRoster(2), options, pdf(), &error))
        << error.toStdString();
    const std::vector<QSizeF> sizes = pdfPageSizes(pdf());
    ASSERT_EQ(sizes.size(), std::size_t(2 * document->PageCount()));
    EXPECT_NEAR(sizes.front().width() * sizes.front().height(),
                297 * 420 * PointsPerMm * PointsPerMm, 2000);

    const std::vector<QImage> printed = renderPdfPages(pdf(), 1, 1, 200);
    ASSERT_EQ(printed.size(), 1u);
    const SheetReading r = SheetReader(*document).read(printed.front());
    ASSERT_TRUE(r.isRead()) << r.statusText().toStdString();
    EXPECT_EQ(r.Barcode, examNumber(1));
    // Left to the candidate to fill in.
    EXPECT_EQ(r.ExamNumber, QStringLiteral("????????"));
}

TEST_F(PersonalisedSheets, RefusedRostersWriteNothing)
{
    auto document = personalisableSheet(WizardA4);
    auto tooSmall = personalisableSheet(WizardA4);
    TVectorGraph& first = *tooSmall->PageAt(0);
    for (int i = 0; i < first.ShapeCount(); ++i)
        if (auto* area = dynamic_cast<TRectbarcode*>(first.ShapeItem(i)))
            area->SetBounds({60, 40, 140, 70});
    const struct
    {
        TVectorGraphics* document;
        const char* csv;
        bool fill;
        const char* expected;
        const char* also = "";
    } cases[] = {
        {document.get(), "exam_number,name\n20260001,a\n202600020,b\n", true,
         "名单第 3 行：考号 202600020 有 9 位，准考证号栏只有 8 位"},
        {document.get(), "exam_number,name\n2026000A,a\n", true,
         "名单第 2 行：考号 2026000A 的“A”在准考证号栏里没有可涂的格子"},
        {tooSmall.get(), "exam_number,name\n20260001,a\n", true, "名单第 2 行：条码区只有 ",
         "毫米，放不下考号 20260001 的 Code 128 条码，至少需要"},
    };
    for (const auto& c : cases) {
        QString error;
        const auto roster = parseRoster(c.csv, &error);
        ASSERT_TRUE(roster) << error.toStdString();
        PersonaliseOptions options;
        options.FillExamNumber = c.fill;
        EXPECT_FALSE(savePersonalisedPdf(*c.document, *roster, options, pdf(), &error));
        EXPECT_TRUE(error.startsWith(QString::fromUtf8(c.expected))) << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.also))) << error.toStdString();
        EXPECT_FALSE(QFile::exists(pdf()));
    }
    // Without filling, a letter is only written above its column.
    QString error;
    PersonaliseOptions written;
    written.FillExamNumber = false;
    EXPECT_TRUE(savePersonalisedPdf(
        *document, *parseRoster("exam_number,name\n2026000A,a\n", &error), written, pdf(), &error))
        << error.toStdString();
}

} // namespace
} // namespace sw::test
