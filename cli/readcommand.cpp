// read: filled answer sheets read with their template, in parallel.

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/documentio.h"
#include "cli/readoutput.h"
#include "platform/picturecodec.h"
#include "reading/greyview.h"
#include "reading/sheetreader.h"
#include "reading/straighten.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>
#include <QTextStream>
#include <QThread>
#include <atomic>
#include <climits>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <unistd.h>

namespace sw::cli {

namespace {

const QStringList PictureFilters = {QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"),
                                    QStringLiteral("*.png"), QStringLiteral("*.bmp"),
                                    QStringLiteral("*.tif"), QStringLiteral("*.tiff")};

struct Options
{
    bool json = false;
    QString csv;
    QString cuts;
    QString marked;
};

// What became of one scan; the picture itself is gone by then.
struct ScanOutcome
{
    QString loadError; // the file is no readable picture
    SheetReading reading;
    QString saveError; // a cut or marked picture could not be written
};

// Files as given; the pictures of a folder by name.
QStringList scanList(const QStringList& paths)
{
    QStringList scans;
    for (const QString& path : paths) {
        const QFileInfo info(path);
        if (!info.isDir()) {
            scans << path;
            continue;
        }
        const QDir dir(path);
        for (const QString& name :
             dir.entryList(PictureFilters, QDir::Files, QDir::Name | QDir::IgnoreCase))
            scans << dir.filePath(name);
    }
    return scans;
}

bool savePng(const QImage& image, const QString& path, QString& error)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        error = QStringLiteral("cannot create the folder of %1").arg(path);
        return false;
    }
    QSaveFile file(path);
    QImageWriter writer(&file, "png");
    if (!file.open(QIODevice::WriteOnly) || !writer.write(image) || !file.commit()) {
        error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}

void writePictures(const Options& options, const SheetReader& reader, const GreyView& scan,
                   const QString& scanPath, ScanOutcome& outcome)
{
    const SheetReading& r = outcome.reading;
    if (!r.isRead())
        return;
    const PageGeometry& page = reader.pages()[std::size_t(r.PageIndex)];
    const QString name = QFileInfo(scanPath).completeBaseName() + QStringLiteral(".png");
    if (!options.cuts.isEmpty()) {
        for (const CutBoxGeometry& cut : page.CutBoxes) {
            const QRectF area(cut.Rect.Left, cut.Rect.Top, cut.Rect.width(), cut.Rect.height());
            const QString path =
                QDir(options.cuts)
                    .filePath(
                        QStringLiteral("%1-%2/%3").arg(cut.Question).arg(cut.Number).arg(name));
            if (!savePng(straightenedArea(scan, r.Map, area, r.Map.scale()), path,
                         outcome.saveError))
                return;
        }
    }
    if (!options.marked.isEmpty())
        savePng(markedPicture(scan, r, page), QDir(options.marked).filePath(name),
                outcome.saveError);
}

ScanOutcome readOne(const SheetReader& reader, const Options& options, const QString& path)
{
    ScanOutcome outcome;
    QString error;
    const QImage image = loadScan(path, &error);
    if (image.isNull()) {
        outcome.loadError = QStringLiteral("unreadable: %1").arg(error);
        return outcome;
    }
    outcome.reading = reader.read(image);
    if (!options.cuts.isEmpty() || !options.marked.isEmpty())
        writePictures(options, reader, GreyView(image), path, outcome);
    return outcome;
}

// Reads the scans on `jobs` threads; `done` sees every outcome in input
// order as soon as it and all before it are ready.
void readAll(const SheetReader& reader, const Options& options, const QStringList& scans, int jobs,
             const std::function<void(int, const ScanOutcome&)>& done)
{
    std::vector<std::optional<ScanOutcome>> outcomes(std::size_t(scans.size()));
    std::mutex mutex;
    std::condition_variable ready;
    std::atomic<int> next{0};
    const auto work = [&] {
        for (int i = next++; i < scans.size(); i = next++) {
            ScanOutcome outcome = readOne(reader, options, scans.at(i));
            const std::lock_guard lock(mutex);
            outcomes[std::size_t(i)] = std::move(outcome);
            ready.notify_one();
        }
    };
    std::vector<std::thread> workers;
    for (int t = 0; t < std::min<int>(jobs, scans.size()); ++t)
        workers.emplace_back(work);
    for (int i = 0; i < scans.size(); ++i) {
        std::unique_lock lock(mutex);
        ready.wait(lock, [&] { return outcomes[std::size_t(i)].has_value(); });
        const ScanOutcome outcome = std::move(*outcomes[std::size_t(i)]);
        outcomes[std::size_t(i)].reset();
        lock.unlock();
        done(i, outcome);
    }
    for (std::thread& w : workers)
        w.join();
}

void showProgress(int done, int total)
{
    constexpr int Width = 30;
    const int filled = total > 0 ? done * Width / total : Width;
    QTextStream err(stderr);
    err << '\r' << '[' << QString(filled, QLatin1Char('#'))
        << QString(Width - filled, QLatin1Char(' ')) << "] " << done << '/' << total;
    if (done == total)
        err << '\n';
    err.flush();
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
    options.cuts = a.value(QStringLiteral("--cuts")).value_or(QString());
    options.marked = a.value(QStringLiteral("--marked")).value_or(QString());
    const int jobs =
        a.intValue(QStringLiteral("--jobs"), std::max(1, QThread::idealThreadCount()), 1, 256);

    const QString templatePath = a.positional(0, "TEMPLATE.exm");
    const QStringList scans = scanList(a.positional().mid(1));
    if (scans.isEmpty())
        throw UsageError{QStringLiteral("no scans to read")};
    const auto document = openTemplate(templatePath);
    if (!document)
        return ExitFileError;
    const SheetReader reader(*document);

    QSaveFile csvFile(options.csv);
    std::optional<QTextStream> csv;
    const std::vector<int> columns = answerColumns(reader.pages());
    if (!options.csv.isEmpty()) {
        if (!csvFile.open(QIODevice::WriteOnly)) {
            printError(
                QStringLiteral("cannot write %1: %2").arg(options.csv, csvFile.errorString()));
            return ExitFileError;
        }
        csv.emplace(&csvFile);
        *csv << csvHeader(columns) << '\n';
    }

    const bool progress = isatty(STDERR_FILENO) != 0;
    QTextStream out(stdout);
    bool unreadable = false;
    bool review = false;
    readAll(reader, options, scans, jobs, [&](int i, const ScanOutcome& o) {
        const QString& scan = scans.at(i);
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
        if (csv)
            *csv << csvRow(scan, o.loadError.isEmpty() ? &o.reading : nullptr,
                           o.loadError.isEmpty() ? o.reading.statusText() : o.loadError, columns)
                 << '\n';
        if (progress)
            showProgress(i + 1, int(scans.size()));
    });
    if (csv) {
        csv->flush();
        if (!csvFile.commit()) {
            printError(
                QStringLiteral("cannot write %1: %2").arg(options.csv, csvFile.errorString()));
            return ExitFileError;
        }
    }
    if (unreadable)
        return ExitFileError;
    return review ? ExitRefused : ExitOk;
}

} // namespace sw::cli
