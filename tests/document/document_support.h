#pragma once

#include "document/vectorgraph.h"
#include "document/vectorgraphics.h"
#include "shapes/rectangle.h"
#include "shapes/rectkg.h"
#include "shapes/rectzg.h"

#include <QBuffer>
#include <QByteArray>
#include <memory>

namespace sw::test {

constexpr int ScreenDpi = 96;

// A document at 96 pixels per inch with `pages` pages of paper type A.
inline std::unique_ptr<TVectorGraphics> documentWithPages(int pages)
{
    auto document = std::make_unique<TVectorGraphics>(ScreenDpi);
    for (int i = 0; i < pages; ++i)
        document->NewPage(-1, i == 0 ? -1 : i - 1);
    return document;
}

// Appends a box of the given class with corners in layout pixels.
template <typename Box>
Box& addBox(TVectorGraph& page, TRect r)
{
    auto box = std::make_unique<Box>(TPoint{r.Left, r.Top}, TPoint{r.Right, r.Bottom}, 1.0, 1.0);
    Box& ref = *box;
    page.AddShape(std::move(box));
    return ref;
}

inline TRectZg& addCutBox(TVectorGraph& page, int question, int number = 1)
{
    TRectZg& box = addBox<TRectZg>(page, {100, 100, 300, 200});
    box.Question = question;
    box.Number = number;
    return box;
}

inline TRectKg& addBubbleBox(TVectorGraph& page, TTextType purpose, int linkedQuestion = 0)
{
    TRectKg& box = addBox<TRectKg>(page, {50, 300, 90, 320});
    box.TextType = purpose;
    box.GLZG = linkedQuestion;
    box.FormatText = QStringLiteral("ABCD");
    box.Row = 1;
    box.col = 4;
    box.Gridwidth = 11;
    box.GridHeight = 15;
    return box;
}

inline QByteArray saveToBytes(TVectorGraphics& document, int mode = SaveAllShapes)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QString error;
    const bool saved = document.SaveToStream(mode, buffer, &error);
    return saved ? buffer.data() : QByteArray();
}

inline bool loadFromBytes(TVectorGraphics& document, const QByteArray& bytes,
                          QString* error = nullptr)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return document.LoadFromStream(buffer, error);
}

} // namespace sw::test
