#pragma once

#include "exam/examdata.h"

#include <QString>
#include <vector>

class QTreeWidget;

namespace sw {

// What the machine read for a decision's target on the scan.
QString machineReading(const ExamScan& scan, DecisionTarget target, int question);

// What a decision is about, in a few words ("第 3 题", "考号").
QString decisionSubject(const Decision& decision);

// Fills `view` with every decision about `scan`, newest first, each beside
// the machine's reading.
void showDecisionHistory(QTreeWidget& view, const ExamScan& scan,
                         const std::vector<Decision>& decisions);

} // namespace sw
