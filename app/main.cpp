#include "editor/mainwindow.h"
#include "platform/fonts.h"
#include "platform/widgets/dialogservice.h"
#include "platform/widgets/qttranslations.h"
#include "storage/databasepath.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QScreen>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("sheetwright"));
    QApplication::setApplicationDisplayName(sw::ApplicationTitle);
    QApplication::setApplicationVersion(QStringLiteral(PROJECT_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("sheetwright"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/sheetwright.svg")));
    sw::registerFontSubstitutions();
    sw::installQtTranslations(app);

    QCommandLineParser parser;
    // Qt's own texts (usage line, help and version options) come from its
    // Chinese catalogue installed above.
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
    parser.process(app);
    const QString database =
        parser.isSet(databaseOption) ? parser.value(databaseOption) : sw::defaultDatabasePath();

    const QScreen* screen = QGuiApplication::primaryScreen();
    const int pixelsPerInch = screen ? qRound(screen->logicalDotsPerInch()) : 96;
    sw::MainWindow window({pixelsPerInch, database});
    if (!window.openDatabase())
        return 1;
    // Without a window manager (a bare X server) maximising does nothing.
    if (screen)
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    if (!parser.positionalArguments().isEmpty())
        window.openFile(parser.positionalArguments().constFirst());
    return app.exec();
}
