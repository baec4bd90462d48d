#include "document/stream/errors.h"

namespace sw::stream {

QString invalidStreamFormat()
{
    return QStringLiteral("Invalid stream format");
}

QString streamReadError()
{
    return QStringLiteral("Stream read error");
}

QString propertyDoesNotExist(const QString& name)
{
    return QStringLiteral("Property %1 does not exist").arg(name);
}

QString invalidPropertyPath()
{
    return QStringLiteral("Invalid property path");
}

QString invalidPropertyValue()
{
    return QStringLiteral("Invalid property value");
}

QString errorReading(const QString& owner, const QString& path, const QString& inner)
{
    // Built by concatenation: the parts may themselves contain "%1".
    return QStringLiteral("Error reading ") + owner + u'.' + path + QStringLiteral(": ") + inner;
}

void fail(const QString& message)
{
    throw StreamError{message};
}

} // namespace sw::stream
