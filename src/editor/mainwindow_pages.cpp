#include "editor/mainwindow.h"

#include "document/vectorgraphics.h"
#include "editor/backgroundcommands.h"
#include "editor/editingcontroller.h"
#include "editor/pagesurface.h"
#include "platform/rounding.h"

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTimer>
#include <algorithm>

// The pages as tabs, the current page on the surface with its background
// picture, and the zoom.

namespace sw {

namespace {

constexpr double ZoomStep = 0.1;
constexpr double ZoomInLimit = 5.0;
constexpr double ZoomOutLimit = 0.2;
// Pixels left free around a page zoomed to fit.
constexpr int FitMargin = 8;

} // namespace

QStringList MainWindow::pageCaptions() const
{
    QStringList captions;
    for (int i = 0; i < m_tabs->count(); ++i)
        captions << m_tabs->tabText(i);
    return captions;
}

int MainWindow::selectedPage() const
{
    return m_tabs->currentIndex();
}

bool MainWindow::addPage(int source, int position, QString* error)
{
    if (!m_document->NewPage(source, position, error))
        return false;
    const int index = m_document->CurrentPage;
    m_changingTabs = true;
    m_tabs->insertTab(index, QString::number(index));
    m_changingTabs = false;
    relabelTabs();
    if (m_tabs->currentIndex() != index)
        selectTab(index);
    else
        showPageOfTab(index);
    m_document->LayoutMarks();
    m_controller->ResetHistory();
    m_controller->AddEntry(QStringLiteral("新建页面"));
    repaintSurface();
    return true;
}

void MainWindow::relabelTabs()
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

void MainWindow::rebuildTabs(int index)
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
        showPageOfTab(m_tabs->currentIndex());
    relabelTabs();
}

void MainWindow::selectTab(int index)
{
    m_tabs->setCurrentIndex(index);
}

void MainWindow::removeTab(int index)
{
    m_changingTabs = true;
    m_tabs->removeTab(index);
    m_tabs->setCurrentIndex(std::min(index, m_tabs->count() - 1));
    m_changingTabs = false;
    m_document->CurrentPage = m_tabs->currentIndex();
    showPageOfTab(m_tabs->currentIndex());
}

void MainWindow::markSelectedTab()
{
    for (int i = 0; i < m_tabs->count(); ++i)
        m_tabs->setTabTextColor(i, i == m_tabs->currentIndex() ? QColor(Qt::red) : QColor());
}

void MainWindow::showPageOfTab(int index)
{
    if (!m_document || index < 0)
        return;
    scrollToOrigin();
    m_document->CurrentPage = index;
    loadBackgroundPicture();
    repaintSurface();
    emit currentPageChanged();
}

void MainWindow::scrollToOrigin()
{
    m_scroll->horizontalScrollBar()->setValue(0);
    m_scroll->verticalScrollBar()->setValue(0);
    m_surface->move(0, 0);
}

// Changes come in bursts (a load, a save dropping empty boxes): the surface is
// drawn once, after the command has put the tabs and the current page in order.
void MainWindow::scheduleRepaint()
{
    if (m_repaintPending)
        return;
    m_repaintPending = true;
    QTimer::singleShot(0, this, [this] {
        m_repaintPending = false;
        repaintSurface();
    });
}

void MainWindow::repaintSurface()
{
    if (!m_controller || m_tabs->currentIndex() < 0)
        return;
    m_document->CurrentPage = m_tabs->currentIndex();
    m_controller->PaintSurface();
    m_image->setVisible(m_document->Modal != SheetSelfMade && !m_image->pixmap().isNull());
    showZoom();
}

void MainWindow::loadBackgroundPicture()
{
    m_backgroundCommands->loadPicture();
}

void MainWindow::placeBackgroundPicture()
{
    const TVectorGraph* page = currentPage();
    const QPixmap picture = m_image->pixmap();
    if (!page || picture.isNull()) {
        m_image->hide();
    } else {
        m_image->setGeometry(page->Left, page->Top, roundHalfEven(picture.width() * page->ScaleX),
                             roundHalfEven(picture.height() * page->ScaleY));
        m_image->lower();
        m_image->show();
    }
    updateContentSize();
}

void MainWindow::syncDocumentButtons()
{
    const bool overlay = m_document->Modal != SheetSelfMade;
    for (const char* name : {"MoveBackgroundLeftAct", "MoveBackgroundRightAct",
                             "MoveBackgroundUpAct", "MoveBackgroundDownAct"})
        action(QString::fromUtf8(name))->setVisible(overlay);
    action(QStringLiteral("LockAct"))->setChecked(m_document->Locked);
}

TVectorGraph* MainWindow::currentPage() const
{
    if (!m_document || m_document->CurrentPage < 0 ||
        m_document->CurrentPage >= m_document->PageCount())
        return nullptr;
    return m_document->ActivePage();
}

void MainWindow::zoomToActualSize()
{
    setZoom(1.0);
}

void MainWindow::zoomIn()
{
    zoomBy(ZoomStep);
}

void MainWindow::zoomOut()
{
    zoomBy(-ZoomStep);
}

void MainWindow::zoomToFitPage()
{
    zoomToFit(true);
}

void MainWindow::zoomToFitWidth()
{
    zoomToFit(false);
}

void MainWindow::zoomBy(double step)
{
    const TVectorGraph* page = currentPage();
    if (!page)
        return;
    if ((step > 0 && page->ScaleX > ZoomInLimit) || (step < 0 && page->ScaleX < ZoomOutLimit))
        return;
    setZoom(page->ScaleX + step);
}

void MainWindow::zoomToFit(bool wholePage)
{
    const TVectorGraph* page = currentPage();
    if (!page)
        return;
    const double width = page->Width * m_document->PixelsPerMm;
    const double height = page->Height * m_document->PixelsPerMm;
    if (!(width > 0) || !(height > 0))
        return;
    // The page fits beside the scroll bar a tall page brings.
    const QSize room = m_scroll->maximumViewportSize() -
                       QSize(m_scroll->verticalScrollBar()->sizeHint().width(), 0) -
                       QSize(FitMargin, FitMargin);
    double scale = room.width() / width;
    if (wholePage)
        scale = std::min(scale, room.height() / height);
    setZoom(std::clamp(scale, ZoomOutLimit, ZoomInLimit));
}

void MainWindow::setZoom(double scale)
{
    TVectorGraph* page = currentPage();
    if (!page)
        return;
    page->SetScaleX(scale);
    page->SetScaleY(scale);
    placeBackgroundPicture();
    repaintSurface();
}

void MainWindow::showZoom()
{
    const TVectorGraph* page = currentPage();
    m_zoomLabel->setText(page ? QStringLiteral("%1%").arg(roundHalfEven(page->ScaleX * 100))
                              : QString());
}

} // namespace sw
