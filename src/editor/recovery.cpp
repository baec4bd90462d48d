#include "editor/recovery.h"

#include "document/vectorgraphics.h"
#include "editor/editingcontroller.h"
#include "editor/filecommands.h"
#include "editor/history.h"
#include "editor/mainwindow.h"
#include "platform/widgets/designersettings.h"
#include "platform/widgets/dialogservice.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUuid>
#include <algorithm>

namespace sw {

namespace {

const QString TemplateEnding = QStringLiteral(".exm");
const QString InfoEnding = QStringLiteral(".json");
const QString LockEnding = QStringLiteral(".lock");
// The note beside a recovery file is a few hundred bytes.
constexpr qint64 MaxInfoBytes = 64 * 1024;

bool fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
    return false;
}

// Reads the note beside a recovery file into `file`.
bool readInfo(RecoveryFile& file, QString* error)
{
    QFile info(file.infoPath);
    if (!info.open(QIODevice::ReadOnly))
        return fail(error, info.errorString());
    if (info.size() > MaxInfoBytes)
        return fail(error, QStringLiteral("说明文件过大"));
    QJsonParseError parseError;
    const QJsonDocument json = QJsonDocument::fromJson(info.readAll(), &parseError);
    const QJsonObject object = json.object();
    file.savedAt = QDateTime::fromString(object.value(QStringLiteral("savedAt")).toString(),
                                         Qt::ISODateWithMs);
    file.originalFileName = object.value(QStringLiteral("originalFile")).toString();
    if (parseError.error != QJsonParseError::NoError || !file.savedAt.isValid())
        return fail(error, QStringLiteral("说明文件不完整"));
    return true;
}

QString described(const RecoveryFile& file)
{
    if (file.originalFileName.isEmpty())
        return QStringLiteral("一个从未保存过的模板");
    return QStringLiteral("模板“%1”").arg(QDir::toNativeSeparators(file.originalFileName));
}

void reportDamaged(QWidget* parent, const QString& path, const QString& error)
{
    refuse(parent, QStringLiteral("自动保存的恢复文件“%1”已损坏，不能恢复：\n%2\n文件保留在原处。")
                       .arg(QDir::toNativeSeparators(path), error));
}

void removePair(const RecoveryFile& file)
{
    QFile::remove(file.infoPath);
    QFile::remove(file.templatePath);
}

} // namespace

Recovery::Recovery(MainWindow& window, const QString& folder, QObject* parent)
    : QObject(parent), m_window(window), m_folder(folder.isEmpty() ? defaultFolder() : folder),
      m_session(QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    m_timer.setInterval(intervalSeconds() * 1000);
    connect(&m_timer, &QTimer::timeout, this, &Recovery::saveNow);
}

Recovery::~Recovery() = default;

QString Recovery::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recovery");
}

int Recovery::intervalSeconds()
{
    bool ok = false;
    const int seconds =
        designerSettings()->value(RecoveryIntervalKey, DefaultRecoveryIntervalSeconds).toInt(&ok);
    // At most a day: the timer counts milliseconds in an int.
    return ok && seconds >= 1 && seconds <= 24 * 3600 ? seconds : DefaultRecoveryIntervalSeconds;
}

void Recovery::start()
{
    connect(&m_window.controller().History(), &OperationHistory::stateChanged, this,
            &Recovery::historyChanged);
    m_timer.start();
}

QString Recovery::templatePath() const
{
    return m_folder + QLatin1Char('/') + m_session + TemplateEnding;
}

void Recovery::historyChanged()
{
    if (m_window.controller().History().IsModified())
        m_pending = true;
    else
        discard();
}

bool Recovery::claimFolder()
{
    if (m_lock)
        return true;
    if (!QDir().mkpath(m_folder))
        return false;
    auto lock = std::make_unique<QLockFile>(m_folder + QLatin1Char('/') + m_session + LockEnding);
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    m_lock = std::move(lock);
    return true;
}

bool Recovery::saveNow()
{
    if (!m_pending || !m_window.controller().History().IsModified())
        return false;
    QString error;
    bool saved = claimFolder();
    if (!saved) {
        error = QStringLiteral("不能使用文件夹“%1”").arg(QDir::toNativeSeparators(m_folder));
    } else {
        // Written aside from the document's own saving, which would take the
        // recovery file for the template's file.
        QSaveFile file(templatePath());
        saved = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                m_window.document().SaveToStream(SaveAllShapes, file, &error);
        if (saved && !file.commit()) {
            saved = false;
            error = file.errorString();
        }
        if (!saved && error.isEmpty())
            error = file.errorString();
        saved = saved && writeInfo(m_folder + QLatin1Char('/') + m_session + InfoEnding, &error);
    }
    if (!saved) {
        m_window.showStatus(QStringLiteral("自动保存失败：%1").arg(error));
        return false;
    }
    m_pending = false;
    m_window.showStatus(QStringLiteral("已自动保存，以便程序意外退出后恢复"));
    return true;
}

bool Recovery::writeInfo(const QString& path, QString* error) const
{
    QJsonObject info;
    info.insert(QStringLiteral("savedAt"),
                QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
    info.insert(QStringLiteral("originalFile"), m_window.fileName());
    const QByteArray bytes = QJsonDocument(info).toJson();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return fail(error, file.errorString());
    return true;
}

void Recovery::discard()
{
    m_pending = false;
    if (!m_lock)
        return;
    QFile::remove(m_folder + QLatin1Char('/') + m_session + InfoEnding);
    QFile::remove(templatePath());
}

std::vector<RecoveryFile> Recovery::abandonedFiles() const
{
    std::vector<RecoveryFile> files;
    const QDir folder(m_folder);
    const QStringList notes =
        folder.entryList({QStringLiteral("*") + InfoEnding}, QDir::Files, QDir::Name);
    for (const QString& note : notes) {
        const QString session = note.chopped(InfoEnding.size());
        if (session == m_session)
            continue;
        // A session that runs holds its lock; the lock of one that ended
        // without a clean exit is stale and taken over here.
        QLockFile lock(folder.filePath(session + LockEnding));
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0))
            continue;
        lock.unlock();
        RecoveryFile file;
        file.templatePath = folder.filePath(session + TemplateEnding);
        file.infoPath = folder.filePath(note);
        readInfo(file, nullptr);
        files.push_back(file);
    }
    std::stable_sort(files.begin(), files.end(), [](const RecoveryFile& a, const RecoveryFile& b) {
        return a.savedAt > b.savedAt;
    });
    return files;
}

void Recovery::offerRestore()
{
    for (const RecoveryFile& file : abandonedFiles()) {
        if (offer(file))
            return;
    }
}

bool Recovery::offer(const RecoveryFile& file)
{
    RecoveryFile checked = file;
    QString error;
    if (!readInfo(checked, &error)) {
        reportDamaged(&m_window, file.infoPath, error);
        return false;
    }
    const QString question =
        QStringLiteral("程序上次没有正常退出。%1 自动保存了%2的修改。\n是否恢复？")
            .arg(checked.savedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                 described(checked));
    if (!dialogService().offer(&m_window, question, ApplicationTitle, RestoreButtonText,
                               DiscardButtonText)) {
        removePair(checked);
        return false;
    }
    if (!m_window.fileCommands().OpenRecovered(checked.templatePath, checked.originalFileName,
                                               &error)) {
        reportDamaged(&m_window, checked.templatePath, error);
        return false;
    }
    removePair(checked);
    return true;
}

} // namespace sw
