#include "document/analysis/scanstraightening.h"

#include "document/analysis/picturestraightening.h"
#include "document/analysis/rotation.h"
#include "platform/largeimage.h"
#include "platform/picturecodec.h"

#include <cstring>
#include <vector>

namespace sw {

namespace {

// Consecutive rows of the scan, decoded as the straightening asks for them:
// first those decoded already, then the decoder's. Rows that no later
// bitmap row reads make room for the next ones.
class RowWindow
{
public:
    RowWindow(const QImage& decoded, int decodedRows, JpegDecoder& decoder)
        : m_decoded(decoded), m_decodedRows(decodedRows), m_decoder(decoder),
          m_stride(decoded.bytesPerLine())
    {
    }

    // Makes rows lo to hi available; lo never decreases from call to call.
    bool hold(int lo, int hi, QString* error)
    {
        Q_ASSERT(lo >= m_first);
        while (m_first + m_count <= hi) {
            if (m_count == m_capacity && m_first < lo) {
                const int drop = std::min(lo - m_first, m_count);
                std::memmove(m_buffer.data(), m_buffer.data() + drop * m_stride,
                             std::size_t((m_count - drop) * m_stride));
                m_first += drop;
                m_count -= drop;
            } else if (m_count == m_capacity) {
                m_capacity = std::max(2 * m_capacity, 2 * (hi - lo + 1));
                m_buffer.resize(std::size_t(m_capacity * m_stride));
            }
            uchar* slot = m_buffer.data() + m_count * m_stride;
            const int row = m_first + m_count;
            if (row < m_decodedRows)
                std::memcpy(slot, m_decoded.constScanLine(row), std::size_t(m_stride));
            else if (!m_decoder.readRow(slot, error))
                return false;
            ++m_count;
        }
        return true;
    }

    PictureRows rows() const { return {m_buffer.data(), m_stride, m_first, m_count}; }

private:
    const QImage& m_decoded;
    int m_decodedRows;
    JpegDecoder& m_decoder;
    qsizetype m_stride;
    std::vector<uchar> m_buffer;
    int m_capacity = 0;
    int m_first = 0;
    int m_count = 0;
};

} // namespace

bool ScanStraightening::start(const QByteArray& jpeg, QString* error)
{
    if (!m_decoder.start(jpeg, true, error))
        return false;
    // Memory for the whole scan, of which only the rows decoded are touched.
    m_scan = newLargeImage(m_decoder.size().width(), m_decoder.size().height(), m_decoder.format());
    if (m_scan.isNull()) {
        if (error)
            *error = QStringLiteral("not enough memory to decode JPEG data");
        return false;
    }
    if (m_decoder.dotsPerMeterX() > 0) {
        m_scan.setDotsPerMeterX(m_decoder.dotsPerMeterX());
        m_scan.setDotsPerMeterY(m_decoder.dotsPerMeterY());
    }
    m_streamed = true;
    m_decodedRows = 0;
    return true;
}

void ScanStraightening::start(const QImage& scan)
{
    m_scan = scan;
    m_streamed = false;
    m_decodedRows = scan.height();
}

std::optional<BackgroundCorrection> ScanStraightening::correct(TVectorGraphics& document,
                                                               QString* error)
{
    BackgroundCorrector corrector(document);
    if (m_streamed) {
        const int read = corrector.rowsRead(m_scan.size());
        const int rows = read < 0 ? m_scan.height() : std::min(read, m_scan.height());
        for (; m_decodedRows < rows; ++m_decodedRows) {
            if (!m_decoder.readRow(m_scan.scanLine(m_decodedRows), error)) {
                m_scanFailed = true;
                return std::nullopt;
            }
        }
        if (m_decodedRows == m_scan.height() && !m_decoder.finish(error)) {
            m_scanFailed = true;
            return std::nullopt;
        }
    }
    m_correction = corrector.correct(m_scan, StraightPicture::LeftToCaller);
    return m_correction;
}

bool ScanStraightening::write(QIODevice& device, int quality, int dotsPerInch, QString* error)
{
    if (!m_correction.picture.isNull())
        return saveJpeg(m_correction.picture, device, quality, dotsPerInch, error);
    if (!m_streamed || m_decodedRows == m_scan.height()) {
        if (m_correction.leftToDraw)
            return SaveStraightJpeg(m_scan, m_correction.skewAngle, device, quality, dotsPerInch,
                                    error);
        return saveJpeg(m_scan, device, quality, dotsPerInch, error);
    }

    // The rest of the scan, a window of rows at a time. With no angle the
    // straightening copies each pixel as it is.
    const QSize size = m_scan.size();
    const double angle = m_correction.leftToDraw ? m_correction.skewAngle : 0.0;
    const PictureStraightening straightening(size, m_scan.format(), size,
                                             correctionTransform(size, angle));
    RowWindow window(m_scan, m_decodedRows, m_decoder);
    std::vector<uchar> row(std::size_t(m_scan.bytesPerLine()));
    QString decodeError;
    const auto drawn = [&](int y) {
        const auto [lo, hi] = straightening.rowsRead(y);
        if (m_scanFailed || (lo <= hi && !window.hold(lo, hi, &decodeError))) {
            // What follows is not written out; the encoder just needs rows.
            m_scanFailed = true;
            std::fill(row.begin(), row.end(), uchar(255));
        } else {
            straightening.drawRow(y, window.rows(), row.data());
        }
        return static_cast<const uchar*>(row.data());
    };
    const bool encoded =
        m_scan.format() == QImage::Format_Grayscale8
            ? saveGreyJpegRows(size, drawn, device, quality, dotsPerInch, error)
            : saveJpegRows(
                  size, [&drawn](int y) { return reinterpret_cast<const QRgb*>(drawn(y)); }, device,
                  quality, dotsPerInch, error);
    // The rows below the last one read, and the end of the data, are checked
    // as a whole decode checks them.
    while (!m_scanFailed && m_decoder.nextRow() < size.height()) {
        if (!m_decoder.readRow(row.data(), &decodeError))
            m_scanFailed = true;
    }
    if (!m_scanFailed && !m_decoder.finish(&decodeError))
        m_scanFailed = true;
    if (m_scanFailed) {
        if (error)
            *error = decodeError;
        return false;
    }
    return encoded;
}

} // namespace sw
