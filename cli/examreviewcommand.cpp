// exam check and exam decide: what stands in the way of the results, and a
// person's decision about it.

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/documentio.h"
#include "cli/examsession.h"
#include "exam/examlayout.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <algorithm>
#include <climits>

namespace sw::cli {

namespace {

// The scan a --scan names: a file (known by its bytes, wherever it lies
// now) or the start of a SHA-256.
bool findNamedScan(const Exam& exam, const QString& named, ExamScan& scan, QString* error)
{
    if (QFileInfo(named).isFile()) {
        QFile file(named);
        if (!file.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("不能读取扫描图 %1：%2").arg(named, file.errorString());
            return false;
        }
        QCryptographicHash hash(QCryptographicHash::Sha256);
        hash.addData(&file);
        return exam.findScan(QString::fromLatin1(hash.result().toHex()), scan, error);
    }
    return exam.findScan(named, scan, error);
}

// The decided answer in the question's option order; refused when the
// question does not offer it.
QString checkedAnswer(const Exam& exam, const ExamScan& scan, int question, const QString& given)
{
    const ObjectiveQuestion* asked = nullptr;
    if (const PaperLayout* paper = exam.layout().paper(scan.reading.PaperType))
        if (const auto it = paper->objective.find(question); it != paper->objective.end())
            asked = &it->second;
    if (!asked)
        throw UsageError{
            QStringLiteral("%1卷没有第 %2 题").arg(QString(scan.reading.PaperType)).arg(question)};
    QString answer;
    for (const QChar c : asked->options)
        if (given.contains(c))
            answer += c;
    for (const QChar c : given)
        if (!asked->options.contains(c) || given.count(c) > 1)
            throw UsageError{QStringLiteral("第 %1 题没有选项 %2，或它出现了两次（可选 %3）")
                                 .arg(question)
                                 .arg(QString(c), asked->options)};
    if (!asked->multiple && answer.size() > 1)
        throw UsageError{QStringLiteral("第 %1 题是单选题，只能有一个答案").arg(question)};
    return answer;
}

// Refuses a score decision for a question without a score box on the scan's paper type.
void checkScoredQuestion(const Exam& exam, const ExamScan& scan, int question)
{
    const PaperLayout* paper = exam.layout().paper(scan.reading.PaperType);
    if (!paper || !paper->subjective.contains(question))
        throw UsageError{QStringLiteral("%1卷的第 %2 题没有主观分框")
                             .arg(QString(scan.reading.PaperType))
                             .arg(question)};
}

bool allDigits(const QString& text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

} // namespace

int runExamDecide(const QStringList& args)
{
    Arguments a(args, {QStringLiteral("--exam-number"), QStringLiteral("--sheet")},
                {QStringLiteral("--db"), QStringLiteral("--scan"), QStringLiteral("--question"),
                 QStringLiteral("--score"), QStringLiteral("--answer"),
                 QStringLiteral("--reviewer"), QStringLiteral("--reason")});
    a.expectPositional(1, 1);
    const auto named = a.value(QStringLiteral("--scan"));
    const auto reviewer = a.value(QStringLiteral("--reviewer"));
    if (!named)
        throw UsageError{QStringLiteral("缺少 --scan")};
    if (!reviewer || reviewer->trimmed().isEmpty())
        throw UsageError{QStringLiteral("缺少 --reviewer")};
    const bool question = a.value(QStringLiteral("--question")).has_value();
    const bool score = a.value(QStringLiteral("--score")).has_value();
    const bool examNumber = a.flag(QStringLiteral("--exam-number"));
    const bool sheet = a.flag(QStringLiteral("--sheet"));
    if (int(question) + int(score) + int(examNumber) + int(sheet) != 1)
        throw UsageError{
            QStringLiteral("应给出 --question、--score、--exam-number 或 --sheet 中的一个")};
    const auto answer = a.value(QStringLiteral("--answer"));
    if (!sheet && !answer)
        throw UsageError{QStringLiteral("缺少 --answer")};

    Decision decision;
    decision.reviewer = reviewer->trimmed();
    decision.reason = a.value(QStringLiteral("--reason")).value_or(QString());
    decision.answer = answer.value_or(QString()).trimmed();
    if (question) {
        decision.target = DecisionTarget::Answer;
        decision.question = a.intValue(QStringLiteral("--question"), 0, 1, INT_MAX);
    } else if (score) {
        decision.target = DecisionTarget::Score;
        decision.question = a.intValue(QStringLiteral("--score"), 0, 1, INT_MAX);
        if (!allDigits(decision.answer) || decision.answer.size() > 6)
            throw UsageError{QStringLiteral("主观分应为数字（空表示没有选做）")};
    } else if (examNumber) {
        decision.target = DecisionTarget::ExamNumber;
        if (decision.answer.isEmpty() || decision.answer.contains(QLatin1Char('?')))
            throw UsageError{QStringLiteral("考号不能为空，也不能含“?”")};
    } else {
        decision.target = DecisionTarget::Sheet;
    }

    ExamSession session;
    if (!openExamSession(session, databaseLocation(a), a.positional(0, "NAME")))
        return ExitFileError;
    ExamScan scan;
    QString error;
    if (!findNamedScan(*session.exam, *named, scan, &error)) {
        printError(error);
        return ExitRefused;
    }
    if (question)
        decision.answer = checkedAnswer(*session.exam, scan, decision.question, decision.answer);
    if (score)
        checkScoredQuestion(*session.exam, scan, decision.question);
    decision.scan = scan.id;
    if (!session.exam->appendDecision(decision, &error))
        return fileFailure(error);
    return ExitOk;
}

int runExamCheck(const QStringList& args)
{
    Arguments a(args, {}, {QStringLiteral("--db")});
    a.expectPositional(1, 1);
    ExamSession session;
    if (!openExamSession(session, databaseLocation(a), a.positional(0, "NAME")))
        return ExitFileError;
    ExamResults results;
    QString error;
    if (!session.exam->results(results, &error))
        return fileFailure(error);
    QTextStream out(stdout);
    for (const CheckItem& item : results.checks)
        out << checkItemText(item) << '\n';
    return results.checks.empty() ? ExitOk : ExitRefused;
}

} // namespace sw::cli
