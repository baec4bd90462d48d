#include "editor/personalisecommand.h"

#include "editor/mainwindow.h"
#include "personalise/personalisedsheets.h"
#include "personalise/roster.h"
#include "platform/widgets/dialogservice.h"

#include <QDir>

namespace sw {

void PersonaliseSheets(MainWindow& window)
{
    const FileChoice rosterFile =
        dialogService().openFile(&window, RosterCaption, {QStringLiteral("考生名单 (*.csv)")});
    if (!rosterFile.chosen())
        return;
    QString error;
    const auto roster = readRosterFile(rosterFile.path, &error);
    const PersonaliseOptions options;
    if (!roster || !checkPersonalisation(window.document(), *roster, options, &error)) {
        refuse(&window, error);
        return;
    }
    const FileChoice out =
        dialogService().saveFile(&window, PersonaliseCaption, {QStringLiteral("PDF (*.pdf)")});
    if (!out.chosen())
        return;
    const QString path = out.path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)
                             ? out.path
                             : out.path + QStringLiteral(".pdf");
    if (!savePersonalisedPdf(window.document(), *roster, options, path, &error)) {
        refuse(&window,
               QStringLiteral("不能写入“%1”：\n%2").arg(QDir::toNativeSeparators(path), error));
        return;
    }
    window.showStatus(QStringLiteral("已为%1名考生生成个人答题卡“%2”")
                          .arg(roster->Candidates.size())
                          .arg(QDir::toNativeSeparators(path)));
}

} // namespace sw
