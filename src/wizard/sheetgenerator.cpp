#include "wizard/sheetgenerator.h"

#include "document/vectorgraphics.h"
#include "platform/canvas.h"
#include "wizard/generation.h"
#include "wizard/settings.h"
#include "wizard/wizardhost.h"

#include <exception>

namespace sw {

namespace {

class GuardedSteps
{
public:
    explicit GuardedSteps(const WizardFailureReport& report) : m_report(report) {}

    // Runs the step; a failure is reported under the code and the sequence
    // goes on.
    template <class Step> void run(const char* code, Step&& step)
    {
        try {
            step();
        } catch (const std::exception& e) {
            if (m_report)
                m_report({QLatin1String(code), QString::fromStdString(e.what())});
        }
    }

private:
    const WizardFailureReport& m_report;
};

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

bool generateAnswerSheet(TVectorGraphics& document, const WizardSettings& settings, Canvas& metrics,
                         WizardHost& host, const WizardFailureReport& report, QString* error)
{
    if (!settings.validate(error))
        return false;
    if (metrics.pixelsPerInch() != document.PixelsPerInch)
        return fail(error, QStringLiteral("量文字的画布为每英寸 %1 像素，文档却为 %2 像素")
                               .arg(metrics.pixelsPerInch())
                               .arg(document.PixelsPerInch));

    if (settings.examcodetype == WizardBubbles) {
        const int most = maxExamNumberDigits(settings, document.PixelsPerMm);
        if (settings.examcodeleng > most)
            return fail(error, QStringLiteral("准考证号有 %1 位，在这种尺寸和样式的一栏里放不下："
                                              "最多放得下 %2 位（准考证位数，examcodeleng）")
                                   .arg(settings.examcodeleng)
                                   .arg(most));
    }

    SheetGeneration g(document, settings, metrics, host);
    GuardedSteps steps(report);

    host.scrollToOrigin();
    steps.run("11", [&] { document.ActiveShape = nullptr; });
    steps.run("22", [&] { document.Clear(); });
    steps.run("33", [&] { host.clearTabs(); });
    document.FileName.clear();
    host.forgetFileName();
    host.resetBackground();
    document.Modal = SheetSelfMade;
    steps.run("44", [&] { createPages(g); });
    if (document.PageCount() == 0)
        return fail(error, QStringLiteral("未能创建页面"));

    computeQuantities(g);
    steps.run("1", [&] { createTitle(g); });
    if (settings.examcodetype == WizardBarcode) {
        steps.run("2", [&] { createBarcodeArea(g); });
        steps.run("3", [&] { createBarcodeInfoBlock(g); });
    } else {
        steps.run("2", [&] { createExamNumberBlock(g); });
        steps.run("3", [&] { createInfoBlock(g); });
    }
    steps.run("4", [&] { createNotes(g); });
    steps.run("5", [&] { createObjectiveArea(g); });
    steps.run("6", [&] { createSubjectiveArea(g); });

    document.CurrentPage = 0;
    host.selectTab(0);
    host.resetHistory(GeneratedSheetCaption);
    host.repaint();
    return true;
}

} // namespace sw
