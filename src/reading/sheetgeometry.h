#pragma once

#include "platform/geometry.h"
#include "shapes/enums.h"

#include <QChar>
#include <QString>
#include <optional>
#include <vector>

namespace sw {

class TVectorGraph;
class TVectorGraphics;

// Everything a scanned sheet is read by, in layout pixels of its template
// page. Rectangles have Right = Left + width and Bottom = Top + height.

// One bubble and what it stands for.
struct CellGeometry
{
    TRect Rect;
    QString Label; // option character, digit or mark weight; empty past the option text
};

// The bubbles of one question (or one exam-number digit), in option order.
struct QuestionGeometry
{
    int Number = 0; // as the page numbers it when painting
    std::vector<CellGeometry> Cells;
};

struct BubbleBoxGeometry
{
    int ShapeIndex = 0;
    TTextType Purpose = RSResult;
    TOptionType Choice = Single;
    TAspect Aspect = ADown;
    int LinkedQuestion = 0; // GLZG of score and optional-choice boxes
    TRect Bounds;
    std::vector<QuestionGeometry> Questions;
};

// A subjective answer area cut out for marking.
struct CutBoxGeometry
{
    int ShapeIndex = 0;
    int Question = 0;
    int Number = 0;
    QString Caption;
    bool Optional = false;
    QString Alternatives;
    TRect Rect;
};

// A fuzzy-recognition box with its learnt pattern.
struct FuzzyBoxGeometry
{
    int ShapeIndex = 0;
    int Number = 0;
    TRect Rect;
    TPoint Centre; // of the learnt pattern
    int DarkCount = 0;
    QString Pattern;
};

struct PageGeometry
{
    int PageIndex = 0;
    QChar PaperType;
    int PageNumber = 0;
    int Mode = 0; // the sheet mode of the template
    double PixelsPerMm = 0;
    double WidthMm = 0;
    double HeightMm = 0;
    int Width = 0; // layout pixels
    int Height = 0;
    // Top left, top right, bottom left, bottom right: the printed ones only.
    std::vector<TRect> PositioningBoxes;
    std::vector<FuzzyBoxGeometry> FuzzyBoxes;
    std::optional<BubbleBoxGeometry> PaperTypeMark; // when printed on this page
    std::optional<BubbleBoxGeometry> PageNumberMark;
    std::vector<BubbleBoxGeometry> BubbleBoxes; // every other bubble box, in page order
    std::vector<CutBoxGeometry> CutBoxes;
    std::vector<TRect> BarcodeAreas;
};

// The readable elements of one page of the document, numbered as painting
// numbers them. Hidden shapes are left out: they are not printed.
PageGeometry pageGeometry(const TVectorGraphics& document, int pageIndex);

// Every page of the document in page order.
std::vector<PageGeometry> documentGeometry(const TVectorGraphics& document);

// The value a mark's filled cells encode: the sum of their weights. Nothing
// when a filled cell has no weight.
std::optional<int> markValue(const BubbleBoxGeometry& mark, const std::vector<bool>& filled);

} // namespace sw
