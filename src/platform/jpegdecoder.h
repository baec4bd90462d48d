#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <memory>

namespace sw {

struct JpegDecoderState;

// JPEG data decoded row by row, top to bottom, as decodeJpeg decodes it
// whole: rows of Format_RGB32, or of Format_Grayscale8 for a grey picture
// when grey is kept. The data must outlive the decoder. After a failure the
// decoder reads nothing more.
class JpegDecoder
{
public:
    JpegDecoder();
    ~JpegDecoder();
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    // Reads the header and starts decoding; false with the reason in *error
    // (too large, too short for its size, corrupt).
    bool start(const QByteArray& data, bool keepGrey, QString* error = nullptr);

    QSize size() const { return m_size; }
    QImage::Format format() const { return m_format; }
    // The JFIF density in dots per metre; 0 when the file gives none.
    int dotsPerMeterX() const { return m_dotsPerMeterX; }
    int dotsPerMeterY() const { return m_dotsPerMeterY; }
    // The row readRow decodes next.
    int nextRow() const { return m_nextRow; }

    // Decodes the next row into `out` (size().width() pixels of format()).
    bool readRow(uchar* out, QString* error = nullptr);
    // After the last row: checks the end of the data.
    bool finish(QString* error = nullptr);

private:
    bool failed(QString* error);

    std::unique_ptr<JpegDecoderState> m_state;
    QSize m_size;
    QImage::Format m_format = QImage::Format_Invalid;
    int m_dotsPerMeterX = 0;
    int m_dotsPerMeterY = 0;
    int m_nextRow = 0;
};

} // namespace sw
