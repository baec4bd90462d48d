#include "editor/mainwindow.h"

#include "dialogs/pagesetupdialog.h"
#include "editor/backgroundcommands.h"
#include "editor/collapsiblegroup.h"
#include "editor/editcommands.h"
#include "editor/editingcontroller.h"
#include "editor/filecommands.h"
#include "editor/pagesurface.h"
#include "editor/rulerwidget.h"
#include "editor/templatecommands.h"
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

// The construction of the window: the page area with tabs and rulers, the
// side bar and the status bar.

namespace sw {

namespace {

constexpr int SideBarWidth = 230;
const QColor Silver(0xC0, 0xC0, 0xC0);

} // namespace

void MainWindow::createLayout()
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

QWidget* MainWindow::createCentre()
{
    auto* centre = new QWidget(this);
    centre->setObjectName(QStringLiteral("CentrePanel"));

    m_tabs = new QTabBar(centre);
    m_tabs->setObjectName(QStringLiteral("PageTabs"));
    m_tabs->setExpanding(false);
    m_tabs->setUsesScrollButtons(true);
    m_tabs->setDrawBase(false);
    m_tabs->installEventFilter(this);
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) {
        markSelectedTab();
        if (!m_changingTabs)
            showPageOfTab(index);
    });

    auto* corner = new QLabel(QStringLiteral("cm"), centre);
    corner->setObjectName(QStringLiteral("RulerCorner"));
    corner->setFixedSize(RulerThickness, RulerThickness);
    corner->setAlignment(Qt::AlignCenter);
    corner->setFrameShape(QFrame::Panel);
    corner->setFrameShadow(QFrame::Raised);

    m_hRuler = new RulerWidget(Qt::Horizontal, RulerThickness, centre);
    m_hRuler->setObjectName(QStringLiteral("HorizontalRuler"));
    m_vRuler = new RulerWidget(Qt::Vertical, RulerThickness, centre);
    m_vRuler->setObjectName(QStringLiteral("VerticalRuler"));

    m_scroll = new QScrollArea(centre);
    m_scroll->setObjectName(QStringLiteral("PageScroll"));
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
    m_image->setObjectName(QStringLiteral("BackgroundPicture"));
    m_image->setScaledContents(true);
    m_image->hide();
    m_surface = new PageSurface(m_content);
    m_surface->setObjectName(QStringLiteral("PageSurface"));
    m_surface->setImageSource([this]() -> const QImage* {
        return m_controller ? &m_controller->SurfaceImage() : nullptr;
    });
    m_memo = new QPlainTextEdit(m_content);
    m_memo->setObjectName(QStringLiteral("TextEditor"));
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

    connect(m_surface, &PageSurface::pressed, this, &MainWindow::surfacePressed);
    m_surface->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_surface, &QWidget::customContextMenuRequested, this, &MainWindow::showContextMenu);
    connect(m_surface, &PageSurface::moved, this, &MainWindow::surfaceMoved);
    connect(m_surface, &PageSurface::released, this, &MainWindow::surfaceReleased);
    connect(m_surface, &PageSurface::doubleClicked, this, &MainWindow::surfaceDoubleClicked);

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

QWidget* MainWindow::createSideBar()
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
    m_historyView->setObjectName(QStringLiteral("HistoryList"));
    m_historyView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_historyView->setSelectionMode(QAbstractItemView::SingleSelection);
    m_historyView->setMinimumHeight(180);
    connect(m_historyView, &QListView::doubleClicked, this, &MainWindow::restoreHistoryRow);

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

void MainWindow::createStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("ShapeBoundsBar"));
    for (int i = 0; i < 4; ++i) {
        m_statusPanels[i] = new QLabel(bar);
        m_statusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_statusPanels[i]->setContentsMargins(6, 0, 6, 0);
    }
    m_statusPanels[0]->setText(QStringLiteral("版本4.0"));
    m_statusPanels[1]->setMinimumWidth(120);
    bar->addWidget(m_statusPanels[0]);
    bar->addWidget(m_statusPanels[1], 1);
    m_zoomLabel = new QLabel(bar);
    m_zoomLabel->setObjectName(QStringLiteral("ZoomLabel"));
    m_zoomLabel->setAccessibleName(QStringLiteral("缩放"));
    m_zoomLabel->setToolTip(QStringLiteral("缩放"));
    m_zoomLabel->setContentsMargins(6, 0, 6, 0);
    bar->addPermanentWidget(m_zoomLabel);
    bar->addPermanentWidget(m_statusPanels[2]);
    bar->addPermanentWidget(m_statusPanels[3]);
}

} // namespace sw
