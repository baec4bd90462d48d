#include "review/reviewer.h"

#include "platform/widgets/dialogservice.h"

#include <QSettings>

namespace sw {

namespace {

const QString ReviewerKey = QStringLiteral("review/reviewer");

} // namespace

QString reviewerName(QWidget* parent)
{
    QSettings settings;
    const QString remembered = settings.value(ReviewerKey).toString().trimmed();
    if (!remembered.isEmpty())
        return remembered;
    const std::optional<QString> asked = dialogService().inputText(
        parent, QStringLiteral("复核人"), QStringLiteral("复核人姓名："), QString());
    if (!asked || asked->trimmed().isEmpty())
        return {};
    settings.setValue(ReviewerKey, asked->trimmed());
    return asked->trimmed();
}

} // namespace sw
