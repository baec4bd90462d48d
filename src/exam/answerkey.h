#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <vector>

namespace sw {

struct ExamLayout;

// The right answer of one objective question of one paper type.
struct KeyEntry
{
    QChar paperType;
    int question = 0;
    QString answer; // option characters in print order
    int points = 0;
    // For a multiple-choice question: what a correct, non-empty part of the
    // answer with no wrong option earns.
    int partial = 0;

    bool operator==(const KeyEntry&) const = default;
};

using AnswerKey = std::vector<KeyEntry>;

// The most points one question may give.
constexpr int MaxQuestionPoints = 1000;

// Reads a key from CSV with the header `paper_type,question,answer,points,partial`
// (`partial` may be left out) and checks it against the template: a paper
// type or question the template does not have, an option a question does not
// offer, two answers to a single-choice question, a question given twice or
// left out of a paper type the key covers are refused with the line in
// *error, and `key` is left as it was.
bool parseAnswerKey(const QByteArray& csv, const ExamLayout& layout, AnswerKey& key,
                    QString* error);

// The same checks for a key made otherwise (read from a teacher's sheet),
// without line numbers.
bool validateAnswerKey(const AnswerKey& key, const ExamLayout& layout, QString* error);

} // namespace sw
