#include "editor/mainwindow.h"

#include "document/vectorgraphics.h"
#include "editor/editcommands.h"
#include "editor/editingcontroller.h"
#include "editor/filecommands.h"
#include "editor/pagesurface.h"
#include "platform/rounding.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>

// Keys, the mouse wheel, context menus and dropped files.

namespace sw {

namespace {

// Pixels one wheel notch scrolls.
constexpr int WheelStep = 20;

// Keys typed into these go to them, not to the shapes.
bool isForeignTextInput(const QWidget* widget, const QWidget* textEditor)
{
    if (!widget || widget == textEditor)
        return false;
    return qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget) ||
           qobject_cast<const QComboBox*>(widget) || qobject_cast<const QPlainTextEdit*>(widget) ||
           qobject_cast<const QTextEdit*>(widget);
}

} // namespace

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
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
bool MainWindow::previewKey(QObject* watched, QKeyEvent* event)
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

bool MainWindow::scrollByWheel(QWheelEvent* event)
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

void MainWindow::wheelEvent(QWheelEvent* event)
{
    scrollByWheel(event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile() &&
        urls.first().toLocalFile().endsWith(QStringLiteral(".exm"), Qt::CaseInsensitive))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty())
        return;
    event->acceptProposedAction();
    if (m_fileCommands->confirmReplacingDocument())
        openFile(urls.first().toLocalFile());
}

// A right click on a selected shape offers the commands for the selection;
// elsewhere on the page, those for the page. The press before it has already
// selected what lies under the pointer.
void MainWindow::showContextMenu(QPoint pos)
{
    const TVectorGraph* page = currentPage();
    if (!m_controller || !page)
        return;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("ContextMenu"));
    const auto add = [&](QMenu& to, std::initializer_list<const char*> names) {
        for (const char* name : names) {
            if (!*name)
                to.addSeparator();
            else
                to.addAction(action(QString::fromUtf8(name)));
        }
    };
    if (selectedShapeAt(pos)) {
        add(menu, {"CutAct", "CopyAct", "PasteAct", "DeleteAct", ""});
        QMenu* align = menu.addMenu(QStringLiteral("对齐"));
        align->setObjectName(QStringLiteral("AlignMenu"));
        for (const ArrangeCommand& arrange : arrangeCommands())
            align->addAction(action(QString::fromUtf8(arrange.name)));
        add(menu, {"GroupAct", "LockAct"});
    } else {
        add(menu, {"PasteAct", "SelectAllAct", "", "PageSetupAct"});
    }
    m_contextMenu = &menu;
    menu.exec(m_surface->mapToGlobal(pos));
    m_contextMenu = nullptr;
}

bool MainWindow::selectedShapeAt(QPoint pos) const
{
    const TVectorGraph* page = currentPage();
    const TPoint layout{roundHalfEven(pos.x() / page->ScaleX),
                        roundHalfEven(pos.y() / page->ScaleY)};
    for (const auto& shape : page->Shapes()) {
        if (shape->Selected && shape->Visible && shape->HitTest(layout))
            return true;
    }
    return false;
}

} // namespace sw
