#include "editor/editcommands.h"

#include "document/arrange.h"
#include "document/selection.h"
#include "document/vectorgraphics.h"
#include "editor/editingcontroller.h"
#include "editor/mainwindow.h"
#include "platform/widgets/dialogservice.h"

namespace sw {

namespace {

const ArrangeCommand Commands[] = {
    {"AlignLeftAct", "左对齐", "左对齐", "align-horizontal-left", "align-left", AlignLeft},
    {"AlignRightAct", "右对齐", "右对齐", "align-horizontal-right", "align-right", AlignRight},
    {"AlignTopAct", "顶对齐", "顶对齐", "align-vertical-top", "align-top", AlignTop},
    {"AlignBottomAct", "底对齐", "底对齐", "align-vertical-bottom", "align-bottom", AlignBottom},
    {"CentreHorizontallyAct", "横向对齐", "横向居中", "distribute-horizontal-x", "distribute-h",
     DistributeHorizontally},
    {"CentreVerticallyAct", "纵向对齐", "纵向居中", "distribute-vertical-y", "distribute-v",
     DistributeVertically},
    {"MaxWidthAct", "最大宽度", "最大宽度", "", "max-width", MaxWidth},
    {"MaxHeightAct", "最大高度", "最大高度", "", "max-height", MaxHeight},
    {"MinWidthAct", "最小宽度", "最小宽度", "", "min-width", MinWidth},
    {"MinHeightAct", "最小高度", "最小高度", "", "min-height", MinHeight},
};

// The four positioning boxes and the two page marks come first.
constexpr int FirstUserShape = 6;

bool hasCopyMarks(const TVectorGraphics& document)
{
    for (int p = 0; p < document.PageCount(); ++p) {
        for (const auto& shape : document.PageAt(p)->Shapes()) {
            if (shape->CopyMark)
                return true;
        }
    }
    return false;
}

} // namespace

std::span<const ArrangeCommand> arrangeCommands()
{
    return Commands;
}

void EditCommands::record(const char* entry)
{
    m_window.controller().AddEntry(QString::fromUtf8(entry));
    m_window.document().Changed();
}

void EditCommands::Copy()
{
    m_cut.clear();
    MarkSelectionForCopy(m_window.document());
}

void EditCommands::Cut()
{
    TVectorGraphics& document = m_window.document();
    if (!document.ActiveShape)
        return;
    if (document.Locked) {
        m_window.showStatus(DocumentLockedStatus);
        return;
    }
    m_cut = RecordsOfSelection(document);
    ClearCopyMarks(document);
    m_window.controller().KeyDown(Qt::Key_Delete, Qt::ControlModifier);
}

void EditCommands::Paste()
{
    if (!confirm(&m_window, QStringLiteral("您确信要粘贴图形吗？")))
        return;
    TVectorGraphics& document = m_window.document();
    // Nothing copied changes nothing: no history entry, no unsaved mark.
    if (hasCopyMarks(document)) {
        PasteMarked(document);
    } else if (!m_cut.empty()) {
        PasteRecords(document, m_cut);
    } else {
        m_window.showStatus(NothingCopiedStatus);
        return;
    }
    record("粘贴图形");
}

void EditCommands::SelectAll()
{
    TVectorGraph* page = m_window.currentPage();
    if (!page)
        return;
    TVectorGraphics& document = m_window.document();
    for (int i = FirstUserShape; i < page->ShapeCount(); ++i)
        SelectShape(document, *page->ShapeItem(i), true, false);
    if (document.ActiveShape)
        m_window.loadPanel(*document.ActiveShape);
    document.Changed();
}

void EditCommands::Group()
{
    GroupSelection(m_window.document());
    record("组合图形");
}

void EditCommands::Ungroup()
{
    UngroupSelection(m_window.document());
    record("解散图形");
}

void EditCommands::SetLocked(bool locked)
{
    m_window.document().Locked = locked;
    // The lock is saved with the template but makes no history entry.
    m_window.controller().History().MarkChanged();
}

void EditCommands::Arrange(const ArrangeCommand& command)
{
    command.run(m_window.document());
    record(command.hint);
}

} // namespace sw
