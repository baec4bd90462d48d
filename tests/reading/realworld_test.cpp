#include "reading/sheets.h"
#include "reading/simulatedscan.h"

#include "document/painting.h"
#include "reading/sheetreader.h"
#include "wizard/settings.h"

#include <QPainter>
#include <gtest/gtest.h>
#include <map>

namespace sw::test {
namespace {

// How the candidate marks the sheet.
enum class Marking
{
    Dark,         // pencil fills of every usual darkness
    LightAndDark, // every other mark a light pencil fill (30 to 45 % dark)
    Ticks,        // ticks and crosses, every third mark a fill
    Partial,      // fills over the left or the right half of the cell only
};

// Where a punched hole over dark backing lies.
enum class Hole
{
    None,
    PaperTypeMark,  // over the first cell of the paper-type mark
    PageNumberMark, // over the first cell of the page-number mark
};

struct SheetCase
{
    const char* name;
    int paper; // wizard paper size, or -1 for the hand-laid one-page sheet
    double dpi;
    ScanConditions conditions;
    Marking marking = Marking::Dark;
    Hole hole = Hole::None;
};

QRectF onSheet(const TRect& r, double scale)
{
    return {r.Left * scale, r.Top * scale, r.width() * scale, r.height() * scale};
}

struct Expected
{
    std::map<int, QString> answers;
    QString examNumber;
    int marks = 0;
};

// The kind of the `n`th mark made in the case's manner.
PencilMark markKind(Marking marking, int n)
{
    switch (marking) {
    case Marking::Dark:
        break;
    case Marking::LightAndDark:
        return n % 2 ? PencilMark::LightFill : PencilMark::Fill;
    case Marking::Ticks:
        return n % 3 == 0 ? PencilMark::Tick : n % 3 == 1 ? PencilMark::Cross : PencilMark::Fill;
    case Marking::Partial:
        return n % 2 ? PencilMark::LeftHalf : PencilMark::RightHalf;
    }
    return PencilMark::Fill;
}

Expected fillIn(TVectorGraphics& document, const SheetCase& c, QImage& sheet, std::mt19937& rng)
{
    Expected e;
    const double scale = outputScale(c.dpi, document.PixelsPerMm);
    const PageGeometry page = pageGeometry(document, 0);
    std::uniform_int_distribution<int> blank(0, 7);
    for (const BubbleBoxGeometry& box : page.BubbleBoxes) {
        if (box.Purpose != RSResult && box.Purpose != RSExamCode)
            continue;
        for (const QuestionGeometry& q : box.Questions) {
            std::uniform_int_distribution<int> option(0, int(q.Cells.size()) - 1);
            const bool digit = box.Purpose == RSExamCode;
            QString answer;
            if (digit || blank(rng) != 0) {
                const CellGeometry& cell = q.Cells[std::size_t(option(rng))];
                pencilMark(sheet, onSheet(cell.Rect, scale), markKind(c.marking, e.marks++), rng);
                answer = cell.Label;
            }
            if (digit)
                e.examNumber += answer;
            else
                e.answers[q.Number] = answer;
        }
    }
    if (c.hole != Hole::None) {
        const auto& m = c.hole == Hole::PaperTypeMark ? page.PaperTypeMark : page.PageNumberMark;
        const TRect& first = m->Questions.front().Cells.front().Rect;
        const QPointF centre((first.Left + first.Right) / 2.0, (first.Top + first.Bottom) / 2.0);
        punchHole(sheet, centre * scale, 6 * c.dpi / 25.4, 30);
    }
    return e;
}

class ReadRealWorldSheet : public ::testing::TestWithParam<SheetCase>
{
};

// Every answer and exam-number digit comes back right or flagged, nothing
// is read filled that was not, and few right answers are flagged.
TEST_P(ReadRealWorldSheet, ReadsRightOrFlagsAndNeverInventsAMark)
{
    const SheetCase& c = GetParam();
    const auto document = c.paper < 0 ? handLaidSheet() : wizardSheet(c.paper);
    std::mt19937 rng(int(c.dpi * 7 + c.conditions.degrees * 10) + c.paper);
    QImage sheet = printedPage(*document, 0, c.dpi);
    const Expected e = fillIn(*document, c, sheet, rng);
    const SheetReader reader(*document);
    const SheetReading r = reader.read(scanned(sheet, c.conditions, rng));
    ASSERT_EQ(r.Result, SheetReading::Ok) << r.statusText().toStdString();
    EXPECT_EQ(r.PageIndex, 0);
    EXPECT_EQ(r.PaperType, QLatin1Char('A'));

    ASSERT_EQ(r.ExamNumber.size(), e.examNumber.size());
    for (qsizetype i = 0; i < e.examNumber.size(); ++i) {
        if (r.ExamNumber[i] != e.examNumber[i]) {
            EXPECT_EQ(r.ExamNumber[i], QLatin1Char('?')) << "digit " << i;
            EXPECT_TRUE(r.needsReview());
        }
    }
    int needless = 0;
    for (const QuestionAnswer& a : r.Answers) {
        const QString& expected = e.answers.at(a.Number);
        for (const QChar ch : a.Answer)
            EXPECT_TRUE(expected.contains(ch))
                << "question " << a.Number << " read " << QString(ch).toStdString();
        if (a.Answer != expected)
            EXPECT_TRUE(a.Uncertain || a.Multiple) << "question " << a.Number;
        else if (a.Uncertain)
            ++needless;
    }
    EXPECT_LE(needless, int(r.Answers.size()) / 10);
    if (c.hole != Hole::None) {
        EXPECT_GT(r.DamagedMarkCells, 0);
        EXPECT_TRUE(r.needsReview());
    }
}

// ScanConditions: degrees, shift, scale, blur, noise, quality, whole sheet,
// platen, backdrop.
INSTANTIATE_TEST_SUITE_P(
    Sheets, ReadRealWorldSheet,
    ::testing::Values(
        // Turned inside a page-sized picture: corners cut off.
        SheetCase{"PageFrame2Degrees", WizardA4, 200, {2, {}, 1, true, 8, 75}},
        SheetCase{"PageFrame4Degrees", -1, 200, {-4, {6, -4}, 1, true, 8, 75}},
        SheetCase{"PageFrame5Degrees", WizardA4, 150, {5, {}, 1, true, 8, 75}},
        // Turned further: every box cut off, or one whole.
        SheetCase{"PageFrame6Degrees", WizardA4, 200, {-6, {}, 1, true, 8, 75}},
        SheetCase{"PageFrame6DegreesOneWholeBox", WizardA4, 150, {6, {0, 30}, 1, true, 8, 75}},
        SheetCase{"PageFrame8Degrees", -1, 150, {8, {4, 3}, 1, true, 8, 75}},
        SheetCase{"PageFrame10Degrees", WizardA4, 150, {10, {}, 1, true, 8, 75}},
        SheetCase{"PageFrame10DegreesHandLaid", -1, 200, {-10, {}, 1, true, 8, 75}},
        // Cropped to the turned paper, or on a larger platen with a dark lid.
        SheetCase{"CroppedToPaper7Degrees", WizardA4, 150, {7, {}, 1, true, 8, 75, true}},
        SheetCase{"CroppedToPaper10Degrees", -1, 200, {-10, {}, 1, true, 8, 75, true}},
        SheetCase{"Platen10Degrees", WizardA4, 150, {10, {}, 1, true, 8, 75, true, 60, 40}},
        // Holes over the page marks, on a two-page and a one-page template.
        SheetCase{"HoleOverPaperTypeMark",
                  WizardA4,
                  200,
                  {1, {}, 1, true, 8, 75},
                  Marking::Dark,
                  Hole::PaperTypeMark},
        SheetCase{"HoleOverPageNumberMark",
                  WizardA4,
                  150,
                  {-1, {}, 1, true, 8, 75},
                  Marking::Dark,
                  Hole::PageNumberMark},
        SheetCase{"HoleOnOnePageTemplate",
                  -1,
                  200,
                  {0.5, {}, 1, true, 8, 75},
                  Marking::Dark,
                  Hole::PageNumberMark},
        // Light pencil beside dark, ticks and crosses, half fills.
        SheetCase{
            "LightAndDarkPencil", WizardA4, 200, {1, {}, 1, true, 8, 75}, Marking::LightAndDark},
        SheetCase{
            "LightAndDarkHandLaid", -1, 150, {-1.5, {}, 1, true, 10, 60}, Marking::LightAndDark},
        SheetCase{"TicksAndCrosses", WizardA4, 200, {-1, {}, 1, true, 8, 75}, Marking::Ticks},
        SheetCase{"TicksAt300", -1, 300, {2, {}, 1, true, 8, 75}, Marking::Ticks},
        SheetCase{"PartialFills", WizardA4, 200, {1.5, {}, 1, true, 8, 75}, Marking::Partial}),
    [](const auto& info) { return std::string(info.param.name); });

// A hole whose backing is as dark as a printed block still cannot make the
// page marks read as another page: a clean cell that contradicts a page rules
// it out, whatever the damage elsewhere.
TEST(ReadRealWorldSheet, DamagedMarksNeverChooseAPageTheCleanCellsContradict)
{
    const auto document = wizardSheet(WizardA4);
    ASSERT_GE(document->PageCount(), 2);
    std::mt19937 rng(41);
    QImage sheet = printedPage(*document, 1, 150);
    const PageGeometry page = pageGeometry(*document, 1);
    const double scale = outputScale(150, document->PixelsPerMm);
    const TRect& first = page.PageNumberMark->Questions.front().Cells.front().Rect;
    punchHole(sheet, QPointF(first.Left + first.Right, first.Top + first.Bottom) * scale / 2,
              6 * 150 / 25.4, 30);
    const SheetReader reader(*document);
    const SheetReading r = reader.read(scanned(sheet, {-1, {}, 1, true, 8, 75}, rng));
    ASSERT_TRUE(r.isRead()) << r.statusText().toStdString();
    EXPECT_EQ(r.PageIndex, 1);
    EXPECT_EQ(r.PageNumber, 2);
    EXPECT_GT(r.DamagedMarkCells, 0);
    EXPECT_EQ(r.statusText(), QStringLiteral("ok, page marks damaged"));
}

// Placed by its print, a sheet whose picture shows a box's place light is
// still refused: the box was covered or never printed.
TEST(ReadRealWorldSheet, BoxMissingWhereThePrintPlacesItIsNotGuessed)
{
    const auto document = wizardSheet(WizardA4);
    std::mt19937 rng(61);
    QImage sheet = printedPage(*document, 0, 150);
    const PageGeometry page = pageGeometry(*document, 0);
    const QRectF box = onSheet(page.PositioningBoxes[0], outputScale(150, document->PixelsPerMm));
    QPainter(&sheet).fillRect(box.adjusted(-4, -4, 4, 4), Qt::white);
    const SheetReader reader(*document);
    const SheetReading r = reader.read(scanned(sheet, {6, {0, 30}, 1, true, 8, 75}, rng));
    EXPECT_EQ(r.Result, SheetReading::MarksNotFound) << r.statusText().toStdString();
}

struct HoleCase
{
    const char* name;
    int pageIndex;
    double diameterMm;
    double across; // the hole's centre from the page-number mark's first cell to its second
};

class HoleOverDistinguishingCells : public ::testing::TestWithParam<HoleCase>
{
};

// The cells that tell the pages apart hidden or faked by a hole: the page
// whose marks differ least (then whose print shows) is read, and flagged.
TEST_P(HoleOverDistinguishingCells, ReadsItsOwnPageAndFlagsIt)
{
    const HoleCase& c = GetParam();
    const auto document = wizardSheet(WizardA4);
    ASSERT_GE(document->PageCount(), 2);
    const double dpi = 150;
    std::mt19937 rng(53 + c.pageIndex);
    QImage sheet = printedPage(*document, c.pageIndex, dpi);
    const PageGeometry page = pageGeometry(*document, c.pageIndex);
    const double scale = outputScale(dpi, document->PixelsPerMm);
    const auto& cells = page.PageNumberMark->Questions.front().Cells;
    const auto middle = [](const TRect& r) {
        return QPointF(r.Left + r.Right, r.Top + r.Bottom) / 2.0;
    };
    const QPointF centre =
        middle(cells[0].Rect) + (middle(cells[1].Rect) - middle(cells[0].Rect)) * c.across;
    punchHole(sheet, centre * scale, c.diameterMm * dpi / 25.4, 30);
    const SheetReader reader(*document);
    const SheetReading r = reader.read(scanned(sheet, {0.5, {}, 1, true, 8, 75}, rng));
    ASSERT_TRUE(r.isRead()) << r.statusText().toStdString();
    EXPECT_EQ(r.PageIndex, c.pageIndex);
    EXPECT_GT(r.DamagedMarkCells, 0);
    EXPECT_TRUE(r.needsReview());
}

INSTANTIATE_TEST_SUITE_P(Holes, HoleOverDistinguishingCells,
                         ::testing::Values(HoleCase{"BothCellsOnPageOne", 0, 7, 0.5},
                                           HoleCase{"BothCellsOnPageTwo", 1, 7, 0.5},
                                           HoleCase{"EmptyCellOnPageOne", 0, 3.5, 1},
                                           HoleCase{"EmptyCellOnPageTwo", 1, 3.5, 0},
                                           HoleCase{"PrintedCellOnPageOne", 0, 5, 0},
                                           HoleCase{"PrintedCellOnPageTwo", 1, 5, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace sw::test
