#pragma once

#include "reading/affinemap.h"
#include "reading/cellsampling.h"
#include "reading/pageidentification.h"
#include "reading/printedink.h"
#include "reading/printedlayout.h"
#include "reading/registration.h"
#include "reading/sheetgeometry.h"

#include <QImage>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace sw {

class GreyView;
class TVectorGraphics;

// What was decided for one cell, as the marked picture shows it.
enum class CellMark
{
    Empty,
    Filled,
    Multiple, // filled, on a single-choice question with another filled cell
    Uncertain,
};

struct ReadCell
{
    TRect Rect; // layout pixels
    CellMark Mark = CellMark::Empty;
};

struct QuestionAnswer
{
    int Number = 0;
    QString Answer; // the filled cells' characters in option order; empty when blank
    bool Multiple = false;
    bool Uncertain = false;
};

struct SheetReading
{
    enum Status
    {
        Ok,
        UpsideDown,   // read, but the sheet was fed turned round
        NoReferences, // the template has nothing to register a scan by
        MarksNotFound,
        PoorFit,
        PageUnknown,
    };
    Status Result = MarksNotFound;
    Registration Found;
    AffineMap Map; // layout pixels of the page read to scan pixels
    int PageIndex = -1;
    QChar PaperType;
    int PageNumber = 0;
    QString ExamNumber; // one character per digit, "?" for a blank or doubled one
    QString Barcode;    // the exam number a barcode in a barcode area holds; empty when none
    std::vector<QuestionAnswer> Answers;
    std::vector<QuestionAnswer> OptionalChoices; // per optional question number
    std::vector<std::pair<int, QString>> Scores; // per linked question: the digits
    bool ExamNumberUncertain = false;            // a digit read, but from a close decision
    int DamagedMarkCells = 0; // page-mark cells a hole or a blot hides or makes read otherwise
    bool Absent = false;
    bool Cheating = false;
    std::vector<ReadCell> Cells;
    double Threshold = 0; // score that counts as a mark where no sibling is darker
    // Why the sheet looks printed from another template; empty when it does not.
    QString LayoutDifference;

    bool isRead() const { return Result == Ok || Result == UpsideDown; }
    // A barcode identifies the candidate, but the bubbled exam number says
    // otherwise.
    bool barcodeMismatch() const;
    // Something a person should look at: a failed reading, a sheet that looks
    // printed from another template, an unreadable or uncertain exam-number
    // digit, a barcode that differs from it, a double, an uncertain mark or
    // damaged page marks.
    bool needsReview() const;
    // "ok" or what went wrong, in a few words.
    QString statusText() const;
};

// Reads scans of one template's pages. Construction renders every page once
// (to learn how dark each blank cell is printed); read() is safe to call
// from several threads at once.
class SheetReader
{
public:
    explicit SheetReader(TVectorGraphics& document);

    const std::vector<PageGeometry>& pages() const { return m_pages; }
    SheetReading read(const QImage& scan) const;

private:
    struct PageMatch
    {
        std::size_t Page = 0;
        bool Turned = false;
        AffineMap Map;
        MarkComparison Marks;
    };
    // The page whose marks the scan shows under the registration's map or
    // turned half round about `centre`; nothing when none or several match.
    std::optional<PageMatch> matchingPage(const GreyView& scan, const AffineMap& upright,
                                          QPointF centre, const InkLevels& levels) const;

    std::vector<PageGeometry> m_pages;
    // Per page, the printed ink of every answer cell in reading order.
    std::vector<std::vector<CellInk>> m_blankInk;
    std::vector<PrintedLayout> m_layouts;
    std::vector<PrintedInk> m_prints;
};

} // namespace sw
