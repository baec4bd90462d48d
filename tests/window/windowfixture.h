#pragma once

#include "document/vectorgraphics.h"
#include "editor/editingcontroller.h"
#include "editor/mainwindow.h"
#include "editor/pagesurface.h"
#include "editor/shapepanel.h"
#include "shapes/rectkg.h"
#include "window/scripteddialogs.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Readable QStrings in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace sw::test {

// A property panel with fixed values: bubble boxes of four options ("ABCD")
// and five questions downwards.
class TestPanel : public ShapePanel
{
public:
    explicit TestPanel(TVectorGraphics* const* document) : m_document(document) {}

    // Made once; the window owns it.
    QWidget* widget() override
    {
        if (!m_widget)
            m_widget = new QLabel(QStringLiteral("panel"));
        return m_widget;
    }
    void ShowPanels(int tool) override { shownTool = tool; }
    void LoadPanel(TGraphics& shape) override { loaded = &shape; }
    void ApplyPanel(TGraphics& shape, bool) override
    {
        const TVectorGraphics& document = **m_document;
        if (document.Locked)
            return;
        if (auto* box = dynamic_cast<TRectKg*>(&shape)) {
            box->FormatText = optionCharacters();
            box->Aspect = ADown;
            box->col = 5;
            box->Row = int(box->FormatText.size());
            box->Gridwidth = 20;
            box->GridHeight = 10;
            box->ColSpace = 10;
            box->RowSpace = 5;
            box->TextType = RSResult;
        }
    }
    int cornerRadius() const override { return 25; }
    QString optionCharacters() const override { return QStringLiteral("ABCD"); }
    void setOptionCharacterList(const QStringList& entries) override { optionList = entries; }

    int shownTool = -1;
    TGraphics* loaded = nullptr;
    QStringList optionList;

private:
    TVectorGraphics* const* m_document;
    QLabel* m_widget = nullptr;
};

// The real designer window, shown offscreen, with scripted dialogs and the
// test panel; a fresh database in a temporary folder.
class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        previous = setDialogService(&dialogs);
        window = std::make_unique<MainWindow>(
            MainWindowOptions{96, dir.filePath(QStringLiteral("sheetwright.db")),
                              dir.filePath(QStringLiteral("recovery"))});
        if (useTestPanel())
            window->setShapePanel(&panel);
        ASSERT_TRUE(window->openDatabase());
        window->resize(1280, 960);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        documentPointer = &window->document();
    }

    // The fixed test panel, or the window's own property panel.
    virtual bool useTestPanel() const { return true; }

    void TearDown() override
    {
        window.reset();
        setDialogService(previous);
    }

    TVectorGraphics& document() const { return window->document(); }
    TVectorGraph& page() const { return *window->document().ActivePage(); }
    PageSurface& surface() const { return *window->surface(); }
    QTabBar& tabs() const { return *window->tabBar(); }
    QStringList historyRows() const { return window->controller().History().Rows(); }
    QString path(const QString& name) const { return dir.filePath(name); }

    QToolButton* button(const char* name) const
    {
        return window->findChild<QToolButton*>(QString::fromUtf8(name));
    }
    // Clicks a tool-bar button, which runs its action.
    void click(const char* name) const
    {
        QToolButton* b = button(name);
        ASSERT_NE(b, nullptr) << name;
        b->click();
    }

    // Mouse on the surface, in surface pixels.
    void mouse(QEvent::Type type, QPoint pos, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
            held = Qt::LeftButton;
        else if (type == QEvent::MouseButtonRelease)
            held = Qt::NoButton;
        QMouseEvent event(type, pos, surface().mapToGlobal(pos), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : held, modifiers);
        QApplication::sendEvent(&surface(), &event);
    }
    void press(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        mouse(QEvent::MouseButtonPress, p, m);
    }
    void moveTo(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        mouse(QEvent::MouseMove, p, m);
    }
    void release(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        mouse(QEvent::MouseButtonRelease, p, m);
    }
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        press(from, m);
        moveTo((from + to) / 2, m);
        moveTo(to, m);
        release(to, m);
    }
    void clickAt(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        press(p, m);
        release(p, m);
    }
    void doubleClickAt(QPoint p)
    {
        clickAt(p);
        mouse(QEvent::MouseButtonDblClick, p);
        release(p);
    }
    // Chooses the tool and drags it across the surface.
    void draw(const char* tool, QPoint from, QPoint to)
    {
        click(tool);
        drag(from, to);
    }

    // A key as the user types it: to the widget that has the focus.
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : window.get(), k, m);
    }

    // "新建" with the paper dialog answered: a new paper type or a page of
    // the current one, copied from page `copyFrom` when it is not -1.
    void addPage(bool newPaperType, int copyFrom = -1)
    {
        dialogs.handlers.push_back([=](QDialog& dialog) {
            auto& paper = static_cast<NewPageDialog&>(dialog);
            (newPaperType ? paper.newPaperTypeButton() : paper.newPageButton())->setChecked(true);
            if (copyFrom >= 0) {
                paper.copyBox()->setChecked(true);
                paper.pageList()->setCurrentIndex(copyFrom);
            }
            paper.addPage();
        });
        click("NewAct");
    }

    QStringList tabTexts() const
    {
        QStringList texts;
        for (int i = 0; i < tabs().count(); ++i)
            texts << tabs().tabText(i);
        return texts;
    }

    TGraphics* lastShape() const { return page().ShapeItem(page().ShapeCount() - 1); }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    DialogService* previous = nullptr;
    TVectorGraphics* documentPointer = nullptr;
    TestPanel panel{&documentPointer};
    std::unique_ptr<MainWindow> window;
    Qt::MouseButtons held = Qt::NoButton;
};

} // namespace sw::test
