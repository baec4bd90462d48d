#include "editor/windowsettings.h"

#include "editor/mainwindow.h"
#include "platform/widgets/designersettings.h"

#include <QSplitter>

namespace sw {

namespace {

const QString GeometryKey = QStringLiteral("window/geometry");
const QString StateKey = QStringLiteral("window/state");
const QString SideBarKey = QStringLiteral("window/sideBar");

QSplitter* sideBarSplitter(const MainWindow& window)
{
    return window.findChild<QSplitter*>(QStringLiteral("Splitter"));
}

} // namespace

void saveWindowSettings(const MainWindow& window)
{
    const auto settings = designerSettings();
    settings->setValue(GeometryKey, window.saveGeometry());
    settings->setValue(StateKey, window.saveState());
    if (const QSplitter* splitter = sideBarSplitter(window))
        settings->setValue(SideBarKey, splitter->saveState());
}

bool restoreWindowSettings(MainWindow& window)
{
    const auto settings = designerSettings();
    if (!window.restoreGeometry(settings->value(GeometryKey).toByteArray()))
        return false;
    window.restoreState(settings->value(StateKey).toByteArray());
    if (QSplitter* splitter = sideBarSplitter(window))
        splitter->restoreState(settings->value(SideBarKey).toByteArray());
    return true;
}

} // namespace sw
