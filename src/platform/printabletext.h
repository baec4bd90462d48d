#pragma once

#include <QByteArray>
#include <QString>

namespace sw {

// Text that is safe to print on a terminal or in a one-line record: control
// characters (C0, DEL, C1) and the backslash are written as "\xNN" escapes,
// "\u2028" style for line and paragraph separators, everything else as it is.
QString printableText(const QString& text);

// A file name as the file system spells it: UTF-8 where its bytes are UTF-8,
// other bytes (a GBK name from a Windows share) as "\xNN" escapes, control
// characters escaped as printableText does. Two different names never read
// the same.
QString printableFileName(const QByteArray& nativeName);

} // namespace sw
