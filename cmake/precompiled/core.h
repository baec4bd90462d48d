// Headers nearly every source file of the core and its tests reads; compiled
// once per target (target_precompile_headers) instead of once per file.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>
