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

BackgroundCorrector::BackgroundCorrector(TVectorGraphics& document) : m_document(document) {}

void BackgroundCorrector::rebuildRecordsOnce()
{
    if (!m_recordsRebuilt)
        rebuildRecords(m_document);
    m_recordsRebuilt = true;
}

int BackgroundCorrector::rowsRead(const QSize& size)
{
    if (m_document.Modal == SheetSmartRecognition)
        return -1;
    if (m_document.Modal == SheetSelfMade)
        return 0;
    rebuildRecordsOnce();
    return MarkDetectionRows(m_document, size);
}

BackgroundCorrection BackgroundCorrector::correct(const QImage& picture, StraightPicture straight)
{
    BackgroundCorrection result;
    TVectorGraph* page = m_document.PageCount() > 0 ? m_document.ActivePage() : nullptr;
    if (!page || picture.isNull())
        return result;

    if (m_document.Modal == SheetSmartRecognition) {
        if (!LearnFuzzyBoxes(*page, picture, Threshold, MinimumPixels)) {
            result.message = DetectionFailedMessage;
            return result;
        }
    } else if (m_document.Modal != SheetSelfMade) {
        rebuildRecordsOnce();
        if (!DetectMarkSkew(m_document, picture))
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

    if (straight == StraightPicture::LeftToCaller && m_document.Modal != SheetSmartRecognition) {
        result.leftToDraw = true;
        return result;
    }
    result.picture = RotatePicture(picture, picture.size(), page->SkewAngle);
    if (m_document.Modal == SheetSmartRecognition &&
        LocateFuzzyBoxes(*page, result.picture, Threshold, SearchMargin, MinimumPixels) &&
        page->SkewAngle == 0.0)
        result.message = DetectionSucceededMessage;
    return result;
}

BackgroundCorrection CorrectBackground(TVectorGraphics& document, const QImage& picture,
                                       StraightPicture straight)
{
    return BackgroundCorrector(document).correct(picture, straight);
}

} // namespace sw
