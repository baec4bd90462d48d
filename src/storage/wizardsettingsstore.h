#pragma once

#include "wizard/settings.h"

#include <QString>

namespace sw {

class Database;

// Reads the first `pageset` row into `settings`. With an empty table the
// settings become the defaults and *found (if given) false. A row holding a
// missing, non-integer or out-of-range value is refused with a message naming
// the column, leaving `settings` unchanged.
bool loadWizardSettings(const Database& database, WizardSettings& settings,
                        QString* error = nullptr, bool* found = nullptr);

// Writes the settings into the first `pageset` row, adding the row to an empty
// table, in one transaction. Invalid settings are refused.
bool storeWizardSettings(Database& database, const WizardSettings& settings,
                         QString* error = nullptr);

} // namespace sw
