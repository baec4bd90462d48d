#include "wizard/settings.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QRegularExpression>

#include <cmath>
#include <utility>

namespace sw {

namespace {

bool fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
}

bool hasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

bool readInteger(const QJsonValue& value, const WizardIntegerSetting& setting, int& result,
                 QString* error)
{
    const QLatin1String key(setting.key);
    if (!value.isDouble())
        return fail(error, QStringLiteral("%1应为整数").arg(wizardSettingName(key)));
    const double number = value.toDouble();
    if (number != std::trunc(number))
        return fail(error,
                    QStringLiteral("%1的值 %2 不是整数").arg(wizardSettingName(key)).arg(number));
    if (!checkWizardInteger(setting, number, error))
        return false;
    result = static_cast<int>(number);
    return true;
}

template <typename Table>
const typename Table::value_type* findSetting(const Table& table, const QString& key)
{
    for (const auto& setting : table)
        if (key == QLatin1String(setting.key))
            return &setting;
    return nullptr;
}

// A text as one string (split at its line breaks) or as an array of lines.
bool readLines(const QJsonValue& value, const QString& key, QStringList& result, QString* error)
{
    if (value.isString()) {
        result = splitWizardLines(value.toString());
        return true;
    }
    if (!value.isArray())
        return fail(error,
                    QStringLiteral("%1应为字符串或由各行组成的数组").arg(wizardSettingName(key)));
    QStringList lines;
    const QJsonArray array = value.toArray();
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QJsonValue line = array.at(i);
        if (!line.isString())
            return fail(
                error,
                QStringLiteral("%1的第 %2 项应为字符串").arg(wizardSettingName(key)).arg(i + 1));
        if (hasLineBreak(line.toString()))
            return fail(
                error,
                QStringLiteral("%1的第 %2 行含有换行符").arg(wizardSettingName(key)).arg(i + 1));
        lines.append(line.toString());
    }
    result = lines;
    return true;
}

bool readWarning(const QJsonValue& value, QString& result, QString* error)
{
    QStringList lines;
    if (!readLines(value, QLatin1String(WizardWarningKey), lines, error))
        return false;
    if (lines.size() > 1)
        return fail(
            error,
            QStringLiteral("%1只能有一行").arg(wizardSettingName(QLatin1String(WizardWarningKey))));
    result = lines.value(0);
    return true;
}

} // namespace

QStringList WizardSettings::defaultAttention()
{
    return {
        QStringLiteral("1.答题前,考生先将自己的院系、专业、"),
        QStringLiteral("年级、姓名，填写清楚。"),
        QStringLiteral("2.选择题必须使用2B铅笔填涂；非选择"),
        QStringLiteral("题必须使用黑色字迹钢笔或签字笔书写，"),
        QStringLiteral("字体工整、笔迹清楚。"),
        QStringLiteral("3.请按照题号顺序在各题目的答题区域"),
        QStringLiteral("内作答，超出答题区域书写的答案无效；"),
        QStringLiteral("在草稿纸、试题卷子上的答题无效。"),
        QStringLiteral("4.作图可先用2B铅笔画出，确定后用铅"),
        QStringLiteral("笔或签字笔的黑色字迹覆盖。"),
        QStringLiteral("5.保持清洁，不要折叠，不要弄破、弄"),
        QStringLiteral("皱，不准使用涂改液、修正带、刮纸刀。"),
    };
}

QStringList WizardSettings::defaultTitle()
{
    return {QStringLiteral("示范大学"), QStringLiteral("《》答题纸")};
}

QStringList WizardSettings::defaultInfo()
{
    return {QStringLiteral("院系"), QStringLiteral("专业"), QStringLiteral("年级"),
            QStringLiteral("姓名")};
}

QString WizardSettings::defaultWarning()
{
    return QStringLiteral("请在各题的答题区域内作答,超出黑色矩形边框限定的答案无效");
}

const std::array<WizardIntegerSetting, 7>& wizardIntegerSettings()
{
    static const std::array<WizardIntegerSetting, 7> settings{{
        {"pagecount", 1, 4, &WizardSettings::pagecount},
        {"pagesize", WizardA4, WizardA3, &WizardSettings::pagesize},
        {"pagetype", WizardTwoColumns, WizardThreeColumns, &WizardSettings::pagetype},
        {"examcodetype", WizardBarcode, WizardBubbles, &WizardSettings::examcodetype},
        {"examcodeleng", 1, 20, &WizardSettings::examcodeleng},
        {"kgcount", 1, 200, &WizardSettings::kgcount},
        {"groupnumber", 1, 200, &WizardSettings::groupnumber},
    }};
    return settings;
}

bool checkWizardInteger(const WizardIntegerSetting& setting, double value, QString* error)
{
    if (value >= setting.minimum && value <= setting.maximum)
        return true;
    return fail(error, QStringLiteral("%1的值 %2 超出 %3 到 %4 的范围")
                           .arg(wizardSettingName(QLatin1String(setting.key)))
                           .arg(value, 0, 'g', 15)
                           .arg(setting.minimum)
                           .arg(setting.maximum));
}

const std::array<WizardLinesSetting, 3>& wizardLinesSettings()
{
    static const std::array<WizardLinesSetting, 3> settings{{
        {"attention", &WizardSettings::attention},
        {"title", &WizardSettings::title},
        {"info", &WizardSettings::info},
    }};
    return settings;
}

QString wizardSettingName(const QString& key)
{
    static const std::array<std::pair<const char*, const char*>, 11> labels{{
        {"pagecount", "页数"},
        {"pagesize", "尺寸"},
        {"pagetype", "样式"},
        {"examcodetype", "准考证类型"},
        {"examcodeleng", "准考证位数"},
        {"kgcount", "客观题数量"},
        {"groupnumber", "每组数量"},
        {"attention", "注意事项"},
        {"title", "标题"},
        {"info", "信息"},
        {"warning", "警告内容"},
    }};
    for (const auto& [stored, label] : labels)
        if (key == QLatin1String(stored))
            return QStringLiteral("向导设置“%1”（%2）").arg(QString::fromUtf8(label), key);
    return QStringLiteral("向导设置 %1").arg(key);
}

QStringList wizardSettingKeys()
{
    QStringList keys;
    for (const WizardIntegerSetting& setting : wizardIntegerSettings())
        keys << QLatin1String(setting.key);
    for (const WizardLinesSetting& setting : wizardLinesSettings())
        keys << QLatin1String(setting.key);
    keys << QLatin1String(WizardWarningKey);
    return keys;
}

bool WizardSettings::validate(QString* error) const
{
    for (const WizardIntegerSetting& setting : wizardIntegerSettings()) {
        if (!checkWizardInteger(setting, this->*setting.field, error))
            return false;
    }
    for (const WizardLinesSetting& setting : wizardLinesSettings()) {
        const QStringList& lines = this->*setting.field;
        for (qsizetype i = 0; i < lines.size(); ++i)
            if (hasLineBreak(lines[i]))
                return fail(error, QStringLiteral("%1的第 %2 行含有换行符")
                                       .arg(wizardSettingName(QLatin1String(setting.key)))
                                       .arg(i + 1));
    }
    if (hasLineBreak(warning))
        return fail(
            error,
            QStringLiteral("%1只能有一行").arg(wizardSettingName(QLatin1String(WizardWarningKey))));
    return true;
}

bool WizardSettings::applyJson(const QJsonObject& overrides, QString* error)
{
    WizardSettings result = *this;
    for (auto it = overrides.begin(); it != overrides.end(); ++it) {
        const QString key = it.key();
        bool ok = false;
        if (const auto* setting = findSetting(wizardIntegerSettings(), key))
            ok = readInteger(it.value(), *setting, result.*setting->field, error);
        else if (const auto* setting = findSetting(wizardLinesSettings(), key))
            ok = readLines(it.value(), key, result.*setting->field, error);
        else if (key == QLatin1String(WizardWarningKey))
            ok = readWarning(it.value(), result.warning, error);
        else
            return fail(error, QStringLiteral("%1 不是向导设置的名称").arg(key));
        if (!ok)
            return false;
    }
    if (!result.validate(error))
        return false;
    *this = result;
    return true;
}

QString joinWizardLines(const QStringList& lines)
{
    return lines.join(QStringLiteral("\r\n"));
}

QStringList splitWizardLines(const QString& text)
{
    if (text.isEmpty())
        return {};
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    return text.split(lineBreak);
}

} // namespace sw
