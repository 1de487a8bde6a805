#include "core/statepersistence.h"

#include "core/systemlog.h"

#include <QDateTime>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>

#include <cerrno>
#include <utility>

namespace {

std::optional<QString> logSaveFailure(const QString &error)
{
    logSystemLine(QStringLiteral("Halvo StatePersistence save failed: ") + error);
    return error;
}

// Built-ins missing from the stored list are appended in built-in order, so
// a file from an older version gains presets added since.
void completePresets(HalvoPersistedState &state)
{
    QSet<QString> ids;
    for (const HalvoPreset &preset : std::as_const(state.presets))
        ids.insert(preset.id);
    for (const HalvoPreset &builtIn : HalvoPreset::builtInPresets()) {
        if (!ids.contains(builtIn.id))
            state.presets.append(builtIn);
    }
    ids.clear();
    for (const HalvoPreset &preset : std::as_const(state.presets))
        ids.insert(preset.id);
    if (!ids.contains(state.activeModeID))
        state.activeModeID = BuiltinPresetID::standard;
}

// A save holds its temporary file for milliseconds, so one this old was left by
// a process killed mid-save; a younger one may be another instance saving now.
constexpr qint64 staleTemporaryAgeSeconds = 60;

// QSaveFile (through QTemporaryFile) names its file "<target>.XXXXXX", the six
// placeholders replaced by ASCII letters only.
bool isSaveTemporaryName(QStringView name, QStringView target)
{
    constexpr qsizetype placeholderLength = 6;
    if (name.size() != target.size() + 1 + placeholderLength || !name.startsWith(target)
        || name[target.size()] != QLatin1Char('.'))
        return false;
    for (const QChar c : name.sliced(target.size() + 1)) {
        const char16_t u = c.unicode();
        if (!((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z')))
            return false;
    }
    return true;
}

// A kill during a save can leave a complete temporary file beside the target
// that nothing else would ever remove.
void removeStaleTemporaries(const QString &filePath)
{
    const QFileInfo target(filePath);
    const QString targetName = target.fileName();
    const QDateTime now = QDateTime::currentDateTime();
    const QFileInfoList entries = target.absoluteDir().entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo &entry : entries) {
        if (isSaveTemporaryName(entry.fileName(), targetName)
            && entry.fileTime(QFileDevice::FileModificationTime).secsTo(now) >= staleTemporaryAgeSeconds)
            QFile::remove(entry.absoluteFilePath());
    }
}

} // namespace

StatePersistence::StatePersistence()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QLatin1String("/.local/share");
    m_filePath = base + QLatin1String("/Halvoscope/state.json");
    m_legacyFilePath = base + QLatin1String("/Halvo/state.json");
}

StatePersistence::StatePersistence(QString filePath)
    : m_filePath(std::move(filePath))
{
}

HalvoPersistedState StatePersistence::load() const
{
    removeStaleTemporaries(m_filePath);

    QString path;
    if (QFileInfo::exists(m_filePath))
        path = m_filePath;
    else if (m_legacyFilePath && QFileInfo::exists(*m_legacyFilePath))
        path = *m_legacyFilePath;
    else
        return HalvoPersistedState::defaultState();

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return HalvoPersistedState::defaultState();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return HalvoPersistedState::defaultState();

    std::optional<HalvoPersistedState> state = HalvoPersistedState::fromJson(bytes);
    if (!state)
        return HalvoPersistedState::defaultState();
    completePresets(*state);

    if (path != m_filePath)
        save(*state);
    return std::move(*state);
}

std::optional<QString> StatePersistence::save(const HalvoPersistedState &state) const
{
    const QString folder = QFileInfo(m_filePath).absolutePath();
    errno = 0;
    if (!QDir().mkpath(folder)) {
        QString error = QCoreApplication::translate("StatePersistence", "Could not create the folder \"%1\"").arg(folder);
        if (errno != 0)
            error += QLatin1String(": ") + qt_error_string(errno);
        return logSaveFailure(error);
    }

    const QByteArray json = state.toJson();

    // QSaveFile writes a temporary file beside the target and renames it over
    // the target on commit; on any failure the temporary file is removed.
    // Unbuffered: commit() in Qt 6.4 ignores a failed flush of buffered data
    // (QTBUG-75077) and would rename a truncated file into place. Writing
    // until done also turns a short write on a full disk into its real error.
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return logSaveFailure(file.errorString());
    }
    for (qsizetype written = 0; written < json.size();) {
        const qint64 count = file.write(json.constData() + written, json.size() - written);
        if (count <= 0) {
            return logSaveFailure(file.errorString());
        }
        written += count;
    }
    if (!file.commit())
        return logSaveFailure(file.errorString());
    return std::nullopt;
}
