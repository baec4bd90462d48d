#include "document/vectorgraphics.h"

#include "document/shapefields.h"
#include "shapes/shapekinds.h"

#include <algorithm>
#include <iterator>

namespace sw {

namespace {

// Cut-box records are ordered from this record on: the first records of a
// saved document are the reserved shapes of its first page.
constexpr int FirstOrderedRecord = 6;

// Copies a shape's fields into its record.
struct FieldsToRecord
{
    const TVectorGraphics& document;

    void corners(double& x1, double& y1, double& x2, double& y2, TPoint a, TPoint b) const
    {
        x1 = document.toMillimetres(a.X);
        y1 = document.toMillimetres(a.Y);
        x2 = document.toMillimetres(b.X);
        y2 = document.toMillimetres(b.Y);
    }
    void length(const char*, double& millimetres, std::int32_t pixels) const
    {
        millimetres = document.toMillimetres(pixels);
    }
    template <class R, class S> void same(const char*, R& recordField, const S& shapeField) const
    {
        recordField = shapeField;
    }
    template <class R, class S> void recorded(const char*, R& recordField, const S& field) const
    {
        recordField = field;
    }
};

// Copies a record's fields into the shape built from it.
struct FieldsToShape
{
    const TVectorGraphics& document;

    // The shape was built from its record's corners.
    void corners(double, double, double, double, TPoint, TPoint) const {}
    void length(const char*, double millimetres, std::int32_t& pixels) const
    {
        pixels = document.toPixels(millimetres);
    }
    template <class R, class S> void same(const char*, const R& recordField, S& shapeField) const
    {
        shapeField = recordField;
    }
    template <class R, class S> void recorded(const char*, const R&, S&) const {}
};

} // namespace

void TVectorGraphics::RecordFromPage(const TVectorGraph& page)
{
    TPaper paper;
    describePaperFields(FieldsToRecord{*this}, paper, page);
    Papers.push_back(std::move(paper));
}

std::unique_ptr<TVectorGraph> TVectorGraphics::PageFromRecord(int index) const
{
    auto page = std::make_unique<TVectorGraph>();
    describePaperFields(FieldsToShape{*this}, Papers.at(std::size_t(index)), *page);
    return page;
}

void TVectorGraphics::RecordFromShape(int pageIndex, const TGraphics& shape)
{
    TGPS record(PixelsPerInch);
    record.VGIndex = pageIndex;
    record.GType = shape.Kind;
    record.Pen = shape.Pen;
    record.Brush = shape.Brush;
    record.Group = shape.Group;
    record.Tag = shape.Tag;
    record.Locked = shape.Locked;

    describeShapeFields(FieldsToRecord{*this}, record, shape);

    auto place = GPList.end();
    if (shape.Kind == GZg) {
        // Records are made page by page, so the records of this page are the
        // last ones: only they are searched.
        const auto first = GPList.begin() +
                           std::ptrdiff_t(std::min<std::size_t>(FirstOrderedRecord, GPList.size()));
        auto from = GPList.end();
        while (from != first && std::prev(from)->VGIndex == pageIndex)
            --from;
        place = std::find_if(from, GPList.end(), [&record](const TGPS& other) {
            return other.GType == GZg && other.Question > record.Question;
        });
    }
    GPList.insert(place, std::move(record));
}

TGraphics* TVectorGraphics::ShapeFromRecord(TVectorGraph& target, int recordIndex,
                                            bool selected) const
{
    const TGPS& record = GPList.at(std::size_t(recordIndex));
    const TPoint a{toPixels(record.X1), toPixels(record.Y1)};
    const TPoint b{toPixels(record.X2), toPixels(record.Y2)};
    const ShapeKind& kind = shapeKind(shapeKind(record.GType).LoadsAs);
    if (!kind.Create)
        return nullptr;
    std::unique_ptr<TGraphics> shape = kind.Create({a, b, 1.0, 1.0, 0, PixelsPerInch});
    describeShapeFields(FieldsToShape{*this}, record, *shape);

    shape->Selected = selected;
    shape->Pen = record.Pen;
    shape->Brush = record.Brush;
    shape->Tag = record.Tag;
    shape->Group = record.Group;
    // Built in layout pixels at scale 1, then brought to the page's zoom, so a
    // shape pasted onto a zoomed page lands where its original stands.
    if (target.ScaleX != 1.0 || target.ScaleY != 1.0) {
        shape->ScaleX = target.ScaleX;
        shape->ScaleY = target.ScaleY;
        shape->SetBounds(shape->GetBounds());
    }
    TGraphics* added = shape.get();
    target.AddShape(std::move(shape));
    return added;
}

void TVectorGraphics::CopyPageShapes(TVectorGraph& source, TVectorGraph& target)
{
    Papers.clear();
    GPList.clear();
    for (const auto& shape : source.Shapes())
        RecordFromShape(CurrentPage, *shape);
    // Recorded first, so copying a page onto itself is harmless.
    forgetActiveShapeOn(target);
    target.ClearShapes();
    for (int i = 0; i < int(GPList.size()); ++i)
        ShapeFromRecord(target, i, false);
}

} // namespace sw
