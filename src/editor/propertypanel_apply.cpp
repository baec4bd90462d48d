// The panel and the shapes: which panels show, shape to controls, controls to
// shapes.
#include "editor/panelbinding.h"
#include "editor/propertypanel.h"

#include "document/vectorgraphics.h"
#include "shapes/rectzg.h"
#include "shapes/rimage.h"
#include "shapes/shapekinds.h"

#include <QFrame>
#include <QScopedValueRollback>

namespace sw {

namespace {

// The drawing tool of a kind (the panels of a shape are those of its tool);
// 0 for kinds no tool draws.
int toolOfKind(TGraphicsType kind)
{
    return shapeKind(kind).Tool;
}

} // namespace

void PropertyPanel::ShowPanels(int tool)
{
    static_assert(SubjectCount == KindPanelCount, "one KindPanel bit per subject panel");
    const ShapeKind* kind = shapeKindOfTool(tool);
    if (!kind) { // the select tool and the numbers without a tool
        fitHeight();
        return;
    }
    for (int subject = 0; subject < SubjectCount; ++subject) {
        if (subject != Rp3 || !kind->KeepsLinePanel)
            m_panels[subject]->setVisible((kind->Panels >> subject) & 1u);
    }
    emit surfaceCursorRequested(TCursor::Cross);
    fitHeight();
}

TVectorGraph* PropertyPanel::currentPage() const
{
    if (!m_document || m_document->CurrentPage < 0 ||
        m_document->CurrentPage >= m_document->PageCount())
        return nullptr;
    return m_document->ActivePage();
}

void PropertyPanel::ApplyPanel(TGraphics& shape, bool all)
{
    applyPanel(&shape, all);
}

bool PropertyPanel::applyPanel(TGraphics* shape, bool all)
{
    if (!m_document || m_loading || m_document->Locked || !shape || isPageMark(*shape))
        return false;
    writeInto(*shape);
    const TVectorGraph* page = all ? currentPage() : nullptr;
    if (page) {
        for (const auto& other : page->Shapes()) {
            // Page marks stay as the mark layout made them, selected or not.
            if (other.get() != shape && other->Selected && other->Kind == shape->Kind &&
                !isPageMark(*other))
                writeInto(*other);
        }
    }
    return true;
}

void PropertyPanel::writeInto(TGraphics& shape)
{
    for (const PanelBinding& binding : m_bindings)
        binding.store(shape);
    // Some kinds draw in a fixed style whatever the panel holds.
    if (auto* cut = dynamic_cast<TRectZg*>(&shape)) {
        // The label in the middle must stay readable.
        cut->Brush.Style = bsClear;
        cut->Pen.Color = clBlack;
    } else if (auto* picture = dynamic_cast<TRImage*>(&shape)) {
        picture->Pen.Color = clBlack;
        picture->Pen.Style = psDot;
        picture->Pen.Width = 1;
    } else if (shape.Kind == Gbarcode) {
        shape.Brush.Style = bsClear;
        shape.Pen.Style = psDot;
        shape.Pen.Width = 1;
    }
}

void PropertyPanel::LoadPanel(TGraphics& shape)
{
    // Setting the controls runs the change handler; nothing may reach the
    // shapes meanwhile.
    const QScopedValueRollback<bool> loading(m_loading, true);
    if (const int tool = toolOfKind(shape.Kind))
        ShowPanels(tool);
    for (const PanelBinding& binding : m_bindings)
        binding.load(shape);
}

} // namespace sw
