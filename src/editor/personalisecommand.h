#pragma once

#include <QString>

namespace sw {

class MainWindow;

inline const QString PersonaliseCaption = QStringLiteral("生成个人答题卡");
inline const QString RosterCaption = QStringLiteral("选择考生名单");

// "生成个人答题卡…": asks for a roster (CSV with exam_number and name) and
// for the PDF to write, and writes one copy of the template per candidate
// with barcode, filled exam number and names. A roster the template cannot
// take is refused with its reason before the PDF is asked for.
void PersonaliseSheets(MainWindow& window);

} // namespace sw
