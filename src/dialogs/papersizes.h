#pragma once

#include "shapes/enums.h"

#include <QSizeF>
#include <QStringList>
#include <optional>

namespace sw {

// The page setup's size list. Entries 0 to 4 are the page sizes A3 to B5;
// the rest are stored as Custom, the page keeping its real width and height,
// and are told apart again by that size: a Custom page of a Chinese book
// size (either way round) shows that entry, any other Custom page "自定义".
enum PaperSizeEntry
{
    EntryA3,
    EntryA4,
    EntryA5,
    EntryB4,
    EntryB5,
    EntryZheng16,
    EntryZheng8,
    EntryDa16,
    EntryDa8,
    EntryCustom,
    PaperSizeEntryCount
};

// "A3", "A4", "A5", "B4", "B5", "正16开", "正8开", "大16开", "大8开", "自定义".
QStringList paperSizeNames();

// Width and height in millimetres that choosing the entry writes into the
// fields, landscape swapping them; nothing for the entries without a preset
// (the Chinese book sizes and "自定义").
std::optional<QSizeF> paperSizePreset(int entry, bool landscape);

// What a page of the entry stores in PageSize.
TPageSize pageSizeOfEntry(int entry);

// The entry that shows a page of that PageSize and size (millimetres).
int paperSizeEntry(TPageSize size, double width, double height);

} // namespace sw
