#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <functional>

class QFile;
class QIODevice;

namespace sw {

// Pictures wider or higher than this are refused when loading.
constexpr int MaxPictureSide = 20000;
// Pictures whose decoded pixels would take more memory than this are refused
// from their header, before anything is decoded.
constexpr qint64 MaxPictureBytes = qint64(1) << 30;

// Asked with a picture's size and bytes per decoded pixel, read from its
// header, before its memory is allocated: false, with the reason in *error,
// stops the loading.
using PictureAdmission = std::function<bool(QSize size, int bytesPerPixel, QString* error)>;

// Loads a picture file (JPEG through libjpeg, TIFF through libtiff, other
// formats through Qt's image readers) as Format_RGB32; transparent areas become black. Returns a
// null image and sets *error when the file is missing, unreadable, corrupt, truncated or too large.
QImage loadPicture(const QString& path, QString* error = nullptr);

// loadPicture for scanned sheets: PNG goes through libpng too, row by row, and
// a grey JPEG, PNG or TIFF (or a picture Qt reads as 8-bit grey) stays one
// channel deep (Format_Grayscale8).
QImage loadScan(const QString& path, QString* error = nullptr);
// loadScan of a file opened or named by `file`; `name` stands for it in
// messages, and `admit` is asked before decoding.
QImage loadScan(QFile& file, const QString& name, QString* error = nullptr,
                const PictureAdmission& admit = {});
// The bytes of a JPEG file, read under the limits loadScan applies, for
// decoding a row at a time (JpegDecoder). Empty when the file cannot be read
// (*error says why) or holds another format (*error left alone).
QByteArray readJpegFile(const QString& path, QString* error = nullptr);

// Decodes a picture held in memory as loadPicture decodes a file; `name`
// stands for the picture in messages.
QImage decodePicture(const QByteArray& data, const QString& name, QString* error = nullptr);
// Decodes a scan held in memory as loadScan decodes a file.
QImage decodeScan(const QByteArray& data, const QString& name, QString* error = nullptr);

// The image as Format_RGB32, transparent areas composited onto `background`;
// a null image when memory runs out.
QImage opaqueImage(const QImage& image, const QColor& background);

// Decodes JPEG data; the JFIF density, if any, becomes the image's dots per metre.
QImage decodeJpeg(const QByteArray& data, QString* error = nullptr);

// Writes the image as baseline JPEG with a JFIF density in dots per inch; a
// Format_Grayscale8 image is written with one grey channel.
bool saveJpeg(const QImage& image, QIODevice& device, int quality, int dotsPerInch,
              QString* error = nullptr);

// Row y of a picture being encoded, as `width` Format_RGB32 pixels; valid
// until the next call. Encoders ask for each row once, in file order.
using RgbRowSource = std::function<const QRgb*(int y)>;

// saveJpeg of a picture handed out row by row, top to bottom.
bool saveJpegRows(QSize size, const RgbRowSource& rows, QIODevice& device, int quality,
                  int dotsPerInch, QString* error = nullptr);

// Row y of a grey picture being encoded, as `width` 8-bit samples; valid until
// the next call.
using GreyRowSource = std::function<const uchar*(int y)>;

// saveJpeg of a Format_Grayscale8 picture handed out row by row, top to bottom.
bool saveGreyJpegRows(QSize size, const GreyRowSource& rows, QIODevice& device, int quality,
                      int dotsPerInch, QString* error = nullptr);

// Writes the image as an uncompressed 24-bit BMP whose header holds the
// resolution in pixels per metre.
bool saveBmp(const QImage& image, QIODevice& device, int dotsPerInch, QString* error = nullptr);

// saveBmp of a picture handed out row by row, bottom to top.
bool saveBmpRows(QSize size, const RgbRowSource& rows, QIODevice& device, int dotsPerInch,
                 QString* error = nullptr);

} // namespace sw
