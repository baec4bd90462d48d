#include "dialogs/pagesetupdialog.h"

#include "dialogs/decimalfield.h"
#include "dialogs/okcancelbuttons.h"
#include "dialogs/papersizes.h"
#include "document/vectorgraphics.h"
#include "platform/widgets/dialogservice.h"
#include "platform/widgets/fieldtips.h"
#include "shapes/rectkg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>

namespace sw {

namespace {

// The sheet modes, by Modal.
constexpr const char* SheetModeNames[] = {"自制", "套制", "多页套制", "多页套制无页码", "智能识别"};

constexpr const char* FieldLabels[] = {
    "宽度:mm",  "高度:mm",  "左边距:mm", "顶边距:mm", "右边距:mm", "底边距:mm",
    "定位框宽", "定位框高", "类型宽",    "类型高",    "类型行距",  "类型列距",
    "页码宽",   "页码高",   "页码行距",  "页码列距",
};
static_assert(std::size(FieldLabels) == PageSetupDialog::FieldCount);

// Wheel steps: millimetres for the positioning box and the margins, layout
// pixels for the marks.
constexpr double MillimetreStep = 0.1;
constexpr double PixelStep = 1.0;

// The paper-type mark (0) and the page-number mark (1): the bubble boxes
// after the four positioning boxes of every page.
constexpr int FirstMarkIndex = 4;

TRectKg* markOf(const TVectorGraph& page, int mark)
{
    const int index = FirstMarkIndex + mark;
    return index < page.ShapeCount() ? dynamic_cast<TRectKg*>(page.ShapeItem(index)) : nullptr;
}

bool isMarkField(PageSetupDialog::Field f)
{
    return f >= PageSetupDialog::TypeWidthField;
}

// A label whose buddy is the control, which the screen readers announce by
// the label's text.
void addRow(QGridLayout* grid, int row, const QString& caption, QWidget* control)
{
    auto* label = new QLabel(caption, grid->parentWidget());
    label->setBuddy(control);
    control->setAccessibleName(caption);
    grid->addWidget(label, row, 0);
    grid->addWidget(control, row, 1);
}

} // namespace

PageSetupDialog::PageSetupDialog(PageSetupHost& host, QWidget* parent)
    : QDialog(parent), m_host(host), m_mode(new QComboBox(this)), m_size(new QComboBox(this)),
      m_orientation(new QComboBox(this))
{
    setObjectName(QStringLiteral("PageSetupDialog"));
    setWindowTitle(QStringLiteral("页面设置"));
    setModal(false);

    for (int f = 0; f < FieldCount; ++f)
        m_fields[std::size_t(f)] = newField(Field(f));

    m_mode->setObjectName(QStringLiteral("SheetModeList"));
    for (const char* name : SheetModeNames)
        m_mode->addItem(QString::fromUtf8(name));
    m_size->setObjectName(QStringLiteral("PaperSizeList"));
    m_size->addItems(paperSizeNames());
    m_orientation->setObjectName(QStringLiteral("OrientationList"));
    m_orientation->addItems({QStringLiteral("纵向"), QStringLiteral("横向")});
    for (QComboBox* list : {m_mode, m_size, m_orientation})
        list->installEventFilter(this);

    connect(m_mode, &QComboBox::activated, this, &PageSetupDialog::applySheetMode);
    connect(m_size, &QComboBox::activated, this, &PageSetupDialog::applyPaperSize);
    connect(m_orientation, &QComboBox::activated, this, &PageSetupDialog::applyPaperSize);

    QDialogButtonBox* buttons = okCancelButtons(this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PageSetupDialog::applyPageSetup);

    auto* groups = new QHBoxLayout;
    groups->addWidget(createPaperGroup());
    groups->addWidget(createMarkGroup());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addWidget(buttons);
    giveFieldTips(*this);
}

QLineEdit* PageSetupDialog::newField(Field f)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("Edit%1").arg(int(f) + 1));
    edit->installEventFilter(new DecimalKeyFilter(edit));
    edit->installEventFilter(this);
    return edit;
}

QComboBox* PageSetupDialog::newAspectList(const char* name)
{
    auto* list = new QComboBox(this);
    list->setObjectName(QString::fromUtf8(name));
    list->addItems(
        {QStringLiteral("下"), QStringLiteral("右"), QStringLiteral("上"), QStringLiteral("左")});
    list->installEventFilter(this);
    connect(list, &QComboBox::activated, this, &PageSetupDialog::applyMarkAspects);
    return list;
}

QWidget* PageSetupDialog::createPaperGroup()
{
    auto* group = new QGroupBox(this);
    auto* grid = new QGridLayout(group);
    addRow(grid, 0, QStringLiteral("制卷模式"), m_mode);
    addRow(grid, 1, QStringLiteral("尺寸"), m_size);
    addRow(grid, 2, QStringLiteral("方向"), m_orientation);
    int row = 3;
    for (int f = WidthField; f <= DwhField; ++f)
        addRow(grid, row++, fieldLabel(Field(f)), field(Field(f)));
    grid->setRowStretch(row, 1);
    return group;
}

QWidget* PageSetupDialog::createMarkGroup()
{
    m_typeAspect = newAspectList("PaperTypeAspectList");
    m_numberAspect = newAspectList("PageNumberAspectList");
    auto* group = new QGroupBox(this);
    auto* grid = new QGridLayout(group);
    int row = 0;
    addRow(grid, row++, QStringLiteral("类型方向"), m_typeAspect);
    for (int f = TypeWidthField; f <= TypeColSpaceField; ++f)
        addRow(grid, row++, fieldLabel(Field(f)), field(Field(f)));
    addRow(grid, row++, QStringLiteral("页码方向"), m_numberAspect);
    for (int f = NumberWidthField; f <= NumberColSpaceField; ++f)
        addRow(grid, row++, fieldLabel(Field(f)), field(Field(f)));
    grid->setRowStretch(row, 1);
    return group;
}

QString PageSetupDialog::fieldLabel(Field f)
{
    return QString::fromUtf8(FieldLabels[f]);
}

void PageSetupDialog::showEvent(QShowEvent* event)
{
    showCurrentPage();
    QDialog::showEvent(event);
}

// Filling and applying -------------------------------------------------------

void PageSetupDialog::showNumber(Field f, double value)
{
    field(f)->setText(decimalText(value));
}

void PageSetupDialog::showCurrentPage()
{
    const TVectorGraphics* document = m_host.setupDocument();
    const TVectorGraph* page = m_host.setupPage();
    if (!document || !page)
        return;
    m_size->setCurrentIndex(paperSizeEntry(page->PageSize, page->Width, page->Height));
    showNumber(WidthField, page->Width);
    showNumber(HeightField, page->Height);
    m_orientation->setCurrentIndex(page->Orientation == poLandscape ? 1 : 0);
    showNumber(LeftMarginField, page->LeftMargin);
    showNumber(TopMarginField, page->TopMargin);
    showNumber(RightMarginField, page->RightMargin);
    showNumber(BottomMarginField, page->BottomMargin);
    showNumber(DwwField, document->DWW);
    showNumber(DwhField, document->DWH);
    if (document->Modal >= 0 && document->Modal < m_mode->count())
        m_mode->setCurrentIndex(document->Modal);
    m_size->setEnabled(m_mode->currentIndex() == 0);

    QComboBox* aspects[] = {m_typeAspect, m_numberAspect};
    for (int m = 0; m < 2; ++m) {
        const TRectKg* mark = markOf(*page, m);
        if (!mark)
            continue;
        const int first = m == 0 ? TypeWidthField : NumberWidthField;
        showNumber(Field(first), mark->Gridwidth);
        showNumber(Field(first + 1), mark->GridHeight);
        showNumber(Field(first + 2), mark->RowSpace);
        showNumber(Field(first + 3), mark->ColSpace);
        if (mark->Aspect <= ALeft)
            aspects[m]->setCurrentIndex(mark->Aspect);
    }
}

void PageSetupDialog::applyPaperSize()
{
    const auto preset = paperSizePreset(m_size->currentIndex(), m_orientation->currentIndex() == 1);
    if (!preset)
        return;
    // Presets carry their one decimal: "210.0".
    field(WidthField)->setText(QString::number(preset->width(), 'f', 1));
    field(HeightField)->setText(QString::number(preset->height(), 'f', 1));
}

void PageSetupDialog::prepareFirstPage()
{
    m_size->setCurrentIndex(EntryA4);
    applyPaperSize();
    m_mode->setCurrentIndex(0);
}

void PageSetupDialog::refuseField(Field f, const QString& expected)
{
    QString name = fieldLabel(f);
    name.remove(QStringLiteral(":mm"));
    refuse(this, QStringLiteral("“%1”中的“%2”%3").arg(name, field(f)->text(), expected));
    field(f)->setFocus();
    field(f)->selectAll();
}

std::optional<double> PageSetupDialog::decimalOf(Field f)
{
    const std::optional<double> value = parseDecimal(field(f)->text());
    if (!value)
        refuseField(f, QStringLiteral("不是有效的数字！"));
    else if ((f == WidthField || f == HeightField) && *value <= 0)
        refuseField(f, QStringLiteral("必须大于0！"));
    else
        return value;
    return std::nullopt;
}

std::optional<int> PageSetupDialog::wholeOf(Field f)
{
    const std::optional<int> value = parseWhole(field(f)->text());
    if (!value)
        refuseField(f, QStringLiteral("不是有效的整数！"));
    return value;
}

bool PageSetupDialog::applyFields()
{
    TVectorGraphics* document = m_host.setupDocument();
    TVectorGraph* page = m_host.setupPage();
    if (!document || !page)
        return false;
    document->Modal = std::max(m_mode->currentIndex(), 0);
    m_host.sheetModeApplied();

    const auto apply = [this](Field f, double& target) {
        const std::optional<double> value = decimalOf(f);
        if (value)
            target = *value;
        return value.has_value();
    };
    const bool selfMade = document->Modal == SheetSelfMade;
    if (selfMade)
        page->PageSize = pageSizeOfEntry(m_size->currentIndex());
    if (!apply(WidthField, page->Width) || !apply(HeightField, page->Height))
        return false;
    if (selfMade)
        page->Orientation = m_orientation->currentIndex() == 1 ? poLandscape : poPortrait;
    if (!apply(LeftMarginField, page->LeftMargin) || !apply(TopMarginField, page->TopMargin) ||
        !apply(RightMarginField, page->RightMargin) ||
        !apply(BottomMarginField, page->BottomMargin) || !apply(DwwField, document->DWW) ||
        !apply(DwhField, document->DWH))
        return false;

    if (!selfMade && document->PageCount() > 0) {
        const TVectorGraph& first = *document->PageAt(0);
        QComboBox* aspects[] = {m_typeAspect, m_numberAspect};
        for (int m = 0; m < 2; ++m) {
            TRectKg* mark = markOf(first, m);
            if (!mark)
                continue;
            const int base = m == 0 ? TypeWidthField : NumberWidthField;
            std::int32_t* targets[] = {&mark->Gridwidth, &mark->GridHeight, &mark->RowSpace,
                                       &mark->ColSpace};
            for (int k = 0; k < 4; ++k) {
                const std::optional<int> value = wholeOf(Field(base + k));
                if (!value)
                    return false;
                *targets[k] = *value;
            }
            mark->Aspect = TAspect(std::max(aspects[m]->currentIndex(), 0));
            mark->TextType = m == 0 ? RSPaperType : RSPageNumber;
        }
    }

    document->LayoutMarks();
    // A new direction reverses the marks' cell weights: their codes follow.
    document->RenumberPages();
    m_host.pageSetupApplied();
    return true;
}

void PageSetupDialog::applyPictureSize(double widthMm, double heightMm)
{
    field(WidthField)->setText(QString::number(widthMm, 'f', 1));
    field(HeightField)->setText(QString::number(heightMm, 'f', 1));
    applyFields();
}

// Buttons and lists ----------------------------------------------------------

void PageSetupDialog::applyPageSetup()
{
    if (TVectorGraphics* document = m_host.setupDocument())
        document->ActiveShape = nullptr;
    if (!applyFields())
        return;
    if (overlayMode())
        m_host.showBackgroundPicture();
    accept();
}

void PageSetupDialog::applySheetMode()
{
    const bool selfMade = m_mode->currentIndex() == 0;
    if (!selfMade)
        m_size->setCurrentIndex(EntryCustom);
    m_size->setEnabled(selfMade);
    applyFields();
}

void PageSetupDialog::applyMarkAspects()
{
    applyFields();
}

bool PageSetupDialog::overlayMode() const
{
    const TVectorGraphics* document = m_host.setupDocument();
    return document && document->Modal != SheetSelfMade;
}

// Keys and wheel -------------------------------------------------------------

bool PageSetupDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel) {
        const QPoint angle = static_cast<QWheelEvent*>(event)->angleDelta();
        if (FormMouseWheel(angle.y()))
            return true;
    } else if (event->type() == QEvent::KeyPress) {
        if (auto* edit = qobject_cast<QLineEdit*>(watched))
            return fieldKey(edit, static_cast<QKeyEvent*>(event)->key());
    }
    return QDialog::eventFilter(watched, event);
}

void PageSetupDialog::wheelEvent(QWheelEvent* event)
{
    if (!FormMouseWheel(event->angleDelta().y()))
        QDialog::wheelEvent(event);
}

// Enter applies a non-empty field in the overlay modes; it never reaches the
// default button, so it does not close the dialog.
bool PageSetupDialog::fieldKey(QLineEdit* edit, int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (!edit->text().isEmpty() && overlayMode())
        applyFields();
    return true;
}

bool PageSetupDialog::FormMouseWheel(int delta)
{
    if (delta == 0 || !overlayMode())
        return false;
    for (int f = LeftMarginField; f < FieldCount; ++f) {
        if (field(Field(f))->hasFocus()) {
            stepField(Field(f), delta > 0, isMarkField(Field(f)) ? PixelStep : MillimetreStep);
            return true;
        }
    }
    return false;
}

void PageSetupDialog::stepField(Field f, bool up, double step)
{
    const std::optional<double> value = parseDecimal(field(f)->text());
    if (!value) {
        refuseField(f, QStringLiteral("不是有效的数字！"));
        return;
    }
    showNumber(f, up ? *value + step : *value - step);
    applyFields();
}

} // namespace sw
