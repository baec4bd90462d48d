#pragma once

#include <QString>
#include <QStringList>

#include <array>

class QJsonObject;

namespace sw {

// List positions of the wizard's choices, as stored.
enum WizardPaperSize : int
{
    WizardA4 = 0,
    WizardB4 = 1,
    WizardA3 = 2
};

enum WizardStyle : int
{
    WizardTwoColumns = 0,
    WizardThreeColumns = 1
};

enum WizardExamCodeType : int
{
    WizardBarcode = 0,
    WizardBubbles = 1
};

// The eleven inputs of the answer-sheet wizard, named after their `pageset`
// columns. The members start at the wizard's defaults.
struct WizardSettings
{
    int pagecount = 2;
    int pagesize = WizardA3;
    int pagetype = WizardTwoColumns;
    int examcodetype = WizardBubbles;
    int examcodeleng = 12;
    int kgcount = 15;
    int groupnumber = 5;
    QStringList attention = defaultAttention();
    QStringList title = defaultTitle();
    QStringList info = defaultInfo();
    QString warning = defaultWarning();

    static QStringList defaultAttention();
    static QStringList defaultTitle();
    static QStringList defaultInfo();
    static QString defaultWarning();

    // Checks every range; the message names the offending key.
    bool validate(QString* error = nullptr) const;

    // Replaces the settings named in `overrides` (keys are the column names;
    // integers as JSON numbers; the line texts as a string or an array of
    // lines). Unknown keys, wrong types and out-of-range values are refused
    // with a message naming the key, leaving the settings unchanged.
    bool applyJson(const QJsonObject& overrides, QString* error = nullptr);

    bool operator==(const WizardSettings&) const = default;
};

// An integer setting: its column name, its range and its member.
struct WizardIntegerSetting
{
    const char* key;
    int minimum;
    int maximum;
    int WizardSettings::*field;
};

// The seven integer settings in their storage order.
const std::array<WizardIntegerSetting, 7>& wizardIntegerSettings();

// False, with a message naming the key, when `value` lies outside the range.
bool checkWizardInteger(const WizardIntegerSetting& setting, double value,
                        QString* error = nullptr);

// A multi-line text setting: its column name and its member.
struct WizardLinesSetting
{
    const char* key;
    QStringList WizardSettings::*field;
};

// `attention`, `title` and `info` in their storage order; `warning`, the
// single-line text, follows them in storage.
const std::array<WizardLinesSetting, 3>& wizardLinesSettings();
inline constexpr const char* WizardWarningKey = "warning";

// The eleven column names in storage order: the integers, the line texts, the warning.
QStringList wizardSettingKeys();

// A setting as messages name it: the wizard's label and the column name.
QString wizardSettingName(const QString& key);

// The stored form of a multi-line text: the lines joined by CR LF.
QString joinWizardLines(const QStringList& lines);
// Splits a stored text at CR LF, CR or LF; an empty text has no lines.
QStringList splitWizardLines(const QString& text);

} // namespace sw
