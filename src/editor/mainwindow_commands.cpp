#include "editor/mainwindow.h"

#include "dialogs/pagesetupdialog.h"
#include "editor/backgroundcommands.h"
#include "editor/collapsiblegroup.h"
#include "editor/editcommands.h"
#include "editor/editingcontroller.h"
#include "editor/exportcommands.h"
#include "editor/filecommands.h"
#include "editor/pagesurface.h"
#include "editor/personalisecommand.h"
#include "editor/recentfiles.h"
#include "editor/rulerwidget.h"
#include "editor/templatecommands.h"
#include "platform/fontconversion.h"
#include "platform/widgets/dialogservice.h"
#include "review/reviewlauncher.h"
#include "shapes/shapekinds.h"

#include <QAction>
#include <QActionGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QToolBar>
#include <QVBoxLayout>

// The window's commands: their actions, the shape tools, the menus and the
// tool bars.

namespace sw {

namespace {

QIcon commandIcon(const QString& themeIcon, const QString& ownIcon)
{
    const QIcon own(QStringLiteral(":/icons/%1.svg").arg(ownIcon));
    return themeIcon.isEmpty() ? own : QIcon::fromTheme(themeIcon, own);
}

} // namespace

QAction* MainWindow::addCommand(const QString& name, const QString& hint, const QString& menuText,
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

void MainWindow::createCommands()
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

    command("NewAct", "新建", "新建", "document-new", "new", [this] {
        dialogService().exec(*m_paperDialog);
    })->setShortcut(QKeySequence::New);
    command("WizardAct", "向导", "", "tools-wizard", "wizard",
            [templates] { templates->Wizard(); });
    command("OpenAct", "打开", "打开", "document-open", "open", [files] {
        files->Open();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    command("SaveAct", "保存", "保存", "document-save", "save", [files] {
        files->Save();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    command("SaveAsAct", "另存为...", "另存为", "document-save-as", "saveas", [files] {
        files->SaveAs();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    command("ExportAct", "导出", "导出…", "document-export", "saveas",
            [this] { m_exportCommands->Export(); });
    command("PersonaliseAct", "生成个人答题卡", "生成个人答题卡…", "", "print",
            [this] { PersonaliseSheets(*this); });
    command("LibraryAct", "模板库", "", "", "library", [templates] { templates->Library(); });
    command("PageSetupAct", "页面设置", "页面设置", "document-page-setup", "pagesetup", [this] {
        m_pageDialog->show();
        m_pageDialog->raise();
        m_pageDialog->activateWindow();
    });
    command("PrintAct", "打印", "打印", "document-print", "print", [files] {
        files->Print();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    command("PrintPreviewAct", "打印预览", "打印预览", "document-print-preview", "print",
            [files] { files->PrintPreview(); });

    BackgroundCommands* backgrounds = m_backgroundCommands.get();
    command("InsertBackgroundAct", "插入试卷底图", "插入底图", "", "background",
            [backgrounds] { backgrounds->InsertPicture(); });
    command("CorrectBackgroundAct", "校正底图", "校正底图", "", "deskew",
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

    command("GroupAct", "组合", "组合", "object-group", "group", [edits] { edits->Group(); });
    command("UngroupAct", "解散", "解除组合", "object-ungroup", "ungroup",
            [edits] { edits->Ungroup(); });
    command("CutAct", "剪切", "剪切", "edit-cut", "cut", [edits] {
        edits->Cut();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    command("CopyAct", "复制", "复制", "edit-copy", "copy", [edits] {
        edits->Copy();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    command("PasteAct", "粘贴", "粘贴", "edit-paste", "paste", [edits] {
        edits->Paste();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    QAction* lock = addCommand(QStringLiteral("LockAct"), QStringLiteral("锁定"), {},
                               QStringLiteral("object-locked"), QStringLiteral("lock"));
    lock->setCheckable(true);
    connect(lock, &QAction::triggered, this, [edits](bool on) { edits->SetLocked(on); });

    command("ActualSizeAct", "实际尺寸", "实际尺寸", "zoom-original", "zoom-original", [this] {
        zoomToActualSize();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    command("ZoomOutAct", "缩小", "缩小", "zoom-out", "zoom-out", [this] {
        zoomOut();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    command("ZoomInAct", "放大", "放大", "zoom-in", "zoom-in", [this] { zoomIn(); })
        ->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)});
    command("FitPageAct", "适合页面", "适合页面", "zoom-fit-best", "zoom-fit-page", [this] {
        zoomToFitPage();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_9));
    command("FitWidthAct", "适合宽度", "适合宽度", "zoom-fit-width", "zoom-fit-width", [this] {
        zoomToFitWidth();
    })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_8));

    const struct
    {
        const char* name;
        const char* hint;
        const char* icon;
        int dx;
        int dy;
    } moves[] = {{"MoveBackgroundLeftAct", "左移", "move-left", -1, 0},
                 {"MoveBackgroundRightAct", "右移", "move-right", 1, 0},
                 {"MoveBackgroundUpAct", "上移", "move-up", 0, -1},
                 {"MoveBackgroundDownAct", "下移", "move-down", 0, 1}};
    for (const auto& move : moves) {
        const int dx = move.dx;
        const int dy = move.dy;
        command(move.name, move.hint, "", "", move.icon, [backgrounds, dx, dy] {
            backgrounds->MovePicture(dx, dy);
        })->setVisible(false);
    }

    command("DeletePageAct", "删除页面", "", "", "delete-page", [files] { files->DeletePage(); });

    for (const ArrangeCommand& arrange : arrangeCommands()) {
        command(arrange.name, arrange.hint, arrange.menuText, arrange.themeIcon, arrange.ownIcon,
                [edits, &arrange] { edits->Arrange(arrange); });
    }

    command("ExitAct", "退出制卷", "退出", "application-exit", "exit", [this] { close(); });

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

void MainWindow::createTools()
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
        connect(tool, &QAction::triggered, this, [this, number] { selectTool(number); });
    };
    addTool("ToolSelectAct", ToolSelect, "选择图形(&S)", "选择图形", "select");
    for (const ShapeKind* kind : toolKinds())
        addTool(kind->ToolAction, kind->Tool, kind->ToolCaption, kind->ToolHint, kind->ToolIcon);
    m_actions.value(QStringLiteral("ToolSelectAct"))->setChecked(true);

    QAction* remove = addCommand(QStringLiteral("DeleteAct"), QStringLiteral("删除"), {},
                                 QStringLiteral("edit-delete"), QStringLiteral("delete"));
    connect(remove, &QAction::triggered, this, &MainWindow::deleteSelection);
}

void MainWindow::createMenus()
{
    const auto fill = [this](const QString& title, std::initializer_list<const char*> names) {
        QMenu* menu = menuBar()->addMenu(title);
        for (const char* name : names) {
            if (!*name)
                menu->addSeparator();
            else
                menu->addAction(m_actions.value(QString::fromUtf8(name)));
        }
        return menu;
    };
    QMenu* fileMenu = fill(QStringLiteral("文件(&F)"),
                           {"NewAct", "OpenAct", "SaveAct", "SaveAsAct", "ExportAct",
                            "PersonaliseAct", "", "PageSetupAct", "PrintPreviewAct", "PrintAct"});
    QAction* review = new QAction(QStringLiteral("复核考试…"), fileMenu);
    connect(review, &QAction::triggered, this,
            [this] { chooseExamForReview(this, m_options.databasePath, pixelsPerInch()); });
    fileMenu->insertAction(m_actions.value(QStringLiteral("PersonaliseAct")), review);
    QAction* analysis = new QAction(QStringLiteral("考试分析…"), fileMenu);
    connect(analysis, &QAction::triggered, this,
            [this] { chooseExamForAnalysis(this, m_options.databasePath, pixelsPerInch()); });
    fileMenu->insertAction(m_actions.value(QStringLiteral("PersonaliseAct")), analysis);
    auto* recent = new QMenu(QStringLiteral("最近打开的文件"), fileMenu);
    fileMenu->insertMenu(m_actions.value(QStringLiteral("SaveAct")), recent);
    m_recentFiles = new RecentFiles(*this, recent);
    fill(QStringLiteral("编辑(&E)"),
         {"UndoAct", "RedoAct", "", "InsertBackgroundAct", "CorrectBackgroundAct", "", "GroupAct",
          "UngroupAct", "", "CutAct", "CopyAct", "PasteAct", "SelectAllAct", "", "删除试卷"});
    fill(QStringLiteral("控制(&C)"),
         {"ActualSizeAct", "ZoomOutAct", "ZoomInAct", "FitPageAct", "FitWidthAct", "",
          "AlignLeftAct", "AlignRightAct", "AlignTopAct", "AlignBottomAct", "CentreHorizontallyAct",
          "CentreVerticallyAct", "", "MaxWidthAct", "MaxHeightAct", "MinWidthAct", "MinHeightAct"});
    fill(QStringLiteral("帮助(&H)"), {"关于", "帮助", "", "ExitAct"});
}

void MainWindow::createToolBars()
{
    auto* top = new QToolBar(QStringLiteral("命令"), this);
    top->setObjectName(QStringLiteral("CommandBar"));
    top->setMovable(false);
    top->setIconSize(QSize(20, 20));
    const std::initializer_list<const char*> groups[] = {
        {"NewAct", "WizardAct", "OpenAct", "SaveAct", "SaveAsAct", "LibraryAct", "PageSetupAct",
         "PrintAct"},
        {"UndoAct", "RedoAct"},
        {"InsertBackgroundAct", "CorrectBackgroundAct"},
        {"GroupAct", "UngroupAct", "CutAct", "CopyAct", "PasteAct", "LockAct"},
        {"ActualSizeAct", "ZoomOutAct", "ZoomInAct", "FitPageAct", "FitWidthAct"},
        {"MoveBackgroundLeftAct", "MoveBackgroundRightAct", "MoveBackgroundUpAct",
         "MoveBackgroundDownAct"},
        {"DeletePageAct"},
        {"AlignLeftAct", "AlignRightAct", "AlignTopAct", "AlignBottomAct", "CentreHorizontallyAct",
         "CentreVerticallyAct", "MaxWidthAct", "MaxHeightAct", "MinWidthAct", "MinHeightAct"},
        {"ExitAct"},
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
    left->setObjectName(QStringLiteral("ToolBox"));
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

} // namespace sw
