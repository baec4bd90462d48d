#pragma once

#include "document/vectorgraph.h"
#include "document/vectorgraphics.h"
#include "shapes/rectkg.h"
#include "shapes/rectangle.h"

#include <memory>

namespace sw::test {

constexpr int ScreenDpi = 96;

// A document at 96 pixels per inch with one A4 portrait page.
inline std::unique_ptr<TVectorGraphics> newDocument()
{
    auto document = std::make_unique<TVectorGraphics>(ScreenDpi);
    document->NewPage(-1, -1);
    return document;
}

// Appends a bubble box with `questions` questions of 4 options to the page.
inline TRectKg& addBubbleBox(TVectorGraph& page, TTextType purpose, TAspect aspect, int questions,
                             int agg = 0)
{
    auto box = std::make_unique<TRectKg>(TPoint{100, 100}, TPoint{100, 100}, page.ScaleX,
                                         page.ScaleY);
    box->TextType = purpose;
    box->Aspect = aspect;
    box->FormatText = QStringLiteral("ABCD");
    const bool down = aspect == ADown || aspect == AUp;
    box->col = down ? questions : 4;
    box->Row = down ? 4 : questions;
    box->Gridwidth = 10;
    box->GridHeight = 6;
    box->ColSpace = 4;
    box->RowSpace = 3;
    box->StartNumberAgg = agg;
    TRectKg& ref = *box;
    page.AddShape(box.release());
    return ref;
}

inline TRectangle& addRectangle(TVectorGraph& page, TRect r)
{
    auto shape = std::make_unique<TRectangle>(TPoint{r.Left, r.Top}, TPoint{r.Right, r.Bottom},
                                              page.ScaleX, page.ScaleY);
    TRectangle& ref = *shape;
    page.AddShape(shape.release());
    return ref;
}

} // namespace sw::test
