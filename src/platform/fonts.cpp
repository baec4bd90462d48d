#include "platform/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace sw {

namespace {

// The first installed family of the candidates, or the first candidate.
QStringList installed(const QStringList& candidates)
{
    const QStringList families = QFontDatabase::families();
    QStringList found;
    for (const QString& c : candidates) {
        if (families.contains(c, Qt::CaseInsensitive))
            found << c;
    }
    return found.isEmpty() ? candidates : found;
}

} // namespace

void registerFontSubstitutions()
{
    const QStringList song =
        installed({QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC"),
                   QStringLiteral("Noto Sans CJK SC")});
    const QStringList hei =
        installed({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Droid Sans Fallback")});
    const QStringList arial =
        installed({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    const QStringList sansSerif =
        installed({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    const QStringList songFamilies = {QStringLiteral("宋体"), QStringLiteral("新宋体"),
                                      QStringLiteral("SimSun"), QStringLiteral("NSimSun")};
    for (const QString& family : songFamilies)
        QFont::insertSubstitutions(family, song);
    const QStringList heiFamilies = {QStringLiteral("黑体"), QStringLiteral("SimHei"),
                                     QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei")};
    for (const QString& family : heiFamilies)
        QFont::insertSubstitutions(family, hei);
    QFont::insertSubstitutions(QStringLiteral("Arial"), arial + song);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sansSerif + song);
}

} // namespace sw
