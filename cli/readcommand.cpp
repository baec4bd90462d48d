// read: filled answer sheets read with their template, in parallel.

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/documentio.h"
#include "cli/readoutput.h"
#include "cli/readpictures.h"
#include "cli/scanlist.h"
#include "cli/scanreading.h"
#include "platform/growingfile.h"
#include "platform/outputfile.h"
#include "platform/printabletext.h"
#include "reading/sheetreader.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTextStream>
#include <QThread>
#include <climits>
#include <optional>
#include <unistd.h>

namespace sw::cli {

namespace {

struct Options
{
    bool json = false;
    QString csv;
    PictureFolders pictures;
};

// Refuses, before anything is written, an output that is one of the inputs
// or that two outputs share.
void refuseOverwritingInputs(const QString& templatePath, const std::vector<ScanFile>& scans,
                             const Options& options, const QStringList& cutFolders)
{
    QHash<QByteArray, QString> inputs;
    inputs.insert(resolvedPath(QFile::encodeName(templatePath)), printableText(templatePath));
    for (const ScanFile& scan : scans)
        inputs.insert(resolvedPath(scan.path), scan.shown);

    QSet<QByteArray> outputs;
    const auto check = [&](const char* option, const QString& folder, const QString& relative) {
        const QByteArray path =
            resolvedPath(QFile::encodeName(folder.isEmpty() ? relative : folder + '/' + relative));
        if (const auto input = inputs.constFind(path); input != inputs.constEnd())
            throw UsageError{QStringLiteral("%1 would overwrite the input %2")
                                 .arg(QLatin1String(option), *input)};
        if (outputs.contains(path))
            throw UsageError{QStringLiteral("%1 would write %2 twice")
                                 .arg(QLatin1String(option), printableFileName(path))};
        outputs.insert(path);
    };
    if (!options.csv.isEmpty())
        check("--csv", {}, options.csv);
    for (const ScanFile& scan : scans) {
        if (!options.pictures.marked.isEmpty())
            check("--marked", options.pictures.marked, scan.outputName);
        if (!options.pictures.cuts.isEmpty())
            for (const QString& cut : cutFolders)
                check("--cuts", options.pictures.cuts, cut + QLatin1Char('/') + scan.outputName);
    }
}

} // namespace

int runRead(const QStringList& args)
{
    Arguments a(args, {QStringLiteral("--json")},
                {QStringLiteral("--csv"), QStringLiteral("--cuts"), QStringLiteral("--marked"),
                 QStringLiteral("--jobs")});
    a.expectPositional(2, INT_MAX);
    Options options;
    options.json = a.flag(QStringLiteral("--json"));
    options.csv = a.value(QStringLiteral("--csv")).value_or(QString());
    options.pictures.cuts = a.value(QStringLiteral("--cuts")).value_or(QString());
    options.pictures.marked = a.value(QStringLiteral("--marked")).value_or(QString());
    const int jobs =
        a.intValue(QStringLiteral("--jobs"), std::max(1, QThread::idealThreadCount()), 1, 256);

    const QString templatePath = a.positional(0, "TEMPLATE.exm");
    std::vector<ScanFile> scans = collectScans(a.positional().mid(1));
    if (scans.empty())
        throw UsageError{QStringLiteral("no scans to read")};
    nameScanOutputs(scans);
    const auto document = openTemplate(templatePath);
    if (!document)
        return ExitFileError;
    const SheetReader reader(*document);
    refuseOverwritingInputs(templatePath, scans, options, cutFolderNames(reader));

    // Rows go to the disk as scans finish; the file is put in place at the end.
    std::optional<GrowingFile> csv;
    QString csvError;
    const std::vector<int> columns = answerColumns(reader.pages());
    if (!options.csv.isEmpty()) {
        csv.emplace(options.csv);
        if (!csv->open(&csvError) ||
            !csv->append((csvHeader(columns) + '\n').toUtf8(), &csvError)) {
            printError(csvError);
            return ExitFileError;
        }
    }

    const bool progress = isatty(STDERR_FILENO) != 0;
    QTextStream out(stdout);
    bool unreadable = false;
    bool review = false;
    ScanReadingOptions reading;
    reading.pictures = options.pictures;
    readScans(reader, reading, scans, jobs, [&](std::size_t i, const ScanOutcome& o) {
        const QString& scan = scans[i].shown;
        if (!o.loadError.isEmpty()) {
            unreadable = true;
            out << (options.json ? unreadableJsonLine(scan, o.loadError)
                                 : scan + QStringLiteral(": ") + o.loadError)
                << '\n';
        } else {
            review = review || o.reading.needsReview();
            out << (options.json ? readingJsonLine(scan, o.reading)
                                 : readingTextLine(scan, o.reading))
                << '\n';
        }
        out.flush();
        if (!o.saveError.isEmpty()) {
            printError(o.saveError);
            unreadable = true;
        }
        if (csv && csvError.isEmpty()) {
            const QString row =
                csvRow(scan, o.loadError.isEmpty() ? &o.reading : nullptr,
                       o.loadError.isEmpty() ? o.reading.statusText() : o.loadError, columns);
            if (!csv->append((row + '\n').toUtf8(), &csvError))
                printError(csvError);
        }
        if (progress)
            showProgress(i + 1, scans.size());
    });
    if (csv) {
        if (csvError.isEmpty() && !csv->commit(&csvError))
            printError(csvError);
        if (!csvError.isEmpty())
            return ExitFileError;
    }
    if (unreadable)
        return ExitFileError;
    return review ? ExitRefused : ExitOk;
}

} // namespace sw::cli
