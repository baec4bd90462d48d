// wizard: a standard answer sheet from the wizard's settings.

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/documentio.h"
#include "platform/recordingcanvas.h"
#include "wizard/settings.h"
#include "wizard/sheetgenerator.h"
#include "wizard/wizardhost.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace sw::cli {

namespace {

// Settings files are a few hundred bytes; anything much larger is not one.
constexpr qint64 MaxSettingsBytes = 1 << 20;

// The defaults, overridden by the keys of the JSON object in `path`.
// Returns an exit code; a bad key or value is wrong usage.
int readSettings(const QString& path, WizardSettings& settings)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        printError(QStringLiteral("不能打开设置文件 %1：%2").arg(path, file.errorString()));
        return ExitFileError;
    }
    const QByteArray data = file.read(MaxSettingsBytes + 1);
    if (data.size() > MaxSettingsBytes)
        throw UsageError{
            QStringLiteral("%1 不是设置文件：大于 %2 字节").arg(path).arg(MaxSettingsBytes)};
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(data, &parseError);
    if (!json.isObject())
        throw UsageError{QStringLiteral("设置文件 %1 不是一个 JSON 对象。（%2）")
                             .arg(path, parseError.errorString())};
    QString error;
    if (!settings.applyJson(json.object(), &error))
        throw UsageError{QStringLiteral("设置文件 %1：%2").arg(path, error)};
    return ExitOk;
}

} // namespace

int runWizard(const QStringList& args)
{
    Arguments a(args, {}, {QStringLiteral("-o"), QStringLiteral("--settings")});
    a.expectPositional(0, 0);
    const auto out = a.value(QStringLiteral("-o"));
    if (!out)
        throw UsageError{QStringLiteral("缺少 -o OUT.exm")};
    WizardSettings settings;
    if (const auto path = a.value(QStringLiteral("--settings"))) {
        if (const int status = readSettings(*path, settings))
            return status;
    }

    auto document = newDocument();
    RecordingCanvas metrics(document->PixelsPerInch);
    NullWizardHost host;
    QStringList failed;
    QString error;
    const bool generated = generateAnswerSheet(
        *document, settings, metrics, host,
        [&failed](const WizardStepFailure& f) {
            failed << f.code;
            printError(f.reason.isEmpty() ? f.code : QStringLiteral("%1 %2").arg(f.code, f.reason));
        },
        &error);
    if (!generated) {
        printError(QStringLiteral("不能生成答题卡：%1").arg(error));
        return ExitRefused;
    }
    if (!saveTemplate(*document, *out))
        return ExitFileError;
    return failed.isEmpty() ? ExitOk : ExitRefused;
}

} // namespace sw::cli
