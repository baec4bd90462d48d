#include "document/vectorgraph.h"

#include "platform/rounding.h"
#include "shapes/rectkg.h"

#include <algorithm>

namespace sw {

bool isPageMark(const TGraphics& shape)
{
    const auto* box = dynamic_cast<const TRectKg*>(&shape);
    return box && (box->TextType == RSPaperType || box->TextType == RSPageNumber);
}

TVectorGraph::~TVectorGraph()
{
    ClearShapes();
}

int TVectorGraph::AddShape(std::unique_ptr<TGraphics> shape)
{
    m_shapes.push_back(std::move(shape));
    return ShapeCount() - 1;
}

std::unique_ptr<TGraphics> TVectorGraph::RemoveShape(const TGraphics* shape)
{
    const int index = IndexOf(shape);
    if (index < 0)
        return nullptr;
    std::unique_ptr<TGraphics> taken = std::move(m_shapes[std::size_t(index)]);
    m_shapes.erase(m_shapes.begin() + index);
    return taken;
}

void TVectorGraph::ClearShapes()
{
    while (!m_shapes.empty())
        m_shapes.pop_back();
}

int TVectorGraph::IndexOf(const TGraphics* shape) const
{
    const auto it = std::find_if(m_shapes.begin(), m_shapes.end(),
                                 [shape](const auto& s) { return s.get() == shape; });
    return it == m_shapes.end() ? -1 : int(it - m_shapes.begin());
}

int TVectorGraph::SelectedCount() const
{
    return int(
        std::count_if(m_shapes.begin(), m_shapes.end(), [](const auto& s) { return s->Selected; }));
}

void TVectorGraph::DeleteSelected()
{
    for (int i = ShapeCount() - 1; i >= 0; --i) {
        const TGraphics& shape = *m_shapes[std::size_t(i)];
        if (!shape.Selected)
            continue;
        if (isPageMark(shape))
            return;
        m_shapes.erase(m_shapes.begin() + i);
    }
}

TGraphics* TVectorGraph::ShapeAt(TPoint p)
{
    const TPoint layout{roundHalfEven(p.X / ScaleX), roundHalfEven(p.Y / ScaleY)};
    TGraphics* candidate = nullptr;
    std::int64_t candidateArea = 0;
    for (int i = ShapeCount() - 1; i >= 0; --i) {
        TGraphics* shape = m_shapes[std::size_t(i)].get();
        if (!shape->Visible || !shape->HitTest(layout))
            continue;
        LastHitIndex = i;
        const TRect r = shape->GetBounds();
        const std::int64_t area =
            (std::int64_t(r.Right) - r.Left) * (std::int64_t(r.Bottom) - r.Top);
        if (!candidate || area < candidateArea) {
            candidate = shape;
            candidateArea = area;
        }
    }
    return candidate;
}

void TVectorGraph::SetScaleX(double scale)
{
    ScaleX = scale;
    for (const auto& shape : m_shapes)
        shape->ScaleX = scale;
}

void TVectorGraph::SetScaleY(double scale)
{
    ScaleY = scale;
    for (const auto& shape : m_shapes)
        shape->ScaleY = scale;
}

} // namespace sw
