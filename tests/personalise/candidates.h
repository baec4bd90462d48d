#pragma once

#include "personalise/roster.h"

#include <QByteArray>
#include <QString>

namespace sw::test {

// A roster of `count` candidates numbered 20260001 on, named 李雷1, 李雷2 …,
// in rooms 1 to 3.
inline QByteArray rosterCsv(int count)
{
    QByteArray csv = "exam_number,name,room\n";
    for (int i = 1; i <= count; ++i)
        csv += QStringLiteral("%1,李雷%2,%3\n").arg(20260000 + i).arg(i).arg(1 + i % 3).toUtf8();
    return csv;
}

inline Roster testRoster(int count)
{
    QString error;
    return parseRoster(rosterCsv(count), &error).value_or(Roster{});
}

} // namespace sw::test
