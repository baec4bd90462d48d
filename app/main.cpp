#include "editor/mainwindow.h"
#include "editor/windowsettings.h"
#include "platform/fonts.h"
#include "platform/rounding.h"
#include "platform/widgets/dialogservice.h"
#include "platform/widgets/qttranslations.h"
#include "review/reviewlauncher.h"
#include "storage/databasepath.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QScreen>
#include <string_view>

namespace {

const QCommandLineOption ReviewOption(QStringLiteral("review"),
                                      QStringLiteral("打开考试的复核窗口，而不是设计器"),
                                      QStringLiteral("考试"));

// The description of the command line; returns the database option.
QCommandLineOption describeCommandLine(QCommandLineParser& parser)
{
    // Qt's own texts (usage line, help and version options) come from its
    // Chinese catalogue.
    parser.setApplicationDescription(QStringLiteral("答题卡模板设计器"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("文件"), QStringLiteral("要打开的模板（.exm）"),
                                 QStringLiteral("[文件]"));
    const QCommandLineOption databaseOption(
        QStringLiteral("db"),
        QStringLiteral("模板库和向导设置所在的数据库：SQLite 文件（默认为程序旁的 "
                       "sheetwright.db），或 PostgreSQL 服务器上共用的数据库 "
                       "postgresql://user@host[:port]/dbname"),
        QStringLiteral("文件或URL"));
    parser.addOption(databaseOption);
    parser.addOption(ReviewOption);
    return databaseOption;
}

void describeApplication(QCoreApplication& app)
{
    QCoreApplication::setApplicationName(QStringLiteral("sheetwright"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));
    sw::installQtTranslations(app);
}

// --help and --version print and end: they need no display.
bool onlyPrints(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--")
            return false;
        if (argument == "-h" || argument == "--help" || argument == "--help-all" ||
            argument == "-v" || argument == "--version" || argument == "-?")
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (onlyPrints(argc, argv)) {
        QCoreApplication app(argc, argv);
        describeApplication(app);
        QCommandLineParser parser;
        describeCommandLine(parser);
        parser.process(app); // prints and exits
        return 0;
    }

    QApplication app(argc, argv);
    describeApplication(app);
    QApplication::setApplicationDisplayName(sw::ApplicationTitle);
    QApplication::setDesktopFileName(QStringLiteral("sheetwright"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/sheetwright.svg")));
    sw::registerFontSubstitutions();

    QCommandLineParser parser;
    const QCommandLineOption databaseOption = describeCommandLine(parser);
    parser.process(app);
    const QString database =
        parser.isSet(databaseOption) ? parser.value(databaseOption) : sw::defaultDatabasePath();

    const QScreen* screen = QGuiApplication::primaryScreen();
    const int pixelsPerInch = screen ? sw::roundHalfEven(screen->logicalDotsPerInch()) : 96;
    if (parser.isSet(ReviewOption)) {
        QString error;
        if (!sw::showExamReview(database, parser.value(ReviewOption), pixelsPerInch, &error)) {
            sw::refuse(nullptr, error, sw::MessageIcon::Critical);
            return 1;
        }
        return app.exec();
    }
    sw::MainWindow window({pixelsPerInch, database, {}});
    if (!window.openDatabase())
        return 1;
    if (sw::restoreWindowSettings(window)) {
        window.show();
    } else {
        // Without a window manager (a bare X server) maximising does nothing.
        if (screen)
            window.setGeometry(screen->availableGeometry());
        window.showMaximized();
    }
    if (!parser.positionalArguments().isEmpty())
        window.openFile(parser.positionalArguments().constFirst());
    return app.exec();
}
