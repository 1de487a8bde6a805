#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class HalvoStore;

// The application's D-Bus face for scripts and key bindings, object
// /com/corvanta/Halvoscope, interface com.corvanta.Halvoscope. Its methods do
// exactly what the matching click in the popover does.
class HalvoBusService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.corvanta.Halvoscope")
    Q_PROPERTY(QString ActivePresetID READ activePresetID)
    Q_PROPERTY(bool KeepAwake READ keepAwake)

public:
    static const QString serviceName;
    static const QString objectPath;
    static const QString interfaceName;

    HalvoBusService(HalvoStore *store, std::function<void()> showPopover,
                    QDBusConnection bus, QObject *parent = nullptr);
    ~HalvoBusService() override;

    // Exports this object on the bus; false when the path is taken or the bus
    // is not connected.
    bool registerObject();

    // The store may arrive after the object is on the bus; until then the
    // methods do nothing.
    void setStore(HalvoStore *store);

    QString activePresetID() const;
    bool keepAwake() const;

public Q_SLOTS:
    Q_SCRIPTABLE void ShowPopover();
    Q_SCRIPTABLE void ActivatePreset(const QString &id);
    Q_SCRIPTABLE void SetKeepAwake(bool enabled);

private:
    // QtDBus does not announce property changes of exported objects itself.
    void announceChanges();

    QPointer<HalvoStore> m_store;
    std::function<void()> m_showPopover;
    QDBusConnection m_bus;
    bool m_registered = false;
    QString m_announcedPresetID;
    bool m_announcedKeepAwake = false;
};
