#include "storage/wizardsettingsstore.h"

#include "storage/database.h"
#include "storage/sqlsupport.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace sw {

namespace {

QVariantList values(const WizardSettings& settings)
{
    QVariantList result;
    for (const WizardIntegerSetting& setting : wizardIntegerSettings())
        result << settings.*setting.field;
    for (const WizardLinesSetting& setting : wizardLinesSettings())
        result << joinWizardLines(settings.*setting.field);
    result << settings.warning;
    return result;
}

QString storedSettingsInvalid(const Database& database, const QString& reason)
{
    return QStringLiteral("数据库 %1 中保存的向导设置无效：%2").arg(database.path(), reason);
}

bool readInteger(const Database& database, const QVariant& value,
                 const WizardIntegerSetting& setting, int& result, QString* error)
{
    const QLatin1String key(setting.key);
    if (value.isNull())
        return reportFailure(
            error, storedSettingsInvalid(database,
                                         QStringLiteral("%1没有值").arg(wizardSettingName(key))));
    const int type = value.typeId();
    if (type != QMetaType::LongLong && type != QMetaType::Int)
        return reportFailure(
            error,
            storedSettingsInvalid(database, QStringLiteral("%1的值“%2”不是整数")
                                                .arg(wizardSettingName(key), value.toString())));
    const qlonglong number = value.toLongLong();
    QString reason;
    if (!checkWizardInteger(setting, static_cast<double>(number), &reason))
        return reportFailure(error, storedSettingsInvalid(database, reason));
    result = static_cast<int>(number);
    return true;
}

} // namespace

bool loadWizardSettings(const Database& database, WizardSettings& settings, QString* error,
                        bool* found)
{
    if (!database.ready(error))
        return false;
    QSqlQuery query(database.connection());
    const QString sql = QStringLiteral("SELECT %1 FROM pageset ORDER BY rowid LIMIT 1")
                            .arg(wizardSettingKeys().join(QStringLiteral(", ")));
    if (!database.run(query, sql, {}, error))
        return false;
    const bool hasRow = query.next();
    if (!hasRow && query.lastError().isValid())
        return reportFailure(
            error, database.describeFailure(
                       QStringLiteral("不能读取数据库 %1 中的向导设置").arg(database.path()),
                       query.lastError()));
    if (found)
        *found = hasRow;
    if (!hasRow) {
        settings = WizardSettings();
        return true;
    }

    WizardSettings loaded;
    int index = 0;
    for (const WizardIntegerSetting& setting : wizardIntegerSettings())
        if (!readInteger(database, query.value(index++), setting, loaded.*setting.field, error))
            return false;
    for (const WizardLinesSetting& setting : wizardLinesSettings())
        loaded.*setting.field = splitWizardLines(query.value(index++).toString());
    loaded.warning = query.value(index).toString();
    QString reason;
    if (!loaded.validate(&reason))
        return reportFailure(error, storedSettingsInvalid(database, reason));
    settings = loaded;
    return true;
}

bool storeWizardSettings(Database& database, const WizardSettings& settings, QString* error)
{
    if (!settings.validate(error))
        return false;
    SqlTransaction transaction(database);
    // Two first stores at once would each add a row.
    if (!transaction.begun(error) || !database.lockForWriting(QStringLiteral("pageset"), error))
        return false;
    QSqlQuery query(database.connection());
    if (!database.run(query, QStringLiteral("SELECT rowid FROM pageset ORDER BY rowid LIMIT 1"), {},
                      error))
        return false;
    const QVariant row = query.next() ? query.value(0) : QVariant();
    query.finish();

    const QStringList names = wizardSettingKeys();
    if (row.isNull()) {
        const QStringList marks(names.size(), QStringLiteral("?"));
        if (!database.run(
                query,
                QStringLiteral("INSERT INTO pageset (%1) VALUES (%2)")
                    .arg(names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                values(settings), error))
            return false;
    } else {
        QStringList assignments;
        for (const QString& name : names)
            assignments << name + QStringLiteral(" = ?");
        if (!database.run(query,
                          QStringLiteral("UPDATE pageset SET %1 WHERE rowid = ?")
                              .arg(assignments.join(QStringLiteral(", "))),
                          values(settings) << row, error))
            return false;
    }
    return transaction.commit(error);
}

} // namespace sw
