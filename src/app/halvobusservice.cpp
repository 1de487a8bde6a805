#include "app/halvobusservice.h"

#include "core/elidedtext.h"
#include "core/halvostore.h"

#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariantMap>

const QString HalvoBusService::serviceName = QStringLiteral("com.corvanta.Halvoscope");
const QString HalvoBusService::objectPath = QStringLiteral("/com/corvanta/Halvoscope");
const QString HalvoBusService::interfaceName = QStringLiteral("com.corvanta.Halvoscope");

HalvoBusService::HalvoBusService(HalvoStore *store, std::function<void()> showPopover,
                                 QDBusConnection bus, QObject *parent)
    : QObject(parent)
    , m_showPopover(std::move(showPopover))
    , m_bus(std::move(bus))
{
    setStore(store);
}

void HalvoBusService::setStore(HalvoStore *store)
{
    if (m_store)
        disconnect(m_store, nullptr, this, nullptr);
    m_store = store;
    m_announcedPresetID = activePresetID();
    m_announcedKeepAwake = keepAwake();
    if (!m_store)
        return;
    connect(m_store, &HalvoStore::activeModeIDChanged, this, &HalvoBusService::announceChanges);
    connect(m_store, &HalvoStore::presetsChanged, this, &HalvoBusService::announceChanges);
    connect(m_store, &HalvoStore::keepAwakeEnabledChanged, this, &HalvoBusService::announceChanges);
}

HalvoBusService::~HalvoBusService()
{
    if (m_registered)
        m_bus.unregisterObject(objectPath);
}

bool HalvoBusService::registerObject()
{
    if (!m_bus.isConnected())
        return false;
    m_registered = m_bus.registerObject(objectPath, this,
                                        QDBusConnection::ExportScriptableSlots
                                            | QDBusConnection::ExportAllProperties);
    return m_registered;
}

QString HalvoBusService::activePresetID() const
{
    return m_store ? m_store->activePreset().id : QString();
}

bool HalvoBusService::keepAwake() const
{
    return m_store && m_store->keepAwakeEnabled();
}

void HalvoBusService::ShowPopover()
{
    if (m_showPopover)
        m_showPopover();
}

void HalvoBusService::ActivatePreset(const QString &id)
{
    if (!m_store)
        return;
    if (!m_store->findPreset(id)) {
        // The id can be as long as a bus message; quoting a start is enough to recognise it.
        if (calledFromDBus())
            sendErrorReply(QDBusError::InvalidArgs,
                           QStringLiteral("No preset with id \u201C%1\u201D").arg(elidedText(id, 64)));
        return;
    }
    m_store->activatePreset(id, true);
}

void HalvoBusService::SetKeepAwake(bool enabled)
{
    if (!m_store)
        return;
    m_store->setKeepAwake(enabled);
    if (m_store->keepAwakeEnabled() != enabled && calledFromDBus())
        sendErrorReply(QDBusError::Failed, m_store->errorMessage().value_or(QString()));
}

void HalvoBusService::announceChanges()
{
    QVariantMap changed;
    const QString presetID = activePresetID();
    if (presetID != m_announcedPresetID) {
        m_announcedPresetID = presetID;
        changed.insert(QStringLiteral("ActivePresetID"), presetID);
    }
    const bool awake = keepAwake();
    if (awake != m_announcedKeepAwake) {
        m_announcedKeepAwake = awake;
        changed.insert(QStringLiteral("KeepAwake"), awake);
    }
    if (changed.isEmpty() || !m_registered)
        return;

    QDBusMessage signal = QDBusMessage::createSignal(
        objectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("PropertiesChanged"));
    signal << interfaceName << changed << QStringList();
    m_bus.send(signal);
}
