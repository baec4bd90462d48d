#include "document/vectorgraphics.h"

#include "platform/rounding.h"
#include "shapes/posrect.h"
#include "shapes/rectkg.h"
#include "shapes/recttext.h"

#include <algorithm>

namespace sw {

namespace {

const QString PaperTypeLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");

} // namespace

TVectorGraphics::TVectorGraphics(int pixelsPerInch)
    : PixelsPerInch(pixelsPerInch), PixelsPerMm(pixelsPerInch / 25.4)
{
}

TVectorGraphics::~TVectorGraphics()
{
    Clear();
}

int TVectorGraphics::toPixels(double mm) const
{
    return roundHalfEven(mm * PixelsPerMm);
}

TVectorGraph* TVectorGraphics::NewPage(int source, int position, QString* error)
{
    QChar paperType;
    if (position == -1) {
        const QString types = PaperTypes();
        if (types.size() >= PaperTypeLetters.size()) {
            if (error)
                *error = NoPaperTypeLeftMessage;
            return nullptr;
        }
        paperType = PaperTypeLetters.at(types.size());
    } else if (const TVectorGraph* at = PageAt(position)) {
        paperType = at->PaperType;
    } else {
        if (error)
            *error = QStringLiteral("No page %1").arg(position + 1);
        return nullptr;
    }
    TVectorGraph* sourcePage = source == -1 ? nullptr : PageAt(source);

    auto created = std::make_unique<TVectorGraph>();
    TVectorGraph* page = created.get();
    page->PaperType = paperType;
    if (position == -1) {
        AddPage(std::move(created));
    } else {
        InsertPage(position + 1, std::move(created));
        CurrentPage = position + 1;
    }

    if (sourcePage)
        CopyPageShapes(*sourcePage, *page);
    else
        addReservedShapes();
    return page;
}

void TVectorGraphics::addReservedShapes()
{
    const TVectorGraph& page = *ActivePage();
    for (int i = 0; i < PosBoxCount; ++i)
        AddShape(std::make_unique<TPosRect>(TPoint{1, 1}, TPoint{1, 1}, page.ScaleX, page.ScaleY));
    for (const TTextType purpose : {RSPaperType, RSPageNumber}) {
        auto mark = std::make_unique<TRectKg>(TPoint{0, 0}, TPoint{0, 0}, page.ScaleX, page.ScaleY);
        mark->Gridwidth = toPixels(3.0);
        mark->GridHeight = toPixels(DWH);
        mark->Row = 1;
        mark->col = 4;
        mark->KeyText = mark->FormatText =
            purpose == RSPaperType ? QStringLiteral("12") : QStringLiteral("1248");
        mark->Aspect = ARight;
        mark->Pen.Color = clBlack;
        mark->ShowType = SDeny;
        mark->Spread = true;
        mark->TextType = purpose;
        mark->ColSpace = toPixels(2.0);
        AddShape(std::move(mark));
    }
    AddShape(std::make_unique<TRectText>(TPoint{0, 0}, TPoint{0, 0}, page.ScaleX, page.ScaleY));
}

void TVectorGraphics::AddPage(std::unique_ptr<TVectorGraph> page)
{
    m_pages.push_back(std::move(page));
    CurrentPage = PageCount() - 1;
    Q_EMIT changed();
}

void TVectorGraphics::InsertPage(int index, std::unique_ptr<TVectorGraph> page)
{
    m_pages.insert(m_pages.begin() + index, std::move(page));
    Q_EMIT changed();
}

void TVectorGraphics::DeletePage(int index)
{
    const TVectorGraph* page = PageAt(index);
    if (!page)
        return;
    forgetActiveShapeOn(*page);
    m_pages.erase(m_pages.begin() + index);
    Q_EMIT changed();
}

void TVectorGraphics::AddShape(std::unique_ptr<TGraphics> shape)
{
    if (TVectorGraph* page = ActivePage()) {
        page->AddShape(std::move(shape));
        Q_EMIT changed();
    }
}

QString TVectorGraphics::PaperTypes() const
{
    QString types;
    for (const auto& page : m_pages) {
        if (!types.contains(page->PaperType))
            types += page->PaperType;
    }
    return types;
}

void TVectorGraphics::Clear()
{
    while (!m_pages.empty())
        DeletePage(PageCount() - 1);
    ActiveShape = nullptr;
    Papers.clear();
    GPList.clear();
    Geifen.clear();
    CurrentPage = 0;
    Q_EMIT changed();
}

void TVectorGraphics::forgetActiveShapeOn(const TVectorGraph& page)
{
    if (ActiveShape && page.IndexOf(ActiveShape) >= 0)
        ActiveShape = nullptr;
}

} // namespace sw
