#pragma once

#include <QString>

namespace sw::stream {

// Raised inside the reader; the public entry points turn it into a message.
struct StreamError
{
    QString message;
};

QString invalidStreamFormat();
QString streamReadError();
QString propertyDoesNotExist(const QString& name);
QString invalidPropertyPath();
QString invalidPropertyValue();
// "Error reading <owner>.<path>: <inner>"
QString errorReading(const QString& owner, const QString& path, const QString& inner);

[[noreturn]] void fail(const QString& message);

} // namespace sw::stream
