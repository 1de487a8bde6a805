#pragma once

#include <QDBusConnection>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct HalvoPreset;

// The command line's side of the D-Bus interface: hands a request to the
// instance that owns the bus name, and prints what came of it. Never starts
// an instance (no bus activation), so it works from ssh, cron and timers,
// where no display could show one.
class RemoteControl {
public:
    // Exit codes of the requests below.
    static constexpr int succeeded = 0;
    static constexpr int failed = 1;
    static constexpr int notRunning = 3;

    explicit RemoteControl(QDBusConnection bus);

    bool hasBus() const { return m_bus.isConnected(); }
    bool instanceRuns() const;

    int activatePreset(const QString &id) const;
    int showPopover() const;
    int quit() const;
    // Prints "* id<TAB>name" for the active preset, "  id<TAB>name" for the others.
    int listPresets() const;

    // The one line for a request that needs a running instance when none runs.
    QString notRunningText() const;

private:
    // The reply, or nullopt after printing why the call failed.
    std::optional<QDBusMessage> call(const QString &method, const QVariantList &arguments) const;

    QDBusConnection m_bus;
};

// The built-in presets and those in the state file, read where the store
// would read them, without migrating or writing anything.
QList<HalvoPreset> presetsOnDisk();
QStringList presetIDs(const QList<HalvoPreset> &presets);
// "No preset with id “x”. Valid ids: …"
QString unknownPresetText(const QString &id, const QStringList &validIDs);
