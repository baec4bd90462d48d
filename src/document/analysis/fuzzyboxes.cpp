#include "document/analysis/fuzzyboxes.h"

#include "document/analysis/fuzzymatch.h"
#include "document/analysis/pointlist.h"
#include "document/vectorgraph.h"
#include "platform/canvas.h"
#include "platform/rounding.h"
#include "shapes/mhsb.h"

namespace sw {

namespace {

// Boxes 1 and 2 (the first of each number in list order).
struct ReferenceBoxes
{
    TMHSB* first = nullptr;
    TMHSB* second = nullptr;
};

ReferenceBoxes referenceBoxes(const std::vector<TMHSB*>& boxes)
{
    ReferenceBoxes r;
    for (TMHSB* box : boxes) {
        if (box->Number == 1 && !r.first)
            r.first = box;
        else if (box->Number == 2 && !r.second)
            r.second = box;
    }
    return r;
}

bool usable(const std::vector<TMHSB*>& boxes, const QImage& picture)
{
    const ReferenceBoxes r = referenceBoxes(boxes);
    return !picture.isNull() && r.first && r.second;
}

// Puts the box exactly on the extent (setting left and top first would keep
// the old right and bottom edges and misplace a box moved past them) and its
// centre on the extent's centre.
void placeBox(TMHSB& box, const TRect& extent)
{
    box.SetBounds(extent);
    box.PointX = roundHalfEven(box.Width / 2.0) + box.Left;
    box.PointY = roundHalfEven(box.Height / 2.0) + box.Top;
}

void paintSolid(Canvas& canvas, const TRect& r, TColor colour)
{
    canvas.setPen(TPen{colour, 1, psSolid, pmCopy});
    canvas.setBrush(TBrush{colour, bsSolid});
    // The extent's right and bottom pixels are the rectangle's excluded edges.
    canvas.Rectangle(r);
}

} // namespace

std::vector<TMHSB*> fuzzyBoxesOf(const TVectorGraph& page)
{
    std::vector<TMHSB*> boxes;
    for (const auto& shape : page.Shapes()) {
        if (shape->Kind == GMHSB) {
            if (auto* box = dynamic_cast<TMHSB*>(shape.get()))
                boxes.push_back(box);
        }
    }
    return boxes;
}

bool LearnFuzzyBoxes(const std::vector<TMHSB*>& boxes, double& skewAngle, const QImage& picture,
                     int threshold, int minimum)
{
    if (!usable(boxes, picture))
        return false;
    for (TMHSB* box : boxes) {
        box->SBSL = 0;
        const auto learnt = learnPattern(picture, box->GetBounds(), threshold, minimum);
        if (!learnt)
            return false;
        box->SBSL = std::int32_t(learnt->Points.size());
        placeBox(*box, learnt->Extent);
        box->PointList = formatPointList(learnt->Points);
    }
    skewAngle =
        learntSkew({boxes[0]->PointX, boxes[0]->PointY}, {boxes[1]->PointX, boxes[1]->PointY});
    return true;
}

bool LocateFuzzyBoxes(const std::vector<TMHSB*>& boxes, double& skewAngle, const QImage& picture,
                      int threshold, double margin, int minimum)
{
    if (!usable(boxes, picture))
        return false;
    TPoint centres[2];
    for (std::size_t k = 0; k < boxes.size(); ++k) {
        TMHSB* box = boxes[k];
        const auto found =
            locatePattern(picture, box->GetBounds(), box->SBSL, parsePointList(box->PointList),
                          threshold, margin, minimum);
        if (!found)
            return false;
        if (k < 2)
            centres[k] = extentCentre(*found);
        placeBox(*box, *found);
    }
    const LocatedSkew skew = locatedSkew(centres[0], centres[1]);
    const ReferenceBoxes r = referenceBoxes(boxes);
    if (skew.AlignTop)
        r.second->SetTop(r.first->Top);
    if (skew.AlignLeft)
        r.second->SetLeft(r.first->Left);
    skewAngle = skew.Angle;
    return true;
}

bool TestFuzzyBoxes(const std::vector<TMHSB*>& boxes, double& skewAngle, Canvas& canvas,
                    const QImage& picture, int minimum, int threshold, double margin)
{
    if (!usable(boxes, picture))
        return false;
    const ReferenceBoxes r = referenceBoxes(boxes);
    const PairCheck check = checkFuzzyPair(picture, r.first->GetBounds(), r.second->GetBounds(),
                                           minimum, threshold, margin);
    if (check.First)
        paintSolid(canvas, *check.First, clRed);
    if (!check.Second)
        return false;
    paintSolid(canvas, *check.Second, clGreen);
    if (check.Angle)
        skewAngle = *check.Angle;
    return true;
}

bool LearnFuzzyBoxes(TVectorGraph& page, const QImage& picture, int threshold, int minimum)
{
    return LearnFuzzyBoxes(fuzzyBoxesOf(page), page.SkewAngle, picture, threshold, minimum);
}

bool LocateFuzzyBoxes(TVectorGraph& page, const QImage& picture, int threshold, double margin,
                      int minimum)
{
    return LocateFuzzyBoxes(fuzzyBoxesOf(page), page.SkewAngle, picture, threshold, margin,
                            minimum);
}

bool TestFuzzyBoxes(TVectorGraph& page, Canvas& canvas, const QImage& picture, int minimum,
                    int threshold, double margin)
{
    return TestFuzzyBoxes(fuzzyBoxesOf(page), page.SkewAngle, canvas, picture, minimum, threshold,
                          margin);
}

} // namespace sw
