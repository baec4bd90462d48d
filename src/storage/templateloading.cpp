#include "storage/templateloading.h"

#include "document/templatestream.h"
#include "document/vectorgraphics.h"
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
        return reportFailure(error, QStringLiteral("Template %1 holds no data").arg(id));

    // A stream without pages would leave the document without a current
    // page, so look before replacing anything.
    StoredDocument stored;
    QString reason;
    bool readable = readTemplate(bytes, stored, document.PixelsPerInch, &reason);
    if (readable && stored.Papers.empty())
        return reportFailure(error, QStringLiteral("Template %1 holds no page").arg(id));
    if (readable) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        readable = document.LoadFromStream(buffer, &reason);
    }
    if (!readable)
        return reportFailure(error,
                             QStringLiteral("Template %1 cannot be read: %2").arg(id).arg(reason));
    document.RenumberPages();
    document.LayoutMarks();
    return true;
}

} // namespace sw
