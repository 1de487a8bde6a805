#pragma once

#include "core/halvopersistedstate.h"

#include <QString>

#include <optional>

// Reads and writes the state file.
class StatePersistence {
public:
    // The default location: $XDG_DATA_HOME/Halvoscope/state.json, migrating
    // once from $XDG_DATA_HOME/Halvo/state.json.
    StatePersistence();
    // An explicit location, without a legacy file.
    explicit StatePersistence(QString filePath);

    QString fileURL() const { return m_filePath; }
    std::optional<QString> legacyFileURL() const { return m_legacyFilePath; }

    // Never fails: falls back to the default state. Also removes the
    // temporary files an earlier save left behind when it was killed.
    HalvoPersistedState load() const;

    // Atomic write. A failure is logged (syslog and stderr) and its reason
    // returned; nothing when the file was written.
    std::optional<QString> save(const HalvoPersistedState &state) const;

private:
    QString m_filePath;
    std::optional<QString> m_legacyFilePath;
};
