#include "editor/mainwindow.h"

#include "document/vectorgraphics.h"
#include "editor/editingcontroller.h"
#include "editor/pagesurface.h"
#include "editor/rulerwidget.h"
#include "editor/shapepanel.h"
#include "platform/fontconversion.h"
#include "platform/widgets/dialogservice.h"
#include "shapes/recttext.h"

#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>

// The window as the controller sees it: the surface's mouse events passed on,
// the operation history, and what the controller shows (panel, text editor,
// cursor, rulers, read-outs).

namespace sw {

namespace {

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

} // namespace

void MainWindow::selectTool(int tool)
{
    if (tool == ToolSelect)
        action(QStringLiteral("ToolSelectAct"))->setChecked(true);
    if (!m_document)
        return;
    m_document->Interaction.Tool = std::uint8_t(tool);
    m_surface->setCursor(tool == ToolSelect ? Qt::ArrowCursor : Qt::CrossCursor);
    if (m_panel)
        m_panel->ShowPanels(tool);
    m_scroll->setFocus();
}

void MainWindow::deleteSelection()
{
    if (m_controller)
        m_controller->KeyDown(Qt::Key_Delete, Qt::ControlModifier);
}

void MainWindow::restoreHistoryRow()
{
    const QModelIndex row = m_historyView->currentIndex();
    if (!m_controller || !row.isValid())
        return;
    QString error;
    showRestored(m_controller->RestoreEntry(row.row(), &error), error);
}

void MainWindow::stepHistory(bool forward)
{
    if (!m_controller)
        return;
    QString error;
    const bool restored = forward ? m_controller->Redo(&error) : m_controller->Undo(&error);
    showRestored(restored, error);
}

void MainWindow::showRestored(bool restored, const QString& error)
{
    if (!restored) {
        if (!error.isEmpty())
            refuse(this, QStringLiteral("不能恢复历史记录：%1").arg(error), MessageIcon::Critical);
        return;
    }
    // The snapshot brings its own pages, mode, lock state and picture
    // placement: the tabs, buttons, picture and page setup follow it.
    syncDocumentButtons();
    rebuildTabs(m_document->CurrentPage);
}

void MainWindow::historyChanged()
{
    const OperationHistory& history = m_controller->History();
    action(QStringLiteral("UndoAct"))->setEnabled(history.CanUndo());
    action(QStringLiteral("RedoAct"))->setEnabled(history.CanRedo());
    setWindowModified(history.IsModified());
    const int row = history.CurrentRow();
    m_historyView->setCurrentIndex(row >= 0 ? history.index(row) : QModelIndex());
}

void MainWindow::surfacePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos)
{
    if (m_controller && m_tabs->currentIndex() >= 0)
        m_controller->MouseDown(button, modifiers, pos.x(), pos.y());
}

void MainWindow::surfaceMoved(Qt::KeyboardModifiers modifiers, QPoint pos)
{
    if (m_controller && m_tabs->currentIndex() >= 0)
        m_controller->MouseMove(modifiers, pos.x(), pos.y());
}

void MainWindow::surfaceReleased(QPoint pos)
{
    if (m_controller && m_tabs->currentIndex() >= 0)
        m_controller->MouseUp(pos.x(), pos.y());
}

void MainWindow::surfaceDoubleClicked()
{
    if (m_controller && m_tabs->currentIndex() >= 0)
        m_controller->DoubleClick();
}

void MainWindow::loadPanel(TGraphics& shape)
{
    if (m_panel)
        m_panel->LoadPanel(shape);
}

void MainWindow::applyPanel(TGraphics& shape, bool allSelectedOfKind)
{
    if (m_panel)
        m_panel->ApplyPanel(shape, allSelectedOfKind);
}

int MainWindow::panelCornerRadius() const
{
    constexpr int DefaultCornerRadius = 25;
    return m_panel ? m_panel->cornerRadius() : DefaultCornerRadius;
}

QString MainWindow::panelOptionCharacters() const
{
    return m_panel ? m_panel->optionCharacters() : QString();
}

void MainWindow::showTextEditor(const TRect& area, const QStringList& lines)
{
    const TPoint scroll = scrollPosition();
    m_memo->setGeometry(area.Left + scroll.X, area.Top + scroll.Y, area.width(), area.height());
    m_memo->setPlainText(lines.join(QLatin1Char('\n')));
    m_memo->moveCursor(QTextCursor::End);
    m_memo->show();
    m_memo->raise();
    m_memo->setFocus();
}

void MainWindow::hideTextEditor()
{
    m_memo->hide();
    m_scroll->setFocus();
}

TRect MainWindow::textEditorArea() const
{
    const TPoint scroll = scrollPosition();
    const QRect g = m_memo->geometry();
    return {g.left() - scroll.X, g.top() - scroll.Y, g.left() + g.width() - scroll.X,
            g.top() + g.height() - scroll.Y};
}

QStringList MainWindow::textEditorLines() const
{
    return splitTextLines(m_memo->toPlainText());
}

TFont MainWindow::textEditorFont() const
{
    return m_editorFont;
}

void MainWindow::setTextEditorFont(const TFont& font)
{
    m_editorFont = font;
    m_memo->setFont(toQFont(font));
}

void MainWindow::showMessage(const QString& text)
{
    refuse(this, text, MessageIcon::Information);
}

void MainWindow::showStatus(const QString& text)
{
    constexpr int StatusMilliseconds = 8000;
    statusBar()->showMessage(text, StatusMilliseconds);
}

void MainWindow::setCursor(TCursor cursor)
{
    m_surface->setCursor(cursorShape(cursor));
}

TPoint MainWindow::scrollPosition() const
{
    return {m_scroll->horizontalScrollBar()->value(), m_scroll->verticalScrollBar()->value()};
}

void MainWindow::setSurfaceSize(int width, int height)
{
    m_surface->setFixedSize(width, height);
    updateContentSize();
}

void MainWindow::updateContentSize()
{
    QRect area = m_surface->geometry();
    if (!m_image->isHidden())
        area = area.united(m_image->geometry());
    m_content->resize(area.right() + 1, area.bottom() + 1);
}

void MainWindow::surfaceChanged()
{
    m_surface->update();
}

int MainWindow::rulerThickness() const
{
    return RulerThickness;
}

int MainWindow::horzRulerLength() const
{
    return m_hRuler->length();
}

int MainWindow::vertRulerLength() const
{
    return m_vRuler->length();
}

void MainWindow::rulersChanged()
{
    m_hRuler->update();
    m_vRuler->update();
}

void MainWindow::showMousePosition(int x, int y)
{
    m_mouseLabel->setText(QStringLiteral("X:%1  Y:%2").arg(x).arg(y));
}

void MainWindow::showShapeBounds(const TRect& bounds)
{
    const int values[] = {bounds.Left, bounds.Top, bounds.Right, bounds.Bottom};
    for (int i = 0; i < 4; ++i)
        m_boundLabels[i]->setText(QString::number(values[i]));
}

void MainWindow::clearShapeBounds()
{
    for (QLabel* label : m_boundLabels)
        label->clear();
}

void MainWindow::toolReset()
{
    selectTool(ToolSelect);
    if (m_memo->isVisible())
        m_memo->setFocus();
}

} // namespace sw
