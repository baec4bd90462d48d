#include "document/painting.h"

#include "document/vectorgraph.h"
#include "document/vectorgraphics.h"
#include "platform/canvas.h"
#include "platform/qpaintercanvas.h"
#include "platform/rounding.h"
#include "platform/saturating.h"
#include "shapes/rectkg.h"

#include <cstdint>

namespace sw {

void Paint(TVectorGraph& page, Canvas& canvas, int outputMode)
{
    canvas.setPen(TPen{clBlack, 1, psSolid, pmCopy});
    canvas.setBrush(TBrush{clWhite, bsSolid});
    BubbleNumbering numbering;
    for (int i = 0; i < page.ShapeCount(); ++i) {
        TGraphics* shape = page.ShapeItem(i);
        shape->OutputMode = outputMode;
        if (auto* box = dynamic_cast<TRectKg*>(shape))
            box->StartNumber = numbering.next(*box);
        if (shape->Visible)
            shape->Draw(canvas);
    }
}

int BubbleNumbering::next(const TRectKg& box)
{
    switch (box.TextType) {
    case RSResult: {
        m_offset += box.StartNumberAgg;
        const int start = clampToInt(m_answer + m_offset);
        m_answer += box.QuestionCount();
        return start;
    }
    case RSXZT: {
        const int start = clampToInt(m_optional);
        m_optional += box.QuestionCount();
        return start;
    }
    default:
        return 1;
    }
}

void PaintCurrentPage(TVectorGraphics& document, Canvas& canvas, int outputMode)
{
    if (document.PageCount() > 0)
        Paint(*document.ActivePage(), canvas, outputMode);
}

double outputScale(double dotsPerInch, double pixelsPerMm)
{
    // One division: 600 dpi over 96 pixels per inch is exactly 6.25.
    return dotsPerInch / (pixelsPerMm * 25.4);
}

int outputFontPixelsPerInch(const TVectorGraphics& document)
{
    return document.PixelsPerInch;
}

QString outputTitle(const TVectorGraph& page)
{
    return QString(page.PaperType) + QStringLiteral("卷--") + QString::number(page.PageNumber) +
           QStringLiteral("面");
}

ScopedPageScale::ScopedPageScale(TVectorGraph& page, double scaleX, double scaleY)
    : m_page(page), m_scaleX(page.ScaleX), m_scaleY(page.ScaleY)
{
    page.SetScaleX(scaleX);
    page.SetScaleY(scaleY);
}

ScopedPageScale::~ScopedPageScale()
{
    m_page.SetScaleX(m_scaleX);
    m_page.SetScaleY(m_scaleY);
}

QImage printedPageImage(TVectorGraphics& document, int pageIndex, double scale)
{
    TVectorGraph& page = *document.PageAt(pageIndex);
    QImage image(std::max(0, roundHalfEven(scale * page.Width * document.PixelsPerMm)),
                 std::max(0, roundHalfEven(scale * page.Height * document.PixelsPerMm)),
                 QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    QPainterCanvas canvas(image, outputFontPixelsPerInch(document));
    ScopedPageScale output(page, scale, scale);
    Paint(page, canvas, OutputPrint);
    return image;
}

} // namespace sw
