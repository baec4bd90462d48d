#include "exam/examresults.h"

#include "exam/decisionindex.h"
#include "exam/scripts.h"
#include "platform/saturating.h"

#include <QHash>
#include <algorithm>
#include <limits>
#include <set>

namespace sw {

namespace {

CheckItem scanItem(CheckKind kind, const ExamScan& scan)
{
    CheckItem item;
    item.kind = kind;
    item.scan = scan.id;
    item.sha256 = scan.sha256;
    item.fileName = scan.fileName;
    item.paperType = scan.reading.PaperType;
    return item;
}

// A sheet read, but looking printed from another template or with damaged
// page marks, and nobody accepted it yet.
bool sheetInDoubt(const ExamScan& scan, const DecisionIndex& decisions)
{
    const bool doubtful =
        !scan.reading.LayoutDifference.isEmpty() || scan.reading.DamagedMarkCells > 0;
    return doubtful && !decisions.find(scan.id, DecisionTarget::Sheet);
}

class ResultsBuilder
{
public:
    explicit ResultsBuilder(const ExamData& data) : m_data(data), m_decisions(data.decisions)
    {
        for (const KeyEntry& e : data.key)
            m_keys[e.paperType][e.question] = &e;
        std::set<int> objective;
        std::set<int> subjective;
        for (const auto& [type, paper] : data.layout.papers) {
            for (const auto& [number, q] : paper.objective)
                objective.insert(number);
            for (const auto& [number, q] : paper.subjective)
                subjective.insert(number);
        }
        m_results.objectiveColumns.assign(objective.begin(), objective.end());
        m_results.subjectiveColumns.assign(subjective.begin(), subjective.end());
    }

    ExamResults build()
    {
        if (m_data.keyVersion == 0) {
            CheckItem item;
            item.kind = CheckKind::NoKey;
            m_results.checks.push_back(item);
        }
        const ScriptAssembly assembly = assembleScripts(m_data.scans, m_decisions);
        for (const ExamScan* scan : assembly.failed) {
            if (m_decisions.find(scan->id, DecisionTarget::Sheet))
                continue; // set aside by a person
            CheckItem item = scanItem(CheckKind::FailedRead, *scan);
            item.reading = scan->failure.isEmpty() ? scan->reading.statusText() : scan->failure;
            m_results.checks.push_back(item);
        }
        for (const ExamScan* scan : assembly.unplaced)
            m_results.checks.push_back(scanItem(CheckKind::UnplacedPage, *scan));
        std::vector<CandidateResult> scripts;
        for (const Script& script : assembly.scripts)
            scripts.push_back(scoreOne(script));
        reconcile(assembly.scripts, scripts);
        // Items of scans in scan order; those of no scan (a missing script) last.
        std::stable_sort(m_results.checks.begin(), m_results.checks.end(),
                         [](const CheckItem& a, const CheckItem& b) {
                             const auto order = [](const CheckItem& i) {
                                 return i.scan > 0 ? i.scan : std::numeric_limits<qint64>::max();
                             };
                             return order(a) < order(b);
                         });
        return std::move(m_results);
    }

private:
    CandidateResult scoreOne(const Script& script)
    {
        CandidateResult row;
        row.examNumber = script.examNumber;
        row.paperType = script.paperType;
        for (const ExamScan* page : script.pages)
            row.scans.push_back(page->id);
        const ExamScan& first = *script.pages.front();
        bool review = false;
        const auto add = [&](CheckItem item) {
            item.examNumber = script.examNumber;
            m_results.checks.push_back(item);
            review = true;
        };
        if (script.examNumberDoubtful) {
            CheckItem item = scanItem(CheckKind::ReviewExamNumber, first);
            item.reading = first.reading.ExamNumber;
            add(item);
        }
        for (const ExamScan* page : script.pages)
            if (sheetInDoubt(*page, m_decisions)) {
                CheckItem item = scanItem(CheckKind::ReviewSheet, *page);
                item.reading = page->reading.statusText();
                add(item);
            }
        const PaperLayout* paper = m_data.layout.paper(script.paperType);
        const auto key = m_keys.find(script.paperType);
        if (m_data.keyVersion > 0 && key == m_keys.end())
            add(scanItem(CheckKind::UnknownPaperType, first));
        if (paper) {
            row.questions =
                scoreScript(script, *paper, key == m_keys.end() ? nullptr : &key->second,
                            m_data.layout, m_decisions);
            bool pageMissing = false;
            for (const QuestionResult& q : row.questions) {
                row.total = saturatingAdd(row.total, q.points);
                if (q.state == AnswerState::NoKey)
                    review = true;
                if (q.state == AnswerState::PageMissing && !pageMissing) {
                    pageMissing = true;
                    add(scanItem(CheckKind::PageMissing, first));
                }
                if (q.state == AnswerState::Review) {
                    const ExamScan* on = scanOf(script, q.scan);
                    CheckItem item = scanItem(
                        q.subjective ? CheckKind::ReviewScore : CheckKind::ReviewAnswer, *on);
                    item.question = q.question;
                    item.reading = q.read;
                    add(item);
                }
            }
        }
        const bool absent = std::any_of(script.pages.begin(), script.pages.end(),
                                        [](const ExamScan* p) { return p->reading.Absent; });
        const bool cheating = std::any_of(script.pages.begin(), script.pages.end(),
                                          [](const ExamScan* p) { return p->reading.Cheating; });
        if (absent && !m_decisions.find(first.id, DecisionTarget::Sheet)) {
            CheckItem item = scanItem(CheckKind::AbsentWithScript, first);
            item.examNumber = script.examNumber;
            m_results.checks.push_back(item);
        }
        row.status = cheating ? CandidateStatus::Cheating
                     : absent ? CandidateStatus::Absent
                     : review ? CandidateStatus::Review
                              : CandidateStatus::Ok;
        return row;
    }

    static const ExamScan* scanOf(const Script& script, qint64 id)
    {
        for (const ExamScan* page : script.pages)
            if (page->id == id)
                return page;
        return script.pages.front();
    }

    // Puts the scripts' rows in the list's order; notes numbers not on the
    // list, numbers with two scripts and candidates without one.
    void reconcile(const std::vector<Script>& scripts, std::vector<CandidateResult>& rows)
    {
        const bool withList = !m_data.roster.entries.empty();
        QHash<QString, std::size_t> byNumber; // the first script of each number
        std::vector<bool> placed(rows.size(), false);
        for (std::size_t i = 0; i < scripts.size(); ++i) {
            if (scripts[i].examNumberDoubtful)
                continue;
            const auto it = byNumber.constFind(rows[i].examNumber);
            if (it == byNumber.cend()) {
                byNumber.insert(rows[i].examNumber, i);
                continue;
            }
            CheckItem item = scanItem(CheckKind::DuplicateScript, *scripts[i].pages.front());
            item.examNumber = rows[i].examNumber;
            m_results.checks.push_back(item);
            rows[*it].status = CandidateStatus::Review;
            placed[i] = true; // the first script of the number stands for the candidate
        }
        for (const RosterEntry& entry : m_data.roster.entries) {
            const auto it = byNumber.constFind(entry.examNumber);
            CandidateResult row;
            if (it == byNumber.cend()) {
                row.examNumber = entry.examNumber;
                CheckItem item;
                item.kind = CheckKind::MissingScript;
                item.examNumber = entry.examNumber;
                m_results.checks.push_back(item);
            } else {
                row = rows[*it];
                placed[*it] = true;
            }
            row.name = entry.name;
            row.extra = entry.extra;
            m_results.candidates.push_back(std::move(row));
        }
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (placed[i])
                continue;
            if (withList && !scripts[i].examNumberDoubtful) {
                CheckItem item = scanItem(CheckKind::UnknownCandidate, *scripts[i].pages.front());
                item.examNumber = rows[i].examNumber;
                m_results.checks.push_back(item);
                rows[i].status = CandidateStatus::Review;
            }
            m_results.candidates.push_back(std::move(rows[i]));
        }
    }

    const ExamData& m_data;
    DecisionIndex m_decisions;
    std::map<QChar, PaperKey> m_keys;
    ExamResults m_results;
};

QString shownName(const CheckItem& item)
{
    return item.fileName.isEmpty() ? item.sha256.left(12) : item.fileName;
}

} // namespace

ExamResults examResults(const ExamData& data)
{
    return ResultsBuilder(data).build();
}

QString candidateStatusName(CandidateStatus status)
{
    switch (status) {
    case CandidateStatus::Ok:
        return QStringLiteral("ok");
    case CandidateStatus::Absent:
        return QStringLiteral("absent");
    case CandidateStatus::Cheating:
        return QStringLiteral("cheating");
    case CandidateStatus::Review:
        return QStringLiteral("review");
    case CandidateStatus::Missing:
        return QStringLiteral("missing");
    }
    return {};
}

QString checkItemText(const CheckItem& item)
{
    const QString scan = shownName(item);
    switch (item.kind) {
    case CheckKind::ReviewAnswer:
        return QStringLiteral("待复核 %1：第 %2 题读作“%3”，有多涂或不确定的标记")
            .arg(scan)
            .arg(item.question)
            .arg(item.reading);
    case CheckKind::ReviewScore:
        return QStringLiteral("待复核 %1：第 %2 题的主观分或选做题标记读作“%3”")
            .arg(scan)
            .arg(item.question)
            .arg(item.reading);
    case CheckKind::ReviewExamNumber:
        return QStringLiteral("待复核 %1：考号读作“%2”").arg(scan, item.reading);
    case CheckKind::ReviewSheet:
        return QStringLiteral("待复核 %1：%2").arg(scan, item.reading);
    case CheckKind::FailedRead:
        return QStringLiteral("识读失败 %1：%2").arg(scan, item.reading);
    case CheckKind::UnplacedPage:
        return QStringLiteral("无法归属 %1：前面没有同一试卷类型（%2卷）的第 1 页")
            .arg(scan, QString(item.paperType));
    case CheckKind::PageMissing:
        return QStringLiteral("缺页 考号 %1：%2 所在的答卷缺少一页").arg(item.examNumber, scan);
    case CheckKind::UnknownCandidate:
        return QStringLiteral("名单外考号 %1：%2").arg(item.examNumber, scan);
    case CheckKind::DuplicateScript:
        return QStringLiteral("重复答卷 考号 %1：%2").arg(item.examNumber, scan);
    case CheckKind::MissingScript:
        return QStringLiteral("缺少答卷 考号 %1").arg(item.examNumber);
    case CheckKind::AbsentWithScript:
        return QStringLiteral("缺考却有答卷 考号 %1：%2").arg(item.examNumber, scan);
    case CheckKind::UnknownPaperType:
        return QStringLiteral("没有答案的试卷类型 %1卷：%2").arg(QString(item.paperType), scan);
    case CheckKind::NoKey:
        return QStringLiteral("考试还没有答案");
    }
    return {};
}

} // namespace sw
