#include "storage/templateloading.h"

#include "document/templatestream.h"
#include "document/vectorgraphics.h"
#include "storage/database.h"
#include "storage/sqlsupport.h"
#include "storage/templatelibrary.h"

#include <QBuffer>

namespace sw {

bool loadTemplateIntoDocument(const Database& database, qint64 id, TVectorGraphics& document,
                              QString* error)
{
    QByteArray bytes;
    if (!fetchTemplate(database, id, bytes, error))
        return false;
    if (bytes.isEmpty())
        return reportFailure(
            error,
            QStringLiteral("数据库 %1 中编号为 %2 的模板没有内容").arg(database.path()).arg(id));

    // A stream without pages would leave the document without a current
    // page, so look before replacing anything.
    StoredDocument stored;
    QString reason;
    bool readable = readTemplate(bytes, stored, document.PixelsPerInch, &reason);
    if (readable && stored.Papers.empty())
        return reportFailure(
            error,
            QStringLiteral("数据库 %1 中编号为 %2 的模板没有页面").arg(database.path()).arg(id));
    if (readable) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        readable = document.LoadFromStream(buffer, &reason);
    }
    if (!readable)
        return reportFailure(error,
                             QStringLiteral("数据库 %1 中编号为 %2 的模板已损坏，不能读取。（%3）")
                                 .arg(database.path())
                                 .arg(id)
                                 .arg(reason));
    document.RenumberPages();
    document.LayoutMarks();
    return true;
}

} // namespace sw
