#include "exam/scripts.h"

#include "exam/decisionindex.h"

#include <algorithm>

namespace sw {

namespace {

Script startScript(const ExamScan& scan, const DecisionIndex& decisions)
{
    Script script;
    script.paperType = scan.reading.PaperType;
    script.pages.push_back(&scan);
    if (const Decision* d = decisions.find(scan.id, DecisionTarget::ExamNumber)) {
        script.examNumber = d->answer;
        return script;
    }
    // A printed barcode names the candidate more surely than bubbles do; a
    // sheet whose bubbles say another number still waits for a person.
    if (!scan.reading.Barcode.isEmpty()) {
        script.examNumber = scan.reading.Barcode;
        script.examNumberDoubtful = scan.reading.barcodeMismatch();
        return script;
    }
    script.examNumber = scan.reading.ExamNumber;
    script.examNumberDoubtful = script.examNumber.isEmpty() ||
                                script.examNumber.contains(QLatin1Char('?')) ||
                                scan.reading.ExamNumberUncertain;
    return script;
}

bool hasPage(const Script& script, int pageNumber)
{
    return std::any_of(script.pages.begin(), script.pages.end(), [&](const ExamScan* page) {
        return page->reading.PageNumber == pageNumber;
    });
}

} // namespace

ScriptAssembly assembleScripts(const std::vector<ExamScan>& scans, const DecisionIndex& decisions)
{
    ScriptAssembly assembly;
    for (const ExamScan& scan : scans) {
        if (!scan.isRead()) {
            assembly.failed.push_back(&scan);
            continue;
        }
        if (scan.reading.PageNumber <= 1) {
            assembly.scripts.push_back(startScript(scan, decisions));
            continue;
        }
        Script* current = assembly.scripts.empty() ? nullptr : &assembly.scripts.back();
        if (current && current->paperType == scan.reading.PaperType &&
            !hasPage(*current, scan.reading.PageNumber))
            current->pages.push_back(&scan);
        else
            assembly.unplaced.push_back(&scan);
    }
    return assembly;
}

} // namespace sw
