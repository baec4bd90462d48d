// personalise: one copy of a template per candidate of a roster, as a PDF.

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/documentio.h"
#include "document/export.h"
#include "personalise/personalisedsheets.h"
#include "personalise/roster.h"
#include "platform/outputfile.h"

#include <QFile>
#include <QTextStream>

namespace sw::cli {

int runPersonalise(const QStringList& args)
{
    Arguments a(args,
                {QStringLiteral("--fill-exam-number"), QStringLiteral("--no-fill-exam-number")},
                {QStringLiteral("-o"), QStringLiteral("--symbology"), QStringLiteral("--dpi")});
    a.expectPositional(2, 2);
    const auto out = a.value(QStringLiteral("-o"));
    if (!out)
        throw UsageError{QStringLiteral("缺少 -o OUT.pdf")};
    if (!out->endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        throw UsageError{QStringLiteral("%1 不是 .pdf 文件名").arg(*out)};
    if (a.flag(QStringLiteral("--fill-exam-number")) &&
        a.flag(QStringLiteral("--no-fill-exam-number")))
        throw UsageError{
            QStringLiteral("--fill-exam-number 和 --no-fill-exam-number 不能同时使用")};
    PersonaliseOptions options;
    options.FillExamNumber = !a.flag(QStringLiteral("--no-fill-exam-number"));
    options.DotsPerInch = a.intValue(QStringLiteral("--dpi"), DefaultPersonaliseDotsPerInch, 72,
                                     int(MaxExportDotsPerInch));
    if (const auto name = a.value(QStringLiteral("--symbology"))) {
        const auto kind = symbologyByName(*name);
        if (!kind)
            throw UsageError{QStringLiteral("不认识条码类型 %1：请用 code128 或 qr").arg(*name)};
        options.Kind = *kind;
    }
    const QString templatePath = a.positional(0, "T.exm");
    const QString rosterPath = a.positional(1, "ROSTER.csv");
    for (const QString& input : {templatePath, rosterPath})
        if (resolvedPath(QFile::encodeName(*out)) == resolvedPath(QFile::encodeName(input)))
            throw UsageError{QStringLiteral("-o would overwrite the input %1").arg(input)};

    auto document = openTemplate(templatePath);
    if (!document)
        return ExitFileError;
    QString error;
    const auto roster = readRosterFile(rosterPath, &error);
    if (!roster) {
        printError(error);
        return ExitFileError;
    }
    if (!checkPersonalisation(*document, *roster, options, &error)) {
        printError(error);
        return ExitRefused;
    }
    if (!savePersonalisedPdf(*document, *roster, options, *out, &error)) {
        printError(QStringLiteral("不能创建文件 %1。（%2）").arg(*out, error));
        return ExitFileError;
    }
    QTextStream(stdout) << roster->Candidates.size() << '\n';
    return ExitOk;
}

} // namespace sw::cli
