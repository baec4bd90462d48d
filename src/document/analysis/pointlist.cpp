#include "document/analysis/pointlist.h"

#include <QStringView>

namespace sw {

QString formatPointList(const std::vector<TPoint>& points)
{
    QString text;
    text.reserve(int(points.size()) * 8);
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i > 0)
            text += u';';
        text += QString::number(points[i].X);
        text += u',';
        text += QString::number(points[i].Y);
    }
    return text;
}

std::vector<TPoint> parsePointList(const QString& text)
{
    std::vector<TPoint> points;
    for (const QStringView entry : QStringView(text).tokenize(u';', Qt::SkipEmptyParts)) {
        const qsizetype comma = entry.indexOf(u',');
        if (comma < 0)
            continue;
        bool okX = false;
        bool okY = false;
        const int x = entry.left(comma).trimmed().toInt(&okX);
        const int y = entry.mid(comma + 1).trimmed().toInt(&okY);
        if (okX && okY)
            points.push_back({x, y});
    }
    return points;
}

} // namespace sw
