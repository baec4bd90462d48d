#include "document/painting.h"

#include "document/vectorgraph.h"
#include "document/vectorgraphics.h"
#include "platform/canvas.h"
#include "platform/saturating.h"
#include "shapes/rectkg.h"

#include <cstdint>

namespace sw {

namespace {

// Running question numbers of one page, in list order. Answer boxes count on
// from 1, each adding its own offset ("加值") for itself and every later
// answer box; optional-question boxes count from 1 on their own.
class Numbering
{
public:
    void number(TRectKg& box)
    {
        switch (box.TextType) {
        case RSResult:
            m_offset += box.StartNumberAgg;
            box.StartNumber = clampToInt(m_answer + m_offset);
            m_answer += box.QuestionCount();
            break;
        case RSXZT:
            box.StartNumber = clampToInt(m_optional);
            m_optional += box.QuestionCount();
            break;
        default:
            box.StartNumber = 1;
            break;
        }
    }

private:
    // 64 bits: counts and offsets come from files and may be anything.
    std::int64_t m_answer = 1;
    std::int64_t m_optional = 1;
    std::int64_t m_offset = 0;
};

} // namespace

void Paint(TVectorGraph& page, Canvas& canvas, int outputMode)
{
    canvas.setPen(TPen{clBlack, 1, psSolid, pmCopy});
    canvas.setBrush(TBrush{clWhite, bsSolid});
    Numbering numbering;
    for (int i = 0; i < page.ShapeCount(); ++i) {
        TGraphics* shape = page.ShapeItem(i);
        shape->OutputMode = outputMode;
        if (auto* box = dynamic_cast<TRectKg*>(shape))
            numbering.number(*box);
        if (shape->Visible)
            shape->Draw(canvas);
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

} // namespace sw
