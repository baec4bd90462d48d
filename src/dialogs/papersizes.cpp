#include "dialogs/papersizes.h"

#include <array>
#include <cmath>

namespace sw {

namespace {

struct PaperSize
{
    const char* name;
    // Portrait, millimetres.
    double width;
    double height;
};

constexpr std::array<PaperSize, PaperSizeEntryCount> Sizes{{
    {"A3", 297, 420},
    {"A4", 210, 297},
    {"A5", 148, 210},
    {"B4", 250, 354},
    {"B5", 182, 257},
    {"正16开", 185, 260},
    {"正8开", 260, 370},
    {"大16开", 210, 285},
    {"大8开", 285, 420},
    {"自定义", 0, 0},
}};

// The fields carry one decimal; a size within this of another is that size.
constexpr double SizeTolerance = 0.05;

bool isEntry(int entry)
{
    return entry >= 0 && entry < PaperSizeEntryCount;
}

bool sameSize(const PaperSize& size, double width, double height)
{
    const auto near = [](double a, double b) { return std::abs(a - b) < SizeTolerance; };
    return (near(size.width, width) && near(size.height, height)) ||
           (near(size.width, height) && near(size.height, width));
}

} // namespace

QStringList paperSizeNames()
{
    QStringList names;
    for (const PaperSize& size : Sizes)
        names << QString::fromUtf8(size.name);
    return names;
}

std::optional<QSizeF> paperSizePreset(int entry, bool landscape)
{
    if (!isEntry(entry) || pageSizeOfEntry(entry) == Custom)
        return std::nullopt;
    const PaperSize& size = Sizes[std::size_t(entry)];
    return landscape ? QSizeF(size.height, size.width) : QSizeF(size.width, size.height);
}

TPageSize pageSizeOfEntry(int entry)
{
    return entry >= EntryA3 && entry <= EntryB5 ? TPageSize(entry) : Custom;
}

int paperSizeEntry(TPageSize size, double width, double height)
{
    if (size < Custom)
        return int(size);
    for (int entry = EntryZheng16; entry < EntryCustom; ++entry) {
        if (sameSize(Sizes[std::size_t(entry)], width, height))
            return entry;
    }
    return EntryCustom;
}

} // namespace sw
