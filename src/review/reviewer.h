#pragma once

#include <QString>

class QWidget;

namespace sw {

// The name decisions are stored under: remembered from the last time, or
// asked for once and remembered. Empty when the person cancels.
QString reviewerName(QWidget* parent);

} // namespace sw
