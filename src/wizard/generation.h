#pragma once

#include "platform/geometry.h"
#include "platform/graphicstypes.h"
#include "shapes/enums.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace sw {

class Canvas;
class TGraphics;
class TLine;
class TRectKg;
class TRectText;
class TRectangle;
class TRoundRect;
class TVectorGraphics;
class WizardHost;
struct WizardSettings;

// Fixed sizes of a generated sheet, layout pixels unless stated.
namespace sheet {
constexpr int BubbleWidth = 18;
constexpr int BubbleHeight = 10;
constexpr int BubbleColSpace = 7;
constexpr int BubbleRowSpace = 7;
// Height of the exam-number block and of the notes panel beside it.
constexpr int BlockHeight = (BubbleHeight + BubbleRowSpace) * 10 + 52;
constexpr int ExamplePanelWidth = 150;
constexpr int ColumnGap = 10;
constexpr double MarginMm = 8.0;
constexpr int FrameRadius = 20;
// Narrowest information block; narrower ones give way to the notes.
constexpr int MinInformationWidth = 75;
inline const QString Song = QStringLiteral("宋体");
inline const QString NewSong = QStringLiteral("新宋体");
// Label of the filling example in the narrow notes panel (two trailing spaces).
inline const QString CorrectFillingLabel = QStringLiteral("正 确 填 涂  ");
} // namespace sheet

// The paper of every page for the wizard's size choice.
struct PaperFormat
{
    TPageSize size;
    TPrinterOrientation orientation;
    double width;  // mm
    double height; // mm
};
PaperFormat paperFormat(int pagesize);

// Answer columns per page: 1 on A4, else the style's 2 or 3.
int columnCount(const WizardSettings& settings);
// Width of one answer column (Wc) on a page `usable` layout pixels wide
// between the column area's left and right edges.
int columnWidth(double usable, int columns);
// Most exam-number digits whose bubble block leaves room in a column for an
// information block beside it. Below MinInformationWidth the block moves to
// the column's left edge and narrows; it fits while its frame keeps a
// positive width.
int maxExamNumberDigits(const WizardSettings& settings, double pixelsPerMm);

// A step that cannot go on; the sequence reports it under the step's code.
class GenerationError : public std::runtime_error
{
public:
    explicit GenerationError(const QString& reason) : std::runtime_error(reason.toStdString()) {}
};

// One answer column of a page as the answer areas lay it out.
struct AnswerColumn
{
    int page = 0;
    int column = 0;         // within the page
    int x = 0;              // left edge
    int top = 0;            // top of its first frame
    int firstRow = 0;       // first objective row it holds
    int rows = 0;           // objective rows it holds
    int question = 0;       // question of its cut box, 0 when it has none
    bool opensPage = false; // the first column of the first page (under the header)
};

// Where the objective groups and the cut boxes go: rows of groups run through
// the answer columns in order, each column taking the rows that fit above its
// bottom warning; a column gets a cut box when enough room is left under its
// objective frame.
struct AnswerLayout
{
    int groupSize = 0; // questions per group (at most what one column holds)
    int groupCount = 0;
    int perRow = 0;      // groups per row
    int pitch = 0;       // horizontal distance between groups
    int groupHeight = 0; // gh
    int rowCount = 0;
    int unplacedRows = 0;
    int bottom = 0;                          // Ybot
    int columnTop = 0;                       // Ytop
    int warningWidth = 0, warningHeight = 0; // ww, wh
    int labelWidth = 0, labelHeight = 0;     // pw, ph
    std::vector<AnswerColumn> columns;

    // Bottom of the cut boxes and lowest edge of every objective frame: 10
    // above the bottom warning.
    int cutBoxBottom() const { return bottom - warningHeight - 10; }
    // Height of the objective frame's content for the given rows (Ho).
    int objectiveHeight(int rows) const { return (groupHeight + 20) * rows; }
};

// The state of one generation: its inputs, the quantities all blocks share
// and the vertical cursor Yc that passes from block to block.
struct SheetGeneration
{
    SheetGeneration(TVectorGraphics& document, const WizardSettings& settings, Canvas& canvas,
                    WizardHost& host);

    TVectorGraphics& document;
    const WizardSettings& settings;
    Canvas& canvas;
    WizardHost& host;

    // Layout quantities of the first page.
    int L = 0, R = 0, Ti = 0, Bi = 0;
    int Wc = 0; // column width
    int N = 0;  // notes width
    int E = 0;  // exam-number block width
    int I = 0;  // information width
    // The notes form a narrow panel beside the information block (else they
    // run across the column below the header).
    bool narrowNotes = false;
    int groupsPerRow = 0;
    int Yc = 0; // vertical cursor
    std::optional<AnswerLayout> answers;

    bool isA4() const;
    bool threeColumns() const;
    int columns() const { return columnCount(settings); }
    // Total shown in the page labels: every column counts as one page.
    int totalPages() const;
    int columnLeft(int c) const { return L + c * (Wc + sheet::ColumnGap); }
    double P() const;
    int rnd(double v) const;

    // Text metrics on the canvas after setting its font to the family and size.
    void setCanvasFont(int points, const QString& family = sheet::Song);
    int TW(const QString& text) const;
    int TH(const QString& text) const;
    // A black font of the family at the document's resolution.
    TFont font(int points, const QString& family = sheet::Song) const;

    void makePageCurrent(int index);
    void makeFirstPageCurrent() { makePageCurrent(0); }

    // Shapes appended to the current page, from top-left and bottom-right
    // corners (or first and second points) in layout pixels.
    TRectText& addText(TPoint topLeft, TPoint bottomRight, const QStringList& lines,
                       const TFont& font, int group = 0);
    TLine& addLine(TPoint from, TPoint to, int group = 0, int penWidth = 1);
    TRectangle& addRectangle(TPoint topLeft, TPoint bottomRight, int group = 0);
    // A rounded frame with a clear brush.
    TRoundRect& addFrame(TPoint topLeft, TPoint bottomRight);
    // A box of bubbles of the sheet's standard size, single choice, labels in
    // "新宋体" 8 pt; it already has the extent of its grid.
    TRectKg& addBubbleBox(TPoint at, const QString& options, TTextType type, TAspect aspect,
                          int cols, int rows, int group = 0);
    template <class Shape> Shape& add(std::unique_ptr<Shape> shape)
    {
        Shape& ref = *shape;
        append(std::move(shape));
        return ref;
    }

private:
    void append(std::unique_ptr<TGraphics> shape);
};

// The quantities L, R, Ti, Bi, Wc, N, E, I, the notes form and the groups per row, from the
// first page and the settings.
void computeQuantities(SheetGeneration& g);
// The answer columns for the cursor as the notes left it.
AnswerLayout planAnswerColumns(SheetGeneration& g);

// The generation steps, in the order the sequence runs them.
void createPages(SheetGeneration& g);
void createTitle(SheetGeneration& g);
void createBarcodeArea(SheetGeneration& g);
void createExamNumberBlock(SheetGeneration& g);
void createBarcodeInfoBlock(SheetGeneration& g);
void createInfoBlock(SheetGeneration& g);
void createNotes(SheetGeneration& g);
void createObjectiveArea(SheetGeneration& g);
void createSubjectiveArea(SheetGeneration& g);

} // namespace sw
