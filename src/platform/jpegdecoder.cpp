#include "platform/jpegdecoder.h"

#include "platform/jpegerror.h"
#include "platform/picturecodec.h"
#include "platform/picturedata.h"
#include "platform/rounding.h"

#include <algorithm>
#include <vector>

namespace sw {

// libjpeg's decompressor with what the decoder learnt about the data.
struct JpegDecoderState
{
    jpeg_decompress_struct info{};
    JpegError error{};
    std::vector<JSAMPLE> cmykRow;
    qint64 dataSize = 0;
    bool created = false;
    bool cmyk = false;
    bool tooLarge = false;
    bool tooShort = false;
};

namespace {

// Whether Huffman-coded data of `bytes` bytes can fill every block of the
// smallest component; arithmetic coding has no such bound.
bool dataCanFill(const jpeg_decompress_struct& info, qint64 bytes)
{
    if (info.arith_code)
        return true;
    qint64 blocks = -1;
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        const qint64 n = qint64(component.width_in_blocks) * component.height_in_blocks;
        blocks = blocks < 0 ? n : std::min(blocks, n);
    }
    return bytes >= minimumJpegScanBytes(std::max<qint64>(blocks, 0));
}

void storeCmykRow(QRgb* out, const JSAMPLE* in, int width, bool adobeInverted)
{
    for (int x = 0; x < width; ++x, in += 4) {
        // Adobe writes CMYK inverted; plain CMYK is inverted here instead.
        int c = in[0], m = in[1], y = in[2], k = in[3];
        if (!adobeInverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        out[x] = qRgb(c * k / 255, m * k / 255, y * k / 255);
    }
}

void destroy(JpegDecoderState& s)
{
    if (s.created)
        jpeg_destroy_decompress(&s.info);
    s.created = false;
}

// The functions below call setjmp: nothing in their frames has a destructor.

bool startDecoding(JpegDecoderState& s, const QByteArray& data, bool keepGrey)
{
    s.info.err = &s.error.manager;
    if (setjmp(s.error.jump)) {
        destroy(s);
        return false;
    }
    jpeg_create_decompress(&s.info);
    s.created = true;
    jpeg_mem_src(&s.info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&s.info, TRUE);
    if (s.info.image_width > unsigned(MaxPictureSide) ||
        s.info.image_height > unsigned(MaxPictureSide)) {
        s.tooLarge = true;
        destroy(s);
        return false;
    }
    if (!dataCanFill(s.info, data.size())) {
        s.tooShort = true;
        destroy(s);
        return false;
    }
    s.cmyk = s.info.jpeg_color_space == JCS_CMYK || s.info.jpeg_color_space == JCS_YCCK;
    const bool grey = keepGrey && s.info.jpeg_color_space == JCS_GRAYSCALE;
    // Grey and colour rows decode straight into the caller's row (QRgb words
    // with an opaque alpha byte); CMYK goes through storeCmykRow.
    constexpr J_COLOR_SPACE rgb32 = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    s.info.out_color_space = s.cmyk ? JCS_CMYK : grey ? JCS_GRAYSCALE : rgb32;
    jpeg_start_decompress(&s.info);
    return true;
}

bool decodeRow(JpegDecoderState& s, uchar* out)
{
    if (setjmp(s.error.jump)) {
        destroy(s);
        return false;
    }
    JSAMPROW row = s.cmyk ? s.cmykRow.data() : out;
    if (jpeg_read_scanlines(&s.info, &row, 1) != 1)
        ERREXIT(&s.info, JERR_INPUT_EOF);
    if (s.cmyk)
        storeCmykRow(reinterpret_cast<QRgb*>(out), s.cmykRow.data(), int(s.info.output_width),
                     s.info.saw_Adobe_marker);
    return true;
}

bool finishDecoding(JpegDecoderState& s)
{
    if (setjmp(s.error.jump)) {
        destroy(s);
        return false;
    }
    jpeg_finish_decompress(&s.info);
    destroy(s);
    return true;
}

} // namespace

JpegDecoder::JpegDecoder() : m_state(std::make_unique<JpegDecoderState>())
{
    installErrorManager(m_state->error);
}

JpegDecoder::~JpegDecoder()
{
    destroy(*m_state);
}

bool JpegDecoder::start(const QByteArray& data, bool keepGrey, QString* error)
{
    JpegDecoderState& s = *m_state;
    s.dataSize = data.size();
    if (!startDecoding(s, data, keepGrey))
        return failed(error);
    m_size = QSize(int(s.info.output_width), int(s.info.output_height));
    m_format =
        s.info.out_color_space == JCS_GRAYSCALE ? QImage::Format_Grayscale8 : QImage::Format_RGB32;
    if (s.cmyk)
        s.cmykRow.resize(std::size_t(m_size.width()) * std::size_t(s.info.output_components));
    if ((s.info.density_unit == 1 || s.info.density_unit == 2) && s.info.X_density > 0 &&
        s.info.Y_density > 0) {
        const double perMetre = s.info.density_unit == 1 ? 1 / 0.0254 : 100.0;
        m_dotsPerMeterX = roundHalfEven(s.info.X_density * perMetre);
        m_dotsPerMeterY = roundHalfEven(s.info.Y_density * perMetre);
    }
    return true;
}

bool JpegDecoder::readRow(uchar* out, QString* error)
{
    if (!m_state->created || m_nextRow >= m_size.height() || !decodeRow(*m_state, out))
        return failed(error);
    ++m_nextRow;
    return true;
}

bool JpegDecoder::finish(QString* error)
{
    if (!m_state->created || !finishDecoding(*m_state))
        return failed(error);
    return true;
}

bool JpegDecoder::failed(QString* error)
{
    const JpegDecoderState& s = *m_state;
    if (!error)
        return false;
    const int width = int(s.info.image_width);
    const int height = int(s.info.image_height);
    if (s.tooLarge)
        *error = pictureTooLarge(width, height);
    else if (s.tooShort)
        *error = QStringLiteral("truncated JPEG: %1 bytes cannot hold %2 x %3 pixels")
                     .arg(s.dataSize)
                     .arg(width)
                     .arg(height);
    else if (s.error.message[0] != '\0')
        *error =
            QStringLiteral("corrupt JPEG data: %1").arg(QString::fromLocal8Bit(s.error.message));
    else
        *error = QStringLiteral("corrupt JPEG data: no more rows");
    return false;
}

} // namespace sw
