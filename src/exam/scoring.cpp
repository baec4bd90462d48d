#include "exam/scoring.h"

#include "exam/decisionindex.h"
#include "exam/scripts.h"

#include <algorithm>

namespace sw {

namespace {

struct Found
{
    const ExamScan* scan = nullptr;
    const QuestionAnswer* answer = nullptr;
};

Found findAnswer(const Script& script, int question)
{
    for (const ExamScan* page : script.pages)
        for (const QuestionAnswer& a : page->reading.Answers)
            if (a.Number == question)
                return {page, &a};
    return {};
}

// The optional-choice box of a subjective question on one of the pages.
Found findChoice(const Script& script, int question, const ExamLayout& layout)
{
    for (const ExamScan* page : script.pages)
        for (const QuestionAnswer& a : page->reading.OptionalChoices) {
            const auto link = layout.optionalChoices.find({page->reading.PageIndex, a.Number});
            if (link != layout.optionalChoices.end() && link->second == question)
                return {page, &a};
        }
    return {};
}

QuestionResult scoreObjective(const Script& script, const ObjectiveQuestion& question,
                              const PaperKey* key, const DecisionIndex& decisions)
{
    QuestionResult result;
    result.question = question.number;
    const Found found = findAnswer(script, question.number);
    if (!found.scan) {
        result.state = AnswerState::PageMissing;
        return result;
    }
    result.scan = found.scan->id;
    result.read = found.answer->Answer;
    const KeyEntry* entry = nullptr;
    if (key)
        if (const auto it = key->find(question.number); it != key->end())
            entry = it->second;
    if (entry)
        result.key = entry->answer;
    if (const Decision* d = decisions.find(result.scan, DecisionTarget::Answer, question.number)) {
        result.chosen = d->answer;
        result.decided = true;
    } else if (found.answer->Multiple || found.answer->Uncertain) {
        result.chosen = found.answer->Answer;
        result.state = AnswerState::Review;
        return result;
    } else {
        result.chosen = found.answer->Answer;
    }
    if (!entry) {
        result.state = AnswerState::NoKey;
        return result;
    }
    result.state = judgeAnswer(result.chosen, *entry, question.multiple, result.points);
    return result;
}

QuestionResult scoreSubjective(const Script& script, const SubjectiveQuestion& question,
                               const ExamLayout& layout, const DecisionIndex& decisions)
{
    QuestionResult result;
    result.question = question.number;
    result.subjective = true;
    const ExamScan* scoredOn = nullptr;
    for (const ExamScan* page : script.pages)
        for (const auto& [linked, digits] : page->reading.Scores)
            if (linked == question.number && !scoredOn) {
                scoredOn = page;
                result.read = digits;
            }
    if (!scoredOn) {
        result.state = AnswerState::PageMissing;
        return result;
    }
    result.scan = scoredOn->id;
    if (const Decision* d = decisions.find(result.scan, DecisionTarget::Score, question.number)) {
        result.decided = true;
        result.chosen = d->answer;
        result.points = d->answer.toInt();
        result.state = d->answer.isEmpty() ? AnswerState::NotChosen : AnswerState::Scored;
        return result;
    }
    if (question.optional) {
        const Found choice = findChoice(script, question.number, layout);
        if (choice.answer && (choice.answer->Multiple || choice.answer->Uncertain)) {
            result.state = AnswerState::Review;
            return result;
        }
        if (!choice.answer || choice.answer->Answer.isEmpty()) {
            result.state = AnswerState::NotChosen;
            return result;
        }
    }
    result.chosen = result.read;
    if (result.read.isEmpty() || result.read.contains(QLatin1Char('?'))) {
        result.state = AnswerState::Review;
        return result;
    }
    result.points = result.read.toInt();
    result.state = AnswerState::Scored;
    return result;
}

// Two optional questions of one group chosen on the same script: which one
// counts is for a person to say.
void refuseDoubleChoices(const PaperLayout& paper, std::vector<QuestionResult>& results)
{
    std::map<QString, int> chosen;
    for (const QuestionResult& r : results)
        if (r.subjective && !r.decided && r.state == AnswerState::Scored &&
            paper.subjective.at(r.question).optional)
            ++chosen[paper.subjective.at(r.question).group];
    for (QuestionResult& r : results) {
        if (!r.subjective || r.decided || r.state != AnswerState::Scored)
            continue;
        const SubjectiveQuestion& q = paper.subjective.at(r.question);
        if (q.optional && !q.group.isEmpty() && chosen[q.group] > 1) {
            r.state = AnswerState::Review;
            r.points = 0;
        }
    }
}

} // namespace

QString answerStateName(AnswerState state)
{
    switch (state) {
    case AnswerState::Right:
        return QStringLiteral("right");
    case AnswerState::Partial:
        return QStringLiteral("partial");
    case AnswerState::Wrong:
        return QStringLiteral("wrong");
    case AnswerState::Blank:
        return QStringLiteral("blank");
    case AnswerState::Scored:
        return QStringLiteral("scored");
    case AnswerState::NotChosen:
        return QStringLiteral("not_chosen");
    case AnswerState::Review:
        return QStringLiteral("review");
    case AnswerState::PageMissing:
        return QStringLiteral("page_missing");
    case AnswerState::NoKey:
        return QStringLiteral("no_key");
    }
    return {};
}

AnswerState judgeAnswer(const QString& chosen, const KeyEntry& key, bool multiple, int& points)
{
    points = 0;
    if (chosen.isEmpty())
        return AnswerState::Blank;
    if (chosen == key.answer) {
        points = key.points;
        return AnswerState::Right;
    }
    const bool subset =
        std::all_of(chosen.begin(), chosen.end(), [&](QChar c) { return key.answer.contains(c); });
    if (multiple && subset) {
        points = key.partial;
        return AnswerState::Partial;
    }
    return AnswerState::Wrong;
}

std::vector<QuestionResult> scoreScript(const Script& script, const PaperLayout& paper,
                                        const PaperKey* key, const ExamLayout& layout,
                                        const DecisionIndex& decisions)
{
    std::vector<QuestionResult> results;
    results.reserve(paper.objective.size() + paper.subjective.size());
    for (const auto& [number, question] : paper.objective)
        results.push_back(scoreObjective(script, question, key, decisions));
    for (const auto& [number, question] : paper.subjective)
        results.push_back(scoreSubjective(script, question, layout, decisions));
    refuseDoubleChoices(paper, results);
    return results;
}

} // namespace sw
