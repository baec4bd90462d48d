#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/documentio.h"
#include "cli/documentjson.h"

#include <cstdio>

namespace sw::cli {

int runInfo(const QStringList& args)
{
    Arguments a(args, {QStringLiteral("--raw")}, {});
    a.expectPositional(1, 1);
    auto document = openTemplate(a.positional(0, "IN.exm"), !a.flag(QStringLiteral("--raw")));
    if (!document)
        return ExitFileError;
    writeDocumentJson(*document, [](QByteArrayView text) {
        std::fwrite(text.data(), 1, std::size_t(text.size()), stdout);
    });
    return ExitOk;
}

} // namespace sw::cli
