// The panel and the shapes: which panels show, shape to controls, controls to
// shapes.
#include "editor/panelbinding.h"
#include "editor/propertypanel.h"

#include "document/vectorgraphics.h"
#include "shapes/rectzg.h"
#include "shapes/rimage.h"

#include <QFrame>
#include <QScopedValueRollback>
#include <initializer_list>

namespace sw {

namespace {

// The drawing tool of a kind (the panels of a shape are those of its tool);
// 0 for kinds no tool draws.
int toolOfKind(TGraphicsType kind)
{
    switch (kind) {
    case GLine:
        return 1;
    case GRectangle:
        return 2;
    case GRoundRect:
        return 3;
    case GEllipse:
        return 4;
    case GRectText:
        return 5;
    case GGrid:
        return 6;
    case GKg:
        return 7;
    case GTriangle:
        return 8;
    case GZg:
        return 9;
    case Gbarcode:
        return 13;
    case GRImage:
        return 14;
    case GHline:
        return 15;
    case GVline:
        return 16;
    case GMHSB:
        return 17;
    case GLinelist:
        return 18;
    default:
        return 0;
    }
}

} // namespace

void TPropertyPanel::ShowPanels(int tool)
{
    const auto panels = [](std::initializer_list<Subject> subjects) {
        unsigned bits = 0;
        for (const Subject subject : subjects)
            bits |= 1u << subject;
        return bits;
    };
    unsigned shown = 0;
    bool keepsLine = false; // the picture and barcode tools leave "rp3" as it is
    switch (tool) {
    case 1:
    case 15:
    case 16:
        shown = panels({Rp3, Rp4});
        break;
    case 2:
    case 4:
        shown = panels({Rp3, Rp4, Rp5});
        break;
    case 3:
        shown = panels({Rp3, Rp4, Rp5, Rp7});
        break;
    case 5:
        shown = panels({Rp5, Rp6});
        break;
    case 6:
        shown = panels({Rp3, Rp4, Rp9});
        break;
    case 7:
        shown = panels({Rp1, Rp2, Rp4});
        break;
    case 8:
        shown = panels({Rp3, Rp4, Rp5, Rp8});
        break;
    case 9:
        shown = panels({Rp3, Rp10});
        break;
    case 13:
        shown = panels({Rp4});
        keepsLine = true;
        break;
    case 14:
        shown = panels({Rp11});
        keepsLine = true;
        break;
    case 17:
        shown = panels({Rp12});
        break;
    case 18:
        shown = panels({Rp3, Rp4, RP13});
        break;
    default: // the select tool and the numbers without a tool
        fitHeight();
        return;
    }
    for (int subject = 0; subject < SubjectCount; ++subject) {
        if (subject != Rp3 || !keepsLine)
            m_panels[subject]->setVisible((shown >> subject) & 1u);
    }
    emit surfaceCursorRequested(TCursor::Cross);
    fitHeight();
}

TVectorGraph* TPropertyPanel::currentPage() const
{
    if (!m_document || m_document->CurrentPage < 0 ||
        m_document->CurrentPage >= m_document->PageCount())
        return nullptr;
    return m_document->ActivePage();
}

void TPropertyPanel::ApplyPanel(TGraphics& shape, bool all)
{
    applyPanel(&shape, all);
}

bool TPropertyPanel::applyPanel(TGraphics* shape, bool all)
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

void TPropertyPanel::writeInto(TGraphics& shape)
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

void TPropertyPanel::LoadPanel(TGraphics& shape)
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
