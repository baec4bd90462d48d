// libFuzzer target for the wizard settings JSON: a document is either refused
// with a message, leaving the settings as they were, or applied, leaving
// settings that pass their own checks.
#include "wizard/settings.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QJsonDocument json = QJsonDocument::fromJson(bytes);
    if (!json.isObject())
        return 0;
    sw::WizardSettings settings;
    QString error;
    if (!settings.applyJson(json.object(), &error)) {
        if (error.isEmpty() || !(settings == sw::WizardSettings()))
            std::abort(); // refused without a reason, or changed anyway
        return 0;
    }
    if (!settings.validate(&error))
        std::abort(); // applied values the checks refuse
    return 0;
}
