#pragma once

#include "exam/examdata.h"
#include "exam/examresults.h"

#include <QString>
#include <optional>
#include <vector>

namespace sw {

// The items of an exam a person can look at, each once, grouped by kind in
// the order reviewers work them.
std::vector<CheckItem> reviewQueue(const ExamResults& results);

// What names an item across windows and runs: its kind, scan, question and
// candidate.
QString reviewItemKey(const CheckItem& item);

// The heading of a kind's group in the queue.
QString checkKindTitle(CheckKind kind);

// What a decision about an item of that kind settles; nothing for the kinds
// settled elsewhere (a missing script, a key, a page not placed).
std::optional<DecisionTarget> decisionTarget(CheckKind kind);

// The decision typed for `item`: option characters in the question's
// order, digits for an exam number or score, Space or "0" for a blank
// answer. Nothing, with *error saying why, when the question does not
// allow it.
std::optional<QString> typedDecision(const ExamLayout& layout, const CheckItem& item,
                                     const QString& typed, QString* error);

} // namespace sw
