// The panel and the shapes: which panels show, shape to controls, controls to
// shapes.
#include "editor/colorswatch.h"
#include "editor/fontbutton.h"
#include "editor/propertypanel.h"

#include "document/vectorgraphics.h"
#include "platform/rounding.h"
#include "shapes/linelist.h"
#include "shapes/rectgrid.h"
#include "shapes/rectkg.h"
#include "shapes/recttext.h"
#include "shapes/rectzg.h"
#include "shapes/rimage.h"
#include "shapes/roundrect.h"
#include "shapes/shapekinds.h"
#include "shapes/triangle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <initializer_list>

namespace sw {

namespace {

const QString SolidText = QStringLiteral("实线");
const QString DottedText = QStringLiteral("虚线");

// The triangle directions in the order of "方向": 上, 右, 下, 左.
constexpr TAspect TriangleAspects[] = {AUp, ARight, ADown, ALeft};

// The drawing tool of a kind (the panels of a shape are those of its tool);
// 0 for kinds no tool draws.
int toolOfKind(TGraphicsType kind)
{
    return shapeKind(kind).Tool;
}

// Sets a combo box to an index when the list has it; leaves it otherwise.
void selectIndex(QComboBox* combo, int index)
{
    if (index >= 0 && index < combo->count())
        combo->setCurrentIndex(index);
}

} // namespace

void TPropertyPanel::ShowPanels(int tool)
{
    static_assert(SubjectCount == KindPanelCount, "one KindPanel bit per subject panel");
    const ShapeKind* kind = shapeKindOfTool(tool);
    if (!kind) { // the select tool and the numbers without a tool
        fitHeight();
        return;
    }
    for (int subject = 0; subject < SubjectCount; ++subject) {
        if (subject != Rp3 || !kind->KeepsLinePanel)
            m_panels[subject]->setVisible((kind->Panels >> subject) & 1u);
    }
    emit surfaceCursorRequested(TCursor::Cross);
    fitHeight();
}

TVectorGraph* TPropertyPanel::currentPage() const
{
    if (!m_document || m_document->CurrentPage < 0 ||
        m_document->CurrentPage >= m_document->PageCount())
        return nullptr;
    return m_document->ActivePage();
}

void TPropertyPanel::ApplyPanel(TGraphics& shape, bool all)
{
    applyPanel(&shape, all);
}

bool TPropertyPanel::applyPanel(TGraphics* shape, bool all)
{
    if (!m_document || !m_document->PanelApply || m_document->Locked || !shape ||
        isPageMark(*shape))
        return false;
    writeInto(*shape);
    const TVectorGraph* page = all ? currentPage() : nullptr;
    if (page) {
        for (const auto& other : page->Shapes()) {
            // Page marks stay as the mark layout made them, selected or not.
            if (other.get() != shape && other->Selected && other->Kind == shape->Kind &&
                !isPageMark(*other))
                writeInto(*other);
        }
    }
    return true;
}

void TPropertyPanel::writeInto(TGraphics& shape)
{
    shape.Pen.Width = m_penWidth->value();
    if (m_penStyle->currentText() == SolidText)
        shape.Pen.Style = psSolid;
    else if (m_penStyle->currentText() == DottedText)
        shape.Pen.Style = psDot;
    shape.Pen.Color = m_penColor->Color();
    shape.Brush.Color = m_brushColor->Color();
    shape.Tag = m_tag->text();
    shape.Brush.Style = m_fill->isChecked() ? bsSolid : bsClear;

    if (auto* text = dynamic_cast<TRectText*>(&shape)) {
        text->SetFont(m_textFont->Font());
    } else if (auto* triangle = dynamic_cast<TTriangle*>(&shape)) {
        const int index = m_triangleAspect->currentIndex();
        if (index >= 0)
            triangle->Aspect = TriangleAspects[index];
    } else if (auto* round = dynamic_cast<TRoundRect*>(&shape)) {
        round->Radius = m_radius->value();
    } else if (auto* cut = dynamic_cast<TRectZg*>(&shape)) {
        writeCutBox(*cut);
    } else if (auto* picture = dynamic_cast<TRImage*>(&shape)) {
        picture->Pen.Color = clBlack;
        picture->Pen.Style = psDot;
        picture->Pen.Width = 1;
        if (picture->PicturePath != m_picturePath->text()) {
            picture->PicturePath = m_picturePath->text();
            picture->LoadPicture();
        }
    } else if (auto* box = dynamic_cast<TRectKg*>(&shape)) {
        writeBubbleBox(*box);
    } else if (auto* lines = dynamic_cast<TLinelist*>(&shape)) {
        lines->Row = m_lineRows->value();
        lines->SetText(m_lineMemo->toPlainText());
        lines->SetFont(m_lineFont->Font());
    } else if (auto* grid = dynamic_cast<TRectGrid*>(&shape)) {
        grid->Gridwidth = m_gridWidth->value();
        grid->GridHeight = m_gridHeight->value();
        grid->RowSpace = m_gridRowSpace->value();
        grid->ColSpace = m_gridColSpace->value();
        grid->Row = m_gridRows->value();
        grid->col = m_gridCols->value();
    } else if (shape.Kind == Gbarcode) {
        shape.Brush.Style = bsClear;
        shape.Pen.Style = psDot;
        shape.Pen.Width = 1;
    }
}

void TPropertyPanel::writeCutBox(TRectZg& box)
{
    box.Question = m_question->value();
    box.Number = m_part->value();
    box.Caption = m_caption->text();
    // The label in the middle must stay readable.
    box.Brush.Style = bsClear;
    box.Pen.Color = clBlack;
    box.XZT = m_optional->isChecked();
    syncAlternativesEdit();
    box.XZTH = box.XZT ? m_alternatives->text() : QString();
}

void TPropertyPanel::writeBubbleBox(TRectKg& box)
{
    box.FormatText = m_optionChars->currentText();
    const int options = int(box.FormatText.size());
    if (m_direction->currentIndex() == ARight) {
        box.Row = m_count->value();
        box.col = options;
    } else {
        box.col = m_count->value();
        box.Row = options;
    }
    box.SetFont(m_labelFont->Font());
    box.SetNumberFont(m_numberFont->Font());
    box.Aspect = m_direction->currentIndex() == ARight ? ARight : ADown;
    box.TextType = TTextType(m_purpose->currentIndex());
    box.ShowType = TShowType(m_showType->currentIndex());
    box.Gridwidth = roundHalfEven(m_bubbleWidth->value());
    box.GridHeight = roundHalfEven(m_bubbleHeight->value());
    box.ColSpace = m_bubbleColSpace->value();
    box.RowSpace = m_bubbleRowSpace->value();
    box.ShowNumber = m_showNumber->isChecked();
    box.StartNumberAgg = m_numberAdd->value();
    box.OptionType = TOptionType(m_optionType->currentIndex());
    box.ReadType = m_readType->currentIndex();
    box.GLZG = m_linkedQuestion->value();
}

void TPropertyPanel::LoadPanel(TGraphics& shape)
{
    // Setting the controls runs the change handler; nothing may reach the
    // shapes meanwhile.
    bool* panelApply = m_document ? &m_document->PanelApply : nullptr;
    const bool savedPanelApply = panelApply && *panelApply;
    if (panelApply)
        *panelApply = false;

    m_penWidth->setValue(shape.Pen.Width);
    if (shape.Pen.Style == psSolid)
        m_penStyle->setCurrentText(SolidText);
    else if (shape.Pen.Style == psDot)
        m_penStyle->setCurrentText(DottedText);
    m_tag->setText(shape.Tag);
    m_penColor->SetColor(shape.Pen.Color);
    m_brushColor->SetColor(shape.Brush.Color);
    if (shape.Brush.Style == bsSolid)
        m_fill->setChecked(true);
    else if (shape.Brush.Style == bsClear)
        m_fill->setChecked(false);

    if (const int tool = toolOfKind(shape.Kind))
        ShowPanels(tool);

    if (const auto* round = dynamic_cast<const TRoundRect*>(&shape)) {
        m_radius->setValue(round->Radius);
    } else if (const auto* text = dynamic_cast<const TRectText*>(&shape)) {
        m_textFont->SetFont(text->Font);
        m_textColor->SetColor(text->Font.Color);
        emit textEditorFontChanged(text->Font);
    } else if (const auto* grid = dynamic_cast<const TRectGrid*>(&shape)) {
        m_gridWidth->setValue(grid->Gridwidth);
        m_gridHeight->setValue(grid->GridHeight);
        m_gridRowSpace->setValue(grid->RowSpace);
        m_gridColSpace->setValue(grid->ColSpace);
        m_gridRows->setValue(grid->Row);
        m_gridCols->setValue(grid->col);
    } else if (const auto* box = dynamic_cast<const TRectKg*>(&shape)) {
        loadBubbleBox(*box);
    } else if (const auto* triangle = dynamic_cast<const TTriangle*>(&shape)) {
        for (int i = 0; i < int(std::size(TriangleAspects)); ++i)
            if (TriangleAspects[i] == triangle->Aspect)
                m_triangleAspect->setCurrentIndex(i);
    } else if (const auto* cut = dynamic_cast<const TRectZg*>(&shape)) {
        m_question->setValue(cut->Question);
        m_part->setValue(cut->Number);
        m_caption->setText(cut->Caption);
        m_optional->setChecked(cut->XZT);
        syncAlternativesEdit();
        if (cut->XZT)
            m_alternatives->setText(cut->XZTH);
    } else if (const auto* picture = dynamic_cast<const TRImage*>(&shape)) {
        m_picturePath->setText(picture->PicturePath);
    } else if (const auto* lines = dynamic_cast<const TLinelist*>(&shape)) {
        m_lineRows->setValue(lines->Row);
        m_lineFont->SetFont(lines->Font);
        m_lineMemo->setPlainText(lines->Lines.join(QLatin1Char('\n')));
    }

    if (panelApply)
        *panelApply = savedPanelApply;
}

void TPropertyPanel::loadBubbleBox(const TRectKg& box)
{
    const int entry =
        m_optionChars->findText(box.FormatText, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (entry >= 0) {
        m_optionChars->setCurrentIndex(entry);
    } else {
        m_optionChars->setCurrentIndex(-1);
        m_optionChars->setEditText(box.FormatText);
    }
    if (box.Aspect == ADown) {
        m_count->setValue(box.col);
        m_direction->setCurrentIndex(0);
    } else if (box.Aspect == ARight) {
        m_count->setValue(box.Row);
        m_direction->setCurrentIndex(1);
    }
    selectIndex(m_purpose, box.TextType);
    selectIndex(m_showType, box.ShowType);
    selectIndex(m_optionType, box.OptionType);
    m_bubbleWidth->setValue(box.Gridwidth);
    m_bubbleHeight->setValue(box.GridHeight);
    m_bubbleColSpace->setValue(box.ColSpace);
    m_bubbleRowSpace->setValue(box.RowSpace);
    m_linkedQuestion->setValue(box.GLZG);
    m_penColor->SetColor(box.Pen.Color);
    m_labelFont->SetFont(box.Font);
    m_numberFont->SetFont(box.NumberFont);
    m_labelColor->SetColor(box.Font.Color);
    m_numberColor->SetColor(box.NumberFont.Color);
    m_showNumber->setChecked(box.ShowNumber);
    m_numberAdd->setValue(box.StartNumberAgg);
    selectIndex(m_readType, box.ReadType);
}

} // namespace sw
