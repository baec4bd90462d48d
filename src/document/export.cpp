#include "document/export.h"

#include "document/pagebands.h"
#include "document/painting.h"
#include "document/vectorgraph.h"
#include "document/vectorgraphics.h"
#include "platform/picturecodec.h"
#include "platform/pngwriter.h"
#include "platform/qpaintercanvas.h"
#include "platform/recordingcanvas.h"
#include "platform/rounding.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <vector>

namespace sw {

namespace {

// PDF pages are at most 200 inches on a side.
constexpr double MaxPaperMm = 5080;
constexpr int JpegQuality = 100;
// An SVG is built in memory before it is written (some 300 bytes a figure):
// a page drawing more figures than this is refused instead of exhausting it.
constexpr long long MaxSvgFigures = 500000;

enum class Format
{
    Bmp,
    Jpeg,
    Png,
    Pdf,
    Svg,
    None
};

Format formatOf(const QString& fileName)
{
    const auto ends = [&](const char* ending) {
        return fileName.endsWith(QLatin1String(ending), Qt::CaseSensitive);
    };
    if (ends(".bmp"))
        return Format::Bmp;
    if (ends(".jpg") || ends(".jpeg"))
        return Format::Jpeg;
    if (ends(".png"))
        return Format::Png;
    if (ends(".pdf"))
        return Format::Pdf;
    if (ends(".svg"))
        return Format::Svg;
    return Format::None;
}

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

bool checkResolution(double dotsPerInch, QString* error)
{
    if (!std::isfinite(dotsPerInch) || dotsPerInch < 1 || dotsPerInch > MaxExportDotsPerInch)
        return fail(error, QStringLiteral("resolution must lie between 1 and %1 dots per inch")
                               .arg(MaxExportDotsPerInch));
    return true;
}

void deselectAll(TVectorGraph& page)
{
    for (int i = 0; i < page.ShapeCount(); ++i) {
        TGraphics* shape = page.ShapeItem(i);
        if (shape->Selected)
            shape->Deselect();
    }
}

void paintForOutput(const TVectorGraphics& document, TVectorGraph& page, Canvas& canvas,
                    double dotsPerInch)
{
    const double scale = outputScale(dotsPerInch, document.PixelsPerMm);
    ScopedPageScale output(page, scale, scale);
    Paint(page, canvas, OutputPrint);
}

// Why writing `file` failed, in plain words for a full disk.
QString writeFailure(const QFileDevice& file)
{
    const QString reason = file.errorString() == QString::fromLocal8Bit(std::strerror(ENOSPC))
                               ? QStringLiteral("the disk is full")
                               : file.errorString();
    return QStringLiteral("cannot write %1: %2").arg(file.fileName(), reason);
}

// Unbuffered, so that a failing write shows at once, in the writer, instead
// of in a flush whose failure QSaveFile would not notice.
bool openForWriting(QSaveFile& file, QString* error)
{
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(error, writeFailure(file));
    return true;
}

bool commit(QSaveFile& file, QString* error)
{
    // Writers that ignore failed writes (SVG, PDF) leave the reason in the
    // file, where commit() would drop it.
    if (file.error() != QFileDevice::NoError) {
        const QString reason = writeFailure(file);
        file.cancelWriting();
        return fail(error, reason);
    }
    if (!file.commit())
        return fail(error, writeFailure(file));
    return true;
}

// Commits what an encoder wrote; where it failed, the file knows why better
// than the encoder, which only saw a write fail.
bool finish(QSaveFile& file, bool written, QString* error)
{
    if (written)
        return commit(file, error);
    if (file.error() != QFileDevice::NoError)
        fail(error, writeFailure(file));
    return false;
}

// The rows of a sheet without colour as grey samples; null, and `coloured`
// set, at the first row holding a colour.
PackedRowSource greyRows(PageBands& bands, std::vector<uchar>& grey, bool& coloured)
{
    return [&bands, &grey, &coloured](int y) -> const uchar* {
        const QRgb* in = bands.row(y);
        uchar* out = grey.data();
        for (const QRgb* end = in + grey.size(); in != end; ++in, ++out) {
            const int green = qGreen(*in);
            if (qRed(*in) != green || qBlue(*in) != green) {
                coloured = true;
                return nullptr;
            }
            *out = uchar(green);
        }
        return grey.data();
    };
}

PackedRowSource colourRows(PageBands& bands, std::vector<uchar>& rgb)
{
    return [&bands, &rgb](int y) -> const uchar* {
        const QRgb* in = bands.row(y);
        uchar* out = rgb.data();
        for (uchar* end = out + rgb.size(); out != end; ++in) {
            *out++ = uchar(qRed(*in));
            *out++ = uchar(qGreen(*in));
            *out++ = uchar(qBlue(*in));
        }
        return rgb.data();
    };
}

// A sheet without colour is written as 8-bit grey: the encoding starts grey
// and starts over in colour at the first coloured row.
bool writePng(PageBands& bands, const QString& fileName, int resolution, QString* error)
{
    const QSize size = bands.size();
    {
        std::vector<uchar> grey(std::size_t(size.width()));
        bool coloured = false;
        QSaveFile file(fileName);
        if (!openForWriting(file, error))
            return false;
        const bool written = savePngRows(size, PngPixels::Grey8, greyRows(bands, grey, coloured),
                                         file, resolution, error);
        if (written || !coloured)
            return finish(file, written, error);
    }
    std::vector<uchar> rgb(std::size_t(size.width()) * 3);
    QSaveFile file(fileName);
    return openForWriting(file, error) &&
           finish(
               file,
               savePngRows(size, PngPixels::Rgb24, colourRows(bands, rgb), file, resolution, error),
               error);
}

// A white sheet of the page's paper size at the resolution, painted in bands
// and encoded row by row.
bool writeBitmap(const TVectorGraphics& document, TVectorGraph& page, const QString& fileName,
                 Format format, double dotsPerInch, QString* error)
{
    const double scale = outputScale(dotsPerInch, document.PixelsPerMm);
    const int width = roundHalfEven(scale * page.Width * document.PixelsPerMm);
    const int height = roundHalfEven(scale * page.Height * document.PixelsPerMm);
    if (width < 1 || height < 1 || static_cast<long long>(width) * height > MaxExportPixels)
        return fail(
            error,
            QStringLiteral("cannot export a picture of %1 x %2 pixels").arg(width).arg(height));
    PageBands bands(document, page, dotsPerInch, QSize(width, height), exportBandRows(width));
    if (!bands.isValid())
        return fail(error, QStringLiteral("not enough memory for the picture"));
    const auto rows = [&bands](int y) { return bands.row(y); };

    const int resolution = roundHalfEven(dotsPerInch);
    if (format == Format::Png)
        return writePng(bands, fileName, resolution, error);
    QSaveFile file(fileName);
    if (!openForWriting(file, error))
        return false;
    const bool written =
        format == Format::Bmp
            ? saveBmpRows(bands.size(), rows, file, resolution, error)
            : saveJpegRows(bands.size(), rows, file, JpegQuality, resolution, error);
    return finish(file, written, error);
}

bool writePdf(const TVectorGraphics& document, const std::vector<TVectorGraph*>& pages,
              const QString& fileName, double dotsPerInch, QString* error)
{
    for (const TVectorGraph* page : pages) {
        if (!checkExportPaper(*page, error))
            return false;
    }
    const int resolution = roundHalfEven(dotsPerInch);
    QSaveFile file(fileName);
    if (!openForWriting(file, error))
        return false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(resolution);
        writer.setCreator(QStringLiteral("Sheetwright"));
        if (pages.size() == 1)
            writer.setTitle(outputTitle(*pages.front()));
        writer.setPageLayout(pdfPageLayout(*pages.front()));
        QPainterCanvas canvas(writer, outputFontPixelsPerInch(document));
        if (!canvas.isActive())
            return fail(error, QStringLiteral("cannot start the PDF %1").arg(fileName));
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (i > 0) {
                writer.setPageLayout(pdfPageLayout(*pages[i]));
                writer.newPage();
            }
            paintForOutput(document, *pages[i], canvas, resolution);
        }
        canvas.end();
    }
    return commit(file, error);
}

// The drawing calls painting the page for output makes within `size`.
long long figureCount(const TVectorGraphics& document, TVectorGraph& page, QSize size,
                      double dotsPerInch)
{
    RecordingCanvas counter(outputFontPixelsPerInch(document));
    counter.setClipRect({-1, -1, size.width() + 1, size.height() + 1});
    long long count = 0;
    counter.setSink([&count](const CanvasCall&) { ++count; });
    paintForOutput(document, page, counter, dotsPerInch);
    return count;
}

bool writeSvg(const TVectorGraphics& document, TVectorGraph& page, const QString& fileName,
              double dotsPerInch, QString* error)
{
    if (!checkExportPaper(page, error))
        return false;
    const int resolution = roundHalfEven(dotsPerInch);
    const QSize size(roundHalfEven(page.Width / 25.4 * resolution),
                     roundHalfEven(page.Height / 25.4 * resolution));
    const long long figures = figureCount(document, page, size, resolution);
    if (figures > MaxSvgFigures)
        return fail(error, QStringLiteral("the page draws %1 figures, more than an SVG can hold "
                                          "(%2): export it as PNG or PDF")
                               .arg(figures)
                               .arg(MaxSvgFigures));
    QSaveFile file(fileName);
    if (!openForWriting(file, error))
        return false;
    {
        QSvgGenerator generator;
        generator.setOutputDevice(&file);
        generator.setSize(size);
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setResolution(resolution);
        generator.setTitle(outputTitle(page));
        QPainterCanvas canvas(generator, outputFontPixelsPerInch(document));
        if (!canvas.isActive())
            return fail(error, QStringLiteral("cannot start the SVG %1").arg(fileName));
        paintForOutput(document, page, canvas, resolution);
    }
    return commit(file, error);
}

bool checkDocument(const TVectorGraphics& document, double dotsPerInch, QString* error)
{
    if (document.PageCount() == 0)
        return fail(error, QStringLiteral("the document has no page to export"));
    return checkResolution(dotsPerInch, error);
}

} // namespace

bool checkExportPaper(const TVectorGraph& page, QString* error)
{
    const auto usable = [](double mm) { return std::isfinite(mm) && mm > 0 && mm <= MaxPaperMm; };
    if (!usable(page.Width) || !usable(page.Height))
        return fail(error, QStringLiteral("paper size %1 x %2 mm cannot be exported")
                               .arg(page.Width)
                               .arg(page.Height));
    return true;
}

QPageLayout pdfPageLayout(const TVectorGraph& page)
{
    const QPageSize paper(QSizeF(page.Width, page.Height), QPageSize::Millimeter, QString(),
                          QPageSize::ExactMatch);
    return QPageLayout(paper, QPageLayout::Portrait, QMarginsF());
}

bool ExportImage(TVectorGraphics& document, const QString& fileName, double dotsPerInch,
                 QString* error)
{
    return ExportPage(document, document.CurrentPage, fileName, dotsPerInch, error);
}

bool ExportPage(TVectorGraphics& document, int pageIndex, const QString& fileName,
                double dotsPerInch, QString* error)
{
    if (!checkDocument(document, dotsPerInch, error))
        return false;
    if (pageIndex < 0 || pageIndex >= document.PageCount())
        return fail(error, QStringLiteral("the document has no page %1").arg(pageIndex + 1));
    TVectorGraph& page = *document.PageAt(pageIndex);
    deselectAll(page);
    const Format format = formatOf(fileName);
    switch (format) {
    case Format::Bmp:
    case Format::Jpeg:
    case Format::Png:
        return checkExportPaper(page, error) &&
               writeBitmap(document, page, fileName, format, dotsPerInch, error);
    case Format::Pdf:
        return writePdf(document, {&page}, fileName, dotsPerInch, error);
    case Format::Svg:
        return writeSvg(document, page, fileName, dotsPerInch, error);
    case Format::None:
        break;
    }
    return fail(error, QStringLiteral("%1: the name must end in .bmp, .jpg, .jpeg, .png, .pdf "
                                      "or .svg")
                           .arg(fileName));
}

bool ExportPdf(TVectorGraphics& document, const QString& fileName, double dotsPerInch,
               QString* error)
{
    if (!checkDocument(document, dotsPerInch, error))
        return false;
    std::vector<TVectorGraph*> pages;
    for (int i = 0; i < document.PageCount(); ++i) {
        pages.push_back(document.PageAt(i));
        deselectAll(*pages.back());
    }
    return writePdf(document, pages, fileName, dotsPerInch, error);
}

} // namespace sw
