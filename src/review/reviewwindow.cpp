#include "review/reviewwindow.h"

#include "exam/examtables.h"
#include "reading/sheetreader.h"
#include "review/decisionhistory.h"
#include "review/examanalysiswindow.h"
#include "review/reviewclaims.h"
#include "review/reviewer.h"
#include "review/reviewitems.h"
#include "review/scancache.h"
#include "review/zoomview.h"
#include "storage/database.h"
#include "storage/sqlsupport.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QSqlQuery>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>
#include <QUuid>
#include <QVBoxLayout>

namespace sw {

namespace {

constexpr int KeyRole = Qt::UserRole + 1;

const QStringList Reasons = {QStringLiteral("看不清"), QStringLiteral("考生改涂"),
                             QStringLiteral("多涂"), QStringLiteral("其他")};

bool isUndo(const QKeyEvent* key)
{
    return key->matches(QKeySequence::Undo);
}

bool isDefer(const QKeyEvent* key)
{
    return key->key() == Qt::Key_PageDown && key->modifiers() == Qt::NoModifier;
}

bool isAccept(const QKeyEvent* key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & Qt::ControlModifier);
}

QLabel* valueLabel(const QString& name)
{
    auto* label = new QLabel;
    label->setAccessibleName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

} // namespace

ReviewWindow::ReviewWindow(std::unique_ptr<Database> database, std::unique_ptr<Exam> exam,
                           QWidget* parent)
    : QMainWindow(parent), m_database(std::move(database)), m_exam(std::move(exam)),
      m_reader(std::make_unique<SheetReader>(m_exam->document())),
      m_scans(std::make_unique<ScanCache>(*m_reader)),
      m_holder(QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    setWindowTitle(QStringLiteral("复核考试 %1").arg(m_exam->name()));
    buildWindow();
    m_refreshTimer = new QTimer(this);
    m_refreshTimer->setInterval(RefreshMs);
    connect(m_refreshTimer, &QTimer::timeout, this, &ReviewWindow::refresh);
    m_catchUpTimer = new QTimer(this);
    m_catchUpTimer->setSingleShot(true);
    m_catchUpTimer->setInterval(CatchUpMs);
    connect(m_catchUpTimer, &QTimer::timeout, this, &ReviewWindow::catchUp);
}

ReviewWindow::~ReviewWindow()
{
    leaveItem();
}

void ReviewWindow::buildWindow()
{
    m_model = new QStandardItemModel(this);
    m_queueView = new QTreeView;
    m_queueView->setModel(m_model);
    m_queueView->setHeaderHidden(true);
    m_queueView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_queueView->setAccessibleName(QStringLiteral("复核队列"));
    connect(m_queueView, &QTreeView::activated, this, &ReviewWindow::chooseFromQueue);

    m_scanView = new ZoomView(QStringLiteral("扫描图"));
    m_fieldView = new ZoomView(QStringLiteral("题目放大"));
    m_fieldView->setMinimumHeight(120);

    m_itemText = valueLabel(QStringLiteral("复核项"));
    m_reading = valueLabel(QStringLiteral("机器识读"));
    m_candidate = valueLabel(QStringLiteral("考生"));
    m_decision = new QLineEdit;
    m_decision->setAccessibleName(QStringLiteral("决定"));
    m_decision->setToolTip(
        QStringLiteral("输入答案（A–Z，考号用数字，空格或 0 为空白），回车确认"));
    m_decision->installEventFilter(this);
    connect(m_decision, &QLineEdit::returnPressed, this, [this] { decide(m_decision->text()); });
    m_reason = new QComboBox;
    m_reason->addItems(Reasons);
    m_reason->setAccessibleName(QStringLiteral("原因"));
    m_remark = new QLineEdit;
    m_remark->setAccessibleName(QStringLiteral("说明"));

    m_accept = new QPushButton(QStringLiteral("接受"));
    m_accept->setToolTip(QStringLiteral("保留机器的识读（Ctrl+Enter）"));
    m_later = new QPushButton(QStringLiteral("稍后"));
    m_later->setToolTip(QStringLiteral("留到后面再复核（Page Down）"));
    m_undoButton = new QPushButton(QStringLiteral("撤销"));
    m_undoButton->setToolTip(QStringLiteral("撤销本次最后一个决定（Ctrl+Z）"));
    for (QPushButton* b : {m_accept, m_later, m_undoButton})
        b->setAccessibleName(b->text());
    connect(m_accept, &QPushButton::clicked, this, &ReviewWindow::acceptReading);
    connect(m_later, &QPushButton::clicked, this, &ReviewWindow::defer);
    connect(m_undoButton, &QPushButton::clicked, this, &ReviewWindow::undo);

    m_history = new QTreeWidget;
    m_history->setAccessibleName(QStringLiteral("历史"));
    m_history->setRootIsDecorated(false);
    m_history->setHeaderLabels({QStringLiteral("时间"), QStringLiteral("复核人"),
                                QStringLiteral("项目"), QStringLiteral("机器识读"),
                                QStringLiteral("决定"), QStringLiteral("原因")});

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("复核项"), m_itemText);
    form->addRow(QStringLiteral("机器识读"), m_reading);
    form->addRow(QStringLiteral("考生"), m_candidate);
    form->addRow(QStringLiteral("决定"), m_decision);
    form->addRow(QStringLiteral("原因"), m_reason);
    form->addRow(QStringLiteral("说明"), m_remark);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_accept);
    buttons->addWidget(m_later);
    buttons->addWidget(m_undoButton);
    auto* side = new QWidget;
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->addWidget(m_fieldView, 2);
    sideLayout->addLayout(form);
    sideLayout->addLayout(buttons);
    sideLayout->addWidget(new QLabel(QStringLiteral("历史")));
    sideLayout->addWidget(m_history, 1);

    auto* splitter = new QSplitter;
    splitter->addWidget(m_queueView);
    splitter->addWidget(m_scanView);
    splitter->addWidget(side);
    splitter->setStretchFactor(1, 3);
    splitter->setStretchFactor(2, 2);
    setCentralWidget(splitter);

    // The same commands from anywhere in the window.
    QMenu* menu = menuBar()->addMenu(QStringLiteral("复核(&R)"));
    const auto command = [&](const QString& text, const QKeySequence& keys, auto slot) {
        QAction* action = menu->addAction(text);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
    };
    command(QStringLiteral("接受"), QKeySequence(Qt::CTRL | Qt::Key_Return),
            &ReviewWindow::acceptReading);
    command(QStringLiteral("稍后"), QKeySequence(Qt::Key_PageDown), &ReviewWindow::defer);
    command(QStringLiteral("撤销"), QKeySequence::Undo, &ReviewWindow::undo);
    command(QStringLiteral("刷新"), QKeySequence::Refresh, &ReviewWindow::refresh);
    command(QStringLiteral("关闭"), QKeySequence::Close, &ReviewWindow::close);
    command(QStringLiteral("复核队列"), QKeySequence(Qt::CTRL | Qt::Key_L),
            [this] { m_queueView->setFocus(); });
    command(QStringLiteral("扫描图"), QKeySequence(Qt::CTRL | Qt::Key_E),
            [this] { m_scanView->setFocus(); });
    command(QStringLiteral("决定"), QKeySequence(Qt::CTRL | Qt::Key_D),
            [this] { m_decision->setFocus(); });
    menu->addSeparator();
    command(QStringLiteral("考试分析…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A),
            &ReviewWindow::showAnalysis);
}

void ReviewWindow::showAnalysis()
{
    if (m_analysis) {
        m_analysis->refresh();
    } else {
        // A child window: the exam it reads is this window's own.
        m_analysis = new ExamAnalysisWindow(*m_exam, m_database->path(), this);
        m_analysis->setWindowFlag(Qt::Window);
        m_analysis->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_analysis->show();
    m_analysis->raise();
    m_analysis->activateWindow();
}

bool ReviewWindow::start(QString* error)
{
    if (m_reviewer.isEmpty())
        m_reviewer = reviewerName(this);
    if (m_reviewer.isEmpty())
        return reportFailure(error, QStringLiteral("复核需要复核人的姓名"));
    m_claims = std::make_unique<ReviewClaims>(*m_database, m_exam->id(), m_holder, m_reviewer);
    if (!m_claims->prepare(error) || !reload(error))
        return false;
    rebuildModel();
    showNext();
    m_refreshTimer->start();
    return true;
}

const CheckItem* ReviewWindow::currentItem() const
{
    for (const CheckItem& item : m_queue)
        if (reviewItemKey(item) == m_current)
            return &item;
    return nullptr;
}

bool ReviewWindow::reload(QString* error)
{
    ExamData data;
    QSet<QString> held;
    if (!m_exam->load(data, error) || !m_claims->heldElsewhere(held, error))
        return false;
    m_data = std::move(data);
    m_queue = reviewQueue(examResults(m_data));
    m_heldElsewhere = std::move(held);
    return true;
}

void ReviewWindow::refresh()
{
    if (!m_claims)
        return;
    if (!m_current.isEmpty()) {
        QString error;
        bool taken = false;
        if (!m_claims->claim(m_current, taken, &error))
            report(error);
    }
    catchUp();
}

void ReviewWindow::catchUp()
{
    m_catchUpTimer->stop();
    QString error;
    if (!reload(&error)) {
        report(error);
        return;
    }
    rebuildModel();
    const CheckItem* item = currentItem();
    if (!item) {
        showNext();
        return;
    }
    if (const ExamScan* scan = scanOf(item->scan))
        showDecisionHistory(*m_history, *scan, m_data.decisions);
}

void ReviewWindow::rebuildModel()
{
    m_model->clear();
    QStandardItem* group = nullptr;
    std::optional<CheckKind> groupKind;
    const auto finishGroup = [&] {
        if (group)
            group->setText(
                QStringLiteral("%1（%2）").arg(checkKindTitle(*groupKind)).arg(group->rowCount()));
    };
    for (const CheckItem& item : m_queue) {
        if (!groupKind || *groupKind != item.kind) {
            finishGroup();
            groupKind = item.kind;
            group = new QStandardItem;
            group->setSelectable(false);
            m_model->appendRow(group);
        }
        const QString key = reviewItemKey(item);
        QString text = checkItemText(item);
        if (m_heldElsewhere.contains(key))
            text += QStringLiteral("（他人正在复核）");
        else if (m_deferred.contains(key))
            text += QStringLiteral("（稍后）");
        auto* row = new QStandardItem(text);
        row->setData(key, KeyRole);
        row->setEnabled(decisionTarget(item.kind).has_value() && !m_heldElsewhere.contains(key));
        group->appendRow(row);
        if (key == m_current)
            m_queueView->setCurrentIndex(row->index());
    }
    finishGroup();
    m_queueView->expandAll();
    statusBar()->showMessage(QStringLiteral("共 %1 项待处理").arg(m_queue.size()));
}

QStringList ReviewWindow::nextCandidates(bool leavingToo) const
{
    QStringList keys;
    // Items not put off first, then those put off, in queue order.
    for (const bool deferred : {false, true})
        for (const CheckItem& item : m_queue) {
            const QString key = reviewItemKey(item);
            if (decisionTarget(item.kind) && m_deferred.contains(key) == deferred &&
                !m_heldElsewhere.contains(key) && key != m_current)
                keys << key;
        }
    // Then the item left, when it is all that remains.
    if (leavingToo && !m_current.isEmpty())
        keys << m_current;
    return keys;
}

bool ReviewWindow::moveOn(const Decision* decision, const QStringList& candidates, QString& next,
                          QString* error)
{
    SqlTransaction transaction(*m_database);
    if (!transaction.begun(error) || (decision && !m_exam->appendDecision(*decision, error)))
        return false;
    // The next item is taken before the one shown is left: a window waiting
    // for another's new claim then holds no row that the other waits for.
    QSet<QString> held;
    next.clear();
    for (const QString& key : candidates) {
        bool taken = false;
        if (!m_claims->claim(key, taken, error))
            return false;
        if (taken) {
            next = key;
            break;
        }
        held.insert(key);
    }
    if ((!m_current.isEmpty() && next != m_current && !m_claims->release(m_current, error)) ||
        !transaction.commit(error))
        return false;
    m_heldElsewhere.unite(held);
    return true;
}

void ReviewWindow::showNext()
{
    QString next;
    QString error;
    if (!moveOn(nullptr, nextCandidates(true), next, &error)) {
        report(error);
        return;
    }
    showClaimed(next);
}

void ReviewWindow::showClaimed(const QString& key)
{
    m_current.clear();
    for (const CheckItem& item : m_queue)
        if (reviewItemKey(item) == key) {
            display(item);
            return;
        }
    showNothing();
}

bool ReviewWindow::showItem(const CheckItem& item)
{
    const QString key = reviewItemKey(item);
    if (key != m_current) {
        QString error;
        bool taken = false;
        if (!m_claims->claim(key, taken, &error)) {
            report(error);
            return false;
        }
        if (!taken) {
            m_heldElsewhere.insert(key);
            return false;
        }
        leaveItem();
    }
    display(item);
    return true;
}

void ReviewWindow::display(const CheckItem& item)
{
    const QString key = reviewItemKey(item);
    if (key != m_current) {
        m_current = key;
        m_decision->clear();
    }
    const ExamScan* scan = scanOf(item.scan);
    m_itemText->setText(checkItemText(item));
    m_reading->setText(item.reading.isEmpty() ? QStringLiteral("（空白）") : item.reading);
    m_candidate->setText(candidateText(item));
    if (scan) {
        const PreparedScan prepared = m_scans->get(scan->id, scan->fileName);
        if (prepared.failure.isEmpty()) {
            m_scanView->setPicture(prepared.marked);
            const QRect field = fieldArea(prepared, item);
            if (field.isEmpty())
                m_fieldView->setMessage(QStringLiteral("整张答卷"));
            else
                m_fieldView->setPicture(prepared.marked.copy(field));
        } else {
            m_scanView->setMessage(prepared.failure);
            m_fieldView->setMessage(prepared.failure);
        }
        showDecisionHistory(*m_history, *scan, m_data.decisions);
    }
    for (int g = 0; g < m_model->rowCount(); ++g)
        for (int r = 0; r < m_model->item(g)->rowCount(); ++r)
            if (m_model->item(g)->child(r)->data(KeyRole).toString() == key)
                m_queueView->setCurrentIndex(m_model->item(g)->child(r)->index());
    m_decision->setEnabled(true);
    m_accept->setEnabled(true);
    m_later->setEnabled(true);
    m_decision->setFocus();
    prefetchAfter(key);
    emit itemShown();
}

void ReviewWindow::showNothing()
{
    m_current.clear();
    m_itemText->setText(QStringLiteral("没有待复核的项"));
    m_reading->clear();
    m_candidate->clear();
    m_history->clear();
    m_scanView->setMessage(QStringLiteral("没有待复核的项"));
    m_fieldView->setMessage({});
    m_decision->setEnabled(false);
    m_accept->setEnabled(false);
    m_later->setEnabled(false);
    emit itemShown();
}

void ReviewWindow::leaveItem()
{
    if (m_current.isEmpty() || !m_claims)
        return;
    QString error;
    if (!m_claims->release(m_current, &error))
        report(error);
    m_current.clear();
}

void ReviewWindow::prefetchAfter(const QString& key)
{
    int ahead = 0;
    bool after = false;
    for (const CheckItem& item : m_queue) {
        const QString k = reviewItemKey(item);
        if (after && decisionTarget(item.kind) && !m_heldElsewhere.contains(k) &&
            !m_deferred.contains(k)) {
            if (const ExamScan* scan = scanOf(item.scan))
                m_scans->prefetch(scan->id, scan->fileName);
            if (++ahead == PrefetchedItems)
                return;
        }
        after = after || k == key;
    }
}

bool ReviewWindow::decide(const QString& typed)
{
    const CheckItem* item = currentItem();
    if (!item)
        return false;
    QString error;
    const std::optional<QString> answer = typedDecision(m_exam->layout(), *item, typed, &error);
    if (!answer) {
        report(error);
        return false;
    }
    return store(*answer);
}

bool ReviewWindow::acceptReading()
{
    const CheckItem* item = currentItem();
    if (!item)
        return false;
    switch (*decisionTarget(item->kind)) {
    case DecisionTarget::Sheet:
        return store(QString());
    case DecisionTarget::ExamNumber:
        // Only a number read in full can be kept; one not on the list or
        // given twice needs another number.
        if (item->kind != CheckKind::ReviewExamNumber || item->reading.isEmpty() ||
            item->reading.contains(QLatin1Char('?'))) {
            report(QStringLiteral("考号“%1”不能照读接受，请输入考号")
                       .arg(item->reading.isEmpty() ? item->examNumber : item->reading));
            return false;
        }
        break;
    case DecisionTarget::Answer:
    case DecisionTarget::Score:
        break;
    }
    return store(item->reading);
}

bool ReviewWindow::store(const QString& answer)
{
    const CheckItem item = *currentItem();
    const DecisionTarget target = *decisionTarget(item.kind);
    Decision decision;
    decision.scan = item.scan;
    decision.target = target;
    if (target == DecisionTarget::Answer || target == DecisionTarget::Score)
        decision.question = item.question;
    decision.answer = answer;
    decision.reviewer = m_reviewer;
    decision.reason = reasonText();
    // The decision, leaving its item and taking the next are one write: a
    // failure stores nothing and keeps the item shown.
    QString next;
    QString error;
    if (!moveOn(&decision, nextCandidates(false), next, &error)) {
        report(error);
        return false;
    }
    m_undo.push_back({decision, item});
    m_deferred.remove(m_current);
    const QString decided = m_current;
    std::erase_if(m_queue, [&](const CheckItem& i) { return reviewItemKey(i) == decided; });
    m_remark->clear();
    // The next item shows at once; the queue catches up once the keys pause,
    // so decisions typed ahead never wait for a reload each.
    showClaimed(next);
    m_catchUpTimer->start();
    return true;
}

void ReviewWindow::defer()
{
    if (m_current.isEmpty())
        return;
    m_deferred.insert(m_current);
    rebuildModel();
    showNext();
}

bool ReviewWindow::undo()
{
    if (m_undo.empty()) {
        report(QStringLiteral("本次复核没有可以撤销的决定"));
        return false;
    }
    const Undoable last = m_undo.back();
    Decision withdrawal = last.decision;
    withdrawal.id = 0;
    withdrawal.answer.clear();
    withdrawal.reason = QStringLiteral("撤销");
    withdrawal.time = {};
    withdrawal.withdrawn = true;
    QString error;
    if (!m_exam->appendDecision(withdrawal, &error)) {
        report(error);
        return false;
    }
    m_undo.pop_back();
    leaveItem();
    if (!reload(&error))
        report(error);
    rebuildModel();
    const QString key = reviewItemKey(last.item);
    for (const CheckItem& item : m_queue)
        if (reviewItemKey(item) == key && showItem(item))
            return true;
    showNext();
    return true;
}

void ReviewWindow::chooseFromQueue(const QModelIndex& index)
{
    const QString key = index.data(KeyRole).toString();
    for (const CheckItem& item : m_queue)
        if (reviewItemKey(item) == key && decisionTarget(item.kind)) {
            if (!showItem(item))
                report(QStringLiteral("这一项正由他人复核"));
            return;
        }
}

const ExamScan* ReviewWindow::scanOf(qint64 id) const
{
    for (const ExamScan& scan : m_data.scans)
        if (scan.id == id)
            return &scan;
    return nullptr;
}

QString ReviewWindow::candidateText(const CheckItem& item) const
{
    QString number = item.examNumber;
    if (number.isEmpty())
        if (const ExamScan* scan = scanOf(item.scan))
            number = scan->reading.ExamNumber;
    for (const RosterEntry& entry : m_data.roster.entries)
        if (entry.examNumber == number)
            return QStringLiteral("%1  %2").arg(number, entry.name);
    return number.isEmpty() ? QStringLiteral("（未知）")
                            : QStringLiteral("%1（不在名单中）").arg(number);
}

QString ReviewWindow::reasonText() const
{
    const QString remark = m_remark->text().trimmed();
    return remark.isEmpty() ? m_reason->currentText()
                            : QStringLiteral("%1：%2").arg(m_reason->currentText(), remark);
}

void ReviewWindow::report(const QString& text)
{
    statusBar()->showMessage(text);
}

void ReviewWindow::closeEvent(QCloseEvent* event)
{
    m_refreshTimer->stop();
    leaveItem();
    QMainWindow::closeEvent(event);
}

bool ReviewWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_decision &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isUndo(key) || isAccept(key) || isDefer(key)) {
            // The field's own undo would take Ctrl+Z: here it takes back a
            // decision. The keys work while the field has the focus, whether
            // or not the window is active.
            if (event->type() == QEvent::ShortcutOverride) {
                event->accept();
                return true;
            }
            if (isUndo(key))
                undo();
            else if (isAccept(key))
                acceptReading();
            else
                defer();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

std::unique_ptr<ReviewWindow> openReviewWindow(const QString& location, const QString& examName,
                                               int screenPpi, QString* error, QWidget* parent)
{
    auto database = std::make_unique<Database>();
    if (!database->open(location, error))
        return nullptr;
    std::unique_ptr<Exam> exam = Exam::open(*database, examName, screenPpi, error);
    if (!exam)
        return nullptr;
    return std::make_unique<ReviewWindow>(std::move(database), std::move(exam), parent);
}

bool storedExamNames(const QString& location, QStringList& names, QString* error)
{
    Database database;
    if (!database.open(location, error) || !prepareExamTables(database, error))
        return false;
    QSqlQuery query(database.connection());
    if (!database.run(query, QStringLiteral("SELECT name FROM exams ORDER BY name"), {}, error))
        return false;
    QStringList found;
    while (query.next())
        found << query.value(0).toString();
    names = std::move(found);
    return true;
}

} // namespace sw
