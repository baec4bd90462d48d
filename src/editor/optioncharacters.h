#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace sw {

// The option strings offered for the characters ("字符") of a bubble box.
QStringList builtInOptionCharacters();

// The file that replaces the built-in list, relative to the working folder.
inline const QString OptionCharacterFile = QStringLiteral("temp/typelist.tmp");

// Files larger than this are refused rather than read.
constexpr qint64 MaxOptionCharacterFileSize = 1 << 20;

// The lines of "temp/typelist.tmp" in the folder (a file literally named
// "temp\typelist.tmp" there is accepted too), one option string per line,
// UTF-8 or GBK. Nothing when neither file exists; nothing with the reason in
// *error when the file cannot be read or is too large.
std::optional<QStringList> readOptionCharacterFile(const QString& folder, QString* error = nullptr);

} // namespace sw
