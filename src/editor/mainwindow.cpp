#include "editor/mainwindow.h"

#include "dialogs/fblfrm.h"
#include "document/vectorgraphics.h"
#include "editor/collapsiblegroup.h"
#include "editor/editcommands.h"
#include "editor/filecommands.h"
#include "editor/pagesurface.h"
#include "editor/rulerwidget.h"
#include "editor/shapepanel.h"
#include "editor/vcortrols.h"
#include "platform/database/database.h"
#include "platform/fontconversion.h"
#include "platform/rounding.h"
#include "platform/widgets/dialogservice.h"
#include "shapes/recttext.h"

#include <QAbstractSpinBox>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTextStream>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace sw {

namespace {

// The colour of the coordinate read-outs (0x00BBGGRR): orange.
constexpr TColor ReadoutColour = 4227327;
// Pixels one wheel notch scrolls.
constexpr int WheelStep = 20;
constexpr double ZoomStep = 0.1;
constexpr double ZoomInLimit = 5.0;
constexpr double ZoomOutLimit = 0.2;
constexpr int SideBarWidth = 230;
const QString OptionCharacterListFile = QStringLiteral("temp/typelist.tmp");

QIcon commandIcon(const QString& themeIcon, const QString& ownIcon)
{
    const QIcon own(QStringLiteral(":/icons/%1.svg").arg(ownIcon));
    return themeIcon.isEmpty() ? own : QIcon::fromTheme(themeIcon, own);
}

Qt::CursorShape cursorShape(TCursor cursor)
{
    switch (cursor) {
    case TCursor::Default:
        return Qt::ArrowCursor;
    case TCursor::Cross:
        return Qt::CrossCursor;
    case TCursor::Hand:
        return Qt::PointingHandCursor;
    case TCursor::Move:
        return Qt::SizeAllCursor;
    case TCursor::SizeNWSE:
        return Qt::SizeFDiagCursor;
    case TCursor::SizeNS:
        return Qt::SizeVerCursor;
    case TCursor::SizeNESW:
        return Qt::SizeBDiagCursor;
    case TCursor::SizeWE:
        return Qt::SizeHorCursor;
    }
    return Qt::ArrowCursor;
}

struct ToolSpec
{
    const char* name;
    int tool;
    const char* caption;
    const char* hint;
    const char* icon;
};

// The tools of the left tool bar, in order.
const ToolSpec Tools[] = {
    {"ToolSelectAct", ToolSelect, "选择图形(&S)", "选择图形", "select"},
    {"ToolLineAct", ToolLine, "线段(&L)", "画线", "line"},
    {"ToolRectAct", ToolRectangle, "矩形(&R)", "画方框", "rect"},
    {"ToolRoundRectAct", ToolRoundRect, "圆角矩形", "画圆角方框", "roundrect"},
    {"ToolEllipseAct", ToolEllipse, "椭圆(&C)", "画椭圆", "ellipse"},
    {"textAction", ToolText, "文字", "书写文字", "text"},
    {"GridAct", ToolGrid, "画网格", "画网格", "grid"},
    {"kgact", ToolBubbleBox, "画涂点框", "画涂点框", "bubble"},
    {"triact", ToolTriangle, "画三角", "画三角", "triangle"},
    {"Zgact", ToolCutBox, "画切割框", "画切割框", "cutbox"},
    {"barcode", ToolBarcode, "条码识别框", "条码识别框", "barcode"},
    {"picture", ToolPicture, "插入图片", "插入图片", "picture"},
    {"HlineAct", ToolHLine, "画横线", "画横线", "hline"},
    {"VLineAct", ToolVLine, "画竖线", "画竖线", "vline"},
    {"MHSB", ToolFuzzyBox, "智能识别框", "智能识别框", "fuzzy"},
    {"linelistact", ToolLineList, "画线表", "画线表", "linelist"},
};

// Keys typed into these go to them, not to the shapes.
bool isForeignTextInput(const QWidget* widget, const QWidget* textEditor)
{
    if (!widget || widget == textEditor)
        return false;
    return qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QPlainTextEdit*>(widget) ||
           qobject_cast<const QTextEdit*>(widget);
}

} // namespace

TPaintForm::TPaintForm(MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent), m_options(std::move(options)), m_database(std::make_unique<Database>())
{
    setObjectName(QStringLiteral("PaintForm"));
    setWindowTitle(MainWindowCaption);
    setFont(QFont(QStringLiteral("宋体"), 9));
    setAcceptDrops(true);
    m_editorFont.Name = QStringLiteral("宋体");
    m_editorFont.Charset = GB2312_CHARSET;
    m_editorFont.setSize(9, m_options.pixelsPerInch);

    m_fileCommands = std::make_unique<FileCommands>(*this);
    m_editCommands = std::make_unique<EditCommands>(*this);
    createCommands();
    createTools();
    createMenus();
    createToolBars();

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("Splitter"));
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(createCentre());
    splitter->addWidget(createSideBar());
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setSizes({1000, SideBarWidth});
    setCentralWidget(splitter);
    createStatusBar();

    m_paperDialog = new Tsetpagefrm(*this, this);
    m_resolutionDialog = new Tfblfrm(m_options.pixelsPerInch, this);
    qApp->installEventFilter(this);
}

TPaintForm::~TPaintForm()
{
    qApp->removeEventFilter(this);
    // The controller draws through the view: it goes before the widgets.
    m_controller.reset();
}

// Building the window -------------------------------------------------------

QAction* TPaintForm::addCommand(const QString& name, const QString& hint, const QString& menuText,
                                const QString& themeIcon, const QString& ownIcon)
{
    auto* action = new QAction(commandIcon(themeIcon, ownIcon),
                               menuText.isEmpty() ? hint : menuText, this);
    action->setObjectName(name);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    m_actions.insert(name, action);
    return action;
}

void TPaintForm::createCommands()
{
    FileCommands* files = m_fileCommands.get();
    EditCommands* edits = m_editCommands.get();
    const auto command = [this](const char* name, const char* hint, const char* menuText,
                                const char* theme, const char* own, auto handler) {
        QAction* action = addCommand(QString::fromUtf8(name), QString::fromUtf8(hint),
                                     QString::fromUtf8(menuText), QString::fromUtf8(theme),
                                     QString::fromUtf8(own));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };

    command("RzToolButton1", "新建", "新建", "document-new", "new",
            [this] { dialogService().exec(*m_paperDialog); })
        ->setShortcut(QKeySequence::New);
    addCommand(QStringLiteral("RzToolButton36"), QStringLiteral("向导"), {},
               QStringLiteral("tools-wizard"), QStringLiteral("wizard"))
        ->setEnabled(false);
    command("RzToolButton5", "打开", "打开", "document-open", "open", [files] { files->Open(); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    command("RzToolButton4", "保存", "保存", "document-save", "save", [files] { files->Save(); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    command("RzToolButton6", "另存为...", "另存为", "document-save-as", "saveas",
            [files] { files->SaveAs(); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    addCommand(QStringLiteral("RzToolButton40"), QStringLiteral("模板库"), {}, {},
               QStringLiteral("library"))
        ->setEnabled(false);
    addCommand(QStringLiteral("RzToolButton10"), QStringLiteral("页面设置"),
               QStringLiteral("页面设置"), QStringLiteral("document-page-setup"),
               QStringLiteral("pagesetup"))
        ->setEnabled(false);
    command("RzToolButton7", "打印", "打印", "document-print", "print", [files] { files->Print(); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));

    addCommand(QStringLiteral("RzToolButton19"), QStringLiteral("插入试卷底图"),
               QStringLiteral("插入底图"), {}, QStringLiteral("background"))
        ->setEnabled(false);
    addCommand(QStringLiteral("RzToolButton24"), QStringLiteral("校正底图"),
               QStringLiteral("校正底图"), {}, QStringLiteral("deskew"))
        ->setEnabled(false);

    command("RzToolButton14", "组合", "组合", "object-group", "group",
            [edits] { edits->Group(); });
    command("RzToolButton17", "解散", "解除组合", "object-ungroup", "ungroup",
            [edits] { edits->Ungroup(); });
    command("RzToolButton15", "复制", "复制", "edit-copy", "copy", [edits] { edits->Copy(); });
    command("RzToolButton16", "粘贴", "粘贴", "edit-paste", "paste", [edits] { edits->Paste(); });
    QAction* lock = addCommand(QStringLiteral("RzToolButton18"), QStringLiteral("锁定"), {},
                               QStringLiteral("object-locked"), QStringLiteral("lock"));
    lock->setCheckable(true);
    connect(lock, &QAction::triggered, this, [edits](bool on) { edits->SetLocked(on); });

    command("RzToolButton8", "实际尺寸", "实际尺寸", "zoom-original", "zoom-original",
            [this] { RzToolButton8Click(); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    command("RzToolButton11", "缩小", "缩小", "zoom-out", "zoom-out",
            [this] { RzToolButton11Click(); })
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    command("RzToolButton9", "放大", "放大", "zoom-in", "zoom-in",
            [this] { RzToolButton9Click(); })
        ->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Equal),
                        QKeySequence(Qt::CTRL | Qt::Key_Plus)});

    const char* const moves[][3] = {{"RzToolButton20", "左移", "move-left"},
                                    {"RzToolButton21", "右移", "move-right"},
                                    {"RzToolButton22", "上移", "move-up"},
                                    {"RzToolButton23", "下移", "move-down"}};
    for (const auto& move : moves) {
        QAction* action = addCommand(QString::fromUtf8(move[0]), QString::fromUtf8(move[1]), {},
                                     {}, QString::fromUtf8(move[2]));
        action->setEnabled(false);
        action->setVisible(false);
    }

    command("Btndelete", "删除页面", "", "", "delete-page", [files] { files->DeletePage(); });

    for (const ArrangeCommand& arrange : arrangeCommands()) {
        command(arrange.name, arrange.hint, arrange.menuText, arrange.themeIcon, arrange.ownIcon,
                [edits, &arrange] { edits->Arrange(arrange); });
    }

    command("RzToolButton13", "退出制卷", "退出", "application-exit", "exit", [this] { close(); });

    // Menu items that carry no command.
    for (const char* name : {"删除试卷", "关于", "帮助"}) {
        auto* idle = new QAction(QString::fromUtf8(name), this);
        idle->setEnabled(false);
        m_actions.insert(QString::fromUtf8(name), idle);
    }
}

void TPaintForm::createTools()
{
    m_tools = new QActionGroup(this);
    m_tools->setExclusive(true);
    for (const ToolSpec& spec : Tools) {
        QAction* tool = addCommand(QString::fromUtf8(spec.name), QString::fromUtf8(spec.hint),
                                   QString::fromUtf8(spec.caption), {},
                                   QString::fromUtf8(spec.icon));
        tool->setCheckable(true);
        tool->setData(spec.tool);
        m_tools->addAction(tool);
        const int number = spec.tool;
        connect(tool, &QAction::triggered, this, [this, number] { ToolSelectActExecute(number); });
    }
    m_actions.value(QStringLiteral("ToolSelectAct"))->setChecked(true);

    QAction* remove = addCommand(QStringLiteral("DeleteAct"), QStringLiteral("删除"), {},
                                 QStringLiteral("edit-delete"), QStringLiteral("delete"));
    connect(remove, &QAction::triggered, this, &TPaintForm::DeleteActExecute);
}

void TPaintForm::createMenus()
{
    const auto fill = [this](const QString& title, std::initializer_list<const char*> names) {
        QMenu* menu = menuBar()->addMenu(title);
        for (const char* name : names) {
            if (!*name)
                menu->addSeparator();
            else
                menu->addAction(m_actions.value(QString::fromUtf8(name)));
        }
    };
    fill(QStringLiteral("文件"), {"RzToolButton1", "RzToolButton5", "RzToolButton4",
                                  "RzToolButton6", "", "RzToolButton10", "RzToolButton7"});
    fill(QStringLiteral("编辑"), {"RzToolButton19", "RzToolButton24", "", "RzToolButton14",
                                  "RzToolButton17", "", "RzToolButton15", "RzToolButton16", "",
                                  "删除试卷"});
    fill(QStringLiteral("控制"),
         {"RzToolButton8", "RzToolButton11", "RzToolButton9", "", "RzToolButton25",
          "RzToolButton26", "RzToolButton27", "RzToolButton28", "RzToolButton29",
          "RzToolButton30", "", "RzToolButton31", "RzToolButton32", "RzToolButton33",
          "RzToolButton34"});
    fill(QStringLiteral("帮助"), {"关于", "帮助", "", "RzToolButton13"});
}

void TPaintForm::createToolBars()
{
    auto* top = new QToolBar(QStringLiteral("命令"), this);
    top->setObjectName(QStringLiteral("RzToolbar1"));
    top->setMovable(false);
    top->setIconSize(QSize(20, 20));
    const std::initializer_list<const char*> groups[] = {
        {"RzToolButton1", "RzToolButton36", "RzToolButton5", "RzToolButton4", "RzToolButton6",
         "RzToolButton40", "RzToolButton10", "RzToolButton7"},
        {"RzToolButton19", "RzToolButton24"},
        {"RzToolButton14", "RzToolButton17", "RzToolButton15", "RzToolButton16",
         "RzToolButton18"},
        {"RzToolButton8", "RzToolButton11", "RzToolButton9"},
        {"RzToolButton20", "RzToolButton21", "RzToolButton22", "RzToolButton23"},
        {"Btndelete"},
        {"RzToolButton25", "RzToolButton26", "RzToolButton27", "RzToolButton28",
         "RzToolButton29", "RzToolButton30", "RzToolButton31", "RzToolButton32",
         "RzToolButton33", "RzToolButton34"},
        {"RzToolButton13"},
    };
    bool first = true;
    for (const auto& group : groups) {
        if (!first)
            top->addSeparator();
        first = false;
        for (const char* name : group) {
            QAction* action = m_actions.value(QString::fromUtf8(name));
            top->addAction(action);
            top->widgetForAction(action)->setObjectName(action->objectName());
        }
    }
    addToolBar(Qt::TopToolBarArea, top);

    auto* left = new QToolBar(QStringLiteral("工具"), this);
    left->setObjectName(QStringLiteral("ToolBar2"));
    left->setMovable(false);
    left->setIconSize(QSize(20, 20));
    for (QAction* tool : m_tools->actions()) {
        left->addAction(tool);
        left->widgetForAction(tool)->setObjectName(tool->objectName());
    }
    left->addSeparator();
    QAction* remove = m_actions.value(QStringLiteral("DeleteAct"));
    left->addAction(remove);
    left->widgetForAction(remove)->setObjectName(remove->objectName());
    addToolBar(Qt::LeftToolBarArea, left);
}

QWidget* TPaintForm::createCentre()
{
    auto* centre = new QWidget(this);
    centre->setObjectName(QStringLiteral("CentrePanel"));

    m_tabs = new QTabBar(centre);
    m_tabs->setObjectName(QStringLiteral("RzTabControl1"));
    m_tabs->setExpanding(false);
    m_tabs->setUsesScrollButtons(true);
    m_tabs->setDrawBase(false);
    m_tabs->installEventFilter(this);
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        markSelectedTab();
        if (!m_changingTabs)
            RzTabControl1Change(index);
    });

    auto* corner = new QLabel(QStringLiteral("cm"), centre);
    corner->setObjectName(QStringLiteral("RulerCorner"));
    corner->setFixedSize(RulerThickness, RulerThickness);
    corner->setAlignment(Qt::AlignCenter);
    corner->setFrameShape(QFrame::Panel);
    corner->setFrameShadow(QFrame::Raised);

    m_hRuler = new RulerWidget(Qt::Horizontal, RulerThickness, centre);
    m_hRuler->setObjectName(QStringLiteral("PaintBox1"));
    m_vRuler = new RulerWidget(Qt::Vertical, RulerThickness, centre);
    m_vRuler->setObjectName(QStringLiteral("PaintBox2"));

    m_scroll = new QScrollArea(centre);
    m_scroll->setObjectName(QStringLiteral("ScrollBox1"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(false);
    m_scroll->setFocusPolicy(Qt::StrongFocus);
    m_scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette silver = m_scroll->palette();
    silver.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    m_scroll->setPalette(silver);
    m_scroll->setBackgroundRole(QPalette::Window);
    m_scroll->viewport()->setAutoFillBackground(true);
    m_scroll->viewport()->installEventFilter(this);

    m_content = new QWidget;
    m_content->setObjectName(QStringLiteral("ScrollContent"));
    m_content->setAutoFillBackground(false);
    m_image = new QLabel(m_content);
    m_image->setObjectName(QStringLiteral("Image1"));
    m_image->setScaledContents(true);
    m_image->hide();
    m_surface = new PageSurface(m_content);
    m_surface->setObjectName(QStringLiteral("PaintBox"));
    m_surface->setImageSource(
        [this]() -> const QImage* { return m_controller ? &m_controller->SurfaceImage() : nullptr; });
    m_memo = new QPlainTextEdit(m_content);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setFrameShape(QFrame::NoFrame);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette memoPalette = m_memo->palette();
    memoPalette.setColor(QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
    m_memo->setPalette(memoPalette);
    m_memo->setFont(toQFont(m_editorFont));
    m_memo->hide();
    m_content->resize(1, 1);
    m_scroll->setWidget(m_content);

    m_hRuler->setImageSource([this]() -> const QImage* {
        return m_controller ? &m_controller->HorzRulerImage() : nullptr;
    });
    m_vRuler->setImageSource([this]() -> const QImage* {
        return m_controller ? &m_controller->VertRulerImage() : nullptr;
    });
    const auto redrawRulers = [this] {
        if (m_controller)
            m_controller->PaintRulers();
    };
    connect(m_hRuler, &RulerWidget::resized, this, redrawRulers);
    connect(m_vRuler, &RulerWidget::resized, this, redrawRulers);
    connect(m_scroll->horizontalScrollBar(), &QScrollBar::valueChanged, this, redrawRulers);
    connect(m_scroll->verticalScrollBar(), &QScrollBar::valueChanged, this, redrawRulers);

    connect(m_surface, &PageSurface::pressed, this, &TPaintForm::PaintBoxMouseDown);
    connect(m_surface, &PageSurface::moved, this, &TPaintForm::PaintBoxMouseMove);
    connect(m_surface, &PageSurface::released, this, &TPaintForm::PaintBoxMouseUp);
    connect(m_surface, &PageSurface::doubleClicked, this, &TPaintForm::PaintBoxDblClick);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(corner, 0, 0);
    grid->addWidget(m_hRuler, 0, 1);
    grid->addWidget(m_vRuler, 1, 0);
    grid->addWidget(m_scroll, 1, 1);

    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_tabs);
    layout->addLayout(grid, 1);
    return centre;
}

QWidget* TPaintForm::createSideBar()
{
    auto* coordinates = new QWidget;
    auto* form = new QFormLayout(coordinates);
    form->setContentsMargins(12, 4, 8, 4);
    const char* const captions[] = {"左边:", "顶边:", "右边:", "底边:"};
    const char* const names[] = {"LeftValue", "TopValue", "RightValue", "BottomValue"};
    for (int i = 0; i < 4; ++i) {
        m_boundLabels[i] = new QLabel(coordinates);
        m_boundLabels[i]->setObjectName(QString::fromUtf8(names[i]));
        form->addRow(QString::fromUtf8(captions[i]), m_boundLabels[i]);
    }
    m_mouseLabel = new QLabel(coordinates);
    m_mouseLabel->setObjectName(QStringLiteral("MouseValue"));
    form->addRow(QStringLiteral("鼠标坐标:"), m_mouseLabel);

    m_historyView = new QListView;
    m_historyView->setObjectName(QStringLiteral("RzListView1"));
    m_historyView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_historyView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_historyView->setMinimumHeight(180);
    connect(m_historyView, &QListView::doubleClicked, this, &TPaintForm::RzListView1DblClick);

    m_panelArea = new QWidget;
    m_panelArea->setObjectName(QStringLiteral("图形参数"));
    auto* panelLayout = new QVBoxLayout(m_panelArea);
    panelLayout->setContentsMargins(0, 0, 0, 0);

    auto* bar = new QWidget;
    bar->setObjectName(QStringLiteral("SideBar"));
    auto* layout = new QVBoxLayout(bar);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(6);
    layout->addWidget(new CollapsibleGroup(QStringLiteral("坐标"), coordinates, false, bar));
    layout->addWidget(new CollapsibleGroup(QStringLiteral("历史记录"), m_historyView, false, bar));
    layout->addWidget(new CollapsibleGroup(QStringLiteral("图形参数"), m_panelArea, true, bar));
    layout->addStretch(1);

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("SideBarScroll"));
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(bar);
    scroll->setMinimumWidth(SideBarWidth - 40);
    return scroll;
}

void TPaintForm::createStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("ffg"));
    for (int i = 0; i < 4; ++i) {
        m_statusPanels[i] = new QLabel(bar);
        m_statusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_statusPanels[i]->setContentsMargins(6, 0, 6, 0);
    }
    m_statusPanels[0]->setText(QStringLiteral("版本4.0"));
    m_statusPanels[1]->setMinimumWidth(120);
    bar->addWidget(m_statusPanels[0]);
    bar->addWidget(m_statusPanels[1], 1);
    bar->addPermanentWidget(m_statusPanels[2]);
    bar->addPermanentWidget(m_statusPanels[3]);
}

QAction* TPaintForm::action(const QString& name) const
{
    return m_actions.value(name);
}

void TPaintForm::setShapePanel(ShapePanel* panel)
{
    m_panel = panel;
    if (panel)
        m_panelArea->layout()->addWidget(panel->widget());
}

// Start-up and shut-down ----------------------------------------------------

bool TPaintForm::FormCreate()
{
    QString error;
    if (m_database->open(m_options.databasePath, &error))
        return true;
    dialogService().message(this, DatabaseOpenFailedText, DatabaseOpenFailedCaption,
                            MessageIcon::Warning);
    return false;
}

void TPaintForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    FormShow();
}

void TPaintForm::FormShow()
{
    if (m_started)
        return;
    m_started = true;

    QPalette readout = m_mouseLabel->palette();
    readout.setColor(QPalette::WindowText, toQColor(ReadoutColour));
    for (QLabel* label : m_boundLabels)
        label->setPalette(readout);
    m_mouseLabel->setPalette(readout);
    readOptionCharacterList();

    m_document = std::make_unique<TVectorGraphics>(m_options.pixelsPerInch);
    m_controller = std::make_unique<TVcortrols>(*m_document, *this);
    m_historyView->setModel(&m_controller->History());

    setFileName({});
    m_changingTabs = true;
    while (m_tabs->count() > 0)
        m_tabs->removeTab(m_tabs->count() - 1);
    m_changingTabs = false;
    m_document->Clear();
    loadBackgroundPicture();

    m_paperDialog->prepareFirstPage();
    m_paperDialog->Button1Click();

    scrollToOrigin();
    m_statusPanels[2]->setText(QStringLiteral("清晰版面，准确阅卷"));
    m_statusPanels[3]->setText(QStringLiteral("Sheetwright 答题卡模板设计"));
}

void TPaintForm::readOptionCharacterList()
{
    QFile file(OptionCharacterListFile);
    if (!m_panel || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QStringList entries;
    QTextStream in(&file);
    while (!in.atEnd())
        entries << in.readLine();
    m_panel->setOptionCharacterList(entries);
}

void TPaintForm::closeEvent(QCloseEvent* event)
{
    if (!confirm(this, QStringLiteral("您确信要退出制卷模块吗？"))) {
        event->ignore();
        return;
    }
    // A save that did not happen (a failed check, a cancelled file dialog,
    // a write error) keeps the window open, so the work is not lost.
    if (m_document && confirm(this, QStringLiteral("是否保存模板？")) && !m_fileCommands->Save()) {
        event->ignore();
        return;
    }
    event->accept();
}

// Pages and tabs ------------------------------------------------------------

QStringList TPaintForm::pageCaptions() const
{
    QStringList captions;
    for (int i = 0; i < m_tabs->count(); ++i)
        captions << m_tabs->tabText(i);
    return captions;
}

int TPaintForm::selectedPage() const
{
    return m_tabs->currentIndex();
}

bool TPaintForm::addPage(int source, int position, QString* error)
{
    if (!m_document->NewPage(source, position, error))
        return false;
    const int index = m_document->CurrentPage;
    m_changingTabs = true;
    m_tabs->insertTab(index, QString::number(index));
    m_changingTabs = false;
    settabs();
    if (m_tabs->currentIndex() != index)
        selectTab(index);
    else
        RzTabControl1Change(index);
    m_document->LayoutMarks();
    m_controller->ResetHistory();
    m_controller->AddEntry(QStringLiteral("新建页面"));
    repaintSurface();
    return true;
}

void TPaintForm::settabs()
{
    m_document->RenumberPages();
    m_changingTabs = true;
    while (m_tabs->count() > m_document->PageCount())
        m_tabs->removeTab(m_tabs->count() - 1);
    while (m_tabs->count() < m_document->PageCount())
        m_tabs->addTab(QString());
    m_changingTabs = false;
    for (int i = 0; i < m_document->PageCount(); ++i) {
        const TVectorGraph& page = *m_document->PageAt(i);
        m_tabs->setTabText(i, QString(page.PaperType) + QStringLiteral("卷--") +
                                  QString::number(page.PageNumber) + QStringLiteral("面"));
    }
    markSelectedTab();
}

void TPaintForm::rebuildTabs(int index)
{
    m_changingTabs = true;
    while (m_tabs->count() > 0)
        m_tabs->removeTab(m_tabs->count() - 1);
    for (int i = 0; i < m_document->PageCount(); ++i)
        m_tabs->addTab(QString::number(i));
    if (index >= 0 && index < m_tabs->count())
        m_tabs->setCurrentIndex(index);
    m_changingTabs = false;
    if (m_tabs->currentIndex() >= 0)
        RzTabControl1Change(m_tabs->currentIndex());
    settabs();
}

void TPaintForm::selectTab(int index)
{
    m_tabs->setCurrentIndex(index);
}

void TPaintForm::removeTab(int index)
{
    m_changingTabs = true;
    m_tabs->removeTab(index);
    m_tabs->setCurrentIndex(std::min(index, m_tabs->count() - 1));
    m_changingTabs = false;
    m_document->CurrentPage = m_tabs->currentIndex();
    RzTabControl1Change(m_tabs->currentIndex());
}

void TPaintForm::markSelectedTab()
{
    for (int i = 0; i < m_tabs->count(); ++i)
        m_tabs->setTabTextColor(i, i == m_tabs->currentIndex() ? QColor(Qt::red) : QColor());
}

void TPaintForm::RzTabControl1Change(int index)
{
    if (!m_document || index < 0)
        return;
    scrollToOrigin();
    m_document->CurrentPage = index;
    loadBackgroundPicture();
    repaintSurface();
    emit currentPageChanged();
}

void TPaintForm::scrollToOrigin()
{
    m_scroll->horizontalScrollBar()->setValue(0);
    m_scroll->verticalScrollBar()->setValue(0);
    m_surface->move(0, 0);
}

void TPaintForm::repaintSurface()
{
    if (!m_controller || m_tabs->currentIndex() < 0)
        return;
    m_document->CurrentPage = m_tabs->currentIndex();
    m_controller->PaintSurface();
    m_image->setVisible(m_document->Modal != 0 && m_image->pixmap().isNull() == false);
}

void TPaintForm::loadBackgroundPicture()
{
    const TVectorGraph* page = currentPage();
    QPixmap picture;
    if (page && m_document->Modal != 0 && QFileInfo::exists(page->PicturePath))
        picture.load(page->PicturePath);
    m_image->setPixmap(picture);
    if (picture.isNull()) {
        m_image->hide();
        updateContentSize();
        return;
    }
    m_image->setGeometry(page->Left, page->Top, roundHalfEven(picture.width() * page->ScaleX),
                         roundHalfEven(picture.height() * page->ScaleY));
    m_image->lower();
    m_image->show();
    updateContentSize();
}

void TPaintForm::syncDocumentButtons()
{
    const bool overlay = m_document->Modal != 0;
    for (const char* name : {"RzToolButton20", "RzToolButton21", "RzToolButton22", "RzToolButton23"})
        m_actions.value(QString::fromUtf8(name))->setVisible(overlay);
    m_actions.value(QStringLiteral("RzToolButton18"))->setChecked(m_document->Locked);
}

void TPaintForm::setFileName(const QString& fileName)
{
    m_fileName = fileName;
    updateTitle();
}

void TPaintForm::updateTitle()
{
    if (m_fileName.isEmpty())
        setWindowTitle(MainWindowCaption);
    else
        setWindowTitle(MainWindowCaption + QStringLiteral(" - ") +
                       QFileInfo(m_fileName).fileName());
}

bool TPaintForm::openFile(const QString& path)
{
    return m_fileCommands->OpenFile(path);
}

TVectorGraph* TPaintForm::currentPage() const
{
    if (!m_document || m_document->CurrentPage < 0 ||
        m_document->CurrentPage >= m_document->PageCount())
        return nullptr;
    return m_document->ActivePage();
}

// Zoom ----------------------------------------------------------------------

void TPaintForm::RzToolButton8Click()
{
    TVectorGraph* current = currentPage();
    if (!current)
        return;
    TVectorGraph& page = *current;
    page.SetScaleX(1.0);
    page.SetScaleY(1.0);
    loadBackgroundPicture();
    repaintSurface();
}

void TPaintForm::RzToolButton9Click()
{
    zoomBy(ZoomStep);
}

void TPaintForm::RzToolButton11Click()
{
    zoomBy(-ZoomStep);
}

void TPaintForm::zoomBy(double step)
{
    TVectorGraph* current = currentPage();
    if (!current)
        return;
    TVectorGraph& page = *current;
    if ((step > 0 && page.ScaleX > ZoomInLimit) || (step < 0 && page.ScaleX < ZoomOutLimit))
        return;
    page.SetScaleX(page.ScaleX + step);
    page.SetScaleY(page.ScaleY + step);
    loadBackgroundPicture();
    repaintSurface();
}

// Surface and controller ----------------------------------------------------

void TPaintForm::ToolSelectActExecute(int tool)
{
    if (tool == ToolSelect)
        m_actions.value(QStringLiteral("ToolSelectAct"))->setChecked(true);
    if (!m_document)
        return;
    m_document->Tool = std::uint8_t(tool);
    m_surface->setCursor(tool == ToolSelect ? Qt::ArrowCursor : Qt::CrossCursor);
    if (m_panel)
        m_panel->ShowPanels(tool);
    m_scroll->setFocus();
}

void TPaintForm::DeleteActExecute()
{
    if (m_controller)
        m_controller->KeyDown(Qt::Key_Delete, Qt::ControlModifier);
}

void TPaintForm::RzListView1DblClick()
{
    const QModelIndex row = m_historyView->currentIndex();
    if (!m_controller || !row.isValid())
        return;
    QString error;
    if (!m_controller->RestoreEntry(row.row(), &error)) {
        refuse(this, QStringLiteral("不能恢复历史记录：%1").arg(error), MessageIcon::Critical);
        return;
    }
    repaintSurface();
}

void TPaintForm::PaintBoxMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                   QPoint pos)
{
    if (m_controller && m_tabs->currentIndex() >= 0)
        m_controller->MouseDown(button, modifiers, pos.x(), pos.y());
}

void TPaintForm::PaintBoxMouseMove(Qt::KeyboardModifiers modifiers, QPoint pos)
{
    if (m_controller && m_tabs->currentIndex() >= 0)
        m_controller->MouseMove(modifiers, pos.x(), pos.y());
}

void TPaintForm::PaintBoxMouseUp(QPoint pos)
{
    if (m_controller && m_tabs->currentIndex() >= 0)
        m_controller->MouseUp(pos.x(), pos.y());
}

void TPaintForm::PaintBoxDblClick()
{
    if (m_controller && m_tabs->currentIndex() >= 0)
        m_controller->DoubleClick();
}

void TPaintForm::loadPanel(TGraphics& shape)
{
    if (m_panel)
        m_panel->LoadPanel(shape);
}

void TPaintForm::applyPanel(TGraphics& shape, bool allSelectedOfKind)
{
    if (m_panel)
        m_panel->ApplyPanel(shape, allSelectedOfKind);
}

int TPaintForm::panelCornerRadius() const
{
    constexpr int DefaultCornerRadius = 25;
    return m_panel ? m_panel->cornerRadius() : DefaultCornerRadius;
}

QString TPaintForm::panelOptionCharacters() const
{
    return m_panel ? m_panel->optionCharacters() : QString();
}

void TPaintForm::showTextEditor(const TRect& area, const QStringList& lines)
{
    const TPoint scroll = scrollPosition();
    m_memo->setGeometry(area.Left + scroll.X, area.Top + scroll.Y, area.width(), area.height());
    m_memo->setPlainText(lines.join(QLatin1Char('\n')));
    m_memo->moveCursor(QTextCursor::End);
    m_memo->show();
    m_memo->raise();
    m_memo->setFocus();
}

void TPaintForm::hideTextEditor()
{
    m_memo->hide();
    m_scroll->setFocus();
}

TRect TPaintForm::textEditorArea() const
{
    const TPoint scroll = scrollPosition();
    const QRect g = m_memo->geometry();
    return {g.left() - scroll.X, g.top() - scroll.Y, g.left() + g.width() - scroll.X,
            g.top() + g.height() - scroll.Y};
}

QStringList TPaintForm::textEditorLines() const
{
    return splitTextLines(m_memo->toPlainText());
}

TFont TPaintForm::textEditorFont() const
{
    return m_editorFont;
}

void TPaintForm::setTextEditorFont(const TFont& font)
{
    m_editorFont = font;
    m_memo->setFont(toQFont(font));
}

void TPaintForm::showMessage(const QString& text)
{
    refuse(this, text, MessageIcon::Information);
}

void TPaintForm::setCursor(TCursor cursor)
{
    m_surface->setCursor(cursorShape(cursor));
}

TPoint TPaintForm::scrollPosition() const
{
    return {m_scroll->horizontalScrollBar()->value(), m_scroll->verticalScrollBar()->value()};
}

void TPaintForm::setSurfaceSize(int width, int height)
{
    m_surface->setFixedSize(width, height);
    updateContentSize();
}

void TPaintForm::updateContentSize()
{
    QRect area = m_surface->geometry();
    if (!m_image->isHidden())
        area = area.united(m_image->geometry());
    m_content->resize(area.right() + 1, area.bottom() + 1);
}

void TPaintForm::surfaceChanged()
{
    m_surface->update();
}

int TPaintForm::rulerThickness() const
{
    return RulerThickness;
}

int TPaintForm::horzRulerLength() const
{
    return m_hRuler->length();
}

int TPaintForm::vertRulerLength() const
{
    return m_vRuler->length();
}

void TPaintForm::rulersChanged()
{
    m_hRuler->update();
    m_vRuler->update();
}

void TPaintForm::showMousePosition(int x, int y)
{
    m_mouseLabel->setText(QStringLiteral("X:%1  Y:%2").arg(x).arg(y));
}

void TPaintForm::showShapeBounds(const TRect& bounds)
{
    const int values[] = {bounds.Left, bounds.Top, bounds.Right, bounds.Bottom};
    for (int i = 0; i < 4; ++i)
        m_boundLabels[i]->setText(QString::number(values[i]));
}

void TPaintForm::toolReset()
{
    ToolSelectActExecute(ToolSelect);
    if (m_memo->isVisible())
        m_memo->setFocus();
}

// Keys, wheel, drops --------------------------------------------------------

bool TPaintForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress)
        return previewKey(watched, static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::Wheel && (watched == m_scroll->viewport() || watched == m_tabs))
        return scrollByWheel(static_cast<QWheelEvent*>(event));
    return QMainWindow::eventFilter(watched, event);
}

// The window sees every key before the control that has the focus (the
// first delivery of the event, to the focus widget or, without one, to the
// window), except the keys typed into the side bar's inputs.
bool TPaintForm::previewKey(QObject* watched, QKeyEvent* event)
{
    if (!m_controller || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->window() != this)
        return false;
    QWidget* focus = QApplication::focusWidget();
    if (focus ? widget != focus : widget != this)
        return false;
    if (isForeignTextInput(widget, m_memo))
        return false;
    if (m_controller->KeyDown(event->key(), event->modifiers()))
        return true;
    if (widget == m_memo && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier)
        return m_controller->TextEditorKeyPress(event->key());
    return false;
}

bool TPaintForm::scrollByWheel(QWheelEvent* event)
{
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    // 120 eighths of a degree make a notch; a notch towards the user is
    // negative and scrolls down (or right).
    const int pixels = -delta * WheelStep / 120;
    QScrollBar* bar = event->modifiers().testFlag(Qt::ControlModifier)
                          ? m_scroll->horizontalScrollBar()
                          : m_scroll->verticalScrollBar();
    bar->setValue(bar->value() + pixels);
    event->accept();
    return true;
}

void TPaintForm::wheelEvent(QWheelEvent* event)
{
    scrollByWheel(event);
}

void TPaintForm::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile() &&
        urls.first().toLocalFile().endsWith(QStringLiteral(".exm"), Qt::CaseInsensitive))
        event->acceptProposedAction();
}

void TPaintForm::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty())
        return;
    event->acceptProposedAction();
    openFile(urls.first().toLocalFile());
}

} // namespace sw
