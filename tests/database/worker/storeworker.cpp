// Stores COUNT templates named PREFIX-1 ... PREFIX-COUNT in the database at
// LOCATION, printing each new id on a line: the second program of the tests
// where several programs write one library at once.

#include "storage/database.h"
#include "storage/templatelibrary.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTextStream err(stderr);
    bool counted = false;
    const int count = args.size() == 4 ? args[3].toInt(&counted) : 0;
    if (!counted) {
        err << "usage: database_store_worker LOCATION PREFIX COUNT\n";
        return 64;
    }
    sw::Database database;
    QString error;
    if (!database.open(args[1], &error)) {
        err << error << '\n';
        return 2;
    }
    QTextStream out(stdout);
    for (int i = 1; i <= count; ++i) {
        const QString name = QStringLiteral("%1-%2").arg(args[2]).arg(i);
        qint64 id = 0;
        if (!sw::storeTemplate(database, name, name.toUtf8(), QDateTime::currentDateTime(), &id,
                               &error)) {
            err << name << ": " << error << '\n';
            return 2;
        }
        out << id << '\n';
    }
    return 0;
}
