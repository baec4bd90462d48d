#include "editor/mainwindow.h"
#include "editor/windowsettings.h"
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
    parser.setApplicationDescription(QStringLiteral("Designer for exam answer-sheet templates"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("Template (.exm) to open"),
                                 QStringLiteral("[file]"));
    const QCommandLineOption databaseOption(
        QStringLiteral("db"),
        QStringLiteral("The template library and wizard settings: a SQLite file (default: "
                       "sheetwright.db beside the program) or a shared PostgreSQL database, "
                       "postgresql://user@host[:port]/dbname"),
        QStringLiteral("file-or-url"));
    parser.addOption(databaseOption);
    parser.process(app);
    const QString database =
        parser.isSet(databaseOption) ? parser.value(databaseOption) : sw::defaultDatabasePath();

    const QScreen* screen = QGuiApplication::primaryScreen();
    const int pixelsPerInch = screen ? qRound(screen->logicalDotsPerInch()) : 96;
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
