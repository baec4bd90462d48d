// read: filled answer sheets read with their template, in parallel.

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/documentio.h"
#include "cli/readoutput.h"
#include "cli/readpictures.h"
#include "cli/scanlist.h"
#include "platform/growingfile.h"
#include "platform/memorybudget.h"
#include "platform/outputfile.h"
#include "platform/picturecodec.h"
#include "platform/printabletext.h"
#include "reading/greyview.h"
#include "reading/sheetreader.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTextStream>
#include <QThread>
#include <atomic>
#include <cerrno>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <unistd.h>

namespace sw::cli {

namespace {

// Memory all scans being read at once may take together: their pictures and
// what is drawn from them.
constexpr qint64 ReadingMemoryBytes = qint64(1536) << 20;

struct Options
{
    bool json = false;
    QString csv;
    PictureFolders pictures;
};

// What became of one scan; the picture itself is gone by then.
struct ScanOutcome
{
    QString loadError; // the file is no readable picture
    SheetReading reading;
    QString saveError; // a cut or marked picture could not be written
};

// What reading a scan of this size may allocate: the picture, and the cut
// and marked pictures drawn from it (each at most twice the scan's pixels,
// the marked one in colour and in grey).
qint64 scanWorkBytes(QSize size, int bytesPerPixel, const Options& options)
{
    const qint64 pixels = qint64(size.width()) * size.height();
    qint64 bytes = pixels * bytesPerPixel;
    if (!options.pictures.cuts.isEmpty())
        bytes += 2 * pixels;
    if (!options.pictures.marked.isEmpty())
        bytes += 2 * pixels * 5;
    return bytes;
}

bool openScan(const ScanFile& scan, QFile& file, QString* error)
{
    const int fd = ::open(scan.path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        *error = QStringLiteral("cannot open picture %1: %2")
                     .arg(scan.shown, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *error = QStringLiteral("cannot open picture %1: %2").arg(scan.shown, file.errorString());
        return false;
    }
    return true;
}

ScanOutcome readOne(const SheetReader& reader, const Options& options, const ScanFile& scan,
                    MemoryBudget& budget)
{
    ScanOutcome outcome;
    MemoryBudget::Share memory;
    const auto admit = [&](QSize size, int bytesPerPixel, QString* error) {
        return budget.take(memory, scanWorkBytes(size, bytesPerPixel, options), error);
    };
    QString error;
    QFile file;
    QImage image;
    if (openScan(scan, file, &error))
        image = loadScan(file, scan.shown, &error, admit);
    if (image.isNull()) {
        outcome.loadError = QStringLiteral("unreadable: %1").arg(error);
        return outcome;
    }
    outcome.reading = reader.read(image);
    if (!options.pictures.cuts.isEmpty() || !options.pictures.marked.isEmpty())
        writeReadPictures(options.pictures, reader, GreyView(image), outcome.reading,
                          scan.outputName, &outcome.saveError);
    return outcome;
}

// Reads the scans on `jobs` threads; `done` sees every outcome in input
// order as soon as it and all before it are ready.
void readAll(const SheetReader& reader, const Options& options, const std::vector<ScanFile>& scans,
             int jobs, const std::function<void(std::size_t, const ScanOutcome&)>& done)
{
    MemoryBudget budget(ReadingMemoryBytes);
    std::vector<std::optional<ScanOutcome>> outcomes(scans.size());
    std::mutex mutex;
    std::condition_variable ready;
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < scans.size(); i = next++) {
            ScanOutcome outcome = readOne(reader, options, scans[i], budget);
            const std::lock_guard lock(mutex);
            outcomes[i] = std::move(outcome);
            ready.notify_one();
        }
    };
    std::vector<std::thread> workers;
    for (std::size_t t = 0; t < std::min(std::size_t(jobs), scans.size()); ++t)
        workers.emplace_back(work);
    for (std::size_t i = 0; i < scans.size(); ++i) {
        std::unique_lock lock(mutex);
        ready.wait(lock, [&] { return outcomes[i].has_value(); });
        const ScanOutcome outcome = std::move(*outcomes[i]);
        outcomes[i].reset();
        lock.unlock();
        done(i, outcome);
    }
    for (std::thread& w : workers)
        w.join();
}

void showProgress(std::size_t done, std::size_t total)
{
    constexpr std::size_t Width = 30;
    const std::size_t filled = total > 0 ? done * Width / total : Width;
    QTextStream err(stderr);
    err << '\r' << '[' << QString(qsizetype(filled), QLatin1Char('#'))
        << QString(qsizetype(Width - filled), QLatin1Char(' ')) << "] " << done << '/' << total;
    if (done == total)
        err << '\n';
    err.flush();
}

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
    readAll(reader, options, scans, jobs, [&](std::size_t i, const ScanOutcome& o) {
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
