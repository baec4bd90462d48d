// sheetwright-read-accuracy: reads a realistic set of simulated filled sheets
// (the reader tests' scans: every kind of pencil mark, skew, cropped scans,
// punched holes) and counts what came back right, wrong or flagged.
//
// Usage: sheetwright-read-accuracy [SHEETS] [SEED]

#include "reading/sheets.h"
#include "reading/simulatedscan.h"

#include "document/painting.h"
#include "reading/sheetreader.h"
#include "wizard/settings.h"

#include <QGuiApplication>
#include <QTextStream>
#include <map>

using namespace sw;
using namespace sw::test;

namespace {

struct Tally
{
    int sheets = 0;
    int refused = 0;
    int flaggedSheets = 0;
    int answers = 0;
    int wrong = 0;
    int wrongUnflagged = 0;
    int invented = 0; // read filled where nothing was marked
    int flaggedAnswers = 0;
    int digits = 0;
    int wrongDigits = 0;
};

QRectF onSheet(const TRect& r, double scale)
{
    return {r.Left * scale, r.Top * scale, r.width() * scale, r.height() * scale};
}

PencilMark randomKind(std::mt19937& rng)
{
    std::discrete_distribution<int> pick({55, 15, 8, 7, 5, 5});
    return PencilMark(pick(rng));
}

void readOneSheet(int i, std::mt19937& rng, Tally& t)
{
    const bool handLaid = i % 2 == 1;
    const auto document = handLaid ? handLaidSheet() : wizardSheet(WizardA4);
    const double dpi = std::array<double, 3>{150, 200, 300}[std::size_t(i % 3)];
    const double scale = outputScale(dpi, document->PixelsPerMm);
    QImage sheet = printedPage(*document, 0, dpi);
    const PageGeometry page = pageGeometry(*document, 0);

    std::uniform_real_distribution<double> unit(0, 1);
    std::map<int, QString> expected;
    QString examNumber;
    for (const BubbleBoxGeometry& box : page.BubbleBoxes) {
        if (box.Purpose == RSZGF || box.Purpose == RSXZT) {
            // The marker's score and the chosen optional question, in dark pencil.
            for (const QuestionGeometry& q : box.Questions) {
                std::uniform_int_distribution<int> option(0, int(q.Cells.size()) - 1);
                pencilMark(sheet, onSheet(q.Cells[std::size_t(option(rng))].Rect, scale),
                           PencilMark::Fill, rng);
            }
            continue;
        }
        if (box.Purpose != RSResult && box.Purpose != RSExamCode)
            continue;
        for (const QuestionGeometry& q : box.Questions) {
            std::uniform_int_distribution<int> option(0, int(q.Cells.size()) - 1);
            const bool digit = box.Purpose == RSExamCode;
            const double roll = unit(rng);
            QString answer;
            if (digit || roll > 0.12) {
                const int o = option(rng);
                pencilMark(sheet, onSheet(q.Cells[std::size_t(o)].Rect, scale), randomKind(rng),
                           rng);
                answer = q.Cells[std::size_t(o)].Label;
                const int other = (o + 1) % int(q.Cells.size());
                if (!digit && roll > 0.95 && other != o)
                    pencilFill(sheet, onSheet(q.Cells[std::size_t(other)].Rect, scale), 0.8, true,
                               rng);
            }
            if (digit)
                examNumber += answer;
            else
                expected[q.Number] = answer;
        }
    }
    if (unit(rng) < 0.1 && page.PageNumberMark) {
        const TRect& cell = page.PageNumberMark->Questions.front().Cells.front().Rect;
        punchHole(sheet, QPointF(cell.Left + cell.Right, cell.Top + cell.Bottom) * scale / 2,
                  6 * dpi / 25.4, 30);
    }
    ScanConditions c;
    // A fifth cropped to the turned paper, a tenth turned further inside a
    // page-sized picture (its corners cut off), the rest nearly straight.
    const double feed = unit(rng);
    const bool cropped = feed < 0.2;
    const bool turnedInFrame = feed >= 0.9;
    c.degrees = (unit(rng) * 2 - 1) * (cropped ? 8 : turnedInFrame ? 10 : 3);
    c.wholeSheet = cropped;
    c.shift = QPointF((unit(rng) * 2 - 1) * 15, (unit(rng) * 2 - 1) * 15);
    c.noise = 6 + int(unit(rng) * 6);
    c.quality = 60 + int(unit(rng) * 30);

    const SheetReader reader(*document);
    const SheetReading r = reader.read(scanned(sheet, c, rng));
    ++t.sheets;
    if (!r.isRead()) {
        ++t.refused;
        ++t.flaggedSheets;
        return;
    }
    t.flaggedSheets += r.needsReview() ? 1 : 0;
    for (const QuestionAnswer& a : r.Answers) {
        const QString& want = expected[a.Number];
        ++t.answers;
        const bool flagged = a.Uncertain || a.Multiple;
        t.flaggedAnswers += flagged ? 1 : 0;
        for (const QChar ch : a.Answer)
            t.invented += want.contains(ch) ? 0 : 1;
        if (a.Answer != want) {
            ++t.wrong;
            t.wrongUnflagged += flagged ? 0 : 1;
        }
    }
    for (qsizetype d = 0; d < examNumber.size() && d < r.ExamNumber.size(); ++d) {
        ++t.digits;
        t.wrongDigits += r.ExamNumber[d] != examNumber[d] && r.ExamNumber[d] != QLatin1Char('?');
    }
}

double percent(int part, int whole)
{
    return whole > 0 ? 100.0 * part / whole : 0;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int sheets = args.size() > 1 ? args.at(1).toInt() : 40;
    std::mt19937 rng(args.size() > 2 ? args.at(2).toUInt() : 1u);
    Tally t;
    for (int i = 0; i < sheets; ++i)
        readOneSheet(i, rng, t);
    QTextStream out(stdout);
    out << QStringLiteral("sheets %1: refused %2, flagged for review %3 (%4 %)\n")
               .arg(t.sheets)
               .arg(t.refused)
               .arg(t.flaggedSheets)
               .arg(percent(t.flaggedSheets, t.sheets), 0, 'f', 1);
    out << QStringLiteral("answers %1: wrong %2 (unflagged %3), read filled but not marked %4, "
                          "flagged %5 (%6 %)\n")
               .arg(t.answers)
               .arg(t.wrong)
               .arg(t.wrongUnflagged)
               .arg(t.invented)
               .arg(t.flaggedAnswers)
               .arg(percent(t.flaggedAnswers, t.answers), 0, 'f', 1);
    out << QStringLiteral("exam-number digits %1: read wrong %2\n")
               .arg(t.digits)
               .arg(t.wrongDigits);
    return t.wrongUnflagged + t.invented + t.wrongDigits > 0 ? 1 : 0;
}
