#pragma once

#include "document/records.h"
#include "document/vectorgraph.h"
#include "platform/geometry.h"

#include <QList>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QIODevice;

namespace sw {

// Shown when every paper-type letter A to Z is in use.
inline const QString NoPaperTypeLeftMessage =
    QStringLiteral("试卷类型已有A到Z共26种，不能再增加新的卷型！");

// Messages of the checks before saving.
inline const QString CutBoxNumbersMessage = QStringLiteral("主观题题号和序号相同，请检查！");
inline const QString ScoreBoxesMessage = QStringLiteral("主观分设置错误，请检查！");
inline const QString OptionalBoxesMessage = QStringLiteral("选做题设置错误，请检查！");

// A shape by its page and its index on that page.
struct ShapePlace
{
    int Page = 0;
    int Index = 0;
    bool operator==(const ShapePlace&) const = default;
};

// A check before saving that failed: its message and the shapes at fault.
struct FailedCheck
{
    QString Message; // empty when every check passed
    QList<ShapePlace> Shapes;
};

// What SaveToStream writes.
enum TSaveMode : int
{
    SaveAllShapes = 0,         // every shape (the editor, library and history use this)
    SaveRecognitionShapes = 1, // bubble, cut, positioning, barcode and fuzzy boxes only
    SaveRecordsAsTheyAre = 3,  // Papers and GPList as they stand, not rebuilt
};

// What the editing controller is in the middle of: the tool chosen, the
// selection band, and a shape being created, moved or resized with the
// outlines of the drag.
struct InteractionState
{
    std::uint8_t Tool = 0;
    TPoint BandStart;
    TPoint BandEnd;
    TPoint MovePrev;
    TPoint MoveCur;
    bool Creating = false;
    bool Moving = false;
    bool Moved = false;
    bool Resizing = false;
    bool BandPending = false;
};

// The answer-sheet template being edited: its pages in order, the settings of
// the whole sheet (the stored properties it inherits), and the interaction
// state the editing controller keeps here. Papers and GPList hold records only
// while saving, loading, copying a page or pasting.
class TVectorGraphics : public QObject, public StoredDocument
{
    Q_OBJECT

public:
    explicit TVectorGraphics(int pixelsPerInch);
    ~TVectorGraphics();
    TVectorGraphics(const TVectorGraphics&) = delete;
    TVectorGraphics& operator=(const TVectorGraphics&) = delete;

    // Pages.

    // Adds a page and makes it current. With position -1 the page starts the
    // next paper type and is appended; otherwise it joins the paper type of
    // the page at position and is inserted after it. With a source index the
    // page gets copies of that page's shapes, else the six reserved shapes
    // and an empty text box. Returns the new page, or nullptr with the reason
    // in *error (and no change) when all 26 paper-type letters are in use.
    TVectorGraph* NewPage(int source, int position, QString* error = nullptr);
    void AddPage(std::unique_ptr<TVectorGraph> page);
    void InsertPage(int index, std::unique_ptr<TVectorGraph> page);
    void DeletePage(int index);
    void DeleteCurrentPage() { DeletePage(CurrentPage); }
    TVectorGraph* ActivePage() const { return PageAt(CurrentPage); }
    // nullptr when there is no page at index (a template may hold no page).
    TVectorGraph* PageAt(int index) const
    {
        return index >= 0 && index < PageCount() ? m_pages[std::size_t(index)].get() : nullptr;
    }
    int PageCount() const { return int(m_pages.size()); }
    // Appends the shape to the current page.
    void AddShape(std::unique_ptr<TGraphics> shape);
    // Each paper-type letter once, in the order of first appearance.
    QString PaperTypes() const;
    // Deletes every page and the records; the sheet settings stay.
    void Clear();
    // Replaces the target's shapes by copies of the source's, made through
    // the shape records (which stay in GPList).
    void CopyPageShapes(TVectorGraph& source, TVectorGraph& target);

    // Loading and saving. Every operation returns false with the reason in
    // *error when it fails.

    // Rebuilds the records from the pages (unless mode 3) and writes the
    // template stream. Rebuilding first drops every bubble box without rows
    // or columns from the live pages.
    bool SaveToStream(int mode, QIODevice& stream, QString* error = nullptr);
    // Writes through a temporary file in the target folder that replaces the
    // file only once everything is written; a failure leaves the previous
    // file as it was. Remembers the file name on success.
    bool SaveToFile(int mode, const QString& fileName, QString* error = nullptr);
    // Reads a whole template stream (from position 0) and rebuilds the pages.
    // The new pages are built aside and replace the document's only when the
    // stream was read completely; on failure the document stays as it was.
    // The caller renumbers the pages and lays out the marks afterwards.
    bool LoadFromStream(QIODevice& stream, QString* error = nullptr);
    // LoadFromStream of the file; remembers the file name on success.
    bool LoadFromFile(const QString& fileName, QString* error = nullptr);
    // What LoadFromStream of the records' stream does, without the bytes.
    bool LoadFromRecords(const StoredDocument& records, QString* error = nullptr);

    // Appends the record of the page to Papers.
    void RecordFromPage(const TVectorGraph& page);
    // Adds the record of the shape on page pageIndex to GPList. A cut box is
    // put before the first later cut-box record of the same page with a
    // higher question, so a page's cut boxes are stored by question.
    void RecordFromShape(int pageIndex, const TGraphics& shape);
    // A new page from Papers[index], not in the page list.
    std::unique_ptr<TVectorGraph> PageFromRecord(int index) const;
    // A new shape from GPList[recordIndex], appended to target at target's
    // scale; nullptr for the kinds that have no shape class.
    TGraphics* ShapeFromRecord(TVectorGraph& target, int recordIndex, bool selected) const;

    // Checks before saving; true when the document passes. The conflicts
    // are the shapes that make a check fail, so the window can show them.

    // No two cut boxes of one paper type share question and part number.
    bool CheckCutBoxNumbers() const;
    QList<ShapePlace> CutBoxNumberConflicts() const;
    // Every score box names part 1 of a cut box of its paper type, and no
    // question has two score boxes.
    bool CheckScoreBoxes() const;
    QList<ShapePlace> ScoreBoxConflicts() const;
    // Optional-question choice boxes and optional cut boxes (part 1) match
    // one to one within each paper type.
    bool CheckOptionalBoxes() const;
    QList<ShapePlace> OptionalBoxConflicts() const;
    // Runs the three checks in order: the message of the first that fails,
    // empty when all pass.
    QString FirstFailedCheck() const;
    // The same, with the shapes at fault.
    FailedCheck FirstFailedCheckWithShapes() const;

    // Page marks.

    // Numbers the pages of each paper type from 1 in list order and writes
    // the codes of the paper-type and page-number marks into their KeyText.
    void RenumberPages();
    // Places, sizes, colours, locks and shows or hides the positioning boxes
    // and the marks of every page for the sheet mode, shows or hides the
    // other shapes, and points picture shapes at the template's folder.
    // Pages without the reserved shapes keep what they have in those places.
    void LayoutMarks();
    // Folder of FileName, empty while the document has no file.
    QString PictureFolder() const;

    // Layout pixels of a length in millimetres, and back.
    int toPixels(double mm) const;
    double toMillimetres(int pixels) const { return pixels / PixelsPerMm; }

    // Run-time state.
    std::int32_t CurrentPage = 0;
    TGraphics* ActiveShape = nullptr;
    const int PixelsPerInch; // of the screen
    const double PixelsPerMm;
    const std::int32_t PosBoxCount = 4;
    double MarkCellWidth = 3.0; // mm
    std::int32_t RulerMarkX = 0;
    std::int32_t RulerMarkY = 0;
    // The template file the document was opened from or last saved to.
    QString FileName;

    // What the editing controller is doing with the mouse.
    InteractionState Interaction;

    // Announces a change made outside the document's own functions (a shape
    // moved, resized or edited in place).
    void Changed() { Q_EMIT changed(); }

Q_SIGNALS:
    // The pages, their shapes or the sheet settings changed: views redraw.
    void changed();

private:
    // Fills a copy of the settings, lists emptied, by `read`, builds its pages
    // and, when all went well, makes it the document.
    bool loadStored(const std::function<bool(StoredDocument&)>& read, QString* error);
    // Clears ActiveShape when it lives on the page.
    void forgetActiveShapeOn(const TVectorGraph& page);
    void addReservedShapes();

    std::vector<std::unique_ptr<TVectorGraph>> m_pages;
};

} // namespace sw
