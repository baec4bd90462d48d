#pragma once

#include "document/vectorgraph.h"
#include "document/vectorgraphics.h"
#include "shapes/rectangle.h"
#include "shapes/rectkg.h"
#include "shapes/recttext.h"

#include <memory>

namespace sw::test {

constexpr int ScreenDpi = 96;

// A document at 96 pixels per inch with one A4 portrait page of paper type
// A, its positioning boxes and marks laid out as the editor does.
inline std::unique_ptr<TVectorGraphics> newDocument()
{
    auto document = std::make_unique<TVectorGraphics>(ScreenDpi);
    document->NewPage(-1, -1);
    document->RenumberPages();
    document->LayoutMarks();
    return document;
}

// Appends a bubble box with `questions` questions of 4 options to the page.
inline TRectKg& addBubbleBox(TVectorGraph& page, TTextType purpose, TAspect aspect, int questions,
                             int agg = 0)
{
    auto box =
        std::make_unique<TRectKg>(TPoint{100, 100}, TPoint{100, 100}, page.ScaleX, page.ScaleY);
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
    page.AddShape(std::move(box));
    return ref;
}

inline TRectangle& addRectangle(TVectorGraph& page, TRect r)
{
    auto shape = std::make_unique<TRectangle>(TPoint{r.Left, r.Top}, TPoint{r.Right, r.Bottom},
                                              page.ScaleX, page.ScaleY);
    TRectangle& ref = *shape;
    page.AddShape(std::move(shape));
    return ref;
}

// Appends a text box with one line in "宋体", the font templates use most.
inline TRectText& addText(TVectorGraph& page, TRect r, const QString& text)
{
    auto shape = std::make_unique<TRectText>(TPoint{r.Left, r.Top}, TPoint{r.Right, r.Bottom},
                                             page.ScaleX, page.ScaleY);
    shape->Font.Name = QStringLiteral("宋体");
    shape->Font.Height = -20;
    shape->SetText(text);
    TRectText& ref = *shape;
    page.AddShape(std::move(shape));
    return ref;
}

} // namespace sw::test
