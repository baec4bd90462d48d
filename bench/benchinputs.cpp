#include "benchinputs.h"

#include "benchsupport.h"

namespace sw::bench {

BenchInputs& BenchInputs::instance()
{
    static BenchInputs inputs;
    return inputs;
}

TVectorGraphics* BenchInputs::densePage()
{
    if (!m_dense && m_folder.isValid() && writeDensePicture(m_folder.path(), &m_error))
        m_dense = denseDocument(DenseShapeCount, m_folder.path());
    return m_dense.get();
}

TVectorGraphics* BenchInputs::twentyPages()
{
    if (!m_twenty)
        m_twenty = twentyPageDocument(&m_error);
    return m_twenty.get();
}

const QImage& BenchInputs::scan()
{
    if (!m_scanTried) {
        m_scanTried = true;
        if (auto sheet = answerSheet(1, &m_error))
            m_scan = renderPage(*sheet, ScanDpi, &m_error);
    }
    return m_scan;
}

const DarkMask& BenchInputs::scanRegionMask()
{
    if (!m_maskTried) {
        m_maskTried = true;
        const QImage& page = scan();
        if (!page.isNull()) {
            const QImage turned = turnPicture(page, ScanSkewDegrees);
            m_mask = binarizedArea(turned, scanRegion(turned.size()), ScanThreshold);
        }
    }
    return m_mask;
}

bool BenchInputs::require(benchmark::State& state, bool ok) const
{
    if (!ok) {
        const QString reason = m_error.isEmpty() ? QStringLiteral("input not available") : m_error;
        state.SkipWithError(reason.toStdString().c_str());
    }
    return ok;
}

} // namespace sw::bench
