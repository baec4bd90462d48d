#include "editor/recentfiles.h"

#include "editor/filecommands.h"
#include "editor/mainwindow.h"
#include "platform/widgets/designersettings.h"
#include "platform/widgets/dialogservice.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace sw {

namespace {

const QString RecentFilesKey = QStringLiteral("recentFiles/files");

} // namespace

RecentFiles::RecentFiles(MainWindow& window, QMenu* menu)
    : QObject(menu), m_window(window), m_menu(menu)
{
    m_menu->setObjectName(QStringLiteral("RecentFilesMenu"));
    // Another window may have changed the list since.
    connect(m_menu, &QMenu::aboutToShow, this, &RecentFiles::rebuildMenu);
    rebuildMenu();
}

QStringList RecentFiles::files() const
{
    return designerSettings()->value(RecentFilesKey).toStringList();
}

void RecentFiles::add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = files();
    list.removeAll(absolute);
    list.prepend(absolute);
    store(list);
}

void RecentFiles::openEntry(const QString& path)
{
    if (!QFileInfo::exists(path)) {
        QStringList list = files();
        list.removeAll(path);
        store(list);
        refuse(&m_window, QStringLiteral("文件“%1”已不存在，已从最近打开的文件中删除。")
                              .arg(QDir::toNativeSeparators(path)));
        return;
    }
    FileCommands& commands = m_window.fileCommands();
    if (commands.confirmReplacingDocument())
        commands.OpenFile(path);
}

void RecentFiles::store(QStringList list)
{
    if (list.size() > MaxRecentFiles)
        list.resize(MaxRecentFiles);
    designerSettings()->setValue(RecentFilesKey, list);
    rebuildMenu();
}

void RecentFiles::rebuildMenu()
{
    // Later: the entry being triggered may be among them.
    for (QAction* old : m_menu->actions()) {
        m_menu->removeAction(old);
        old->deleteLater();
    }
    const QStringList list = files();
    for (int i = 0; i < list.size(); ++i) {
        const QString& path = list[i];
        // Access keys 1 to 9, then 0 for the tenth.
        const QString key = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QStringLiteral("1&0");
        auto* entry =
            new QAction(QStringLiteral("%1 %2").arg(key, QDir::toNativeSeparators(path)), m_menu);
        connect(entry, &QAction::triggered, this, [this, path] { openEntry(path); });
        m_menu->addAction(entry);
        entry->setObjectName(QStringLiteral("RecentFileAct%1").arg(i + 1));
        entry->setData(path);
    }
    m_menu->setEnabled(!list.isEmpty());
}

} // namespace sw
