#include "document/selection.h"

#include "document/vectorgraphics.h"
#include "platform/rounding.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace sw {

namespace {

bool selectable(const TVectorGraphics& document, const TGraphics& shape)
{
    if (shape.Locked || !shape.Visible || shape.Kind == GDw)
        return false;
    return document.Modal != SheetSelfMade || !isPageMark(shape);
}

// The band in layout pixels of the page, edges sorted.
TRect layoutBand(const TVectorGraphics& document, const TVectorGraph& page)
{
    const TPoint a = document.Interaction.BandStart;
    const TPoint b = document.Interaction.BandEnd;
    return {roundHalfEven(std::min(a.X, b.X) / page.ScaleX),
            roundHalfEven(std::min(a.Y, b.Y) / page.ScaleY),
            roundHalfEven(std::max(a.X, b.X) / page.ScaleX),
            roundHalfEven(std::max(a.Y, b.Y) / page.ScaleY)};
}

bool cornerIn(const TRect& band, const TRect& r)
{
    return band.contains({r.Left, r.Bottom}) || band.contains({r.Right, r.Top}) ||
           band.contains({r.Left, r.Top}) || band.contains({r.Right, r.Bottom});
}

} // namespace

bool SelectShape(TVectorGraphics& document, TGraphics& shape, bool add, bool withGroup)
{
    const TVectorGraph* page = document.ActivePage();
    if (!page || !selectable(document, shape))
        return false;
    if (!add && !shape.Selected) {
        for (const auto& other : page->Shapes()) {
            if (other.get() != &shape)
                other->Deselect();
        }
    }
    if (withGroup && shape.Group != 0) {
        for (const auto& member : page->Shapes()) {
            if (member->Group == shape.Group)
                member->Select();
        }
    }
    shape.Select();
    document.ActiveShape = &shape;
    return true;
}

void SelectInBand(TVectorGraphics& document)
{
    const TVectorGraph* page = document.ActivePage();
    if (!document.Interaction.BandPending || !page)
        return;
    const TRect band = layoutBand(document, *page);
    for (int i = 0; i < page->ShapeCount(); ++i) {
        TGraphics& shape = *page->ShapeItem(i);
        if (cornerIn(band, shape.GetBounds()))
            SelectShape(document, shape, true, false);
    }
    document.Interaction.BandPending = false;
}

void GroupSelection(TVectorGraphics& document)
{
    const TVectorGraph* page = document.ActivePage();
    if (!page || page->SelectedCount() < 2)
        return;
    std::int32_t highest = 0;
    for (const auto& shape : page->Shapes())
        highest = std::max(highest, shape->Group);
    // A file may hold any group number; never wrap around into another group.
    if (highest == std::numeric_limits<std::int32_t>::max())
        return;
    for (const auto& shape : page->Shapes()) {
        if (shape->Selected)
            shape->Group = highest + 1;
    }
}

void UngroupSelection(TVectorGraphics& document)
{
    const TVectorGraph* page = document.ActivePage();
    if (!page)
        return;
    for (const auto& shape : page->Shapes()) {
        if (shape->Selected)
            shape->Group = 0;
    }
}

void MarkSelectionForCopy(TVectorGraphics& document)
{
    for (int p = 0; p < document.PageCount(); ++p) {
        for (const auto& shape : document.PageAt(p)->Shapes())
            shape->CopyMark = shape->Selected && !shape->Locked;
    }
}

void ClearCopyMarks(TVectorGraphics& document)
{
    for (int p = 0; p < document.PageCount(); ++p) {
        for (const auto& shape : document.PageAt(p)->Shapes())
            shape->CopyMark = false;
    }
}

std::vector<TGPS> RecordsOfSelection(TVectorGraphics& document)
{
    const TVectorGraph* page = document.ActivePage();
    if (!page)
        return {};
    document.GPList.clear();
    for (const auto& shape : page->Shapes()) {
        if (shape->Selected && !shape->Locked)
            document.RecordFromShape(document.CurrentPage, *shape);
    }
    return std::exchange(document.GPList, {});
}

void PasteMarked(TVectorGraphics& document)
{
    if (!document.ActivePage())
        return;
    document.GPList.clear();
    for (int p = 0; p < document.PageCount(); ++p) {
        for (const auto& shape : document.PageAt(p)->Shapes()) {
            if (shape->CopyMark)
                document.RecordFromShape(p, *shape);
        }
    }
    PasteRecords(document, std::exchange(document.GPList, {}));
}

void PasteRecords(TVectorGraphics& document, std::vector<TGPS> records)
{
    TVectorGraph* target = document.ActivePage();
    if (!target)
        return;
    for (int p = 0; p < document.PageCount(); ++p) {
        for (const auto& shape : document.PageAt(p)->Shapes())
            shape->Deselect();
    }
    document.GPList = std::move(records);
    for (int i = 0; i < int(document.GPList.size()); ++i) {
        document.GPList[std::size_t(i)].Group = 0;
        document.ShapeFromRecord(*target, i, true);
    }
}

} // namespace sw
