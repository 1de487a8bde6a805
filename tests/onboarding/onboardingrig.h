#pragma once

// A store with recording engines and a ripple engine whose permission can
// flip, over a state file and a user-defaults file in a temporary folder.

#include "recordingengines.h"
#include "permissionrippleengine.h"

#include "core/halvostore.h"
#include "core/statepersistence.h"
#include "onboarding/relaunchmarker.h"

#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>

struct OnboardingRig : RecordingEngineSet {
    QTemporaryDir dir;
    QString statePath = dir.filePath(QStringLiteral("state.json"));
    QString defaultsPath = dir.filePath(QStringLiteral("Halvoscope.conf"));
    std::shared_ptr<PermissionRippleEngine> ripple = std::make_shared<PermissionRippleEngine>();
    bool withRipple = true;

    std::unique_ptr<QSettings> defaults;
    std::unique_ptr<HalvoStore> store;

    void seed(const HalvoPersistedState &state) const { StatePersistence(statePath).save(state); }
    void seedCompleted(bool completed) const
    {
        HalvoPersistedState state;
        state.hasCompletedOnboarding = completed;
        seed(state);
    }
    HalvoPersistedState saved() const { return StatePersistence(statePath).load(); }
    bool stateFileExists() const { return QFileInfo::exists(statePath); }
    // Forgets the state file, so a later save shows up as its reappearance.
    void dropStateFile() const { QFile::remove(statePath); }

    // The user defaults and the store, read from the files as they are now.
    HalvoStore &make()
    {
        defaults = std::make_unique<QSettings>(defaultsPath, QSettings::IniFormat);
        store = std::make_unique<HalvoStore>(
            StatePersistence(statePath), color, brightness, keepAwake,
            withRipple ? std::shared_ptr<RippleTransitioning>(ripple) : nullptr,
            [] { return QDateTime(QDate(2026, 3, 10), QTime(12, 0), QTimeZone::utc()); },
            loginItems);
        return *store;
    }

    // The user-defaults file as another process would find it: only what
    // has been written out counts.
    QString defaultsFileText() const
    {
        QFile file(defaultsPath);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    bool markerOnDisk() const
    {
        return defaultsFileText().contains(RelaunchMarker::key + QStringLiteral("=true"));
    }
    bool markerKeyOnDisk() const { return defaultsFileText().contains(RelaunchMarker::key); }
    // Written as an earlier process would have left it; call before make().
    void writeMarkerFile(bool value) const
    {
        QFile file(defaultsPath);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            file.write(QStringLiteral("[General]\n%1=%2\n")
                           .arg(RelaunchMarker::key, value ? QStringLiteral("true")
                                                           : QStringLiteral("false"))
                           .toUtf8());
        }
    }
};
