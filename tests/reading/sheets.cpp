#include "reading/sheets.h"

#include "platform/recordingcanvas.h"
#include "shapes/rectbarcode.h"
#include "shapes/rectkg.h"
#include "shapes/recttext.h"
#include "shapes/rectzg.h"
#include "wizard/generation.h"
#include "wizard/settings.h"
#include "wizard/sheetgenerator.h"
#include "wizard/wizardhost.h"

namespace sw::test {

std::unique_ptr<TVectorGraphics> wizardSheet(int wizardPaperSize)
{
    auto document = std::make_unique<TVectorGraphics>(96);
    WizardSettings settings;
    settings.pagesize = wizardPaperSize;
    settings.examcodeleng = 8;
    RecordingCanvas metrics(document->PixelsPerInch);
    NullWizardHost host;
    generateAnswerSheet(*document, settings, metrics, host, {});
    return document;
}

std::unique_ptr<TVectorGraphics> personalisableSheet(int wizardPaperSize)
{
    auto document = wizardSheet(wizardPaperSize);
    TVectorGraph& first = *document->PageAt(0);
    auto area = std::make_unique<TRectbarcode>(TPoint{60, 40}, TPoint{330, 130}, first.ScaleX,
                                               first.ScaleY);
    area->Pen.Style = psDot;
    area->Brush.Style = bsClear;
    first.AddShape(std::move(area));
    auto text =
        std::make_unique<TRectText>(TPoint{560, 60}, TPoint{900, 90}, first.ScaleX, first.ScaleY);
    text->Lines = {QStringLiteral("{name} {exam_number} {room}")};
    text->Font.Name = sheet::Song;
    text->Font.setSize(12, document->PixelsPerInch);
    first.AddShape(std::move(text));
    return document;
}

namespace {

void addBox(TVectorGraphics& document, TTextType purpose, TAspect aspect, const QString& options,
            int questions, TPoint at, int offset = 0, int linked = 0)
{
    auto box = std::make_unique<TRectKg>(at, at, 1.0, 1.0);
    box->TextType = purpose;
    box->Aspect = aspect;
    box->FormatText = options;
    const bool across = aspect == ARight || aspect == ALeft;
    box->col = across ? int(options.size()) : questions;
    box->Row = across ? questions : int(options.size());
    box->Gridwidth = 18;
    box->GridHeight = 10;
    box->ColSpace = 7;
    box->RowSpace = 7;
    box->ShowType = SInner;
    box->ShowNumber = true;
    box->StartNumberAgg = offset;
    box->GLZG = linked;
    box->Font.Name = QStringLiteral("DejaVu Sans");
    box->Font.Height = -9;
    document.AddShape(std::move(box));
}

} // namespace

std::unique_ptr<TVectorGraphics> handLaidSheet()
{
    auto document = std::make_unique<TVectorGraphics>(96);
    document->NewPage(-1, -1);
    addBox(*document, RSExamCode, ADown, QStringLiteral("0123456789"), 6, {120, 120});
    addBox(*document, RSResult, ADown, QStringLiteral("ABCD"), 5, {120, 380});
    addBox(*document, RSResult, ARight, QStringLiteral("ABCDE"), 4, {320, 380});
    // Boxes running up and left add nothing to the running number: the
    // offsets keep their questions apart.
    addBox(*document, RSResult, AUp, QStringLiteral("ABC"), 3, {120, 520}, 20);
    addBox(*document, RSResult, ALeft, QStringLiteral("ABCD"), 3, {320, 520}, 20);
    addBox(*document, RSGapExam, ARight, QStringLiteral("A"), 1, {600, 120});
    addBox(*document, RSCheat, ARight, QStringLiteral("A"), 1, {600, 160});
    addBox(*document, RSXZT, ARight, QStringLiteral("AB"), 1, {600, 200}, 0, 16);
    addBox(*document, RSZGF, ARight, QStringLiteral("0123456789"), 2, {420, 240}, 0, 16);
    auto cut = std::make_unique<TRectZg>(TPoint{120, 700}, TPoint{600, 900}, 1.0, 1.0);
    cut->Question = 16;
    cut->XZT = true;
    cut->XZTH = QStringLiteral("16,17");
    cut->Brush.Style = bsClear;
    document->AddShape(std::move(cut));
    document->RenumberPages();
    document->LayoutMarks();
    return document;
}

} // namespace sw::test
