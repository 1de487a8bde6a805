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
    // The reply of ActivatePreset when the preset is chosen but no screen
    // shows it; the message names the screens.
    static const QString notShownError;

    HalvoBusService(HalvoStore *store, std::function<void()> showPopover,
                    QDBusConnection bus, QObject *parent = nullptr);
    ~HalvoBusService() override;

    // Exports this object on the bus; false when the path is taken or the bus
    // is not connected.
    bool registerObject();

    // The store may arrive after the object is on the bus; until then the
    // methods do nothing.
    void setStore(HalvoStore *store);
    // What Quit does: the quit the popover offers. Runs after the reply is sent.
    void setQuitAction(std::function<void()> quit) { m_quit = std::move(quit); }

    QString activePresetID() const;
    bool keepAwake() const;

public Q_SLOTS:
    Q_SCRIPTABLE void ShowPopover();
    // Answers once the preset's colour is on (after its transition); an
    // error (notShownError) when the preset is chosen but no screen shows it.
    Q_SCRIPTABLE void ActivatePreset(const QString &id);
    Q_SCRIPTABLE void SetKeepAwake(bool enabled);
    // Every preset in menu order, hidden ones too: ids, names (out), and the
    // active preset's id (out).
    Q_SCRIPTABLE QStringList ListPresets(QStringList &names, QString &activeID);
    Q_SCRIPTABLE void Quit();

private:
    // The reply to an ActivatePreset call once the colour is on.
    QDBusMessage colourReply(const QDBusMessage &call) const;
    // QtDBus does not announce property changes of exported objects itself.
    void announceChanges();

    QPointer<HalvoStore> m_store;
    std::function<void()> m_showPopover;
    std::function<void()> m_quit;
    QDBusConnection m_bus;
    bool m_registered = false;
    QString m_announcedPresetID;
    bool m_announcedKeepAwake = false;
};
