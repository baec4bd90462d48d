// library: the template library in the program's database.

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/documentio.h"
#include "platform/printabletext.h"
#include "storage/database.h"
#include "storage/databasepath.h"
#include "storage/templatelibrary.h"
#include "storage/templateloading.h"

#include <QBuffer>
#include <QDateTime>
#include <QTextStream>

namespace sw::cli {

namespace {

qint64 templateId(const Arguments& a)
{
    bool ok = false;
    const qint64 id = a.positional(1, "ID").toLongLong(&ok);
    if (!ok)
        throw UsageError{QStringLiteral("ID 应为数字")};
    return id;
}

int failed(const QString& error)
{
    printError(error);
    return ExitFileError;
}

int list(const Database& db)
{
    QList<TemplateEntry> entries;
    QString error;
    if (!listTemplates(db, entries, &error))
        return failed(error);
    QTextStream out(stdout);
    for (const TemplateEntry& e : entries)
        out << e.id << '\t' << printableText(e.name) << '\t' << e.date.toString(Qt::ISODate)
            << '\n';
    return ExitOk;
}

int add(Database& db, const QString& name, const QString& path)
{
    auto document = openTemplate(path);
    if (!document)
        return ExitFileError;
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    QString error;
    qint64 id = 0;
    if (!document->SaveToStream(SaveAllShapes, bytes, &error) ||
        !storeTemplate(db, name, bytes.data(), QDateTime::currentDateTime(), &id, &error))
        return failed(error);
    QTextStream(stdout) << id << '\n';
    return ExitOk;
}

int get(const Database& db, qint64 id, const QString& out)
{
    auto document = newDocument();
    QString error;
    if (!loadTemplateIntoDocument(db, id, *document, &error))
        return failed(error);
    return saveTemplate(*document, out) ? ExitOk : ExitFileError;
}

} // namespace

int runLibrary(const QStringList& args)
{
    Arguments a(args, {}, {QStringLiteral("--db")});
    const QString action = a.positional(0, "list、add、get 或 delete");
    const QString path = a.value(QStringLiteral("--db")).value_or(defaultDatabasePath());
    const auto open = [&path](Database& db) {
        QString error;
        if (db.open(path, &error))
            return true;
        printError(error); // names the file or server, never a password
        return false;
    };

    Database db;
    if (action == QLatin1String("list")) {
        a.expectPositional(1, 1);
        return open(db) ? list(db) : ExitFileError;
    }
    if (action == QLatin1String("add")) {
        a.expectPositional(3, 3);
        return open(db) ? add(db, a.positional(1, "NAME"), a.positional(2, "IN.exm"))
                        : ExitFileError;
    }
    if (action == QLatin1String("get")) {
        a.expectPositional(3, 3);
        const qint64 id = templateId(a);
        return open(db) ? get(db, id, a.positional(2, "OUT.exm")) : ExitFileError;
    }
    if (action == QLatin1String("delete")) {
        a.expectPositional(2, 2);
        const qint64 id = templateId(a);
        if (!open(db))
            return ExitFileError;
        QString error;
        return deleteTemplate(db, id, &error) ? ExitOk : failed(error);
    }
    throw UsageError{QStringLiteral("未知的模板库操作 %1").arg(action)};
}

} // namespace sw::cli
