#include "cli/scanreading.h"

#include "platform/memorybudget.h"
#include "platform/picturecodec.h"
#include "reading/greyview.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTextStream>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <thread>
#include <unistd.h>

namespace sw::cli {

namespace {

// Memory all scans being read at once may take together: their pictures and
// what is drawn from them.
constexpr qint64 ReadingMemoryBytes = qint64(1536) << 20;

// What reading a scan of this size may allocate: the picture, and the cut
// and marked pictures drawn from it (each at most twice the scan's pixels,
// the marked one in colour and in grey).
qint64 scanWorkBytes(QSize size, int bytesPerPixel, const PictureFolders& pictures)
{
    const qint64 pixels = qint64(size.width()) * size.height();
    qint64 bytes = pixels * bytesPerPixel;
    if (!pictures.cuts.isEmpty())
        bytes += 2 * pixels;
    if (!pictures.marked.isEmpty())
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

// The SHA-256 of the whole file, which is left at its start again.
bool hashScan(const ScanFile& scan, QFile& file, QString& sha256, QString* error)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file) || !file.seek(0)) {
        *error = QStringLiteral("cannot read picture %1: %2").arg(scan.shown, file.errorString());
        return false;
    }
    sha256 = QString::fromLatin1(hash.result().toHex());
    return true;
}

ScanOutcome readOne(const SheetReader& reader, const ScanReadingOptions& options,
                    const ScanFile& scan, MemoryBudget& budget)
{
    ScanOutcome outcome;
    MemoryBudget::Share memory;
    const auto admit = [&](QSize size, int bytesPerPixel, QString* error) {
        return budget.take(memory, scanWorkBytes(size, bytesPerPixel, options.pictures), error);
    };
    QString error;
    QFile file;
    QImage image;
    if (openScan(scan, file, &error)) {
        if (options.hash && !hashScan(scan, file, outcome.sha256, &error)) {
            outcome.loadError = QStringLiteral("unreadable: %1").arg(error);
            return outcome;
        }
        if (options.hash && options.known && options.known(outcome.sha256)) {
            outcome.known = true;
            return outcome;
        }
        image = loadScan(file, scan.shown, &error, admit);
    }
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

} // namespace

void readScans(const SheetReader& reader, const ScanReadingOptions& options,
               const std::vector<ScanFile>& scans, int jobs,
               const std::function<void(std::size_t, const ScanOutcome&)>& done)
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

} // namespace sw::cli
