#include "dialogs/databasemessage.h"

#include "storage/database.h"

#include <QDir>

namespace sw {

QString databaseErrorText(const QString& what, const Database& database, const QString& reason)
{
    return QStringLiteral("%1\n数据库文件：%2\n%3")
        .arg(what, QDir::toNativeSeparators(database.path()), reason);
}

} // namespace sw
