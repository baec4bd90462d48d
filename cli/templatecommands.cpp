// new, check and resave: the template file commands.

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/documentio.h"

namespace sw::cli {

int runNew(const QStringList& args)
{
    Arguments a(args, {}, {});
    a.expectPositional(1, 1);
    auto document = newDocument();
    QString error;
    if (!document->NewPage(-1, -1, &error)) {
        printError(QStringLiteral("不能建立页面：%1").arg(error));
        return ExitRefused;
    }
    document->RenumberPages();
    document->LayoutMarks();
    return saveTemplate(*document, a.positional(0, "OUT.exm")) ? ExitOk : ExitFileError;
}

int runCheck(const QStringList& args)
{
    Arguments a(args, {}, {});
    a.expectPositional(1, 1);
    auto document = openTemplate(a.positional(0, "IN.exm"));
    if (!document)
        return ExitFileError;
    const QString failed = document->FirstFailedCheck();
    if (failed.isEmpty())
        return ExitOk;
    printError(failed);
    return ExitRefused;
}

int runResave(const QStringList& args)
{
    Arguments a(args, {}, {});
    a.expectPositional(2, 2);
    auto document = openTemplate(a.positional(0, "IN.exm"));
    if (!document)
        return ExitFileError;
    const QString failed = document->FirstFailedCheck();
    if (!failed.isEmpty()) {
        printError(failed);
        return ExitRefused;
    }
    return saveTemplate(*document, a.positional(1, "OUT.exm")) ? ExitOk : ExitFileError;
}

} // namespace sw::cli
