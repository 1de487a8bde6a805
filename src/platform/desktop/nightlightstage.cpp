#include "platform/desktop/nightlightstage.h"

#include "core/systemlog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QSaveFile>

#include <algorithm>

namespace {

QJsonObject toJson(const NightLightStage::Settings &settings)
{
    QJsonObject object;
    for (auto it = settings.cbegin(); it != settings.cend(); ++it)
        object.insert(it.key(), it.value() ? QJsonValue(*it.value()) : QJsonValue());
    return object;
}

// Nullopt when the value is not an object of strings and nulls.
std::optional<NightLightStage::Settings> fromJson(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    NightLightStage::Settings settings;
    const QJsonObject object = value.toObject();
    for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
        if (it.value().isString())
            settings.insert(it.key(), it.value().toString());
        else if (it.value().isNull())
            settings.insert(it.key(), std::nullopt);
        else
            return std::nullopt;
    }
    return settings;
}

struct Record {
    QString desktop;
    NightLightStage::Settings original;
    NightLightStage::Settings written;
};

std::optional<Record> loadRecord(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QJsonObject object = QJsonDocument::fromJson(file.read(64 * 1024)).object();
    const auto original = fromJson(object.value(QStringLiteral("original")));
    const auto written = fromJson(object.value(QStringLiteral("written")));
    if (!original || !written || !object.value(QStringLiteral("desktop")).isString())
        return std::nullopt;
    return Record{object.value(QStringLiteral("desktop")).toString(), *original, *written};
}

bool saveRecord(const QString &path, const Record &record)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QJsonObject object;
    object.insert(QStringLiteral("desktop"), record.desktop);
    object.insert(QStringLiteral("original"), toJson(record.original));
    object.insert(QStringLiteral("written"), toJson(record.written));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(object).toJson());
    return file.commit();
}

} // namespace

NightLightStage::NightLightStage(QString desktop, QString name, qint64 minimumKelvin,
                                 qint64 maximumKelvin)
    : m_desktop(std::move(desktop))
    , m_name(std::move(name))
    , m_minimumKelvin(minimumKelvin)
    , m_maximumKelvin(maximumKelvin)
{
    m_checkTimer.setInterval(defaultCheckInterval);
    QObject::connect(&m_checkTimer, &QTimer::timeout, &m_checkTimer, [this] { checkHeld(); });
}

// Not restored here: quitting goes through restoreTemperature, and a stage
// that goes without it leaves the record for the next instance.
NightLightStage::~NightLightStage() = default;

QString NightLightStage::recordPath()
{
    QString stateHome = qEnvironmentVariable("XDG_STATE_HOME");
    if (stateHome.isEmpty() || QDir::isRelativePath(stateHome))
        stateHome = QDir::homePath() + QStringLiteral("/.local/state");
    return stateHome + QStringLiteral("/Halvoscope/night-light.json");
}

QString NightLightStage::recordedDesktop()
{
    const std::optional<Record> record = loadRecord(recordPath());
    return record ? record->desktop : QString();
}

void NightLightStage::setNoticeHandler(std::function<void(const QString &message)> handler)
{
    m_notice = std::move(handler);
}

bool NightLightStage::writeTemperature(qint64 kelvin)
{
    if (m_written)
        checkHeld();
    const Settings target = settingsFor(std::clamp(kelvin, m_minimumKelvin, m_maximumKelvin));
    if (m_written == target)
        return true;

    if (!m_written)
        m_original = read(target.keys());
    // Recorded before the write, so that a crash right after it is undone too.
    if (!saveRecord(recordPath(), Record{m_desktop, *m_original, target})) {
        logSystemLine(QStringLiteral("Halvo NightLightStage: cannot record the night-light settings in ")
                      + recordPath());
    }
    if (!write(target)) {
        if (!m_written) {
            QFile::remove(recordPath());
            m_original.reset();
        } else {
            saveRecord(recordPath(), Record{m_desktop, *m_original, *m_written});
        }
        return false;
    }
    m_written = target;
    m_checkTimer.start();
    return true;
}

void NightLightStage::restoreTemperature()
{
    if (m_written)
        checkHeld();
    if (!m_written)
        return;
    write(*m_original);
    letGo();
}

void NightLightStage::recoverRecord()
{
    const QString path = recordPath();
    const std::optional<Record> record = loadRecord(path);
    if (!record) {
        QFile::remove(path);
        return;
    }
    if (record->desktop != m_desktop)
        return;
    if (!userChanged(record->written)) {
        write(record->original);
        logSystemLine(QStringLiteral("Halvo NightLightStage: restored the night light left by an earlier run"));
    }
    QFile::remove(path);
}

bool NightLightStage::userChanged(const Settings &written)
{
    return read(written.keys()) != written;
}

// A value that differs from what was written is the user's: it stays, and
// the stage holds nothing until the next write.
void NightLightStage::checkHeld()
{
    if (!m_written || !userChanged(*m_written))
        return;
    letGo();
    if (m_notice)
        m_notice(m_name + QStringLiteral(" was changed outside Halvoscope; your settings are kept."));
}

void NightLightStage::letGo()
{
    m_checkTimer.stop();
    m_written.reset();
    m_original.reset();
    QFile::remove(recordPath());
}
