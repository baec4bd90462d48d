#pragma once

#include "reading/affinemap.h"
#include "reading/printedlayout.h"
#include "reading/registration.h"
#include "reading/sheetgeometry.h"

#include <QImage>
#include <QString>
#include <utility>
#include <vector>

namespace sw {

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
    std::vector<QuestionAnswer> Answers;
    std::vector<QuestionAnswer> OptionalChoices; // per optional question number
    std::vector<std::pair<int, QString>> Scores; // per linked question: the digits
    bool Absent = false;
    bool Cheating = false;
    std::vector<ReadCell> Cells;
    double Threshold = 0; // darkness above the sheet's blank level that counts as a mark
    // Why the sheet looks printed from another template; empty when it does not.
    QString LayoutDifference;

    bool isRead() const { return Result == Ok || Result == UpsideDown; }
    // Something a person should look at: a failed reading, a sheet that looks
    // printed from another template, an unreadable exam-number digit, a
    // double or an uncertain mark.
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
    std::vector<PageGeometry> m_pages;
    // Per page, the printed darkness of every answer cell in reading order.
    std::vector<std::vector<double>> m_blankInk;
    std::vector<PrintedLayout> m_layouts;
};

} // namespace sw
