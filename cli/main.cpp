// sheetwright-cli: the template tools without the designer window.

#include "cli/arguments.h"
#include "cli/commands.h"
#include "platform/fonts.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>
#include <memory>
#include <unistd.h>

using namespace sw::cli;

namespace {

void printHelp(QTextStream& out)
{
    out << QStringLiteral("用法：sheetwright-cli 命令 [参数] [--ppi N]\n\n"
                          "答题卡模板设计器的命令行工具。\n"
                          "每个命令都接受 --ppi N：排版文档所用的屏幕每英寸像素数（默认 96）。\n"
                          "退出状态：0 成功，1 检查未通过或操作被拒绝，2 文件不能读取或写入，"
                          "64 用法错误。\n"
                          "--version 显示版本。\n\n命令：\n");
    for (const Command& c : commands())
        out << "  " << c.synopsis << "\n      " << QString::fromUtf8(c.help) << "\n";
}

QString usage(const Command& command)
{
    return QStringLiteral("用法：sheetwright-cli %1\n").arg(QLatin1String(command.synopsis));
}

// The arguments before "--", which ends the options.
QStringList optionPart(const QStringList& args)
{
    return args.mid(0, args.indexOf(QStringLiteral("--")));
}

// Takes --ppi out of args; the rest goes to the command.
QStringList takePpi(QStringList args)
{
    const qsizetype i = optionPart(args).indexOf(QStringLiteral("--ppi"));
    if (i < 0)
        return args;
    Arguments ppi(args.mid(i, 2), {}, {QStringLiteral("--ppi")});
    setScreenPpi(ppi.intValue(QStringLiteral("--ppi"), 96, 24, 1200));
    args.remove(i, 2);
    return args;
}

// Headless runs often have no XDG_RUNTIME_DIR; give Qt a private one rather
// than a warning on every run.
void quietRuntimeDir()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QString dir =
        QDir::tempPath() + QStringLiteral("/sheetwright-runtime-") + QString::number(getuid());
    if (QDir().mkpath(dir) &&
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        qputenv("XDG_RUNTIME_DIR", dir.toLocal8Bit());
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    quietRuntimeDir();
    const Command* named = argc > 1 ? findCommand(QString::fromLocal8Bit(argv[1])) : nullptr;
    std::unique_ptr<QCoreApplication> app;
    if (named && named->runtime == Runtime::Headless) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        app = std::make_unique<QGuiApplication>(argc, argv);
        sw::registerFontSubstitutions();
    }
    QCoreApplication::setApplicationName(QStringLiteral("sheetwright-cli"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") ||
        args.first() == QLatin1String("-h")) {
        printHelp(out);
        return args.isEmpty() ? ExitUsage : ExitOk;
    }
    if (args.first() == QLatin1String("--version")) {
        out << "sheetwright-cli " << PROJECT_VERSION << "\n";
        return ExitOk;
    }
    const QString name = args.takeFirst();
    if (!named) {
        err << QStringLiteral("sheetwright-cli：未知命令 %1（见 --help）\n").arg(name);
        return ExitUsage;
    }
    try {
        if (optionPart(args).contains(QLatin1String("--help"))) {
            out << usage(*named) << QString::fromUtf8(named->help) << "\n";
            return ExitOk;
        }
        return named->run(takePpi(args));
    } catch (const UsageError& e) {
        err << QStringLiteral("sheetwright-cli %1：%2\n").arg(name, e.message) << usage(*named);
        return ExitUsage;
    }
}
