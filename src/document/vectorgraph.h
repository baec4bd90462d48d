#pragma once

#include "shapes/enums.h"
#include "shapes/graphics.h"

#include <QChar>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace sw {

// One page of a template: its paper, margins, background picture and the
// shapes on it in drawing order (later shapes are drawn over earlier ones).
// Shapes 0 to 5 of every page are the reserved positioning boxes and marks.
class TVectorGraph
{
public:
    TVectorGraph() = default;
    ~TVectorGraph();
    TVectorGraph(const TVectorGraph&) = delete;
    TVectorGraph& operator=(const TVectorGraph&) = delete;

    // Appends the shape and returns its index.
    int AddShape(std::unique_ptr<TGraphics> shape);
    // Takes the shape out of the page and hands it to the caller; empty when
    // the shape is not on this page.
    std::unique_ptr<TGraphics> RemoveShape(const TGraphics* shape);
    // Frees every shape, from the last to the first.
    void ClearShapes();
    int ShapeCount() const { return int(m_shapes.size()); }
    TGraphics* ShapeItem(int index) const { return m_shapes.at(std::size_t(index)).get(); }
    int IndexOf(const TGraphics* shape) const;
    int SelectedCount() const;
    // Frees the selected shapes from the last one down, stopping at the first
    // selected page mark, so marks are never deleted.
    void DeleteSelected();
    // The smallest visible shape under the point (device pixels); among equal
    // areas the one drawn on top. LastHitIndex ends as the lowest index hit.
    TGraphics* ShapeAt(TPoint p);
    // Sets the page's scale and copies it into every shape.
    void SetScaleX(double scale);
    void SetScaleY(double scale);

    const std::vector<std::unique_ptr<TGraphics>>& Shapes() const { return m_shapes; }

    QChar PaperType;
    std::int32_t PageNumber = 0;
    double ScaleX = 1.0;
    double ScaleY = 1.0;
    QString PicturePath;
    // Offset of the background picture on the page surface, screen pixels.
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    // Millimetres.
    double LeftMargin = 10.0;
    double RightMargin = 10.0;
    double TopMargin = 10.0;
    double BottomMargin = 10.0;
    TPageSize PageSize = A4;
    double Height = 297.0;
    double Width = 210.0;
    TPrinterOrientation Orientation = poPortrait;
    // Radians, found by the mark detection on the background picture.
    double SkewAngle = 0.0;
    std::int32_t LastHitIndex = 0;

private:
    std::vector<std::unique_ptr<TGraphics>> m_shapes;
};

// Whether the shape is a paper-type or page-number mark box.
bool isPageMark(const TGraphics& shape);

} // namespace sw
