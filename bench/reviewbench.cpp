// sheetwright-review-bench: the time from a decision in the review window to
// the next item shown, on 300-dpi scans.
//
// Usage: sheetwright-review-bench [SHEETS]
// Makes an exam of the exam sheet in a temporary SQLite database with SHEETS
// (default 20) simulated scans, each with a double mark, brought to 300 dpi;
// then decides every item in a review window, pausing between decisions as
// a person looking at the item would, and prints the median and the slowest
// time from the decision to the next item shown, and the same without pauses.

#include "exam/exam.h"
#include "exam/examsheets.h"
#include "reading/sheetreader.h"
#include "review/reviewwindow.h"
#include "storage/database.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>
#include <algorithm>
#include <random>

using namespace sw;

namespace {

constexpr int ScreenPpi = 96;
constexpr int LookingMs = 300; // a person reading the item before deciding

int fail(const QString& message)
{
    QTextStream(stderr) << message << '\n';
    return 1;
}

bool plant(const QString& location, const QTemporaryDir& folder, int sheets, QString* error)
{
    auto document = test::examSheet();
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    if (!document->SaveToStream(SaveAllShapes, bytes, error))
        return false;
    Database database;
    if (!database.open(location, error))
        return false;
    const auto exam =
        Exam::create(database, QStringLiteral("bench"), bytes.data(), ScreenPpi, error);
    if (!exam)
        return false;
    AnswerKey key;
    int doubled = 0;
    QString options;
    for (const auto& [type, paper] : exam->layout().papers)
        for (const auto& [number, q] : paper.objective) {
            key.push_back({type, number, q.options.left(1), 1, 0});
            if (!q.multiple && doubled == 0) {
                doubled = number;
                options = q.options;
            }
        }
    if (!exam->storeKey(key, nullptr, error))
        return false;
    const SheetReader reader(exam->document());
    std::mt19937 rng(300);
    for (int s = 0; s < sheets; ++s) {
        test::Filling filling;
        filling.examNumber = QString::number(s).rightJustified(4, QLatin1Char('0'));
        filling.answers[doubled] = options.left(2);
        const QImage at150 = test::filledScan(exam->document(), 0, filling, rng);
        const QImage scan =
            at150.scaled(at150.size() * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QString path = folder.filePath(QStringLiteral("scan%1.jpg").arg(s));
        if (!scan.save(path, "JPEG", 85))
            return false;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        if (!exam->storeScan(scanHash(file.readAll()), path, reader.read(scan), {}, nullptr, error))
            return false;
    }
    return true;
}

// Decides every item; the milliseconds from each decision to the next item.
std::vector<double> workQueue(const QString& location, int pauseMs, QString* error)
{
    auto window = openReviewWindow(location, QStringLiteral("bench"), ScreenPpi, error);
    if (!window)
        return {};
    window->setReviewer(QStringLiteral("bench"));
    if (!window->start(error))
        return {};
    window->show();
    std::vector<double> times;
    while (window->currentItem()) {
        // The queue catches up with the last decision when the pause is
        // longer than ReviewWindow::CatchUpMs.
        QApplication::processEvents();
        QThread::msleep(pauseMs);
        QElapsedTimer timer;
        timer.start();
        if (!window->decide(QStringLiteral("A")))
            break;
        // The next item is in place when decide() returns; the queue's
        // reload comes later, once decisions pause.
        if (window->currentItem())
            times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return times;
}

QString summary(std::vector<double> times)
{
    if (times.empty())
        return QStringLiteral("no items");
    std::sort(times.begin(), times.end());
    return QStringLiteral("median %1 ms, slowest %2 ms over %3 items")
        .arg(times[times.size() / 2], 0, 'f', 1)
        .arg(times.back(), 0, 'f', 1)
        .arg(times.size());
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    bool ok = args.isEmpty();
    const int sheets = args.isEmpty() ? 20 : args[0].toInt(&ok);
    if (!ok || sheets < 2)
        return fail(QStringLiteral("usage: sheetwright-review-bench [SHEETS]"));
    QTemporaryDir folder;
    QString error;
    const QString base = folder.filePath(QStringLiteral("planted.db"));
    if (!plant(base, folder, sheets, &error))
        return fail(error);
    QTextStream out(stdout);
    for (const int pause : {LookingMs, 0}) {
        const QString copy = folder.filePath(QStringLiteral("review%1.db").arg(pause));
        if (!QFile::copy(base, copy))
            return fail(QStringLiteral("cannot copy the database"));
        const std::vector<double> times = workQueue(copy, pause, &error);
        if (!error.isEmpty())
            return fail(error);
        out << (pause ? QStringLiteral("decision to next item, %1 ms looking: ").arg(pause)
                      : QStringLiteral("decision to next item, back to back: "))
            << summary(times) << '\n';
    }
    return 0;
}
