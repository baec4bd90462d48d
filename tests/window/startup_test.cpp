#include "storage/database.h"
#include "window/windowfixture.h"

#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>

namespace sw::test {
namespace {

using StartupTest = WindowTest;

TEST_F(StartupTest, StartsWithPaperTypeAAndOnePage)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("试卷制作[*]"));
    ASSERT_EQ(document().PageCount(), 1);
    EXPECT_EQ(document().PageAt(0)->PaperType, QChar('A'));
    ASSERT_EQ(tabs().count(), 1);
    EXPECT_EQ(tabs().tabText(0), QStringLiteral("A卷--1面"));
    EXPECT_EQ(tabs().currentIndex(), 0);
    EXPECT_EQ(tabs().tabTextColor(0), QColor(Qt::red));
    EXPECT_EQ(historyRows(), QStringList{QStringLiteral("新建页面")});
    EXPECT_TRUE(window->fileName().isEmpty());
    EXPECT_TRUE(dialogs.shown.empty());
    // The surface shows the A4 page at actual size: 210 x 297 mm at 96 dpi.
    EXPECT_EQ(surface().size(), QSize(794, 1123));
}

TEST_F(StartupTest, HasTheNamedControls)
{
    for (const char* name : {"CommandBar", "ToolBox", "PageTabs", "PageSurface", "HorizontalRuler",
                             "VerticalRuler", "PageScroll", "TextEditor", "HistoryList",
                             "BackgroundPicture", "ShapeBoundsBar", "图形参数"}) {
        EXPECT_NE(window->findChild<QWidget*>(QString::fromUtf8(name)), nullptr) << name;
    }
    EXPECT_FALSE(window->textEditor()->isVisible());
    EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("HorizontalRuler"))->height(),
              RulerThickness);
    EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("VerticalRuler"))->width(),
              RulerThickness);
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("RulerCorner"))->text(),
              QStringLiteral("cm"));
    EXPECT_EQ(window->historyView()->model(), &window->controller().History());
}

TEST_F(StartupTest, MenusHoldTheCommands)
{
    QStringList menus;
    for (QAction* menu : window->menuBar()->actions())
        menus << menu->text();
    // Alt and the letter open each menu.
    EXPECT_EQ(menus, (QStringList{QStringLiteral("文件(&F)"), QStringLiteral("编辑(&E)"),
                                  QStringLiteral("控制(&C)"), QStringLiteral("帮助(&H)")}));
    const auto items = [&](int i) {
        QStringList texts;
        for (QAction* item : window->menuBar()->actions().at(i)->menu()->actions()) {
            if (!item->isSeparator())
                texts << item->text();
        }
        return texts;
    };
    EXPECT_EQ(items(0),
              (QStringList{"新建", "打开", "最近打开的文件", "保存", "另存为", "导出…", "复核考试…",
                           "考试分析…", "生成个人答题卡…", "页面设置", "打印预览", "打印"}));
    EXPECT_EQ(items(1), (QStringList{"撤销", "重做", "插入底图", "校正底图", "组合", "解除组合",
                                     "剪切", "复制", "粘贴", "全选", "删除试卷"}));
    EXPECT_EQ(items(2), (QStringList{"实际尺寸", "缩小", "放大", "适合页面", "适合宽度", "左对齐",
                                     "右对齐", "顶对齐", "底对齐", "横向居中", "纵向居中",
                                     "最大宽度", "最大高度", "最小宽度", "最小高度"}));
    EXPECT_EQ(items(3), (QStringList{"关于", "帮助", "退出"}));
}

TEST_F(StartupTest, EveryToolBarButtonHasAnIconAndItsHint)
{
    const struct
    {
        const char* name;
        const char* hint;
    } hints[] = {{"NewAct", "新建 (Ctrl+N)"},
                 {"OpenAct", "打开 (Ctrl+O)"},
                 {"SaveAct", "保存 (Ctrl+S)"},
                 {"SaveAsAct", "另存为... (Ctrl+Shift+S)"},
                 {"PrintAct", "打印 (Ctrl+P)"},
                 {"GroupAct", "组合"},
                 {"UngroupAct", "解散"},
                 {"LockAct", "锁定"},
                 {"ActualSizeAct", "实际尺寸 (Ctrl+0)"},
                 {"CentreHorizontallyAct", "横向对齐"},
                 {"DeletePageAct", "删除页面"},
                 {"ExitAct", "退出制卷"},
                 {"ToolLineAct", "画线"},
                 {"kgact", "画涂点框"},
                 {"Zgact", "画切割框"},
                 {"DeleteAct", "删除"}};
    for (const auto& h : hints) {
        QToolButton* b = button(h.name);
        ASSERT_NE(b, nullptr) << h.name;
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(h.hint)) << h.name;
    }
    for (QToolBar* bar : window->findChildren<QToolBar*>()) {
        for (QAction* action : bar->actions()) {
            if (action->isSeparator())
                continue;
            EXPECT_FALSE(action->icon().isNull()) << action->objectName().toStdString();
            EXPECT_FALSE(action->icon().pixmap(20, 20).isNull())
                << action->objectName().toStdString();
            EXPECT_FALSE(action->toolTip().isEmpty()) << action->objectName().toStdString();
        }
    }
}

TEST_F(StartupTest, FileShortcuts)
{
    const auto shortcut = [&](const char* name) {
        return window->action(QString::fromUtf8(name))->shortcut();
    };
    EXPECT_EQ(shortcut("OpenAct"), QKeySequence(QStringLiteral("Ctrl+O")));
    EXPECT_EQ(shortcut("SaveAct"), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(shortcut("SaveAsAct"), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    EXPECT_EQ(shortcut("PrintAct"), QKeySequence(QStringLiteral("Ctrl+P")));

    key(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, QStringLiteral("save"));
    key(Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].kind, QStringLiteral("open"));
}

TEST_F(StartupTest, RulersFollowTheScrolling)
{
    for (int i = 0; i < 10; ++i)
        click("ZoomInAct");
    const QImage& ruler = window->controller().HorzRulerImage();
    EXPECT_EQ(ruler.width(),
              window->findChild<QWidget*>(QStringLiteral("HorizontalRuler"))->width());
    EXPECT_EQ(ruler.height(), RulerThickness);
    const QImage before = ruler.copy();
    window->scrollArea()->horizontalScrollBar()->setValue(100);
    EXPECT_NE(window->controller().HorzRulerImage(), before);
}

TEST_F(StartupTest, SideBarGroupsAndStatusPanels)
{
    const auto* status = window->statusBar();
    EXPECT_EQ(status->objectName(), QStringLiteral("ShapeBoundsBar"));
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("StatusPanel0"))->text(),
              QStringLiteral("版本4.0"));
    EXPECT_FALSE(window->historyView()->isVisible()); // "历史记录" starts closed
    EXPECT_TRUE(window->findChild<QWidget*>(QStringLiteral("图形参数"))->isVisible());
    const QColor orange = window->findChild<QLabel*>(QStringLiteral("MouseValue"))
                              ->palette()
                              .color(QPalette::WindowText);
    EXPECT_EQ(orange, QColor(255, 128, 64));
}

TEST_F(StartupTest, UnopenableDatabaseIsReported)
{
    const QString notADatabase = path(QStringLiteral("broken.db"));
    QFile file(notADatabase);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is not a database file at all, just some text");
    file.close();

    dialogs.shown.clear();
    MainWindow other(MainWindowOptions{96, notADatabase, {}});
    EXPECT_FALSE(other.openDatabase());
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, QStringLiteral("数据库不能打开，请检查数据库文件！"));
    EXPECT_EQ(dialogs.messages()[0].caption, QStringLiteral("提示信息"));
}

TEST_F(StartupTest, DatabaseIsOpenedAtStart)
{
    EXPECT_TRUE(window->database().isOpen());
    EXPECT_EQ(window->database().path(), path(QStringLiteral("sheetwright.db")));
}

TEST_F(StartupTest, NoToTheFirstQuestionKeepsTheWindowOpen)
{
    dialogs.answers = {false};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(dialogs.questions().size(), 1u);
    EXPECT_EQ(dialogs.questions()[0].text, QStringLiteral("您确信要退出制卷模块吗？"));
    EXPECT_EQ(dialogs.questions()[0].caption, QStringLiteral("模板设计"));
}

TEST_F(StartupTest, ClosingWithoutSaving)
{
    dialogs.answers = {true, false};
    EXPECT_TRUE(window->close());
    ASSERT_EQ(dialogs.questions().size(), 2u);
    EXPECT_EQ(dialogs.questions()[1].text, QStringLiteral("是否保存模板？"));
    EXPECT_TRUE(dialogs.files.empty());
}

TEST_F(StartupTest, ClosingWithSavingWritesTheTemplate)
{
    dialogs.answers = {true, true};
    dialogs.files = {{path(QStringLiteral("closing")), 1}};
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("closing.exm"))));
}

TEST_F(StartupTest, ClosingStaysOpenWhenTheSaveIsCancelled)
{
    dialogs.answers = {true, true};
    EXPECT_FALSE(window->close()); // the save dialog is cancelled
    EXPECT_TRUE(window->isVisible());
}

TEST_F(StartupTest, ExitButtonAsksToo)
{
    click("ExitAct");
    EXPECT_EQ(dialogs.questions().size(), 1u);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(StartupTest, OptionCharacterListIsReadFromTheWorkingFolder)
{
    const QString previousFolder = QDir::currentPath();
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("temp")));
    QFile list(path(QStringLiteral("temp/typelist.tmp")));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("AB\nABC\nXYZ\n");
    list.close();
    QDir::setCurrent(dir.path());
    TestPanel otherPanel(&documentPointer);
    MainWindow other(MainWindowOptions{96, path(QStringLiteral("other.db")), {}});
    other.setShapePanel(&otherPanel);
    other.start();
    QDir::setCurrent(previousFolder);
    EXPECT_EQ(otherPanel.optionList, (QStringList{"AB", "ABC", "XYZ"}));
}

} // namespace
} // namespace sw::test
