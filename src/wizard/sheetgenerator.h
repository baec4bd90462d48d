#pragma once

#include <QString>
#include <functional>

namespace sw {

class Canvas;
class TVectorGraphics;
class WizardHost;
struct WizardSettings;

// A generation step that failed. code is the whole text the wizard shows
// ("11", "22", "33", "44", "1" to "6"); reason says what went wrong.
struct WizardStepFailure
{
    QString code;
    QString reason;
};

using WizardFailureReport = std::function<void(const WizardStepFailure&)>;

// History caption of a generated sheet.
inline const QString GeneratedSheetCaption = QStringLiteral("新建页面");

// Replaces the document by a standard answer sheet made from the settings:
// one paper type of settings.pagecount pages, laid out in answer columns, with
// title, exam-number block, candidate information, notes, objective groups,
// cut boxes and page labels. Text is measured on `metrics`, whose font is set
// before each measurement and left changed; it must resolve point sizes at the
// document's pixels per inch.
//
// Each step runs guarded: a step that fails is reported through `report` (when
// given), keeps the shapes it added, and the next step runs. Returns false
// with the reason in *error, and leaves the document untouched, when the
// settings are out of range or the canvas does not match the document.
bool generateAnswerSheet(TVectorGraphics& document, const WizardSettings& settings, Canvas& metrics,
                         WizardHost& host, const WizardFailureReport& report,
                         QString* error = nullptr);

} // namespace sw
