#pragma once

#include "core/desktopextension.h"

#include <QDBusConnection>

// Halvoscope's GNOME Shell extension as GNOME Shell reports it
// (org.gnome.Shell.Extensions), read again whenever the shell says an
// extension's state or the user-extensions switch changed.
class GnomeShellExtensionStatus final : public DesktopExtension {
    Q_OBJECT

public:
    explicit GnomeShellExtensionStatus(QDBusConnection sessionBus, QObject *parent = nullptr);

    // Whether GNOME Shell's extension service answers on the bus.
    static bool isPresent(const QDBusConnection &sessionBus);

    State state() const override { return m_state; }
    QString error() const override { return m_error; }
    void enable() override;

private Q_SLOTS:
    void extensionChanged(const QString &uuid);
    void propertiesChanged(const QString &interface);

private:
    void read();

    QDBusConnection m_bus;
    State m_state = State::NotInstalled;
    QString m_error;
};
