#pragma once

#include <QSettings>
#include <QString>
#include <memory>

namespace sw {

// The designer's own settings: the window's geometry, the recent files, the
// folders of the file dialogs, the interval of the recovery saves. An INI
// file in the user's configuration folder; tests point that folder
// elsewhere with QSettings::setPath.
std::unique_ptr<QSettings> designerSettings();

// The folder the file dialog of this caption was last left in; empty when
// it has not been used yet.
QString lastFileDialogFolder(const QString& caption);
// Remembers the folder of the file chosen in the dialog of this caption.
void rememberFileDialogFolder(const QString& caption, const QString& chosenPath);

} // namespace sw
