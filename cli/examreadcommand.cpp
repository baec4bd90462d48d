// exam read: scans read with the exam's template and stored, each once.

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/documentio.h"
#include "cli/examsession.h"
#include "cli/readoutput.h"
#include "cli/scanlist.h"
#include "cli/scanreading.h"
#include "reading/sheetreader.h"

#include <QFileInfo>
#include <QSet>
#include <QTextStream>
#include <QThread>
#include <climits>
#include <unistd.h>

namespace sw::cli {

namespace {

// The file name stored with a scan: its whole path, so that a reviewer can
// open it again.
QString storedFileName(const ScanFile& scan)
{
    return QFileInfo(scan.shown).absoluteFilePath();
}

} // namespace

int runExamRead(const QStringList& args)
{
    Arguments a(args, {}, {QStringLiteral("--db"), QStringLiteral("--jobs")});
    a.expectPositional(2, INT_MAX);
    const int jobs =
        a.intValue(QStringLiteral("--jobs"), std::max(1, QThread::idealThreadCount()), 1, 256);
    const std::vector<ScanFile> scans = collectScans(a.positional().mid(1));
    if (scans.empty())
        throw UsageError{QStringLiteral("没有要识读的扫描图")};

    ExamSession session;
    if (!openExamSession(session, databaseLocation(a), a.positional(0, "NAME")))
        return ExitFileError;
    const Exam& exam = *session.exam;
    QSet<QString> stored;
    QString error;
    if (!exam.storedScans(stored, &error))
        return fileFailure(error);
    const SheetReader reader(exam.document());

    ScanReadingOptions options;
    options.hash = true;
    // Only read before this run began: the set is not touched while workers ask.
    options.known = [&stored](const QString& sha256) { return stored.contains(sha256); };
    const bool progress = isatty(STDERR_FILENO) != 0;
    QTextStream out(stdout);
    bool unreadable = false;
    QString storeError;
    readScans(reader, options, scans, jobs, [&](std::size_t i, const ScanOutcome& o) {
        if (!storeError.isEmpty())
            return; // the database failed: nothing more is stored or reported
        const QString& shown = scans[i].shown;
        if (o.known) {
            out << shown << QStringLiteral(": already stored\n");
        } else if (o.sha256.isEmpty()) {
            // Not even its bytes could be read: nothing to know it by.
            unreadable = true;
            out << shown << QStringLiteral(": ") << o.loadError << '\n';
        } else {
            bool added = false;
            if (!exam.storeScan(o.sha256, storedFileName(scans[i]), o.reading, o.loadError, &added,
                                &storeError))
                return;
            unreadable = unreadable || !o.loadError.isEmpty();
            const QString line = o.loadError.isEmpty() ? readingTextLine(shown, o.reading)
                                                       : shown + QStringLiteral(": ") + o.loadError;
            out << line << (added ? QString() : QStringLiteral(" (already stored)")) << '\n';
        }
        out.flush();
        if (progress)
            showProgress(i + 1, scans.size());
    });
    if (!storeError.isEmpty())
        return fileFailure(storeError);
    return unreadable ? ExitFileError : ExitOk;
}

} // namespace sw::cli
