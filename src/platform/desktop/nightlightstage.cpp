#include "platform/desktop/nightlightstage.h"

#include "core/systemlog.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

NightLightStage::Settings only(const NightLightStage::Settings &settings, const QStringList &keys)
{
    NightLightStage::Settings result;
    for (const QString &key : keys)
        result.insert(key, settings.value(key));
    return result;
}

} // namespace

NightLightStage::NightLightStage(QString desktop, QString name, qint64 minimumKelvin, qint64 maximumKelvin)
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

void NightLightStage::setNoticeHandler(std::function<void(const QString &message)> handler)
{
    m_notice = std::move(handler);
    if (m_notice) {
        for (const QString &message : std::exchange(m_unheard, {}))
            m_notice(message);
    }
}

void NightLightStage::tell(const QString &message)
{
    logSystemLine(QStringLiteral("Halvo NightLightStage: ") + message);
    if (m_notice)
        m_notice(message);
    else
        m_unheard.append(message);
}

bool NightLightStage::writeTemperature(qint64 kelvin)
{
    if (m_holding)
        checkHeld();
    const Settings target = settingsFor(std::clamp(kelvin, m_minimumKelvin, m_maximumKelvin));
    if (m_holding && m_record->written == target)
        return true;
    if (isLocked(target.keys())) {
        if (!std::exchange(m_lockTold, true)) {
            tell(QCoreApplication::translate("NightLightStage",
                                             "%1 can't show this preset: its settings are locked against changes.")
                     .arg(m_name));
        }
        return false;
    }

    // Recorded before the write, so that a crash right after it is undone too.
    const NightLightRecord next = recordFor(target);
    if (!next.save())
        logSystemLine(QStringLiteral("Halvo NightLightStage: cannot record the night-light settings in ")
                      + NightLightRecord::path(m_desktop));
    if (!write(target, {})) {
        if (m_record)
            m_record->save();
        else
            NightLightRecord::remove(m_desktop);
        return false;
    }
    m_record = next;
    m_holding = true;
    m_lockTold = false;
    m_checkTimer.start();
    return true;
}

// A key that still holds what was written keeps the user's value from
// before; any other key's value now is the user's.
NightLightRecord NightLightStage::recordFor(const Settings &target)
{
    NightLightRecord next;
    next.desktop = m_desktop;
    next.written = target;
    next.created = m_record ? m_record->created : creates();
    const Settings current = read(target.keys());
    for (auto it = target.cbegin(); it != target.cend(); ++it) {
        const bool owed = m_record && m_record->written.contains(it.key())
                          && m_record->written.value(it.key()) == current.value(it.key());
        next.original.insert(it.key(), owed ? m_record->original.value(it.key()) : current.value(it.key()));
    }
    return next;
}

void NightLightStage::restoreTemperature()
{
    if (m_holding)
        checkHeld();
    letGo();
}

void NightLightStage::recoverRecord()
{
    m_record = NightLightRecord::load(m_desktop);
    if (m_record && letGo())
        logSystemLine(QStringLiteral("Halvo NightLightStage: gave back the night light left by an earlier run"));
}

// A value that differs from what was written is the user's: it stays, the
// other keys go back, and the stage holds nothing until the next write.
void NightLightStage::checkHeld()
{
    if (!m_holding)
        return;
    const Settings written = m_record->written;
    if (read(written.keys()) == written) {
        confirmHeld(written);
        return;
    }
    if (letGo()) {
        tell(QCoreApplication::translate("NightLightStage",
                                         "%1 was changed outside Halvoscope: your change is kept, and the other "
                                         "night-light settings are back as you had them.")
                 .arg(m_name));
    }
}

bool NightLightStage::letGo()
{
    m_checkTimer.stop();
    m_holding = false;
    if (!m_record)
        return true;
    const Settings current = read(m_record->written.keys());
    QStringList owed;
    for (auto it = m_record->written.cbegin(); it != m_record->written.cend(); ++it) {
        if (current.value(it.key()) == it.value())
            owed.append(it.key());
    }
    const Settings restore = only(m_record->original, owed);
    const bool restored = restore.isEmpty()
                          || (!isLocked(owed) && write(restore, m_record->created) && read(owed) == restore);
    if (restored) {
        NightLightRecord::remove(m_desktop);
        m_record.reset();
        return true;
    }

    // Only what is still owed stays recorded, for the next try.
    m_record->original = restore;
    m_record->written = only(m_record->written, owed);
    if (!std::exchange(m_record->failureTold, true)) {
        tell(QCoreApplication::translate("NightLightStage",
                                         "%1 could not be put back as you had it; Halvoscope will try again at "
                                         "its next start.")
                 .arg(m_name));
    }
    m_record->save();
    return false;
}
