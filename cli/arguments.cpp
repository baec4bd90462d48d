#include "cli/arguments.h"

#include <cmath>

namespace sw::cli {

Arguments::Arguments(const QStringList& args, const QStringList& flags, const QStringList& valued)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--")) {
            // Everything after "--" is positional, also a file named like an option.
            m_positional << args.mid(i + 1);
            break;
        }
        if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            if (flags.contains(a)) {
                m_flags << a;
            } else if (valued.contains(a)) {
                if (i + 1 >= args.size())
                    throw UsageError{QStringLiteral("%1 需要一个值").arg(a)};
                m_values.insert(a, args.at(++i));
            } else {
                throw UsageError{QStringLiteral("未知选项 %1").arg(a)};
            }
        } else {
            m_positional << a;
        }
    }
}

QString Arguments::positional(int i, const char* what) const
{
    if (i >= m_positional.size())
        throw UsageError{QStringLiteral("缺少 %1").arg(QString::fromUtf8(what))};
    return m_positional.at(i);
}

void Arguments::expectPositional(int min, int max) const
{
    if (m_positional.size() < min)
        throw UsageError{QStringLiteral("缺少参数")};
    if (m_positional.size() > max)
        throw UsageError{QStringLiteral("多余的参数 %1").arg(m_positional.at(max))};
}

std::optional<QString> Arguments::value(const QString& name) const
{
    const auto it = m_values.constFind(name);
    if (it == m_values.constEnd())
        return std::nullopt;
    return *it;
}

int Arguments::intValue(const QString& name, int def, int min, int max) const
{
    const auto v = value(name);
    if (!v)
        return def;
    bool ok = false;
    const int n = v->toInt(&ok);
    if (!ok || n < min || n > max)
        throw UsageError{QStringLiteral("%1 应为 %2 到 %3 的整数").arg(name).arg(min).arg(max)};
    return n;
}

double Arguments::doubleValue(const QString& name, double def, double min, double max) const
{
    const auto v = value(name);
    if (!v)
        return def;
    bool ok = false;
    const double d = v->toDouble(&ok);
    if (!ok || !std::isfinite(d) || d < min || d > max)
        throw UsageError{QStringLiteral("%1 应为 %2 到 %3 的数").arg(name).arg(min).arg(max)};
    return d;
}

} // namespace sw::cli
