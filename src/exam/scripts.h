#pragma once

#include "exam/examdata.h"

#include <vector>

namespace sw {

class DecisionIndex;

// The pages of one candidate's script in scan order, page 1 first.
struct Script
{
    QString examNumber;              // as decided, else as read ("?" for a digit not read)
    bool examNumberDoubtful = false; // a digit not read or read from a close call, undecided
    QChar paperType;
    std::vector<const ExamScan*> pages;
};

struct ScriptAssembly
{
    std::vector<Script> scripts;
    std::vector<const ExamScan*> unplaced; // a later page that follows no page 1 of its paper type
    std::vector<const ExamScan*> failed;   // the file or the sheet could not be read
};

// Groups scans (in scan order) into scripts: page 1 carries the exam number
// and starts a script; a later page of the same paper type belongs to the
// script before it when that does not have the page yet.
ScriptAssembly assembleScripts(const std::vector<ExamScan>& scans, const DecisionIndex& decisions);

} // namespace sw
