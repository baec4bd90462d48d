// learn and deskew: the mark detection on a scanned sheet.

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/documentio.h"
#include "document/analysis/correction.h"
#include "document/analysis/fuzzyboxes.h"
#include "document/analysis/rotation.h"
#include "platform/picturecodec.h"

#include <QSaveFile>
#include <QTextStream>

namespace sw::cli {

namespace {

struct ScanJob
{
    std::unique_ptr<TVectorGraphics> document;
    QImage scan;
};

// Loads IN.exm and SCAN and makes the --page page current; exit code on failure.
int openScanJob(const Arguments& a, ScanJob& job)
{
    job.document = openTemplate(a.positional(0, "IN.exm"));
    if (!job.document)
        return ExitFileError;
    if (job.document->PageCount() == 0) {
        printError(QStringLiteral("%1 has no page").arg(a.positional(0, "IN.exm")));
        return ExitRefused;
    }
    const int n = a.intValue(QStringLiteral("--page"), 1, 1, job.document->PageCount());
    job.document->CurrentPage = n - 1;
    QString error;
    job.scan = loadScan(a.positional(1, "SCAN"), &error);
    if (job.scan.isNull()) {
        printError(error); // names the file
        return ExitFileError;
    }
    return ExitOk;
}

QString requiredOutput(const Arguments& a)
{
    const auto out = a.value(QStringLiteral("-o"));
    if (!out)
        throw UsageError{QStringLiteral("missing -o OUT")};
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
    ScanJob job;
    if (const int status = openScanJob(a, job))
        return status;
    // The straight scan goes row by row into the file.
    const BackgroundCorrection c =
        CorrectBackground(*job.document, job.scan, StraightPicture::LeftToCaller);
    QTextStream(stdout) << c.skewAngle << '\n';
    if (!c.message.isEmpty())
        QTextStream(stdout) << c.message << '\n';
    if (!c.detected) {
        if (c.message.isEmpty())
            printError(QStringLiteral("the positioning marks were not found"));
        return ExitRefused;
    }
    QSaveFile file(out);
    QString error;
    const auto write = [&] {
        if (c.leftToDraw)
            return SaveStraightJpeg(job.scan, c.skewAngle, file, 100, screenPpi(), &error);
        return saveJpeg(c.picture.isNull() ? job.scan : c.picture, file, 100, screenPpi(), &error);
    };
    if (!file.open(QIODevice::WriteOnly) || !write() || !file.commit()) {
        printError(QStringLiteral("Cannot create file %1 %2").arg(out, error));
        return ExitFileError;
    }
    return ExitOk;
}

} // namespace sw::cli
