// export and trace: a template's pages as pictures, PDF, SVG or a drawing trace.

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/documentio.h"
#include "document/export.h"
#include "document/painting.h"
#include "platform/recordingcanvas.h"
#include "platform/rounding.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace sw::cli {

namespace {

const QStringList ExportSuffixes = {"bmp", "jpg", "jpeg", "png", "pdf", "svg"};

// The page chosen with --page (numbered from 1), made current.
TVectorGraph& choosePage(TVectorGraphics& document, const Arguments& a)
{
    const int n = a.intValue(QStringLiteral("--page"), 1, 1, document.PageCount());
    document.CurrentPage = n - 1;
    return *document.ActivePage();
}

// Exports the current page. The export picks the format by the name's
// lower-case ending; a name ending in upper case is written through a
// temporary lower-case name next to it.
bool exportCurrentPage(TVectorGraphics& document, const QString& out, double dpi)
{
    const QString suffix = QFileInfo(out).suffix();
    const QString target =
        suffix == suffix.toLower() ? out : out + QStringLiteral(".part.") + suffix.toLower();
    QString error;
    if (!ExportImage(document, target, dpi, &error)) {
        printError(QStringLiteral("不能导出到 %1。（%2）").arg(out, error));
        return false;
    }
    if (target != out) {
        QFile::remove(out);
        if (!QFile::rename(target, out)) {
            QFile::remove(target);
            printError(QStringLiteral("不能创建文件 %1").arg(out));
            return false;
        }
    }
    return true;
}

// name.png -> name-3.png
QString numberedName(const QString& out, int page)
{
    const QFileInfo info(out);
    const QString stem = out.left(out.size() - info.suffix().size() - 1);
    return QStringLiteral("%1-%2.%3").arg(stem).arg(page).arg(info.suffix());
}

} // namespace

int runExport(const QStringList& args)
{
    Arguments a(args, {QStringLiteral("--all")},
                {QStringLiteral("-o"), QStringLiteral("--page"), QStringLiteral("--dpi")});
    a.expectPositional(1, 1);
    const auto out = a.value(QStringLiteral("-o"));
    if (!out)
        throw UsageError{QStringLiteral("缺少 -o OUT")};
    const QString suffix = QFileInfo(*out).suffix().toLower();
    if (!ExportSuffixes.contains(suffix))
        throw UsageError{
            QStringLiteral("看不出 %1 的格式：请用 .bmp .jpg .jpeg .png .pdf 或 .svg").arg(*out)};
    if (a.flag(QStringLiteral("--all")) && a.value(QStringLiteral("--page")))
        throw UsageError{QStringLiteral("--page 和 --all 不能同时使用")};
    const double dpi = a.doubleValue(QStringLiteral("--dpi"), screenPpi(), 1, MaxExportDotsPerInch);

    auto document = openTemplate(a.positional(0, "IN.exm"));
    if (!document)
        return ExitFileError;
    if (document->PageCount() == 0) {
        printError(QStringLiteral("模板文件 %1 没有页面").arg(a.positional(0, "IN.exm")));
        return ExitRefused;
    }
    if (!a.flag(QStringLiteral("--all"))) {
        choosePage(*document, a);
        return exportCurrentPage(*document, *out, dpi) ? ExitOk : ExitFileError;
    }
    if (suffix == QLatin1String("pdf")) {
        QString error;
        if (ExportPdf(*document, *out, dpi, &error))
            return ExitOk;
        printError(QStringLiteral("不能导出到 %1。（%2）").arg(*out, error));
        return ExitFileError;
    }
    for (int i = 0; i < document->PageCount(); ++i) {
        document->CurrentPage = i;
        if (!exportCurrentPage(*document, numberedName(*out, i + 1), dpi))
            return ExitFileError;
    }
    return ExitOk;
}

int runTrace(const QStringList& args)
{
    Arguments a(args, {},
                {QStringLiteral("--page"), QStringLiteral("--zoom"), QStringLiteral("--mode")});
    a.expectPositional(1, 1);
    const double zoom = a.doubleValue(QStringLiteral("--zoom"), 1.0, 0.01, 100.0);
    const int mode = a.intValue(QStringLiteral("--mode"), OutputScreen, OutputScreen, OutputPrint);
    auto document = openTemplate(a.positional(0, "IN.exm"));
    if (!document)
        return ExitFileError;
    if (document->PageCount() == 0)
        return ExitOk;
    TVectorGraph& page = choosePage(*document, a);
    page.SetScaleX(zoom);
    page.SetScaleY(zoom);
    RecordingCanvas canvas(screenPpi());
    // Only what lies on the sheet is traced, line by line as it is drawn.
    canvas.setClipRect({0, 0, roundHalfEven(page.Width * document->PixelsPerMm * zoom),
                        roundHalfEven(page.Height * document->PixelsPerMm * zoom)});
    QTextStream out(stdout);
    canvas.setSink([&out](const CanvasCall& call) { out << call.line() << '\n'; });
    Paint(page, canvas, mode);
    return ExitOk;
}

} // namespace sw::cli
