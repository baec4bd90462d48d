#pragma once

// The two templates the scan reader fuzzer reads against, shared with the
// program that draws its seed scans.

#include "document/analysis/fuzzyboxes.h"
#include "document/painting.h"
#include "document/vectorgraphics.h"
#include "shapes/ellipse.h"
#include "shapes/mhsb.h"
#include "shapes/rectkg.h"
#include "shapes/rectzg.h"
#include "shapes/triangle.h"

#include <QImage>
#include <memory>

namespace sw::fuzz {

inline void addBubbles(TVectorGraphics& document, TTextType purpose, TAspect aspect,
                       const QString& options, int questions, TPoint at)
{
    auto box = std::make_unique<TRectKg>(at, at, 1.0, 1.0);
    box->TextType = purpose;
    box->Aspect = aspect;
    box->FormatText = options;
    const bool across = aspect == ARight || aspect == ALeft;
    box->col = across ? int(options.size()) : questions;
    box->Row = across ? questions : int(options.size());
    box->Gridwidth = 18;
    box->GridHeight = 10;
    box->ColSpace = 7;
    box->RowSpace = 7;
    box->ShowType = SInner;
    box->ShowNumber = true;
    document.AddShape(std::move(box));
}

template <typename Shape> void addSolid(TVectorGraphics& document, TPoint a, TPoint b)
{
    auto shape = std::make_unique<Shape>(a, b, 1.0, 1.0);
    shape->Brush = {clBlack, bsSolid};
    document.AddShape(std::move(shape));
}

// The first page as printed at `dpi`.
inline QImage printedPage(TVectorGraphics& document, double dpi)
{
    return printedPageImage(document, 0, outputScale(dpi, document.PixelsPerMm));
}

// A self-made page with positioning boxes, an exam number, answers and a
// cut box; with `fuzzy` laid over in mode 4 instead, found by three fuzzy
// boxes that learnt solid shapes printed on it.
inline std::unique_ptr<TVectorGraphics> scanTemplate(bool fuzzy)
{
    auto document = std::make_unique<TVectorGraphics>(96);
    document->NewPage(-1, -1);
    addBubbles(*document, RSExamCode, ADown, QStringLiteral("0123456789"), 4, {120, 120});
    addBubbles(*document, RSResult, ADown, QStringLiteral("ABCD"), 5, {120, 380});
    addBubbles(*document, RSResult, ARight, QStringLiteral("ABCDE"), 4, {320, 380});
    auto cut = std::make_unique<TRectZg>(TPoint{120, 700}, TPoint{600, 900}, 1.0, 1.0);
    cut->Question = 16;
    cut->Brush.Style = bsClear;
    document->AddShape(std::move(cut));
    addSolid<TTriangle>(*document, {60, 640}, {100, 680});
    addSolid<TEllipse>(*document, {680, 640}, {730, 670});
    addSolid<TTriangle>(*document, {680, 1000}, {720, 1050});
    document->RenumberPages();
    document->LayoutMarks();
    if (!fuzzy)
        return document;

    const QImage background = printedPage(*document, 96);
    document->Modal = 4;
    document->LayoutMarks();
    const struct
    {
        int number;
        TPoint a, b;
    } boxes[] = {
        {1, {50, 630}, {110, 690}}, {2, {670, 630}, {740, 680}}, {3, {670, 990}, {730, 1060}}};
    for (const auto& b : boxes) {
        auto box = std::make_unique<TMHSB>(b.a, b.b, 1.0, 1.0);
        box->Number = b.number;
        document->AddShape(std::move(box));
    }
    LearnFuzzyBoxes(*document->PageAt(0), background, 200, 50);
    return document;
}

} // namespace sw::fuzz
