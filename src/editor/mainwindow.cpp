#include "editor/mainwindow.h"

#include "dialogs/resolutiondialog.h"
#include "document/vectorgraphics.h"
#include "editor/backgroundcommands.h"
#include "editor/editcommands.h"
#include "editor/editingcontroller.h"
#include "editor/exportcommands.h"
#include "editor/filecommands.h"
#include "editor/optioncharacters.h"
#include "editor/propertypanel.h"
#include "editor/recovery.h"
#include "editor/templatecommands.h"
#include "editor/windowsettings.h"
#include "platform/widgets/dialogservice.h"
#include "storage/database.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLayout>
#include <QListView>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

// The window's construction, start-up and shut-down, its file name and title.

namespace sw {

namespace {

// The colour of the coordinate read-outs (0x00BBGGRR): orange.
constexpr TColor ReadoutColour = 4227327;

} // namespace

MainWindow::MainWindow(MainWindowOptions options, QWidget* parent)
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
    m_exportCommands = std::make_unique<ExportCommands>(*this);
    m_recovery = new Recovery(*this, m_options.recoveryFolder, this);
    m_editCommands = std::make_unique<EditCommands>(*this);
    m_backgroundCommands = std::make_unique<BackgroundCommands>(*this);
    m_templateCommands = std::make_unique<TemplateCommands>(*this);
    createLayout();

    usePropertyPanel();
    m_paperDialog = new NewPageDialog(*this, this);
    m_resolutionDialog = new ResolutionDialog(m_options.pixelsPerInch, this);
    m_pageDialog = new PageSetupDialog(*m_backgroundCommands, this);
    // Queued: the commands that change pages finish (marks laid out) first.
    connect(this, &MainWindow::currentPageChanged, m_pageDialog, &PageSetupDialog::showCurrentPage,
            Qt::QueuedConnection);
    // The page setup stays open beside the page: its changes are undone
    // from there too.
    m_pageDialog->addActions(
        {action(QStringLiteral("UndoAct")), action(QStringLiteral("RedoAct"))});
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
    // The controller draws through the view: it goes before the widgets.
    m_controller.reset();
}

QAction* MainWindow::action(const QString& name) const
{
    // Every caller names an action the window made; release builds get null.
    QAction* found = m_actions.value(name);
    Q_ASSERT_X(found, "MainWindow::action",
               qUtf8Printable(QStringLiteral("unknown action ") + name));
    return found;
}

void MainWindow::setShapePanel(ShapePanel* panel)
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

void MainWindow::usePropertyPanel()
{
    m_propertyPanel = new PropertyPanel(m_options.pixelsPerInch, m_panelArea);
    m_propertyPanel->SetTextEditorFontSource([this] { return m_editorFont; });
    connect(m_propertyPanel, &PropertyPanel::changeRecorded, this,
            [this](std::int32_t key, const QString& text) {
                if (m_controller)
                    m_controller->RecordChange(key, text);
            });
    connect(m_propertyPanel, &PropertyPanel::shapesChanged, this, &MainWindow::repaintSurface);
    connect(m_propertyPanel, &PropertyPanel::textEditorFontChanged, this,
            &MainWindow::setTextEditorFont);
    connect(m_propertyPanel, &PropertyPanel::surfaceCursorRequested, this, &MainWindow::setCursor);
    connect(m_propertyPanel, &PropertyPanel::positionCheckRequested, this,
            [this] { m_backgroundCommands->CheckPositions(); });
    setShapePanel(m_propertyPanel);
}

bool MainWindow::openDatabase()
{
    QString reason;
    if (m_database->open(m_options.databasePath, &reason))
        return true;
    qWarning().noquote() << reason; // the message box's text is fixed; this names the cause
    dialogService().message(this, DatabaseOpenFailedText, DatabaseOpenFailedCaption,
                            MessageIcon::Warning);
    return false;
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    start();
}

void MainWindow::start()
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
    connect(m_document.get(), &TVectorGraphics::changed, this, &MainWindow::scheduleRepaint);
    m_propertyPanel->SetDocument(m_document.get());
    m_controller = std::make_unique<EditingController>(*m_document, *this);
    m_historyView->setModel(&m_controller->History());
    connect(&m_controller->History(), &OperationHistory::stateChanged, this,
            &MainWindow::historyChanged);

    setFileName({});
    loadBackgroundPicture();

    m_pageDialog->prepareFirstPage();
    m_paperDialog->prepareFirstPage();
    m_paperDialog->addPage();
    // A document just begun has nothing to lose.
    m_controller->History().MarkSaved();
    m_recovery->start();
    // Once the window shows.
    QTimer::singleShot(0, m_recovery, &Recovery::offerRestore);

    scrollToOrigin();
    m_scroll->setFocus();
    m_statusPanels[2]->setText(QStringLiteral("清晰版面，准确阅卷"));
    m_statusPanels[3]->setText(QStringLiteral("Sheetwright 答题卡模板设计"));
}

void MainWindow::readOptionCharacterList()
{
    QString error;
    const std::optional<QStringList> entries = readOptionCharacterFile(QDir::currentPath(), &error);
    if (entries && m_panel)
        m_panel->setOptionCharacterList(*entries);
    else if (!error.isEmpty())
        refuse(this,
               QStringLiteral("不能读取选项字符列表%1：\n%2").arg(OptionCharacterFile, error));
}

void MainWindow::closeEvent(QCloseEvent* event)
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
    m_recovery->discard();
    saveWindowSettings(*this);
    event->accept();
}

void MainWindow::setFileName(const QString& fileName)
{
    m_fileName = fileName;
    updateTitle();
}

void MainWindow::updateTitle()
{
    // "[*]" shows while the window is marked modified.
    const QString marker = QStringLiteral("[*]");
    if (m_fileName.isEmpty())
        setWindowTitle(MainWindowCaption + marker);
    else
        setWindowTitle(MainWindowCaption + QStringLiteral(" - ") +
                       QFileInfo(m_fileName).fileName() + marker);
}

bool MainWindow::openFile(const QString& path)
{
    return m_fileCommands->OpenFile(path);
}

} // namespace sw
