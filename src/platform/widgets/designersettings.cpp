#include "platform/widgets/designersettings.h"

#include <QFileInfo>

namespace sw {

namespace {

QString folderKey(const QString& caption)
{
    // A caption may hold characters that QSettings reads as separators.
    return QStringLiteral("fileDialogs/") + QString::fromLatin1(caption.toUtf8().toHex());
}

} // namespace

std::unique_ptr<QSettings> designerSettings()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("sheetwright"),
                                       QStringLiteral("sheetwright"));
}

QString lastFileDialogFolder(const QString& caption)
{
    return designerSettings()->value(folderKey(caption)).toString();
}

void rememberFileDialogFolder(const QString& caption, const QString& chosenPath)
{
    designerSettings()->setValue(folderKey(caption), QFileInfo(chosenPath).absolutePath());
}

} // namespace sw
