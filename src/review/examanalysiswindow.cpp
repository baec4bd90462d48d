#include "review/examanalysiswindow.h"

#include "exam/exam.h"
#include "platform/outputfile.h"
#include "platform/widgets/dialogservice.h"
#include "reports/examreport.h"
#include "reports/examreportdata.h"
#include "reports/itemanalysis.h"
#include "reports/resultsworkbook.h"
#include "reports/summarystatistics.h"
#include "review/examchartsview.h"
#include "review/itemtablemodel.h"
#include "storage/database.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

namespace sw {

namespace {

QPushButton* button(const QString& caption)
{
    auto* b = new QPushButton(caption);
    b->setAccessibleName(caption);
    return b;
}

QGroupBox* group(const QString& title, QWidget* content)
{
    auto* box = new QGroupBox(title);
    box->setAccessibleName(title);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(content);
    return box;
}

} // namespace

ExamAnalysisWindow::ExamAnalysisWindow(const Exam& exam, const QString& databaseLocation,
                                       QWidget* parent)
    : QMainWindow(parent), m_exam(exam), m_databaseLocation(databaseLocation)
{
    buildWindow();
    refresh();
}

ExamAnalysisWindow::ExamAnalysisWindow(std::unique_ptr<Database> database,
                                       std::unique_ptr<Exam> exam, QWidget* parent)
    : QMainWindow(parent), m_ownedDatabase(std::move(database)), m_ownedExam(std::move(exam)),
      m_exam(*m_ownedExam), m_databaseLocation(m_ownedDatabase->path())
{
    buildWindow();
    refresh();
}

ExamAnalysisWindow::~ExamAnalysisWindow() = default;

void ExamAnalysisWindow::buildWindow()
{
    setWindowTitle(QStringLiteral("考试分析 %1").arg(m_exam.name()));

    m_message = new QLabel;
    m_message->setWordWrap(true);
    m_message->setAccessibleName(QStringLiteral("提示"));
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    auto* figures = new QWidget;
    auto* form = new QFormLayout(figures);
    for (const auto& [name, value] : summaryFigures(SummaryStatistics{})) {
        auto* label = new QLabel;
        label->setAccessibleName(name);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        form->addRow(name, label);
        m_figures.push_back(label);
    }
    m_reportButton = button(QStringLiteral("生成报告…"));
    m_workbookButton = button(QStringLiteral("导出表格…"));
    QPushButton* refreshButton = button(QStringLiteral("刷新"));
    connect(m_reportButton, &QPushButton::clicked, this, &ExamAnalysisWindow::chooseReportFile);
    connect(m_workbookButton, &QPushButton::clicked, this, &ExamAnalysisWindow::chooseWorkbookFile);
    connect(refreshButton, &QPushButton::clicked, this, &ExamAnalysisWindow::refresh);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_reportButton);
    buttons->addWidget(m_workbookButton);
    buttons->addWidget(refreshButton);
    auto* summary = new QWidget;
    auto* summaryLayout = new QVBoxLayout(summary);
    summaryLayout->addWidget(group(QStringLiteral("成绩概况"), figures));
    summaryLayout->addLayout(buttons);
    summaryLayout->addStretch();

    m_charts = new ExamChartsView;
    auto* top = new QWidget;
    auto* topLayout = new QHBoxLayout(top);
    topLayout->addWidget(summary);
    topLayout->addWidget(group(QStringLiteral("总分分布"), m_charts), 1);

    m_items = new ItemTableModel(this);
    m_sortedItems = new QSortFilterProxyModel(this);
    m_sortedItems->setSourceModel(m_items);
    m_sortedItems->setSortRole(ItemTableModel::SortRole);
    m_itemView = new QTableView;
    m_itemView->setModel(m_sortedItems);
    m_itemView->setAccessibleName(QStringLiteral("题目分析"));
    m_itemView->setSortingEnabled(true);
    m_itemView->sortByColumn(0, Qt::AscendingOrder);
    m_itemView->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_itemView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_itemView->verticalHeader()->hide();
    m_itemView->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* splitter = new QSplitter(Qt::Vertical);
    splitter->addWidget(top);
    splitter->addWidget(group(QStringLiteral("题目分析"), m_itemView));
    splitter->setStretchFactor(1, 1);
    m_analysis = splitter;

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(m_message);
    layout->addWidget(m_analysis, 1);
    setCentralWidget(central);

    QMenu* menu = menuBar()->addMenu(QStringLiteral("分析(&A)"));
    const auto command = [&](const QString& text, const QKeySequence& keys, auto slot) {
        QAction* action = menu->addAction(text);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
    };
    command(QStringLiteral("生成报告…"), QKeySequence(Qt::CTRL | Qt::Key_P),
            &ExamAnalysisWindow::chooseReportFile);
    command(QStringLiteral("导出表格…"), QKeySequence(Qt::CTRL | Qt::Key_E),
            &ExamAnalysisWindow::chooseWorkbookFile);
    command(QStringLiteral("刷新"), QKeySequence::Refresh, &ExamAnalysisWindow::refresh);
    command(QStringLiteral("题目分析"), QKeySequence(Qt::CTRL | Qt::Key_T),
            [this] { m_itemView->setFocus(); });
    command(QStringLiteral("关闭"), QKeySequence::Close, &QWidget::close);
}

bool ExamAnalysisWindow::refresh()
{
    ExamData data;
    QString error;
    if (!m_exam.load(data, &error))
        return showProblem(QStringLiteral("不能读取考试“%1”：%2").arg(m_exam.name(), error));
    if (data.keyVersion == 0)
        return showProblem(
            QStringLiteral("考试“%1”还没有答案，录入答案后才能分析。").arg(m_exam.name()));
    if (data.scans.empty())
        return showProblem(
            QStringLiteral("考试“%1”还没有读入答卷，读入答卷后才能分析。").arg(m_exam.name()));
    ReportData report = examReportData(data, examResults(data));
    if (!checkReportData(report, &error))
        return showProblem(QStringLiteral("考试“%1”的成绩不完整：%2").arg(m_exam.name(), error));
    m_report = std::move(report);
    m_problem.clear();
    showAnalysis();
    return true;
}

bool ExamAnalysisWindow::showProblem(const QString& text)
{
    m_problem = text;
    m_report = ReportData{};
    m_message->setText(text);
    m_message->show();
    m_analysis->hide();
    m_reportButton->setEnabled(false);
    m_workbookButton->setEnabled(false);
    return false;
}

void ExamAnalysisWindow::showAnalysis()
{
    const SummaryStatistics summary = summarize(m_report);
    const auto figures = summaryFigures(summary);
    for (std::size_t i = 0; i < figures.size() && i < m_figures.size(); ++i)
        m_figures[i]->setText(figures[i].second);
    m_charts->setTotals(scoredTotals(m_report), summary);
    m_items->setItems(analyseItems(m_report));
    m_message->hide();
    m_analysis->show();
    m_reportButton->setEnabled(true);
    m_workbookButton->setEnabled(true);
    statusBar()->showMessage(QStringLiteral("计分人数 %1，题目 %2 道")
                                 .arg(summary.scored)
                                 .arg(m_report.questions.size()));
}

bool ExamAnalysisWindow::refusesDatabase(const QString& path, QString* error) const
{
    if (resolvedPath(QFile::encodeName(path)) !=
        resolvedPath(QFile::encodeName(m_databaseLocation)))
        return false;
    if (error)
        *error = QStringLiteral("%1 是考试数据库，不能被覆盖").arg(path);
    return true;
}

bool ExamAnalysisWindow::writeReport(const QString& path, QString* error) const
{
    if (!m_problem.isEmpty()) {
        if (error)
            *error = m_problem;
        return false;
    }
    return !refusesDatabase(path, error) && writeExamReport(m_report, path, error);
}

bool ExamAnalysisWindow::writeWorkbook(const QString& path, QString* error) const
{
    if (!m_problem.isEmpty()) {
        if (error)
            *error = m_problem;
        return false;
    }
    return !refusesDatabase(path, error) && writeResultsWorkbook(m_report, path, error);
}

void ExamAnalysisWindow::saveAs(const QString& caption, const QString& filter,
                                const QString& suffix,
                                bool (ExamAnalysisWindow::*write)(const QString&, QString*) const)
{
    const FileChoice choice = dialogService().saveFile(this, caption, {filter});
    if (!choice.chosen())
        return;
    QString path = choice.path;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + suffix;
    QString error;
    if (!(this->*write)(path, &error)) {
        refuse(this, error);
        return;
    }
    statusBar()->showMessage(QStringLiteral("已写入 %1").arg(path));
}

void ExamAnalysisWindow::chooseReportFile()
{
    saveAs(QStringLiteral("生成报告"), QStringLiteral("PDF 文件 (*.pdf)"), QStringLiteral("pdf"),
           &ExamAnalysisWindow::writeReport);
}

void ExamAnalysisWindow::chooseWorkbookFile()
{
    saveAs(QStringLiteral("导出表格"), QStringLiteral("Excel 工作簿 (*.xlsx)"),
           QStringLiteral("xlsx"), &ExamAnalysisWindow::writeWorkbook);
}

std::unique_ptr<ExamAnalysisWindow> openExamAnalysis(const QString& location,
                                                     const QString& examName, int screenPpi,
                                                     QString* error, QWidget* parent)
{
    auto database = std::make_unique<Database>();
    if (!database->open(location, error))
        return nullptr;
    std::unique_ptr<Exam> exam = Exam::open(*database, examName, screenPpi, error);
    if (!exam)
        return nullptr;
    return std::make_unique<ExamAnalysisWindow>(std::move(database), std::move(exam), parent);
}

} // namespace sw
