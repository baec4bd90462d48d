#include "platform/pngwriter.h"

#include "platform/rounding.h"

#include <QIODevice>
#include <algorithm>
#include <csetjmp>
#include <png.h>

namespace sw {

namespace {

struct PngState
{
    QIODevice* device = nullptr;
    bool writeFailed = false;
    bool stopped = false;
    QString message;
};

PngState& stateOf(png_structp png)
{
    return *static_cast<PngState*>(png_get_io_ptr(png));
}

void writeData(png_structp png, png_bytep data, png_size_t length)
{
    PngState& state = stateOf(png);
    if (!state.writeFailed &&
        state.device->write(reinterpret_cast<const char*>(data), qint64(length)) != qint64(length))
        state.writeFailed = true;
}

void flushData(png_structp) {}

[[noreturn]] void pngError(png_structp png, png_const_charp message)
{
    static_cast<PngState*>(png_get_error_ptr(png))->message = QString::fromLocal8Bit(message);
    png_longjmp(png, 1);
}

void pngWarning(png_structp, png_const_charp) {}

// libpng leaves through longjmp on errors: this function keeps every object
// with a destructor outside its frame.
bool runPng(png_structp png, png_infop info, QSize size, PngPixels pixels,
            const PackedRowSource& rows, int dotsPerInch, PngState& state)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_write_fn(png, &state, writeData, flushData);
    const int colourType = pixels == PngPixels::Grey8 ? PNG_COLOR_TYPE_GRAY : PNG_COLOR_TYPE_RGB;
    png_set_IHDR(png, info, png_uint_32(size.width()), png_uint_32(size.height()), 8, colourType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    // Sheets are mostly paper white with thin dark lines: the "up" filter alone
    // compresses them as well as trying every filter on each row, at a fraction
    // of the time.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_UP);
    const auto perMetre = png_uint_32(roundHalfEven(std::max(dotsPerInch, 0) / 0.0254));
    png_set_pHYs(png, info, perMetre, perMetre, PNG_RESOLUTION_METER);
    png_write_info(png, info);
    for (int y = 0; y < size.height(); ++y) {
        const uchar* row = rows(y);
        if (!row) {
            state.stopped = true;
            return false;
        }
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}

} // namespace

bool savePngRows(QSize size, PngPixels pixels, const PackedRowSource& rows, QIODevice& device,
                 int dotsPerInch, QString* error)
{
    const auto fail = [error](const QString& text) {
        if (error)
            *error = text;
        return false;
    };
    if (size.isEmpty())
        return fail(QStringLiteral("no picture to save"));
    PngState state;
    state.device = &device;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, pngError, pngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return fail(QStringLiteral("not enough memory to encode PNG"));
    }
    const bool done = runPng(png, info, size, pixels, rows, dotsPerInch, state);
    png_destroy_write_struct(&png, &info);
    if (state.stopped)
        return fail(QStringLiteral("PNG encoding stopped"));
    if (!done)
        return fail(QStringLiteral("cannot encode PNG: %1").arg(state.message));
    if (state.writeFailed)
        return fail(QStringLiteral("cannot write PNG: %1").arg(device.errorString()));
    return true;
}

} // namespace sw
