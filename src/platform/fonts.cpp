#include "platform/fonts.h"

#include <QFont>
#include <QStringList>

namespace sw {

void registerFontSubstitutions()
{
    // Font matching tries the substitutes in order and passes over those not
    // installed, so the lists need no checking here; checking would load the
    // whole font database at start, which commands that draw no text never need.
    const QStringList song = {QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC"),
                              QStringLiteral("Noto Sans CJK SC")};
    const QStringList hei = {QStringLiteral("Noto Sans CJK SC"),
                             QStringLiteral("Droid Sans Fallback")};
    const QStringList arial = {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    const QStringList sansSerif = {QStringLiteral("DejaVu Sans"),
                                   QStringLiteral("Liberation Sans")};
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
