#include "editor/mainwindow.h"

#include "dialogs/pagefrm.h"
#include "editor/backgroundcommands.h"
#include "editor/collapsiblegroup.h"
#include "editor/editcommands.h"
#include "editor/filecommands.h"
#include "editor/pagesurface.h"
#include "editor/rulerwidget.h"
#include "editor/templatecommands.h"
#include "editor/vcortrols.h"
#include "platform/fontconversion.h"
#include "platform/widgets/dialogservice.h"
#include "shapes/shapekinds.h"

#include <QAction>
#include <QActionGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QVBoxLayout>

// The construction of the window: its commands, menus, tool bars, the page
// area with tabs and rulers, the side bar and the status bar.

namespace sw {

namespace {

constexpr int SideBarWidth = 230;
const QColor Silver(0xC0, 0xC0, 0xC0);

QIcon commandIcon(const QString& themeIcon, const QString& ownIcon)
{
    const QIcon own(QStringLiteral(":/icons/%1.svg").arg(ownIcon));
    return themeIcon.isEmpty() ? own : QIcon::fromTheme(themeIcon, own);
}

} // namespace

void TPaintForm::createLayout()
{
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
}

QAction* TPaintForm::addCommand(const QString& name, const QString& hint, const QString& menuText,
                                const QString& themeIcon, const QString& ownIcon)
{
    auto* action =
        new QAction(commandIcon(themeIcon, ownIcon), menuText.isEmpty() ? hint : menuText, this);
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
    TemplateCommands* templates = m_templateCommands.get();
    const auto command = [this](const char* name, const char* hint, const char* menuText,
                                const char* theme, const char* own, auto handler) {
        QAction* action = addCommand(QString::fromUtf8(name), QString::fromUtf8(hint),
                                     QString::fromUtf8(menuText), QString::fromUtf8(theme),
                                     QString::fromUtf8(own));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };

    command("RzToolButton1", "新建", "新建", "document-new", "new", [this] {
        dialogService().exec(*m_paperDialog);
    })->setShortcut(QKeySequence::New);
    command("RzToolButton36", "向导", "", "tools-wizard", "wizard",
            [templates] { templates->Wizard(); });
    command("RzToolButton5", "打开", "打开", "document-open", "open", [files] {
        files->Open();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    command("RzToolButton4", "保存", "保存", "document-save", "save", [files] {
        files->Save();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    command("RzToolButton6", "另存为...", "另存为", "document-save-as", "saveas", [files] {
        files->SaveAs();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    command("RzToolButton40", "模板库", "", "", "library", [templates] { templates->Library(); });
    command("RzToolButton10", "页面设置", "页面设置", "document-page-setup", "pagesetup", [this] {
        m_pageDialog->show();
        m_pageDialog->raise();
        m_pageDialog->activateWindow();
    });
    command("RzToolButton7", "打印", "打印", "document-print", "print", [files] {
        files->Print();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));

    BackgroundCommands* backgrounds = m_backgroundCommands.get();
    command("RzToolButton19", "插入试卷底图", "插入底图", "", "background",
            [backgrounds] { backgrounds->InsertPicture(); });
    command("RzToolButton24", "校正底图", "校正底图", "", "deskew",
            [backgrounds] { backgrounds->CorrectPicture(); });

    command("UndoAct", "撤销", "撤销", "edit-undo", "undo", [this] {
        stepHistory(false);
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    command("RedoAct", "重做", "重做", "edit-redo", "redo", [this] { stepHistory(true); })
        ->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    command("SelectAllAct", "全选", "全选", "edit-select-all", "select-all", [edits] {
        edits->SelectAll();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));

    command("RzToolButton14", "组合", "组合", "object-group", "group", [edits] { edits->Group(); });
    command("RzToolButton17", "解散", "解除组合", "object-ungroup", "ungroup",
            [edits] { edits->Ungroup(); });
    command("RzToolButton15", "复制", "复制", "edit-copy", "copy", [edits] {
        edits->Copy();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    command("RzToolButton16", "粘贴", "粘贴", "edit-paste", "paste", [edits] {
        edits->Paste();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    QAction* lock = addCommand(QStringLiteral("RzToolButton18"), QStringLiteral("锁定"), {},
                               QStringLiteral("object-locked"), QStringLiteral("lock"));
    lock->setCheckable(true);
    connect(lock, &QAction::triggered, this, [edits](bool on) { edits->SetLocked(on); });

    command("RzToolButton8", "实际尺寸", "实际尺寸", "zoom-original", "zoom-original", [this] {
        RzToolButton8Click();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    command("RzToolButton11", "缩小", "缩小", "zoom-out", "zoom-out", [this] {
        RzToolButton11Click();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    command("RzToolButton9", "放大", "放大", "zoom-in", "zoom-in", [this] { RzToolButton9Click(); })
        ->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)});

    const struct
    {
        const char* name;
        const char* hint;
        const char* icon;
        int dx;
        int dy;
    } moves[] = {{"RzToolButton20", "左移", "move-left", -1, 0},
                 {"RzToolButton21", "右移", "move-right", 1, 0},
                 {"RzToolButton22", "上移", "move-up", 0, -1},
                 {"RzToolButton23", "下移", "move-down", 0, 1}};
    for (const auto& move : moves) {
        const int dx = move.dx;
        const int dy = move.dy;
        command(move.name, move.hint, "", "", move.icon, [backgrounds, dx, dy] {
            backgrounds->MovePicture(dx, dy);
        })->setVisible(false);
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

    // Nothing to undo or redo before the first change.
    m_actions.value(QStringLiteral("UndoAct"))->setEnabled(false);
    m_actions.value(QStringLiteral("RedoAct"))->setEnabled(false);
    // Tooltips name the shortcut, as the menus do.
    for (QAction* action : std::as_const(m_actions)) {
        if (!action->shortcut().isEmpty()) {
            action->setToolTip(QStringLiteral("%1 (%2)").arg(
                action->toolTip(), action->shortcut().toString(QKeySequence::NativeText)));
        }
    }
}

void TPaintForm::createTools()
{
    m_tools = new QActionGroup(this);
    m_tools->setExclusive(true);
    const auto addTool = [this](const char* name, TTool number, const char* caption,
                                const char* hint, const char* icon) {
        QAction* tool = addCommand(QString::fromUtf8(name), QString::fromUtf8(hint),
                                   QString::fromUtf8(caption), {}, QString::fromUtf8(icon));
        tool->setCheckable(true);
        tool->setData(int(number));
        m_tools->addAction(tool);
        connect(tool, &QAction::triggered, this, [this, number] { ToolSelectActExecute(number); });
    };
    addTool("ToolSelectAct", ToolSelect, "选择图形(&S)", "选择图形", "select");
    for (const ShapeKind* kind : toolKinds())
        addTool(kind->ToolAction, kind->Tool, kind->ToolCaption, kind->ToolHint, kind->ToolIcon);
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
    fill(QStringLiteral("编辑"), {"UndoAct", "RedoAct", "", "RzToolButton19", "RzToolButton24", "",
                                  "RzToolButton14", "RzToolButton17", "", "RzToolButton15",
                                  "RzToolButton16", "SelectAllAct", "", "删除试卷"});
    fill(QStringLiteral("控制"),
         {"RzToolButton8", "RzToolButton11", "RzToolButton9", "", "RzToolButton25",
          "RzToolButton26", "RzToolButton27", "RzToolButton28", "RzToolButton29", "RzToolButton30",
          "", "RzToolButton31", "RzToolButton32", "RzToolButton33", "RzToolButton34"});
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
        {"UndoAct", "RedoAct"},
        {"RzToolButton19", "RzToolButton24"},
        {"RzToolButton14", "RzToolButton17", "RzToolButton15", "RzToolButton16", "RzToolButton18"},
        {"RzToolButton8", "RzToolButton11", "RzToolButton9"},
        {"RzToolButton20", "RzToolButton21", "RzToolButton22", "RzToolButton23"},
        {"Btndelete"},
        {"RzToolButton25", "RzToolButton26", "RzToolButton27", "RzToolButton28", "RzToolButton29",
         "RzToolButton30", "RzToolButton31", "RzToolButton32", "RzToolButton33", "RzToolButton34"},
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
    silver.setColor(QPalette::Window, Silver);
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
    m_surface->setImageSource([this]() -> const QImage* {
        return m_controller ? &m_controller->SurfaceImage() : nullptr;
    });
    m_memo = new QPlainTextEdit(m_content);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setFrameShape(QFrame::NoFrame);
    m_memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette memoPalette = m_memo->palette();
    memoPalette.setColor(QPalette::Base, Silver);
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

} // namespace sw
