// exam report: the exam's analysis report and each candidate's own sheet.

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/documentio.h"
#include "cli/examsession.h"
#include "reports/candidatesheet.h"
#include "reports/examreport.h"
#include "reports/examreportdata.h"
#include "reports/scriptpictures.h"

#include <QTextStream>

namespace sw::cli {

int runExamReport(const QStringList& args)
{
    Arguments a(args, {},
                {QStringLiteral("--db"), QStringLiteral("-o"), QStringLiteral("--candidates")});
    a.expectPositional(1, 1);
    const auto reportPath = a.value(QStringLiteral("-o"));
    const auto folder = a.value(QStringLiteral("--candidates"));
    if (!reportPath && !folder)
        throw UsageError{QStringLiteral("缺少 -o FILE.pdf 或 --candidates DIR")};
    const QString location = databaseLocation(a);
    refuseDatabaseAsOutput("-o", reportPath, location);

    ScoredExam exam;
    if (!loadScoredExam(exam, location, a.positional(0, "NAME")))
        return ExitFileError;
    const ExamData& data = exam.data;
    const ExamResults& results = exam.results;
    const ReportData report = examReportData(data, results);
    QString error;

    if (reportPath && !writeExamReport(report, *reportPath, &error))
        return fileFailure(error);
    if (folder) {
        // Read the scans again one candidate at a time: their pictures are large.
        const ScriptPictures pictures(*exam.session.exam, data, report);
        QStringList inputs{location};
        for (const ExamScan& scan : data.scans)
            inputs << scan.fileName;
        QStringList warnings;
        // The report's candidates are the results' in the same order.
        const auto addPictures = [&](std::size_t index, ReportCandidate& candidate) {
            pictures.add(candidate, results.candidates[index], &warnings);
            for (const QString& warning : std::as_const(warnings))
                printError(warning);
            warnings.clear();
        };
        QStringList written;
        const bool ok =
            writeCandidateSheets(report, *folder, inputs, &written, &error, addPictures);
        QTextStream(stdout) << QStringLiteral("考生答题卡：%1 份\n").arg(written.size());
        if (!ok)
            return fileFailure(error);
    }
    return ExitOk;
}

} // namespace sw::cli
