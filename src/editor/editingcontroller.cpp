#include "editor/editingcontroller.h"

#include "document/painting.h"
#include "document/rulers.h"
#include "document/selection.h"
#include "document/vectorgraphics.h"
#include "editor/editorview.h"
#include "platform/qpaintercanvas.h"
#include "platform/rounding.h"
#include "shapes/mhsb.h"
#include "shapes/recttext.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace sw {

namespace {

// Smallest size of the text editor opened for a new text box.
constexpr int TextEditorMinWidth = 50;
constexpr int TextEditorMinHeight = 30;
// Bounds of the surface image: a page at any zoom stays allocatable.
constexpr int MaxSurfaceSide = 16384;
constexpr std::int64_t MaxSurfacePixels = std::int64_t(1) << 26;

int addClamped(int v, int d)
{
    return int(std::clamp<std::int64_t>(std::int64_t(v) + d, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max()));
}

int surfaceSide(double pixels)
{
    return std::clamp(roundHalfEven(pixels), 1, MaxSurfaceSide);
}

bool isArrowKey(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
}

// The number of a new fuzzy recognition box: the lowest of 1, 2, 3 whose
// digit does not occur in the numbers of the page's boxes.
int freeFuzzyBoxNumber(const TVectorGraph& page, int fallback)
{
    QString used;
    for (const auto& shape : page.Shapes()) {
        if (shape->Kind == GMHSB)
            used += QString::number(static_cast<const TMHSB&>(*shape).Number);
    }
    int number = fallback;
    for (const int candidate : {3, 2, 1}) {
        if (!used.contains(QString::number(candidate)))
            number = candidate;
    }
    return number;
}

} // namespace

EditingController::EditingController(TVectorGraphics& document, EditorView& view)
    : m_document(document), m_view(view), m_history(document)
{
    m_history.ResetHistory();
}

EditingController::~EditingController() = default;

bool EditingController::hasCurrentPage() const
{
    return m_document.CurrentPage >= 0 && m_document.CurrentPage < m_document.PageCount();
}

TVectorGraph& EditingController::page() const
{
    return *m_document.ActivePage();
}

Canvas& EditingController::SurfaceCanvas()
{
    if (!m_surfaceCanvas)
        prepareImage(m_surface, m_surfaceCanvas, 1, 1, QImage::Format_RGB32);
    return *m_surfaceCanvas;
}

void EditingController::setCursor(TCursor cursor)
{
    m_cursor = cursor;
    m_view.setCursor(cursor);
}

// Mouse ---------------------------------------------------------------------

void EditingController::MouseDown(Qt::MouseButton, Qt::KeyboardModifiers shift, int x, int y)
{
    if (!hasCurrentPage())
        return;
    // A click beside the text editor ends the typing and keeps the text; the
    // press that ends a double click lands on the editor it has just opened.
    if (TextEditorShowing()) {
        if (!onTextEditor({x, y}))
            CommitTextEditor();
        return;
    }
    TVectorGraphics& d = m_document;
    const TPoint p{x, y};
    d.Interaction.BandStart = p;
    d.Interaction.BandEnd = p;

    const ShapeKind* tool = shapeKindOfTool(d.Interaction.Tool);
    if (tool && tool->CreatedOnPress) {
        CreateShape();
        PaintSurface();
        return;
    }
    if (refusesCreation())
        return;
    if (d.Interaction.Tool != ToolSelect) {
        d.Interaction.Creating = true;
        return;
    }

    TVectorGraph& pg = page();
    if (pg.SelectedCount() < 2 && d.ActiveShape && !d.Locked && d.ActiveShape->OnHandle(p)) {
        d.Interaction.Resizing = true;
        d.ActiveShape->DragResize(SurfaceCanvas(), p);
        m_view.surfaceChanged();
        return;
    }

    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    bool selected = false;
    if (TGraphics* shape = pg.ShapeAt(d.Interaction.BandStart)) {
        selected = SelectShape(d, *shape, ctrl, true);
        if (!selected && shape->Locked)
            m_view.showStatus(ShapeLockedStatus);
    }
    if (selected && d.ActiveShape)
        m_view.loadPanel(*d.ActiveShape);

    if (ctrl) {
        // The band starts here whether or not a shape was added.
        d.Interaction.BandPending = true;
        return;
    }
    if (selected) {
        if (!d.Locked) {
            d.Interaction.Moving = true;
            d.Interaction.Moved = false;
            setCursor(TCursor::Move);
            d.Interaction.MovePrev = p;
            d.Interaction.MoveCur = p;
        } else {
            m_view.showStatus(DocumentLockedStatus);
        }
    } else {
        for (const auto& shape : pg.Shapes())
            shape->Deselect();
        if (d.ActiveShape) {
            d.ActiveShape->Deselect();
            d.ActiveShape = nullptr;
        }
    }
    PaintSurface();
}

bool EditingController::refusesCreation()
{
    const TVectorGraph& pg = page();
    const auto count = [&pg](TGraphicsType kind) {
        return std::count_if(pg.Shapes().begin(), pg.Shapes().end(),
                             [kind](const auto& shape) { return shape->Kind == kind; });
    };
    const ShapeKind* tool = shapeKindOfTool(m_document.Interaction.Tool);
    if (tool && tool->MaximumCount > 0 && count(tool->Kind) >= tool->MaximumCount) {
        m_view.showMessage(QString::fromUtf8(tool->LimitMessage));
        return true;
    }
    return false;
}

void EditingController::MouseMove(Qt::KeyboardModifiers, int x, int y)
{
    if (!hasCurrentPage())
        return;
    TVectorGraphics& d = m_document;
    const TPoint p{x, y};
    m_view.showMousePosition(x, y);
    if (m_horzCanvas && m_vertCanvas) {
        const TPoint scroll = m_view.scrollPosition();
        DrawRulerCursor(d, x - scroll.X, y - scroll.Y, *m_vertCanvas, *m_horzCanvas,
                        m_view.rulerThickness());
        m_view.rulersChanged();
    }

    Canvas& canvas = SurfaceCanvas();
    canvas.pen().Color = clBlack;
    canvas.pen().Width = 1;
    canvas.pen().Style = psDot;
    canvas.brush().Style = bsClear;

    TVectorGraph& pg = page();
    if (d.Interaction.Tool == ToolSelect) {
        if (d.Interaction.Resizing) {
            if (d.ActiveShape) {
                d.ActiveShape->DragResize(canvas, p);
                enforceMinimumSize(*d.ActiveShape);
            }
        } else if (d.Interaction.Moving) {
            d.Interaction.MoveCur = p;
            for (const auto& shape : pg.Shapes()) {
                if (shape->Selected)
                    shape->DragMove(canvas, d.Interaction.MoveCur.X - d.Interaction.MovePrev.X,
                                    d.Interaction.MoveCur.Y - d.Interaction.MovePrev.Y);
            }
            d.Interaction.MovePrev = p;
            d.Interaction.Moved = true;
        } else if (d.ActiveShape && d.ActiveShape->OnHandle(p)) {
            setCursor(d.ActiveShape->HandleCursor(p, m_cursor));
        } else {
            setCursor(pg.ShapeAt(p) ? TCursor::Hand : TCursor::Default);
            if (d.Interaction.BandPending) {
                drawBand();
                d.Interaction.BandEnd = p;
                drawBand();
            }
        }
    } else if (d.Interaction.Creating) {
        DrawPreview(d.Interaction.BandStart, d.Interaction.BandEnd, pmNotXor);
        d.Interaction.BandEnd = p;
        DrawPreview(d.Interaction.BandStart, d.Interaction.BandEnd, pmNotXor);
    }
    m_view.surfaceChanged();
}

void EditingController::enforceMinimumSize(TGraphics& shape)
{
    const int minimum = shapeKind(shape.Kind).MinimumSize;
    if (minimum == 0)
        return;
    TRect r = shape.GetBounds();
    if (r.width() < minimum) {
        r.Right = addClamped(r.Left, minimum);
        shape.SetBounds(r);
    }
    r = shape.GetBounds();
    if (r.height() < minimum) {
        r.Bottom = addClamped(r.Top, minimum);
        shape.SetBounds(r);
    }
}

// The selection band, inverting: drawn twice it is gone.
void EditingController::drawBand()
{
    Canvas& canvas = SurfaceCanvas();
    canvas.setPen({clBlack, 0, psDot, pmNotXor});
    canvas.brush().Style = bsClear;
    const TPoint a = m_document.Interaction.BandStart;
    const TPoint b = m_document.Interaction.BandEnd;
    canvas.Rectangle(a.X, a.Y, b.X, b.Y);
}

void EditingController::MouseUp(int x, int y)
{
    if (!hasCurrentPage())
        return;
    TVectorGraphics& d = m_document;
    if (d.Interaction.Creating) {
        DrawPreview(d.Interaction.BandStart, d.Interaction.BandEnd, pmNotXor);
        d.Interaction.BandEnd = {x, y};
        DrawPreview(d.Interaction.BandStart, d.Interaction.BandEnd, pmCopy);
        CreateShape();
    }
    if (d.Interaction.BandPending) {
        drawBand();
        SelectInBand(d);
    }
    if (d.Interaction.Moved && d.ActiveShape)
        RecordChange(page().LastHitIndex, QStringLiteral("移动"));
    if (d.Interaction.Resizing && d.ActiveShape)
        RecordChange(page().LastHitIndex, QStringLiteral("更改大小"));
    PaintSurface();
    d.Interaction.Moving = false;
    d.Interaction.Moved = false;
    d.Interaction.Creating = false;
    d.Interaction.Resizing = false;

    d.Interaction.Tool = ToolSelect;
    m_view.toolReset();
}

void EditingController::DoubleClick()
{
    TVectorGraphics& d = m_document;
    if (d.Interaction.Tool != ToolSelect || !hasCurrentPage() || TextEditorShowing())
        return;
    TVectorGraph& pg = page();
    TGraphics* shape = pg.ShapeAt(d.Interaction.BandStart);
    if (!shape || shape->Kind != GRectText)
        return;
    auto& text = static_cast<TRectText&>(*shape);
    if (d.ActiveShape != &text) {
        if (d.ActiveShape)
            d.ActiveShape->Deselect();
        d.ActiveShape = &text;
    }
    m_editorMode = EditorMode::Editing;
    m_view.setTextEditorFont(text.Font);
    const TPoint scroll = m_view.scrollPosition();
    const int left = roundHalfEven(text.Left * pg.ScaleX) - scroll.X;
    const int top = roundHalfEven(text.Top * pg.ScaleY) - scroll.Y;
    m_view.showTextEditor({left, top, addClamped(left, text.Width), addClamped(top, text.Height)},
                          text.Lines);
}

// Creation ------------------------------------------------------------------

void EditingController::DrawPreview(TPoint p1, TPoint p2, TPenMode mode)
{
    Canvas& canvas = SurfaceCanvas();
    canvas.setPen({clBlack, 0, psDot, mode});
    canvas.brush().Style = bsClear;
    const auto line = [&canvas, p1](TPoint to) {
        canvas.MoveTo(p1.X, p1.Y);
        canvas.LineTo(to.X, to.Y);
    };
    const ShapeKind* tool = shapeKindOfTool(m_document.Interaction.Tool);
    if (!tool)
        return;
    switch (tool->Preview) {
    case KindPreview::None:
        break;
    case KindPreview::Line:
        line(p2);
        break;
    case KindPreview::HorizontalLine:
        line({p2.X, p1.Y});
        break;
    case KindPreview::VerticalLine:
        line({p1.X, p2.Y});
        break;
    case KindPreview::RoundRect: {
        const int corner = m_view.panelCornerRadius();
        canvas.RoundRect(p1.X, p1.Y, p2.X, p2.Y, corner, corner);
        break;
    }
    case KindPreview::Ellipse:
        canvas.Ellipse(p1.X, p1.Y, p2.X, p2.Y);
        break;
    case KindPreview::Rectangle:
        canvas.Rectangle(p1.X, p1.Y, p2.X, p2.Y);
        break;
    }
}

void EditingController::CreateShape()
{
    if (!hasCurrentPage())
        return;
    if (m_document.Interaction.Tool == ToolText) {
        const TPoint a = m_document.Interaction.BandStart;
        const TPoint b = m_document.Interaction.BandEnd;
        const TPoint scroll = m_view.scrollPosition();
        const int left = std::min(a.X, b.X) - scroll.X;
        const int top = std::min(a.Y, b.Y) - scroll.Y;
        const int width = std::max(std::abs(a.X - b.X), TextEditorMinWidth);
        const int height = std::max(std::abs(a.Y - b.Y), TextEditorMinHeight);
        m_editorMode = EditorMode::Creating;
        m_view.showTextEditor({left, top, left + width, top + height}, {});
        return;
    }
    const QString refusal = creationRefusal();
    if (!refusal.isEmpty()) {
        m_view.showStatus(refusal);
        return;
    }
    std::unique_ptr<TGraphics> shape = newShape();
    if (!shape)
        return;
    m_view.applyPanel(*shape, false);
    shape->Tag.clear();
    addCreatedShape(std::move(shape));
}

QString EditingController::creationRefusal() const
{
    const ShapeKind* tool = shapeKindOfTool(m_document.Interaction.Tool);
    if (!tool)
        return {};
    if (tool->Kind == GKg && m_view.panelOptionCharacters().isEmpty())
        return NoOptionCharactersStatus;
    if (!tool->TooSmallStatus)
        return {};
    const TVectorGraph& pg = page();
    const TPoint a = m_document.Interaction.BandStart;
    const TPoint b = m_document.Interaction.BandEnd;
    const bool bigEnough = std::abs(double(a.X) - b.X) / pg.ScaleX >= tool->MinimumSize &&
                           std::abs(double(a.Y) - b.Y) / pg.ScaleY >= tool->MinimumSize;
    return bigEnough ? QString() : QString::fromUtf8(tool->TooSmallStatus);
}

std::unique_ptr<TGraphics> EditingController::newShape() const
{
    const ShapeKind* tool = shapeKindOfTool(m_document.Interaction.Tool);
    if (!tool)
        return nullptr;
    const TVectorGraph& pg = page();
    std::unique_ptr<TGraphics> shape =
        tool->Create({m_document.Interaction.BandStart, m_document.Interaction.BandEnd, pg.ScaleX,
                      pg.ScaleY, m_view.panelCornerRadius(), m_document.PixelsPerInch});
    if (shape->Kind == GMHSB) {
        auto& box = static_cast<TMHSB&>(*shape);
        box.Number = freeFuzzyBoxNumber(pg, box.Number);
    }
    return shape;
}

void EditingController::addCreatedShape(std::unique_ptr<TGraphics> shape)
{
    TVectorGraph& pg = page();
    TGraphics* created = shape.get();
    const QString entry = QStringLiteral("新建-") + created->KindName;
    pg.AddShape(std::move(shape));
    for (const auto& other : pg.Shapes())
        other->Deselect();
    created->Select();
    m_document.ActiveShape = created;
    AddEntry(entry);
}

// Text editor ---------------------------------------------------------------

bool EditingController::TextEditorKeyPress(int key)
{
    if (!TextEditorShowing())
        return false;
    if (key == Qt::Key_Escape) {
        CancelTextEditor();
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        CommitTextEditor();
        return true;
    }
    return false;
}

bool EditingController::onTextEditor(TPoint p) const
{
    const TPoint scroll = m_view.scrollPosition();
    const TRect area = m_view.textEditorArea();
    const std::int64_t x = std::int64_t(p.X) - scroll.X;
    const std::int64_t y = std::int64_t(p.Y) - scroll.Y;
    return x >= area.Left && x < area.Right && y >= area.Top && y < area.Bottom;
}

void EditingController::CancelTextEditor()
{
    if (!TextEditorShowing())
        return;
    m_editorMode = EditorMode::Hidden;
    m_view.hideTextEditor();
}

void EditingController::CommitTextEditor()
{
    if (!TextEditorShowing())
        return;
    const EditorMode mode = m_editorMode;
    m_editorMode = EditorMode::Hidden;
    const QStringList lines = m_view.textEditorLines();
    const bool blank = lines.join(QLatin1Char('\n')).trimmed().isEmpty();
    if (blank || !hasCurrentPage()) {
        m_view.hideTextEditor();
        return;
    }

    if (mode == EditorMode::Editing) {
        // The edited box is the active shape, unless a restore replaced it.
        if (m_document.ActiveShape && m_document.ActiveShape->Kind == GRectText) {
            auto& text = static_cast<TRectText&>(*m_document.ActiveShape);
            text.Lines = lines;
            text.SetFont(m_view.textEditorFont());
        }
    } else {
        const TRect area = m_view.textEditorArea();
        const TPoint scroll = m_view.scrollPosition();
        TVectorGraph& pg = page();
        auto text = std::make_unique<TRectText>(
            TPoint{addClamped(scroll.X, area.Left), addClamped(scroll.Y, area.Top)},
            TPoint{addClamped(scroll.X, area.Right), addClamped(scroll.Y, area.Bottom)}, pg.ScaleX,
            pg.ScaleY);
        text->Lines = lines;
        text->SetFont(m_view.textEditorFont());
        const QString entry = QStringLiteral("新建-") + text->KindName;
        pg.AddShape(std::move(text));
        AddEntry(entry);
    }
    m_view.hideTextEditor();
    PaintSurface();
}

// Keyboard ------------------------------------------------------------------

bool EditingController::KeyDown(int key, Qt::KeyboardModifiers shift)
{
    if (!m_document.ActiveShape || !hasCurrentPage())
        return false;
    if (m_document.Locked) {
        const bool changes =
            key == Qt::Key_Delete ||
            (isArrowKey(key) && (shift & (Qt::ControlModifier | Qt::ShiftModifier)));
        if (changes && !TextEditorShowing())
            m_view.showStatus(DocumentLockedStatus);
        return false;
    }
    if (isArrowKey(key))
        return arrowKey(key, shift);
    if (key == Qt::Key_Delete)
        return deleteKey();
    return false;
}

bool EditingController::arrowKey(int key, Qt::KeyboardModifiers shift)
{
    TVectorGraph& pg = page();
    TGraphics& active = *m_document.ActiveShape;
    const bool horizontal = key == Qt::Key_Left || key == Qt::Key_Right;
    const int step = key == Qt::Key_Left || key == Qt::Key_Up ? -1 : 1;
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    const bool shiftHeld = shift.testFlag(Qt::ShiftModifier);
    // One layout pixel, as surface pixels the shapes convert back.
    const int dx = horizontal ? roundHalfEven(pg.ScaleX * step) : 0;
    const int dy = horizontal ? 0 : roundHalfEven(pg.ScaleY * step);
    Canvas& canvas = SurfaceCanvas();

    if (ctrl && shiftHeld) {
        for (const auto& shape : pg.Shapes()) {
            if (shape->Selected)
                shape->DragMove(canvas, dx, dy);
        }
        RecordChange(pg.LastHitIndex, QStringLiteral("轻移"));
    } else if (shiftHeld) {
        if ((active.Kind == GVline && horizontal) || (active.Kind == GHline && !horizontal))
            return false;
        TRect r = active.GetBounds();
        if (horizontal)
            r.Right = addClamped(r.Right, step);
        else
            r.Bottom = addClamped(r.Bottom, step);
        active.SetBounds(r);
        RecordChange(pg.LastHitIndex, QStringLiteral("更改大小"));
    } else if (ctrl) {
        active.DragMove(canvas, dx, dy);
        RecordChange(pg.LastHitIndex, QStringLiteral("轻移"));
    }
    PaintSurface();
    return true;
}

bool EditingController::deleteKey()
{
    if (TextEditorShowing())
        return false;
    const QString name = m_document.ActiveShape->KindName;
    page().DeleteSelected();
    m_document.ActiveShape = nullptr;
    AddEntry(QStringLiteral("删除-") + name);
    PaintSurface();
    return true;
}

// History -------------------------------------------------------------------

bool EditingController::RestoreEntry(int listIndex, QString* error)
{
    CancelTextEditor();
    return m_history.RestoreEntry(listIndex, error);
}

bool EditingController::Undo(QString* error)
{
    CancelTextEditor();
    return m_history.Undo(error);
}

bool EditingController::Redo(QString* error)
{
    CancelTextEditor();
    return m_history.Redo(error);
}

// Painting ------------------------------------------------------------------

bool EditingController::prepareImage(QImage& image, std::unique_ptr<QPainterCanvas>& canvas,
                                     int width, int height, QImage::Format format)
{
    canvas.reset();
    const bool resized = image.width() != width || image.height() != height;
    if (resized || image.format() != format)
        image = QImage(width, height, format);
    image.fill(format == QImage::Format_RGB32 ? Qt::white : Qt::transparent);
    canvas = std::make_unique<QPainterCanvas>(image, m_document.PixelsPerInch);
    return resized;
}

void EditingController::PaintSurface()
{
    if (!hasCurrentPage())
        return;
    TVectorGraphics& d = m_document;
    const TVectorGraph& pg = page();
    const int width = surfaceSide(pg.Width * d.PixelsPerMm * pg.ScaleX);
    const int height = int(std::min<std::int64_t>(
        surfaceSide(pg.Height * d.PixelsPerMm * pg.ScaleY), MaxSurfacePixels / width));
    // In the overlay modes the page is transparent over the background picture.
    const bool opaque = d.Modal == SheetSelfMade;
    const bool resized =
        prepareImage(m_surface, m_surfaceCanvas, width, height,
                     opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    if (resized)
        m_view.setSurfaceSize(width, height);

    Canvas& canvas = *m_surfaceCanvas;
    canvas.setPen({clBlack, 1, psSolid, pmCopy});
    canvas.setBrush({clWhite, opaque ? bsSolid : bsClear});
    canvas.Rectangle(0, 0, width, height);
    PaintCurrentPage(d, canvas, OutputScreen);
    paintRulers(m_view.scrollPosition());
    if (d.ActiveShape)
        m_view.showShapeBounds(d.ActiveShape->GetBounds());
    else
        m_view.clearShapeBounds();
    m_view.surfaceChanged();
}

void EditingController::PaintRulers()
{
    paintRulers(m_view.scrollPosition());
}

void EditingController::paintRulers(TPoint scroll)
{
    const int thickness = std::clamp(m_view.rulerThickness(), 1, MaxSurfaceSide);
    const int horzLength = std::clamp(m_view.horzRulerLength(), 1, MaxSurfaceSide);
    const int vertLength = std::clamp(m_view.vertRulerLength(), 1, MaxSurfaceSide);
    prepareImage(m_horzRuler, m_horzCanvas, horzLength, thickness, QImage::Format_RGB32);
    prepareImage(m_vertRuler, m_vertCanvas, thickness, vertLength, QImage::Format_RGB32);
    DrawRulers(m_document, scroll.X, scroll.Y, *m_vertCanvas, *m_horzCanvas, thickness, vertLength,
               horzLength);
    m_view.rulersChanged();
}

} // namespace sw
