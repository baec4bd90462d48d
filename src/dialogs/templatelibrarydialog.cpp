#include "dialogs/templatelibrarydialog.h"

#include "dialogs/databasemessage.h"
#include "platform/widgets/dialogservice.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace sw {

namespace {

constexpr int NameColumnWidth = 190;
constexpr int DateColumnWidth = 121;

QString dateText(const QDateTime& date)
{
    return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) : QString();
}

} // namespace

TemplateLibraryDialog::TemplateLibraryDialog(Database& database, TemplateLibraryHost& host,
                                             QWidget* parent)
    : QDialog(parent), m_database(database), m_host(host), m_grid(new QTableWidget(0, 2, this))
{
    setObjectName(QStringLiteral("TemplateLibraryDialog"));
    setWindowTitle(QStringLiteral("模板库"));

    m_grid->setObjectName(QStringLiteral("TemplateGrid"));
    m_grid->setAccessibleName(QStringLiteral("模板库"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("模板名称"), QStringLiteral("保存日期")});
    m_grid->setColumnWidth(0, NameColumnWidth);
    m_grid->setColumnWidth(1, DateColumnWidth);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();

    auto* bar = new QHBoxLayout;
    addButton(bar, "SaveTemplateButton", QStringLiteral("保存为模板"),
              &TemplateLibraryDialog::saveCurrentTemplate);
    addButton(bar, "OpenTemplateButton", QStringLiteral("打开模板"),
              &TemplateLibraryDialog::openSelectedTemplate);
    addButton(bar, "DeleteTemplateButton", QStringLiteral("删除模板"),
              &TemplateLibraryDialog::deleteSelectedTemplate);
    addButton(bar, "CloseButton", QStringLiteral("退出"), &TemplateLibraryDialog::closeLibrary);
    bar->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_grid, 1);
    resize(NameColumnWidth + DateColumnWidth + 60, 360);
}

void TemplateLibraryDialog::addButton(QHBoxLayout* bar, const char* name, const QString& caption,
                                      void (TemplateLibraryDialog::*click)())
{
    auto* button = new QPushButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setAccessibleName(caption);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, click);
    bar->addWidget(button);
}

std::optional<TemplateEntry> TemplateLibraryDialog::currentTemplate() const
{
    const int row = m_grid->currentRow();
    if (row < 0 || row >= m_entries.size())
        return std::nullopt;
    return m_entries.at(row);
}

void TemplateLibraryDialog::showEvent(QShowEvent* event)
{
    reloadTemplates();
    QDialog::showEvent(event);
}

void TemplateLibraryDialog::reloadTemplates()
{
    m_grid->setRowCount(0);
    m_entries.clear();
    QList<TemplateEntry> entries;
    QString error;
    if (!listTemplates(m_database, entries, &error)) {
        showDatabaseError(QStringLiteral("不能列出模板。"), error);
        return;
    }
    for (const TemplateEntry& entry : entries)
        appendRow(entry);
    if (!m_entries.isEmpty())
        m_grid->setCurrentCell(0, 0);
}

void TemplateLibraryDialog::appendRow(const TemplateEntry& entry)
{
    const int row = m_grid->rowCount();
    m_grid->insertRow(row);
    m_grid->setItem(row, 0, new QTableWidgetItem(entry.name));
    m_grid->setItem(row, 1, new QTableWidgetItem(dateText(entry.date)));
    m_entries.append(entry);
}

void TemplateLibraryDialog::saveCurrentTemplate()
{
    const std::optional<QString> name = dialogService().inputText(
        this, QStringLiteral("保存木板"), QStringLiteral("请输入要保存的模板名称"), QString());
    if (!name || name->isEmpty())
        return;
    QByteArray bytes;
    QString error;
    if (!m_host.templateBytes(bytes, &error)) {
        refuse(this, QStringLiteral("不能保存模板“%1”：\n%2").arg(*name, error),
               MessageIcon::Critical);
        return;
    }
    // Stored to the second, as the list shows it.
    TemplateEntry entry{0, *name,
                        QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch())};
    if (!storeTemplate(m_database, entry.name, bytes, entry.date, &entry.id, &error)) {
        showDatabaseError(QStringLiteral("不能保存模板“%1”。").arg(entry.name), error);
        return;
    }
    appendRow(entry);
    m_grid->setCurrentCell(m_grid->rowCount() - 1, 0);
}

void TemplateLibraryDialog::openSelectedTemplate()
{
    const std::optional<TemplateEntry> entry = currentTemplate();
    if (!entry) {
        refuse(this, NoTemplateMessage, MessageIcon::Information);
        return;
    }
    if (m_host.openTemplate(*entry))
        accept();
}

void TemplateLibraryDialog::deleteSelectedTemplate()
{
    const std::optional<TemplateEntry> entry = currentTemplate();
    if (!entry) {
        refuse(this, NoTemplateMessage, MessageIcon::Information);
        return;
    }
    if (!confirm(this, QStringLiteral("您确信要删除 '%1' 吗？").arg(entry->name)))
        return;
    QString error;
    if (!deleteTemplate(m_database, entry->id, &error)) {
        showDatabaseError(QStringLiteral("不能删除模板“%1”。").arg(entry->name), error);
        return;
    }
    const int row = m_grid->currentRow();
    m_grid->removeRow(row);
    m_entries.removeAt(row);
}

void TemplateLibraryDialog::closeLibrary()
{
    reject();
}

void TemplateLibraryDialog::showDatabaseError(const QString& what, const QString& reason)
{
    refuse(this, databaseErrorText(what, m_database, reason), MessageIcon::Critical);
}

} // namespace sw
