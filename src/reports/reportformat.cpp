#include "reports/reportformat.h"

#include <cmath>

namespace sw {

namespace {

const QString NotDefinedText = QStringLiteral("—");

} // namespace

QString formatFigure(double value, int decimals)
{
    return std::isnan(value) ? NotDefinedText : QString::number(value, 'f', decimals);
}

QString formatPoints(double value)
{
    return std::isnan(value) ? NotDefinedText : QString::number(value, 'g', 10);
}

QString formatShare(double share)
{
    return std::isnan(share) ? NotDefinedText : QString::number(share * 100, 'f', 1) + u'%';
}

} // namespace sw
