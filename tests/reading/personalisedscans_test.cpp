#include "personalise/candidates.h"
#include "reading/sheets.h"
#include "reading/simulatedscan.h"
#include "support/pdfrendering.h"

#include "document/painting.h"
#include "personalise/personalisedsheets.h"
#include "reading/sheetreader.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace sw::test {
namespace {

constexpr int WizardA4 = 0;
constexpr int Dpi = 200;

// The first page of each candidate's sheets, printed at `Dpi`.
std::vector<QImage> printedFirstPages(TVectorGraphics& document, const Roster& roster,
                                      const PersonaliseOptions& options)
{
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("sheets.pdf"));
    QString error;
    EXPECT_TRUE(savePersonalisedPdf(document, roster, options, pdf, &error)) << error.toStdString();
    std::vector<QImage> pages;
    for (std::size_t c = 0; c < roster.Candidates.size(); ++c) {
        const int page = int(c) * document.PageCount() + 1;
        for (const QImage& printed : renderPdfPages(pdf, page, page, Dpi))
            pages.push_back(printed.convertToFormat(QImage::Format_RGB32));
    }
    EXPECT_EQ(pages.size(), roster.Candidates.size()) << "pdftoppm";
    return pages;
}

TEST(PersonalisedScans, ReadTheBarcodeOnEverySheet)
{
    auto document = personalisableSheet(WizardA4);
    const Roster roster = testRoster(4);
    const std::vector<QImage> printed = printedFirstPages(*document, roster, {});
    const ScanConditions conditions[] = {
        {1.2, {8, -5}, 1, true, 10, 75},
        {180.6, {-6, 4}, 1, true, 8, 70}, // fed turned round
        {-0.8, {}, 0.97, true, 14, 60},
        {0.4, {3, 3}, 1.02, false, 6, 85},
    };
    const SheetReader reader(*document);
    std::mt19937 rng(29);
    for (std::size_t c = 0; c < printed.size(); ++c) {
        const SheetReading r = reader.read(scanned(printed[c], conditions[c], rng));
        const QString number = roster.Candidates[c].ExamNumber;
        ASSERT_TRUE(r.isRead()) << c << ": " << r.statusText().toStdString();
        EXPECT_EQ(r.Barcode, number) << c;
        EXPECT_EQ(r.ExamNumber, number) << c;
        EXPECT_FALSE(r.barcodeMismatch()) << c;
        // What personalising prints is not taken for another template's print.
        EXPECT_TRUE(r.LayoutDifference.isEmpty()) << c << ": " << r.statusText().toStdString();
    }
}

TEST(PersonalisedScans, ABubbledNumberThatDiffersFromTheBarcodeNeedsReview)
{
    auto document = personalisableSheet(WizardA4);
    const Roster roster = testRoster(1);
    PersonaliseOptions options;
    options.FillExamNumber = false;
    std::vector<QImage> printed = printedFirstPages(*document, roster, options);
    ASSERT_EQ(printed.size(), 1u);

    // The candidate bubbles another number than the one printed.
    const QString bubbled = QStringLiteral("20269999");
    const double scale = outputScale(Dpi, document->PixelsPerMm);
    std::mt19937 rng(7);
    int digit = 0;
    for (const BubbleBoxGeometry& box : pageGeometry(*document, 0).BubbleBoxes) {
        if (box.Purpose != RSExamCode)
            continue;
        for (const QuestionGeometry& q : box.Questions) {
            const QChar wanted = bubbled.at(digit++);
            for (const CellGeometry& cell : q.Cells)
                if (cell.Label == QString(wanted))
                    pencilFill(printed.front(),
                               {cell.Rect.Left * scale, cell.Rect.Top * scale,
                                cell.Rect.width() * scale, cell.Rect.height() * scale},
                               0.9, false, rng);
        }
    }
    ASSERT_EQ(digit, bubbled.size());

    const SheetReading r =
        SheetReader(*document).read(scanned(printed.front(), {0.7, {}, 1, true, 10, 75}, rng));
    ASSERT_TRUE(r.isRead()) << r.statusText().toStdString();
    EXPECT_EQ(r.ExamNumber, bubbled);
    EXPECT_EQ(r.Barcode, roster.Candidates.front().ExamNumber);
    EXPECT_TRUE(r.barcodeMismatch());
    EXPECT_TRUE(r.needsReview());
}

} // namespace
} // namespace sw::test
