#include "wizard/generation.h"

#include "document/vectorgraphics.h"
#include "wizard/settings.h"
#include "wizard/wizardhost.h"

namespace sw {

// One paper type of pagecount pages of the chosen paper, each added like the
// window adds a page: a tab, renumbered pages, the new tab selected and the
// marks laid out again.
void createPages(SheetGeneration& g)
{
    const PaperFormat format = paperFormat(g.settings.pagesize);
    for (int k = 0; k < g.settings.pagecount; ++k) {
        QString error;
        TVectorGraph* page = g.document.NewPage(-1, k == 0 ? -1 : k - 1, &error);
        if (!page)
            throw GenerationError(error);
        g.host.addTab();
        g.document.RenumberPages();
        g.host.relabelTabs();
        g.host.selectTab(g.document.CurrentPage);
        page->PageSize = format.size;
        page->Orientation = format.orientation;
        page->LeftMargin = page->RightMargin = sheet::MarginMm;
        page->TopMargin = page->BottomMargin = sheet::MarginMm;
        g.Yc = g.rnd(10 * g.P());
        page->Width = format.width;
        page->Height = format.height;
        g.document.LayoutMarks();
    }
}

} // namespace sw
