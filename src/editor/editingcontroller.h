#pragma once

#include "editor/history.h"
#include "platform/geometry.h"
#include "platform/graphicstypes.h"
#include "shapes/enums.h"
#include "shapes/shapekinds.h"

#include <QImage>
#include <QString>
#include <Qt>
#include <cstdint>
#include <memory>

namespace sw {

class Canvas;
class EditorView;
class QPainterCanvas;
class TGraphics;
class TVectorGraph;
class TVectorGraphics;

inline const QString BarcodeExistsMessage = QString::fromUtf8(shapeKind(Gbarcode).LimitMessage);
inline const QString FuzzyBoxLimitMessage = QString::fromUtf8(shapeKind(GMHSB).LimitMessage);
// Status-bar notes for requests refused without a message box.
inline const QString DocumentLockedStatus =
    QStringLiteral("模板已锁定：图形不能移动、改变大小或删除");
inline const QString ShapeLockedStatus = QStringLiteral("该图形已锁定，不能选择");
inline const QString NoOptionCharactersStatus = QStringLiteral("没有选项字符，不能画客观题");
inline const QString CutBoxTooSmallStatus = QString::fromUtf8(shapeKind(GZg).TooSmallStatus);
inline const QString BarcodeTooSmallStatus = QString::fromUtf8(shapeKind(Gbarcode).TooSmallStatus);

// The editing controller: turns the page surface's mouse events and the
// window's keys into changes of the document (creating, selecting, moving,
// resizing, nudging and deleting shapes, the in-place text editor), paints
// the surface and the rulers into backing images, and records every change in
// the operation history it owns. The interaction state lives in the document
// (TVectorGraphics::Interaction: Tool, BandStart, Creating, Moving, ...).
//
// Event coordinates are surface pixels (the page at its zoom). Drag outlines
// and previews are drawn inverting (not-xor) straight into the surface image
// between two paintings, so the window must show the image as it is and call
// PaintSurface only when it wants the page drawn afresh (zoom, page change,
// its own commands), never from its paint event.
class EditingController
{
public:
    // Empties the history. The document and the view must outlive the
    // controller.
    EditingController(TVectorGraphics& document, EditorView& view);
    ~EditingController();
    EditingController(const EditingController&) = delete;
    EditingController& operator=(const EditingController&) = delete;

    // Mouse on the surface. Every button acts alike. Presses are ignored while
    // the text editor shows; all events are ignored without a current page.
    // A release ends every drag and returns the tool to 0 (one shape per
    // choice of a drawing tool).
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void MouseUp(int x, int y);
    // Opens the text editor on the text box under the preceding press.
    void DoubleClick();

    // Keys are Qt::Key values. Arrow keys (Ctrl: nudge, Shift: resize, both:
    // nudge every selected shape) and Delete (also Ctrl+Delete, the toolbar's
    // delete button) act on an unlocked document with an active shape. True
    // when the key was used up; the window handles it no further then.
    bool KeyDown(int key, Qt::KeyboardModifiers shift);
    // A key typed into the text editor: Escape cancels, Enter commits. True
    // when the key was used up.
    bool TextEditorKeyPress(int key);
    bool TextEditorShowing() const { return m_editorMode != EditorMode::Hidden; }
    // Hides the text editor without changing anything (Escape).
    void CancelTextEditor();
    // Enter in the text editor: creates the text box or changes the edited
    // one, unless the text is blank; hides the editor.
    void CommitTextEditor();

    // Draws the current page afresh into the surface image, sized to the page
    // at its zoom, and the rulers.
    void PaintSurface();
    // Redraws the rulers only (the window's size changes).
    void PaintRulers();

    const QImage& SurfaceImage() const { return m_surface; }
    const QImage& HorzRulerImage() const { return m_horzRuler; }
    const QImage& VertRulerImage() const { return m_vertRuler; }
    Canvas& SurfaceCanvas();

    // The history (Qt list model of its rows).
    OperationHistory& History() { return m_history; }
    void ResetHistory() { m_history.ResetHistory(); }
    void AddEntry(const QString& text) { m_history.AddEntry(text); }
    void RecordChange(std::int32_t key, const QString& text) { m_history.RecordChange(key, text); }
    // The text editor is closed first: it may belong to a shape that goes.
    bool RestoreEntry(int listIndex, QString* error = nullptr);
    // One history entry back or forward, as RestoreEntry.
    bool Undo(QString* error = nullptr);
    bool Redo(QString* error = nullptr);

    // Steps of the mouse operations, public for the window's benefit.

    // The preview figure of the current tool from p1 to p2, dotted black.
    void DrawPreview(TPoint p1, TPoint p2, TPenMode mode);
    // Creates the shape of the current tool from BandStart and BandEnd (or
    // opens the text editor for tool 5).
    void CreateShape();

private:
    // Whether the surface point lies on the text editor.
    bool onTextEditor(TPoint p) const;
    enum class EditorMode
    {
        Hidden,
        Creating,
        Editing
    };

    bool hasCurrentPage() const;
    TVectorGraph& page() const;
    void setCursor(TCursor cursor);
    void drawBand();
    bool refusesCreation();
    // Why the current tool cannot create its shape from the band, empty
    // when it can.
    QString creationRefusal() const;
    std::unique_ptr<TGraphics> newShape() const;
    void addCreatedShape(std::unique_ptr<TGraphics> shape);
    void enforceMinimumSize(TGraphics& shape);
    bool arrowKey(int key, Qt::KeyboardModifiers shift);
    bool deleteKey();
    // Clears the image (white, or transparent when it has alpha) with a new
    // canvas on it; true when its size changed.
    bool prepareImage(QImage& image, std::unique_ptr<QPainterCanvas>& canvas, int width, int height,
                      QImage::Format format);
    void paintRulers(TPoint scroll);

    TVectorGraphics& m_document;
    EditorView& m_view;
    OperationHistory m_history;
    QImage m_surface;
    QImage m_horzRuler;
    QImage m_vertRuler;
    std::unique_ptr<QPainterCanvas> m_surfaceCanvas;
    std::unique_ptr<QPainterCanvas> m_horzCanvas;
    std::unique_ptr<QPainterCanvas> m_vertCanvas;
    EditorMode m_editorMode = EditorMode::Hidden;
    TCursor m_cursor = TCursor::Default;
};

} // namespace sw
