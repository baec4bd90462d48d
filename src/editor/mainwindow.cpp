#include "editor/mainwindow.h"

#include "dialogs/fblfrm.h"
#include "dialogs/pagefrm.h"
#include "document/vectorgraphics.h"
#include "editor/backgroundcommands.h"
#include "editor/editcommands.h"
#include "editor/filecommands.h"
#include "editor/optioncharacters.h"
#include "editor/pagesurface.h"
#include "editor/propertypanel.h"
#include "editor/rulerwidget.h"
#include "editor/shapepanel.h"
#include "editor/templatecommands.h"
#include "editor/vcortrols.h"
#include "platform/fontconversion.h"
#include "platform/picturecodec.h"
#include "platform/rounding.h"
#include "platform/widgets/dialogservice.h"
#include "shapes/recttext.h"
#include "storage/database.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTimer>
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
    m_backgroundCommands = std::make_unique<BackgroundCommands>(*this);
    m_templateCommands = std::make_unique<TemplateCommands>(*this);
    createLayout();

    usePropertyPanel();
    m_paperDialog = new Tsetpagefrm(*this, this);
    m_resolutionDialog = new Tfblfrm(m_options.pixelsPerInch, this);
    m_pageDialog = new Tpagefrm(*m_backgroundCommands, this);
    // Queued: the commands that change pages finish (marks laid out) first.
    connect(this, &TPaintForm::currentPageChanged, m_pageDialog, &Tpagefrm::FormShow,
            Qt::QueuedConnection);
    qApp->installEventFilter(this);
}

TPaintForm::~TPaintForm()
{
    qApp->removeEventFilter(this);
    // The controller draws through the view: it goes before the widgets.
    m_controller.reset();
}

QAction* TPaintForm::action(const QString& name) const
{
    // Every caller names an action the window made; release builds get null.
    QAction* found = m_actions.value(name);
    Q_ASSERT_X(found, "TPaintForm::action",
               qUtf8Printable(QStringLiteral("unknown action ") + name));
    return found;
}

void TPaintForm::setShapePanel(ShapePanel* panel)
{
    if (m_panel)
        m_panel->widget()->hide();
    m_panel = panel;
    if (!panel)
        return;
    QWidget* widget = panel->widget();
    if (m_panelArea->layout()->indexOf(widget) < 0)
        m_panelArea->layout()->addWidget(widget);
    widget->show();
    // The side bar is at least as wide as the panel.
    auto* sideBar = findChild<QScrollArea*>(QStringLiteral("SideBarScroll"));
    sideBar->setMinimumWidth(sideBar->widget()->minimumSizeHint().width() +
                             sideBar->verticalScrollBar()->sizeHint().width());
}

void TPaintForm::usePropertyPanel()
{
    m_propertyPanel = new TPropertyPanel(m_options.pixelsPerInch, m_panelArea);
    m_propertyPanel->SetTextEditorFontSource([this] { return m_editorFont; });
    connect(m_propertyPanel, &TPropertyPanel::changeRecorded, this,
            [this](std::int32_t key, const QString& text) {
                if (m_controller)
                    m_controller->RecordChange(key, text);
            });
    connect(m_propertyPanel, &TPropertyPanel::shapesChanged, this, &TPaintForm::repaintSurface);
    connect(m_propertyPanel, &TPropertyPanel::textEditorFontChanged, this,
            &TPaintForm::setTextEditorFont);
    connect(m_propertyPanel, &TPropertyPanel::surfaceCursorRequested, this, &TPaintForm::setCursor);
    connect(m_propertyPanel, &TPropertyPanel::positionCheckRequested, this,
            [this] { m_backgroundCommands->CheckPositions(); });
    setShapePanel(m_propertyPanel);
}

// Start-up and shut-down ----------------------------------------------------

bool TPaintForm::FormCreate()
{
    QString reason;
    if (m_database->open(m_options.databasePath, &reason))
        return true;
    qWarning().noquote() << reason; // the message box's text is fixed; this names the cause
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
    connect(m_document.get(), &TVectorGraphics::changed, this, &TPaintForm::scheduleRepaint);
    m_propertyPanel->SetDocument(m_document.get());
    m_controller = std::make_unique<TVcortrols>(*m_document, *this);
    m_historyView->setModel(&m_controller->History());
    connect(&m_controller->History(), &TOperationHistory::stateChanged, this,
            &TPaintForm::historyChanged);

    setFileName({});
    loadBackgroundPicture();

    m_pageDialog->prepareFirstPage();
    m_paperDialog->prepareFirstPage();
    m_paperDialog->Button1Click();
    // A document just begun has nothing to lose.
    m_controller->History().MarkSaved();

    scrollToOrigin();
    m_scroll->setFocus();
    m_statusPanels[2]->setText(QStringLiteral("清晰版面，准确阅卷"));
    m_statusPanels[3]->setText(QStringLiteral("Sheetwright 答题卡模板设计"));
}

void TPaintForm::readOptionCharacterList()
{
    QString error;
    const std::optional<QStringList> entries = readOptionCharacterFile(QDir::currentPath(), &error);
    if (entries && m_panel)
        m_panel->setOptionCharacterList(*entries);
    else if (!error.isEmpty())
        refuse(this,
               QStringLiteral("不能读取选项字符列表%1：\n%2").arg(OptionCharacterFile, error));
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

// Changes come in bursts (a load, a save dropping empty boxes): the surface is
// drawn once, after the command has put the tabs and the current page in order.
void TPaintForm::scheduleRepaint()
{
    if (m_repaintPending)
        return;
    m_repaintPending = true;
    QTimer::singleShot(0, this, [this] {
        m_repaintPending = false;
        repaintSurface();
    });
}

void TPaintForm::repaintSurface()
{
    if (!m_controller || m_tabs->currentIndex() < 0)
        return;
    m_document->CurrentPage = m_tabs->currentIndex();
    m_controller->PaintSurface();
    m_image->setVisible(m_document->Modal != SheetSelfMade && !m_image->pixmap().isNull());
}

void TPaintForm::loadBackgroundPicture()
{
    m_backgroundCommands->loadPicture();
}

void TPaintForm::placeBackgroundPicture()
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

void TPaintForm::syncDocumentButtons()
{
    const bool overlay = m_document->Modal != SheetSelfMade;
    for (const char* name :
         {"RzToolButton20", "RzToolButton21", "RzToolButton22", "RzToolButton23"})
        action(QString::fromUtf8(name))->setVisible(overlay);
    action(QStringLiteral("RzToolButton18"))->setChecked(m_document->Locked);
}

void TPaintForm::setFileName(const QString& fileName)
{
    m_fileName = fileName;
    updateTitle();
}

void TPaintForm::updateTitle()
{
    // "[*]" shows while the window is marked modified.
    const QString marker = QStringLiteral("[*]");
    if (m_fileName.isEmpty())
        setWindowTitle(MainWindowCaption + marker);
    else
        setWindowTitle(MainWindowCaption + QStringLiteral(" - ") +
                       QFileInfo(m_fileName).fileName() + marker);
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
    placeBackgroundPicture();
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
    placeBackgroundPicture();
    repaintSurface();
}

// Surface and controller ----------------------------------------------------

void TPaintForm::ToolSelectActExecute(int tool)
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
    showRestored(m_controller->RestoreEntry(row.row(), &error), error);
}

void TPaintForm::stepHistory(bool forward)
{
    if (!m_controller)
        return;
    QString error;
    const bool restored = forward ? m_controller->Redo(&error) : m_controller->Undo(&error);
    showRestored(restored, error);
}

void TPaintForm::showRestored(bool restored, const QString& error)
{
    if (!restored) {
        if (!error.isEmpty())
            refuse(this, QStringLiteral("不能恢复历史记录：%1").arg(error), MessageIcon::Critical);
        return;
    }
    // The snapshot brings its own lock state.
    syncDocumentButtons();
    repaintSurface();
}

void TPaintForm::historyChanged()
{
    const TOperationHistory& history = m_controller->History();
    action(QStringLiteral("UndoAct"))->setEnabled(history.CanUndo());
    action(QStringLiteral("RedoAct"))->setEnabled(history.CanRedo());
    setWindowModified(history.IsModified());
    const int row = history.CurrentRow();
    m_historyView->setCurrentIndex(row >= 0 ? history.index(row) : QModelIndex());
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

void TPaintForm::showStatus(const QString& text)
{
    constexpr int StatusMilliseconds = 8000;
    statusBar()->showMessage(text, StatusMilliseconds);
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

void TPaintForm::clearShapeBounds()
{
    for (QLabel* label : m_boundLabels)
        label->clear();
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
    if (m_fileCommands->confirmReplacingDocument())
        openFile(urls.first().toLocalFile());
}

} // namespace sw
