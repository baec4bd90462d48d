// learn and deskew: the mark detection on a scanned sheet.

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/documentio.h"
#include "document/analysis/correction.h"
#include "document/analysis/fuzzyboxes.h"
#include "document/analysis/scanstraightening.h"
#include "platform/outputfile.h"
#include "platform/picturecodec.h"

#include <QFile>
#include <QTextStream>

namespace sw::cli {

namespace {

struct ScanJob
{
    std::unique_ptr<TVectorGraphics> document;
    QImage scan;
};

void printUnreadableScan(const QString& path, const QString& error)
{
    printError(QStringLiteral("不能读取扫描图 %1。（%2）").arg(path, error));
}

// Loads IN.exm and makes the --page page current; exit code on failure.
int openJobTemplate(const Arguments& a, ScanJob& job)
{
    job.document = openTemplate(a.positional(0, "IN.exm"));
    if (!job.document)
        return ExitFileError;
    if (job.document->PageCount() == 0) {
        printError(QStringLiteral("模板文件 %1 没有页面").arg(a.positional(0, "IN.exm")));
        return ExitRefused;
    }
    const int n = a.intValue(QStringLiteral("--page"), 1, 1, job.document->PageCount());
    job.document->CurrentPage = n - 1;
    return ExitOk;
}

// openJobTemplate, and loads SCAN.
int openScanJob(const Arguments& a, ScanJob& job)
{
    if (const int status = openJobTemplate(a, job))
        return status;
    QString error;
    const QString scanPath = a.positional(1, "SCAN");
    job.scan = loadScan(scanPath, &error);
    if (job.scan.isNull()) {
        printUnreadableScan(scanPath, error);
        return ExitFileError;
    }
    return ExitOk;
}

QString requiredOutput(const Arguments& a)
{
    const auto out = a.value(QStringLiteral("-o"));
    if (!out)
        throw UsageError{QStringLiteral("缺少 -o OUT")};
    return *out;
}

} // namespace

int runLearn(const QStringList& args)
{
    Arguments a(args, {}, {QStringLiteral("-o"), QStringLiteral("--page")});
    a.expectPositional(2, 2);
    const QString out = requiredOutput(a);
    ScanJob job;
    if (const int status = openScanJob(a, job))
        return status;
    if (!LearnFuzzyBoxes(*job.document->ActivePage(), job.scan, 200, 50)) {
        printError(DetectionFailedMessage);
        return ExitRefused;
    }
    QTextStream(stdout) << job.document->ActivePage()->SkewAngle << '\n';
    return saveTemplate(*job.document, out) ? ExitOk : ExitFileError;
}

int runDeskew(const QStringList& args)
{
    Arguments a(args, {}, {QStringLiteral("-o"), QStringLiteral("--page")});
    a.expectPositional(2, 2);
    const QString out = requiredOutput(a);
    const QString scanPath = a.positional(1, "SCAN");
    for (const QString& input : {a.positional(0, "IN.exm"), scanPath})
        if (resolvedPath(QFile::encodeName(out)) == resolvedPath(QFile::encodeName(input)))
            throw UsageError{QStringLiteral("-o would overwrite the input %1").arg(input)};
    ScanJob job;
    if (const int status = openJobTemplate(a, job))
        return status;

    // A JPEG scan is decoded as far as the measuring reads it, and the rest
    // row by row into the straight file.
    QString error;
    const QByteArray jpeg = readJpegFile(scanPath, &error);
    if (!error.isEmpty()) {
        printUnreadableScan(scanPath, error);
        return ExitFileError;
    }
    ScanStraightening scan;
    if (!jpeg.isEmpty() && !scan.start(jpeg, &error)) {
        printUnreadableScan(scanPath, error);
        return ExitFileError;
    }
    if (jpeg.isEmpty()) {
        const QImage picture = loadScan(scanPath, &error);
        if (picture.isNull()) {
            printUnreadableScan(scanPath, error);
            return ExitFileError;
        }
        scan.start(picture);
    }
    const auto c = scan.correct(*job.document, &error);
    if (!c) {
        printUnreadableScan(scanPath, error);
        return ExitFileError;
    }
    QTextStream(stdout) << c->skewAngle << '\n';
    if (!c->message.isEmpty())
        QTextStream(stdout) << c->message << '\n';
    if (!c->detected) {
        if (c->message.isEmpty())
            printError(QStringLiteral("扫描图 %1 上没有找到定位标记").arg(scanPath));
        return ExitRefused;
    }
    QString writeError;
    const auto write = [&](QIODevice& device, QString* reason) {
        if (scan.write(device, 100, screenPpi(), &error))
            return true;
        *reason = error;
        return false;
    };
    if (saveOutputFile(out, write, &writeError))
        return ExitOk;
    if (scan.scanFailed())
        printUnreadableScan(scanPath, error);
    else
        printError(QStringLiteral("不能创建文件 %1。（%2）").arg(out, writeError));
    return ExitFileError;
}

} // namespace sw::cli
