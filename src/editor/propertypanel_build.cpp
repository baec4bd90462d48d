// Construction of the panel column and its controls.
#include "editor/colorswatch.h"
#include "editor/fontbutton.h"
#include "editor/optioncharacters.h"
#include "editor/panelbinding.h"
#include "editor/propertypanel.h"

#include "shapes/linelist.h"
#include "shapes/rectgrid.h"
#include "shapes/rectkg.h"
#include "shapes/recttext.h"
#include "shapes/rectzg.h"
#include "shapes/rimage.h"
#include "shapes/roundrect.h"
#include "shapes/triangle.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <iterator>

namespace sw {

namespace {

constexpr int ControlHeight = 21;
constexpr int MarkPanelHeight = 26;

const QString SolidText = QStringLiteral("实线");
const QString DottedText = QStringLiteral("虚线");

// The triangle directions in the order of "方向": 上, 右, 下, 左.
constexpr TAspect TriangleAspects[] = {AUp, ARight, ADown, ALeft};

TFont defaultFont(const QString& name, int height)
{
    TFont font;
    font.Name = name;
    font.Height = height;
    return font;
}

void fitControl(QWidget* control)
{
    control->setFixedHeight(ControlHeight);
    // Choices and numbers show whole; typed texts and font names scroll or
    // shorten, so the narrow column decides their widths.
    const auto* combo = qobject_cast<QComboBox*>(control);
    const bool whole = (combo && !combo->isEditable()) || qobject_cast<QAbstractSpinBox*>(control);
    control->setMinimumWidth(whole ? control->sizeHint().width() : 16);
}

QLabel* newLabel(const QString& text)
{
    auto* label = new QLabel(text);
    label->setFixedHeight(ControlHeight);
    return label;
}

// A caption in (row, column) and its control right of it.
// Screen readers and automation name a control by its caption; the spaces
// that only align the captions are not part of it.
void nameControl(QWidget* control, const QString& caption)
{
    control->setAccessibleName(QString(caption).remove(QLatin1Char(' ')));
}

// A caption in (row, column) and its control `span` columns wide right of it.
void addLabelled(QGridLayout* grid, int row, int column, const QString& caption, QWidget* control,
                 int span = 1)
{
    QLabel* label = newLabel(caption);
    label->setBuddy(control);
    nameControl(control, caption);
    grid->addWidget(label, row, column);
    grid->addWidget(control, row, column + 1, 1, span);
}

} // namespace

void PropertyPanel::buildPanels()
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    m_markPanel = newPanel(column, "MarkPanel", MarkPanelHeight);
    {
        auto* grid = static_cast<QGridLayout*>(m_markPanel->layout());
        m_tag = newEdit("TagEdit");
        bind(bindText(m_tag, &TGraphics::Tag));
        addLabelled(grid, 0, 0, QStringLiteral("标记"), m_tag);
    }

    QGridLayout* grid = addPanel(column, Rp11, "rp11", 32);
    m_picturePath = newEdit("PicturePathEdit");
    m_picturePath->setReadOnly(true);
    m_pictureButton = newButton("PictureBrowseButton", QStringLiteral("..."));
    m_pictureButton->setToolTip(QStringLiteral("选择图片"));
    connect(m_pictureButton, &QToolButton::clicked, this, &PropertyPanel::choosePicture);
    bind(bindShape<TRImage>(
        [this](const TRImage& picture) { m_picturePath->setText(picture.PicturePath); },
        [this](TRImage& picture) {
            if (picture.PicturePath != m_picturePath->text()) {
                picture.PicturePath = m_picturePath->text();
                picture.LoadPicture();
            }
        }));
    nameControl(m_picturePath, QStringLiteral("图片文件"));
    nameControl(m_pictureButton, QStringLiteral("选择图片"));
    grid->addWidget(m_picturePath, 0, 0);
    grid->addWidget(m_pictureButton, 0, 1);

    grid = addPanel(column, Rp10, "rp10", 75);
    m_question = newSpin("QuestionSpin", 1, 999, 1);
    m_part = newSpin("PartSpin", 1, 99, 1);
    m_caption = newEdit("CaptionEdit");
    m_alternatives = newEdit("AlternativesEdit");
    m_optional = newCheck("OptionalCheck", QStringLiteral("选做题"), false);
    bind(bindSpin(m_question, &TRectZg::Question));
    bind(bindSpin(m_part, &TRectZg::Number));
    bind(bindText(m_caption, &TRectZg::Caption));
    bind(bindCheck(m_optional, &TRectZg::XZT));
    bind(bindShape<TRectZg>(
        [this](const TRectZg& box) {
            syncAlternativesEdit();
            if (box.XZT)
                m_alternatives->setText(box.XZTH);
        },
        [this](TRectZg& box) {
            syncAlternativesEdit();
            box.XZTH = box.XZT ? m_alternatives->text() : QString();
        }));
    addLabelled(grid, 0, 0, QStringLiteral("题号"), m_question);
    addLabelled(grid, 0, 2, QStringLiteral("序号"), m_part);
    addLabelled(grid, 1, 0, QStringLiteral("标题"), m_caption, 3);
    nameControl(m_alternatives, QStringLiteral("选做题题号"));
    grid->addWidget(m_optional, 2, 0, 1, 2);
    grid->addWidget(m_alternatives, 2, 2, 1, 2);

    grid = addPanel(column, Rp2, "rp2", 50);
    m_labelFont = newFontButton("LabelFontButton", defaultFont(QStringLiteral("新宋体"), -10));
    m_labelColor = newSwatch("textcolor");
    m_numberFont = newFontButton("NumberFontButton", defaultFont(QStringLiteral("Arial"), -12));
    m_numberColor = newSwatch("Numbercolor");
    bind(bindFont(m_labelFont, m_labelColor, &TRectKg::Font));
    bind(bindFont(m_numberFont, m_numberColor, &TRectKg::NumberFont));
    connect(m_labelFont, &QToolButton::clicked, this,
            [this] { chooseFont(m_labelFont, m_labelColor); });
    connect(m_numberFont, &QToolButton::clicked, this,
            [this] { chooseFont(m_numberFont, m_numberColor); });
    connect(m_labelColor, &QToolButton::clicked, this,
            [this] { chooseColor(m_labelColor, m_labelFont); });
    connect(m_numberColor, &QToolButton::clicked, this,
            [this] { chooseColor(m_numberColor, m_numberFont); });
    addLabelled(grid, 0, 0, QStringLiteral("字    体"), m_labelFont);
    addLabelled(grid, 0, 2, QStringLiteral("颜色"), m_labelColor);
    addLabelled(grid, 1, 0, QStringLiteral("题号字体"), m_numberFont);
    addLabelled(grid, 1, 2, QStringLiteral("颜色"), m_numberColor);

    grid = addPanel(column, Rp3, "rp3", 34);
    m_penWidth = newSpin("PenWidthSpin", 1, 100, 1);
    m_penStyle = newCombo("PenStyleList", {SolidText, DottedText}, 0);
    bind(bindShape<TGraphics>(
        [this](const TGraphics& shape) { m_penWidth->setValue(shape.Pen.Width); },
        [this](TGraphics& shape) { shape.Pen.Width = m_penWidth->value(); }));
    // Other pen styles stay as they are.
    bind(bindShape<TGraphics>(
        [this](const TGraphics& shape) {
            if (shape.Pen.Style == psSolid)
                m_penStyle->setCurrentText(SolidText);
            else if (shape.Pen.Style == psDot)
                m_penStyle->setCurrentText(DottedText);
        },
        [this](TGraphics& shape) {
            if (m_penStyle->currentText() == SolidText)
                shape.Pen.Style = psSolid;
            else if (m_penStyle->currentText() == DottedText)
                shape.Pen.Style = psDot;
        }));
    addLabelled(grid, 0, 0, QStringLiteral("宽度"), m_penWidth);
    addLabelled(grid, 0, 2, QStringLiteral("类型"), m_penStyle);

    grid = addPanel(column, Rp1, "rp1", 232);
    m_optionChars = newCombo("OptionCharactersList", builtInOptionCharacters(), -1, true);
    // The purpose list starts at its first entry so that every box drawn
    // gets a purpose of the list.
    m_purpose =
        newCombo("PurposeList",
                 {QStringLiteral("准考证号"), QStringLiteral("答题"), QStringLiteral("缺考"),
                  QStringLiteral("作弊"), QStringLiteral("选作题"), QStringLiteral("主观分")},
                 0);
    m_optionType = newCombo("OptionTypeList", {QStringLiteral("单选"), QStringLiteral("多选")}, 0);
    m_showType = newCombo(
        "ShowTypeList",
        {QStringLiteral("填图框内"), QStringLiteral("填图框外"), QStringLiteral("不显示")}, 0);
    m_direction = newCombo("DirectionList", {QStringLiteral("下"), QStringLiteral("右")}, 0);
    m_count = newSpin("CountSpin", 1, 999, 5);
    m_bubbleWidth = newDoubleSpin("BubbleWidthSpin", 0.1, 999, 20);
    m_bubbleHeight = newDoubleSpin("BubbleHeightSpin", 0.1, 999, 10);
    m_bubbleColSpace = newSpin("BubbleColumnSpaceSpin", 0, 999, 10);
    m_bubbleRowSpace = newSpin("BubbleRowSpaceSpin", 0, 999, 5);
    m_showNumber = newCheck("ShowNumberCheck", QStringLiteral("显示序号"), true);
    m_numberAdd = newSpin("NumberAddSpin", 0, 999, 0);
    m_readType = newCombo("ReadTypeList", {QStringLiteral("涂点"), QStringLiteral("对勾")}, 0);
    m_linkedQuestion = newSpin("LinkedQuestionSpin", 1, 999, 1);
    // The characters go first: their number is the other side of the box.
    bind(bindShape<TRectKg>(
        [this](const TRectKg& box) {
            const int entry =
                m_optionChars->findText(box.FormatText, Qt::MatchExactly | Qt::MatchCaseSensitive);
            m_optionChars->setCurrentIndex(entry);
            if (entry < 0)
                m_optionChars->setEditText(box.FormatText);
        },
        [this](TRectKg& box) { box.FormatText = m_optionChars->currentText(); }));
    // "数量" counts the questions, along the direction.
    bind(bindShape<TRectKg>(
        [this](const TRectKg& box) {
            if (box.Aspect == ADown) {
                m_count->setValue(box.col);
                m_direction->setCurrentIndex(0);
            } else if (box.Aspect == ARight) {
                m_count->setValue(box.Row);
                m_direction->setCurrentIndex(1);
            }
        },
        [this](TRectKg& box) {
            const int options = int(box.FormatText.size());
            const bool right = m_direction->currentIndex() == ARight;
            box.Row = right ? m_count->value() : options;
            box.col = right ? options : m_count->value();
            box.Aspect = right ? ARight : ADown;
        }));
    bind(bindIndex(m_purpose, &TRectKg::TextType));
    bind(bindIndex(m_showType, &TRectKg::ShowType));
    bind(bindIndex(m_optionType, &TRectKg::OptionType));
    bind(bindSpin(m_bubbleWidth, &TRectKg::Gridwidth));
    bind(bindSpin(m_bubbleHeight, &TRectKg::GridHeight));
    bind(bindSpin(m_bubbleColSpace, &TRectKg::ColSpace));
    bind(bindSpin(m_bubbleRowSpace, &TRectKg::RowSpace));
    bind(bindSpin(m_linkedQuestion, &TRectKg::GLZG));
    bind(bindCheck(m_showNumber, &TRectKg::ShowNumber));
    bind(bindSpin(m_numberAdd, &TRectKg::StartNumberAgg));
    bind(bindIndex(m_readType, &TRectKg::ReadType));
    addLabelled(grid, 0, 0, QStringLiteral("字符"), m_optionChars, 3);
    addLabelled(grid, 1, 0, QStringLiteral("类型"), m_purpose);
    addLabelled(grid, 1, 2, QStringLiteral("选项"), m_optionType);
    addLabelled(grid, 2, 0, QStringLiteral("显示方式"), m_showType, 3);
    addLabelled(grid, 3, 0, QStringLiteral("方向"), m_direction);
    addLabelled(grid, 3, 2, QStringLiteral("数量"), m_count);
    addLabelled(grid, 4, 0, QStringLiteral("宽"), m_bubbleWidth);
    addLabelled(grid, 4, 2, QStringLiteral("高"), m_bubbleHeight);
    addLabelled(grid, 5, 0, QStringLiteral("列距"), m_bubbleColSpace);
    addLabelled(grid, 5, 2, QStringLiteral("行距"), m_bubbleRowSpace);
    grid->addWidget(m_showNumber, 6, 0, 1, 2);
    addLabelled(grid, 6, 2, QStringLiteral("加值"), m_numberAdd);
    addLabelled(grid, 7, 0, QStringLiteral("识别方式"), m_readType, 3);
    QLabel* linked = newLabel(QStringLiteral("关联主观题"));
    linked->setBuddy(m_linkedQuestion);
    nameControl(m_linkedQuestion, linked->text());
    grid->addWidget(linked, 8, 0, 1, 2);
    grid->addWidget(m_linkedQuestion, 8, 2, 1, 2);

    grid = addPanel(column, Rp6, "rp6", 27);
    m_textFont = newFontButton("BtnFont1", defaultFont(QStringLiteral("宋体"), 0));
    TFont textFont = m_textFont->Font();
    textFont.setSize(9, m_pixelsPerInch); // the window's default font
    m_textFont->SetFont(textFont);
    m_textColor = newSwatch("fontcolor");
    connect(m_textFont, &QToolButton::clicked, this, &PropertyPanel::chooseTextFont);
    // New text boxes take the font of the one loaded.
    bind(bindShape<TRectText>(
        [this](const TRectText& text) {
            m_textFont->SetFont(text.Font);
            m_textColor->SetColor(text.Font.Color);
            emit textEditorFontChanged(text.Font);
        },
        [this](TRectText& text) { text.SetFont(m_textFont->Font()); }));
    connect(m_textColor, &QToolButton::clicked, this,
            [this] { chooseColor(m_textColor, m_textFont); });
    addLabelled(grid, 0, 0, QStringLiteral("字体"), m_textFont);
    addLabelled(grid, 0, 2, QStringLiteral("颜色"), m_textColor);

    grid = addPanel(column, Rp9, "rp9", 71);
    m_gridWidth = newSpin("GridWidthSpin", 0, 1000, 30);
    m_gridHeight = newSpin("GridHeightSpin", 0, 1000, 30);
    m_gridColSpace = newSpin("GridColumnSpaceSpin", 0, 1000, 0);
    m_gridRowSpace = newSpin("GridRowSpaceSpin", 0, 999, 5);
    m_gridCols = newSpin("GridColumnsSpin", 1, 1000, 5);
    m_gridRows = newSpin("GridRowsSpin", 1, 1000, 5);
    // Sizes before counts: a count loaded last keeps the shape's own.
    bind(bindSpin(m_gridWidth, &TRectGrid::Gridwidth));
    bind(bindSpin(m_gridHeight, &TRectGrid::GridHeight));
    bind(bindSpin(m_gridRowSpace, &TRectGrid::RowSpace));
    bind(bindSpin(m_gridColSpace, &TRectGrid::ColSpace));
    bind(bindSpin(m_gridRows, &TRectGrid::Row));
    bind(bindSpin(m_gridCols, &TRectGrid::col));
    addLabelled(grid, 0, 0, QStringLiteral("宽"), m_gridWidth);
    addLabelled(grid, 0, 2, QStringLiteral("高"), m_gridHeight);
    addLabelled(grid, 1, 0, QStringLiteral("列距"), m_gridColSpace);
    addLabelled(grid, 1, 2, QStringLiteral("行距"), m_gridRowSpace);
    addLabelled(grid, 2, 0, QStringLiteral("列数"), m_gridCols);
    addLabelled(grid, 2, 2, QStringLiteral("行数"), m_gridRows);

    grid = addPanel(column, Rp4, "rp4", 26);
    m_penColor = newSwatch("bcolor1");
    connect(m_penColor, &QToolButton::clicked, this, [this] { chooseColor(m_penColor, nullptr); });
    bind(bindShape<TGraphics>(
        [this](const TGraphics& shape) { m_penColor->SetColor(shape.Pen.Color); },
        [this](TGraphics& shape) { shape.Pen.Color = m_penColor->Color(); }));
    addLabelled(grid, 0, 0, QStringLiteral(" 线 框 颜 色"), m_penColor);

    grid = addPanel(column, Rp5, "rp5", 26);
    m_fill = newCheck("FillCheck", QStringLiteral("填充颜色"), false);
    m_brushColor = newSwatch("bcolor2");
    connect(m_brushColor, &QToolButton::clicked, this,
            [this] { chooseColor(m_brushColor, nullptr); });
    bind(bindShape<TGraphics>(
        [this](const TGraphics& shape) { m_brushColor->SetColor(shape.Brush.Color); },
        [this](TGraphics& shape) { shape.Brush.Color = m_brushColor->Color(); }));
    // Other brush styles leave the check as it is.
    bind(bindShape<TGraphics>(
        [this](const TGraphics& shape) {
            if (shape.Brush.Style == bsSolid)
                m_fill->setChecked(true);
            else if (shape.Brush.Style == bsClear)
                m_fill->setChecked(false);
        },
        [this](TGraphics& shape) { shape.Brush.Style = m_fill->isChecked() ? bsSolid : bsClear; }));
    nameControl(m_brushColor, m_fill->text());
    grid->addWidget(m_fill, 0, 0);
    grid->addWidget(m_brushColor, 0, 1);

    grid = addPanel(column, Rp7, "rp7", 26);
    m_radius = newSpin("CornerRadiusSpin", 1, 100, 25);
    bind(bindSpin(m_radius, &TRoundRect::Radius));
    addLabelled(grid, 0, 0, QStringLiteral(" 圆角半径"), m_radius);

    grid = addPanel(column, Rp8, "rp8", 26);
    m_triangleAspect = newCombo(
        "TriangleDirectionList",
        {QStringLiteral("上"), QStringLiteral("右"), QStringLiteral("下"), QStringLiteral("左")},
        0);
    bind(bindShape<TTriangle>(
        [this](const TTriangle& triangle) {
            const auto* found =
                std::find(std::begin(TriangleAspects), std::end(TriangleAspects), triangle.Aspect);
            if (found != std::end(TriangleAspects))
                m_triangleAspect->setCurrentIndex(int(found - std::begin(TriangleAspects)));
        },
        [this](TTriangle& triangle) {
            const int index = m_triangleAspect->currentIndex();
            if (index >= 0)
                triangle.Aspect = TriangleAspects[index];
        }));
    addLabelled(grid, 0, 0, QStringLiteral(" 方    向"), m_triangleAspect);

    grid = addPanel(column, RP13, "RP13", 32);
    m_lineRows = newSpin("LineRowsSpin", 1, 1000, 1);
    TFont lineFont = defaultFont(QStringLiteral("宋体"), 0);
    lineFont.setSize(15, m_pixelsPerInch); // a new line list's own font
    m_lineFont = newFontButton("LineFontButton", lineFont);
    connect(m_lineFont, &QToolButton::clicked, this, [this] { chooseFont(m_lineFont, nullptr); });
    m_lineEditorButton = newButton("LineEditorButton", QStringLiteral("..."));
    connect(m_lineEditorButton, &QToolButton::clicked, this, &PropertyPanel::editLineListRows);
    m_lineMemo = new QPlainTextEdit(m_panels[RP13]);
    m_lineMemo->setObjectName(QStringLiteral("lineMemo"));
    m_lineMemo->setPlainText(QStringLiteral("\\\\1"));
    m_lineMemo->hide();
    bind(bindSpin(m_lineRows, &TLinelist::Row));
    bind(bindShape<TLinelist>(
        [this](const TLinelist& lines) {
            m_lineMemo->setPlainText(lines.Lines.join(QLatin1Char('\n')));
        },
        [this](TLinelist& lines) { lines.SetText(m_lineMemo->toPlainText()); }));
    bind(bindFont(m_lineFont, nullptr, &TLinelist::Font));
    addLabelled(grid, 0, 0, QStringLiteral("行数"), m_lineRows);
    nameControl(m_lineFont, QStringLiteral("字体"));
    nameControl(m_lineEditorButton, QStringLiteral("线段设置"));
    grid->addWidget(m_lineFont, 0, 2);
    grid->addWidget(m_lineEditorButton, 0, 3);

    grid = addPanel(column, Rp12, "rp12", 26);
    m_positionCheck = newButton("PositionCheckButton", QStringLiteral("定位检测"));
    connect(m_positionCheck, &QToolButton::clicked, this, &PropertyPanel::positionCheckRequested);
    grid->addWidget(m_positionCheck, 0, 0);

    column->addStretch(1);

    // Only the tag row and the line-list panel show at first.
    for (QFrame* panel : m_panels)
        panel->setVisible(panel == m_panels[RP13]);
    syncAlternativesEdit();
    fitWidth();
    fitHeight();
}

void PropertyPanel::fitWidth()
{
    const QList<QFrame*> panels = findChildren<QFrame*>(Qt::FindDirectChildrenOnly);
    for (const QFrame* panel : panels)
        m_width = std::max(m_width, panel->minimumSizeHint().width());
    for (QFrame* panel : panels)
        panel->setFixedWidth(m_width);
}

QFrame* PropertyPanel::newPanel(QVBoxLayout* column, const char* name, int height)
{
    auto* panel = new QFrame(this);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFixedSize(PanelWidth, height);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(3, 2, 3, 2);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(2);
    column->addWidget(panel);
    return panel;
}

QGridLayout* PropertyPanel::addPanel(QVBoxLayout* column, Subject subject, const char* name,
                                     int height)
{
    m_panels[subject] = newPanel(column, name, height);
    return static_cast<QGridLayout*>(m_panels[subject]->layout());
}

QSpinBox* PropertyPanel::newSpin(const char* name, int minimum, int maximum, int value)
{
    auto* spin = new QSpinBox;
    spin->setObjectName(QString::fromLatin1(name));
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    spin->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    fitControl(spin);
    connect(spin, &QSpinBox::valueChanged, this, &PropertyPanel::valueChanged);
    return spin;
}

QDoubleSpinBox* PropertyPanel::newDoubleSpin(const char* name, double minimum, double maximum,
                                             double value)
{
    auto* spin = new QDoubleSpinBox;
    spin->setObjectName(QString::fromLatin1(name));
    spin->setLocale(QLocale::c()); // "." as the decimal separator
    spin->setDecimals(1);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    spin->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    fitControl(spin);
    connect(spin, &QDoubleSpinBox::valueChanged, this, &PropertyPanel::valueChanged);
    return spin;
}

QComboBox* PropertyPanel::newCombo(const char* name, const QStringList& items, int index,
                                   bool editable)
{
    auto* combo = new QComboBox;
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(editable);
    combo->addItems(items);
    combo->setCurrentIndex(index);
    fitControl(combo);
    if (editable) {
        // Any string may be typed; the list only offers the usual ones.
        combo->setInsertPolicy(QComboBox::NoInsert);
        connect(combo, &QComboBox::editTextChanged, this, &PropertyPanel::valueChanged);
    } else {
        connect(combo, &QComboBox::currentIndexChanged, this, &PropertyPanel::valueChanged);
    }
    return combo;
}

QLineEdit* PropertyPanel::newEdit(const char* name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    fitControl(edit);
    connect(edit, &QLineEdit::textChanged, this, &PropertyPanel::valueChanged);
    return edit;
}

QCheckBox* PropertyPanel::newCheck(const char* name, const QString& text, bool checked)
{
    auto* check = new QCheckBox(text);
    check->setObjectName(QString::fromLatin1(name));
    check->setChecked(checked);
    check->setFixedHeight(ControlHeight);
    connect(check, &QCheckBox::toggled, this, &PropertyPanel::valueChanged);
    return check;
}

ColorSwatch* PropertyPanel::newSwatch(const char* name)
{
    auto* swatch = new ColorSwatch;
    swatch->setObjectName(QString::fromLatin1(name));
    swatch->setFixedSize(ControlHeight + 8, ControlHeight);
    return swatch;
}

FontButton* PropertyPanel::newFontButton(const char* name, const TFont& font)
{
    auto* button = new FontButton;
    button->setObjectName(QString::fromLatin1(name));
    button->SetFont(font);
    fitControl(button);
    return button;
}

QToolButton* PropertyPanel::newButton(const char* name, const QString& text)
{
    auto* button = new QToolButton;
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setFixedHeight(ControlHeight);
    return button;
}

void PropertyPanel::bind(PanelBinding binding)
{
    m_bindings.push_back(std::move(binding));
}

int PropertyPanel::GroupHeight() const
{
    int height = 0;
    for (const QFrame* panel : m_panels)
        if (!panel->isHidden())
            height += panel->height();
    return height;
}

void PropertyPanel::fitHeight()
{
    setFixedSize(m_width, MarkPanelHeight + GroupHeight());
}

} // namespace sw
