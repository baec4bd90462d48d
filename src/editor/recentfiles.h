#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QMenu;

namespace sw {

class MainWindow;

// How many templates "最近打开的文件" lists.
constexpr int MaxRecentFiles = 10;

// "最近打开的文件": the templates last opened or saved, newest first, kept in
// the designer's settings. An entry opens its template, after offering to
// save the document it replaces; an entry whose file is gone is removed
// with a message naming it.
class RecentFiles : public QObject
{
    Q_OBJECT

public:
    // Fills the menu, which owns it.
    RecentFiles(MainWindow& window, QMenu* menu);

    // Puts the file at the top of the list.
    void add(const QString& path);
    QStringList files() const;
    QMenu* menu() const { return m_menu; }
    // Opens the template of the entry, or removes the entry when the file
    // is gone.
    void openEntry(const QString& path);

private:
    void store(QStringList files);
    void rebuildMenu();

    MainWindow& m_window;
    QMenu* m_menu;
};

} // namespace sw
