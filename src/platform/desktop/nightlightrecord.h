#pragma once

#include "platform/desktop/kconfigtext.h"

#include <QString>

#include <optional>

// What Halvoscope owes a desktop's night light: per key, the user's value
// before Halvoscope wrote (nullopt: not set) and what it wrote. Kept in
// $XDG_STATE_HOME/Halvoscope/night-light-<desktop>.json from before the first
// write until every key is back, so that a crash, a logout or a restore that
// failed is finished by the next start.
struct NightLightRecord {
    using Settings = KConfigText::Entries;

    QString desktop;
    Settings original;
    Settings written;
    // What the settings store had to create for the first write ("group",
    // "file"), taken away again once empty.
    QString created;
    // The user was told that the settings could not be put back.
    bool failureTold = false;

    static QString path(const QString &desktop);
    // The record left for `desktop`, with only the keys and value shapes that
    // desktop's night light uses; anything else is dropped with one log line.
    // A record of the single file of earlier versions moves to its own file.
    static std::optional<NightLightRecord> load(const QString &desktop);
    bool save() const;
    static void remove(const QString &desktop);

    // Whether `value` has the shape `key` takes on `desktop` (the user's
    // values as the desktop writes them, and Halvoscope's own).
    static bool isValid(const QString &desktop, const QString &key, const std::optional<QString> &value);
};
