#include "document/analysis/correction.h"

#include "document/analysis/fuzzyboxes.h"
#include "document/analysis/markdetect.h"
#include "document/analysis/rotation.h"
#include "document/vectorgraphics.h"

#include <QBuffer>

namespace sw {

namespace {

constexpr int Threshold = 200;
constexpr int MinimumPixels = 50;
constexpr double SearchMargin = 5.0;

// The mark search reads the first page's positioning boxes from the shape
// records, which every save and history entry rebuilds from the pages.
void rebuildRecords(TVectorGraphics& document)
{
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    document.SaveToStream(SaveAllShapes, sink);
}

} // namespace

BackgroundCorrection CorrectBackground(TVectorGraphics& document, const QImage& picture,
                                       StraightPicture straight)
{
    BackgroundCorrection result;
    TVectorGraph* page = document.PageCount() > 0 ? document.ActivePage() : nullptr;
    if (!page || picture.isNull())
        return result;

    if (document.Modal == SheetSmartRecognition) {
        if (!LearnFuzzyBoxes(*page, picture, Threshold, MinimumPixels)) {
            result.message = DetectionFailedMessage;
            return result;
        }
    } else if (document.Modal != SheetSelfMade) {
        rebuildRecords(document);
        if (!DetectMarkSkew(document, picture))
            return result;
    } else {
        page->SkewAngle = 0.0;
    }
    result.detected = true;
    result.skewAngle = page->SkewAngle;
    if (page->SkewAngle == 0.0) {
        result.message = DetectionSucceededMessage;
        return result;
    }

    if (straight == StraightPicture::LeftToCaller && document.Modal != SheetSmartRecognition) {
        result.leftToDraw = true;
        return result;
    }
    result.picture = RotatePicture(picture, picture.size(), page->SkewAngle);
    if (document.Modal == SheetSmartRecognition &&
        LocateFuzzyBoxes(*page, result.picture, Threshold, SearchMargin, MinimumPixels) &&
        page->SkewAngle == 0.0)
        result.message = DetectionSucceededMessage;
    return result;
}

int CorrectionRowsRead(TVectorGraphics& document, const QSize& size)
{
    if (document.Modal == SheetSmartRecognition)
        return -1;
    if (document.Modal == SheetSelfMade)
        return 0;
    rebuildRecords(document);
    return MarkDetectionRows(document, size);
}

} // namespace sw
