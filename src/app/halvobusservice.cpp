#include "app/halvobusservice.h"

#include "app/remotecontrol.h"
#include "core/halvostore.h"

#include <QCoreApplication>

#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariantMap>

const QString HalvoBusService::serviceName = QStringLiteral("com.corvanta.Halvoscope");
const QString HalvoBusService::objectPath = QStringLiteral("/com/corvanta/Halvoscope");
const QString HalvoBusService::interfaceName = QStringLiteral("com.corvanta.Halvoscope");
const QString HalvoBusService::notShownError = QStringLiteral("com.corvanta.Halvoscope.Error.NotShown");

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
        if (calledFromDBus())
            sendErrorReply(QDBusError::InvalidArgs, unknownPresetText(id, presetIDs(m_store->presets())));
        return;
    }
    m_store->activatePreset(id, true);
    if (!calledFromDBus())
        return;
    setDelayedReply(true);
    if (!m_store->isTransitioning()) {
        m_bus.send(colourReply(message()));
        return;
    }
    // The colour goes on at the end of the transition; the answer waits for it.
    auto *waiter = new QObject(this);
    connect(m_store, &HalvoStore::isTransitioningChanged, waiter,
            [this, waiter, call = message(), store = m_store] {
                if (store->isTransitioning())
                    return;
                m_bus.send(colourReply(call));
                waiter->deleteLater();
            });
    connect(m_store, &QObject::destroyed, waiter, &QObject::deleteLater);
}

QDBusMessage HalvoBusService::colourReply(const QDBusMessage &call) const
{
    const QStringList screens = m_store ? m_store->screensWithoutColour() : QStringList();
    if (screens.isEmpty())
        return call.createReply();
    const QString name = m_store->activePreset().name;
    return call.createErrorReply(
        notShownError,
        QCoreApplication::translate("HalvoBusService", "%1 is chosen, but no screen shows it: %2.")
            .arg(name, screens.join(QStringLiteral(", "))));
}

QStringList HalvoBusService::ListPresets(QStringList &names, QString &activeID)
{
    QStringList ids;
    names.clear();
    if (!m_store)
        return ids;
    for (const HalvoPreset &preset : m_store->presets()) {
        ids.append(preset.id);
        names.append(preset.name);
    }
    activeID = activePresetID();
    return ids;
}

void HalvoBusService::Quit()
{
    // Queued, so that the caller has its answer before the bus goes.
    if (m_quit)
        QMetaObject::invokeMethod(this, m_quit, Qt::QueuedConnection);
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
