#include "document/vectorgraphics.h"

#include "shapes/ellipse.h"
#include "shapes/line.h"
#include "shapes/linelist.h"
#include "shapes/mhsb.h"
#include "shapes/posrect.h"
#include "shapes/rectbarcode.h"
#include "shapes/rectgrid.h"
#include "shapes/rectkg.h"
#include "shapes/recttext.h"
#include "shapes/rectzg.h"
#include "shapes/rimage.h"
#include "shapes/roundrect.h"
#include "shapes/triangle.h"

#include <algorithm>
#include <iterator>

namespace sw {

namespace {

// Cut-box records are ordered from this record on: the first records of a
// saved document are the reserved shapes of its first page.
constexpr int FirstOrderedRecord = 6;

} // namespace

void TVectorGraphics::RecordFromPage(const TVectorGraph& page)
{
    TPaper paper;
    paper.PaperType = page.PaperType;
    paper.PageNumber = page.PageNumber;
    paper.PicturePath = page.PicturePath;
    paper.Left = page.Left;
    paper.Top = page.Top;
    paper.LeftMargin = page.LeftMargin;
    paper.RightMargin = page.RightMargin;
    paper.TopMargin = page.TopMargin;
    paper.BottomMargin = page.BottomMargin;
    paper.PageSize = page.PageSize;
    paper.Height = page.Height;
    paper.Width = page.Width;
    paper.Orientation = page.Orientation;
    Papers.push_back(std::move(paper));
}

std::unique_ptr<TVectorGraph> TVectorGraphics::PageFromRecord(int index) const
{
    const TPaper& paper = Papers.at(std::size_t(index));
    auto page = std::make_unique<TVectorGraph>();
    page->PaperType = paper.PaperType;
    page->PicturePath = paper.PicturePath;
    page->Left = paper.Left;
    page->Top = paper.Top;
    page->LeftMargin = paper.LeftMargin;
    page->RightMargin = paper.RightMargin;
    page->TopMargin = paper.TopMargin;
    page->BottomMargin = paper.BottomMargin;
    page->PageSize = paper.PageSize;
    page->Height = paper.Height;
    page->Width = paper.Width;
    page->Orientation = paper.Orientation;
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

    if (const auto* line = dynamic_cast<const TLine*>(&shape)) {
        record.X1 = toMillimetres(line->P1.X);
        record.Y1 = toMillimetres(line->P1.Y);
        record.X2 = toMillimetres(line->P2.X);
        record.Y2 = toMillimetres(line->P2.Y);
    } else if (const auto* box = dynamic_cast<const TRectangle*>(&shape)) {
        record.X1 = toMillimetres(box->TopLeft.X);
        record.Y1 = toMillimetres(box->TopLeft.Y);
        record.X2 = toMillimetres(box->BottomRight.X);
        record.Y2 = toMillimetres(box->BottomRight.Y);
    }

    if (const auto* round = dynamic_cast<const TRoundRect*>(&shape)) {
        record.Radii = toMillimetres(round->Radius);
    } else if (const auto* text = dynamic_cast<const TRectText*>(&shape)) {
        record.Text = text->Lines;
        record.Font = text->Font;
    } else if (const auto* grid = dynamic_cast<const TRectGrid*>(&shape)) {
        record.GridHeight = toMillimetres(grid->GridHeight);
        record.Gridwidth = toMillimetres(grid->Gridwidth);
        record.RowSpace = toMillimetres(grid->RowSpace);
        record.ColSpace = toMillimetres(grid->ColSpace);
        record.Row = grid->Row;
        record.col = grid->col;
    } else if (const auto* kg = dynamic_cast<const TRectKg*>(&shape)) {
        record.KeyText = kg->KeyText;
        record.Spread = kg->Spread;
        record.FormatText = kg->FormatText;
        record.Aspect = kg->Aspect;
        record.TextType = kg->TextType;
        record.ShowType = kg->ShowType;
        record.GridHeight = toMillimetres(kg->GridHeight);
        record.Gridwidth = toMillimetres(kg->Gridwidth);
        record.RowSpace = toMillimetres(kg->RowSpace);
        record.ColSpace = toMillimetres(kg->ColSpace);
        record.Font = kg->Font;
        record.NumberFont = kg->NumberFont;
        record.ShowNumber = kg->ShowNumber;
        record.Row = kg->Row;
        record.col = kg->col;
        record.OptionType = kg->OptionType;
        record.StartNumberAgg = kg->StartNumberAgg;
        record.GLZG = kg->GLZG;
        record.ReadType = kg->ReadType;
    } else if (const auto* triangle = dynamic_cast<const TTriangle*>(&shape)) {
        record.Aspect = triangle->Aspect;
    } else if (const auto* zg = dynamic_cast<const TRectZg*>(&shape)) {
        record.Question = zg->Question;
        record.Number = zg->Number;
        record.Caption = zg->Caption;
        record.XZT = zg->XZT;
        record.XZTH = zg->XZTH;
    } else if (const auto* picture = dynamic_cast<const TRImage*>(&shape)) {
        record.PicturePath = picture->PicturePath;
    } else if (const auto* fuzzy = dynamic_cast<const TMHSB*>(&shape)) {
        record.Number = fuzzy->Number;
        record.SBSL = fuzzy->SBSL;
        record.PointList = fuzzy->PointList;
        record.PointX = toMillimetres(fuzzy->PointX);
        record.PointY = toMillimetres(fuzzy->PointY);
    } else if (const auto* lines = dynamic_cast<const TLinelist*>(&shape)) {
        record.Text = lines->Lines;
        record.Font = lines->Font;
        record.Row = lines->Row;
    }

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

namespace {

// The shape of a record's kind with its corners (layout pixels) at scale 1;
// nullptr for the kinds without a shape class.
std::unique_ptr<TGraphics> shapeOfKind(const TGPS& record, TPoint a, TPoint b, int radius,
                                       int pixelsPerInch)
{
    switch (record.GType) {
    case GLine:
    case GHline:
    case GVline:
        return std::make_unique<TLine>(a, b, 1.0, 1.0);
    case GRectangle:
        return std::make_unique<TRectangle>(a, b, 1.0, 1.0);
    case GRoundRect:
        return std::make_unique<TRoundRect>(a, b, 1.0, 1.0, radius);
    case GRectText:
        return std::make_unique<TRectText>(a, b, 1.0, 1.0);
    case GEllipse:
        return std::make_unique<TEllipse>(a, b, 1.0, 1.0);
    case GGrid:
        return std::make_unique<TRectGrid>(a, b, 1.0, 1.0);
    case GKg:
        return std::make_unique<TRectKg>(a, b, 1.0, 1.0);
    case GTriangle:
        return std::make_unique<TTriangle>(a, b, 1.0, 1.0);
    case GZg:
        return std::make_unique<TRectZg>(a, b, 1.0, 1.0);
    case GDw:
        return std::make_unique<TPosRect>(a, b, 1.0, 1.0);
    case Gbarcode:
        return std::make_unique<TRectbarcode>(a, b, 1.0, 1.0);
    case GRImage:
        return std::make_unique<TRImage>(a, b, 1.0, 1.0);
    case GMHSB:
        return std::make_unique<TMHSB>(a, b, 1.0, 1.0);
    case GLinelist:
        return std::make_unique<TLinelist>(a, b, 1.0, 1.0, pixelsPerInch);
    case GErrorImg:
    case GOkImg:
    case gsinline:
        break;
    }
    return nullptr;
}

} // namespace

TGraphics* TVectorGraphics::ShapeFromRecord(TVectorGraph& target, int recordIndex,
                                            bool selected) const
{
    const TGPS& record = GPList.at(std::size_t(recordIndex));
    const TPoint a{toPixels(record.X1), toPixels(record.Y1)};
    const TPoint b{toPixels(record.X2), toPixels(record.Y2)};
    std::unique_ptr<TGraphics> shape =
        shapeOfKind(record, a, b, toPixels(record.Radii), PixelsPerInch);
    if (!shape)
        return nullptr;

    if (auto* text = dynamic_cast<TRectText*>(shape.get())) {
        text->Lines = record.Text;
        text->SetFont(record.Font);
    } else if (auto* grid = dynamic_cast<TRectGrid*>(shape.get())) {
        grid->GridHeight = toPixels(record.GridHeight);
        grid->Gridwidth = toPixels(record.Gridwidth);
        grid->RowSpace = toPixels(record.RowSpace);
        grid->ColSpace = toPixels(record.ColSpace);
        grid->Row = record.Row;
        grid->col = record.col;
    } else if (auto* kg = dynamic_cast<TRectKg*>(shape.get())) {
        kg->KeyText = record.KeyText;
        kg->Spread = record.Spread;
        kg->FormatText = record.FormatText;
        kg->Aspect = record.Aspect;
        kg->TextType = record.TextType;
        kg->ShowType = record.ShowType;
        kg->GridHeight = toPixels(record.GridHeight);
        kg->Gridwidth = toPixels(record.Gridwidth);
        kg->RowSpace = toPixels(record.RowSpace);
        kg->ColSpace = toPixels(record.ColSpace);
        kg->SetFont(record.Font);
        kg->SetNumberFont(record.NumberFont);
        kg->ShowNumber = record.ShowNumber;
        kg->Row = record.Row;
        kg->col = record.col;
        kg->OptionType = record.OptionType;
        kg->StartNumberAgg = record.StartNumberAgg;
        kg->GLZG = record.GLZG;
        kg->ReadType = record.ReadType;
    } else if (auto* triangle = dynamic_cast<TTriangle*>(shape.get())) {
        triangle->Aspect = record.Aspect;
    } else if (auto* zg = dynamic_cast<TRectZg*>(shape.get())) {
        zg->Question = record.Question;
        zg->Number = record.Number;
        zg->Caption = record.Caption;
        zg->XZT = record.XZT;
        zg->XZTH = record.XZTH;
    } else if (auto* picture = dynamic_cast<TRImage*>(shape.get())) {
        picture->PicturePath = record.PicturePath;
    } else if (auto* fuzzy = dynamic_cast<TMHSB*>(shape.get())) {
        fuzzy->Number = record.Number;
        fuzzy->SBSL = record.SBSL;
        fuzzy->PointList = record.PointList;
        fuzzy->PointX = toPixels(record.PointX);
        fuzzy->PointY = toPixels(record.PointY);
    } else if (auto* lines = dynamic_cast<TLinelist*>(shape.get())) {
        lines->Lines = record.Text;
        lines->SetFont(record.Font);
        lines->Row = record.Row;
    }

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
