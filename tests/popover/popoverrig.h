#pragma once

// A store with recording engines over a state file in a temporary folder,
// plus the navigation and context a popover host would create around it.

#include "recordingengines.h"

#include "core/halvostore.h"
#include "core/statepersistence.h"
#include "popover/popovercontext.h"
#include "popover/popovernavigation.h"

#include <QTemporaryDir>

#include <memory>

struct PopoverRig : RecordingEngineSet {
    QTemporaryDir dir;
    QString statePath = dir.filePath(QStringLiteral("state.json"));
    std::shared_ptr<RecordingRippleEngine> ripple = std::make_shared<RecordingRippleEngine>(log);
    bool withRipple = true;

    std::unique_ptr<HalvoStore> store;
    std::unique_ptr<PopoverNavigation> navigation;
    std::unique_ptr<PopoverContext> context;
    int closes = 0;
    int onboardings = 0;
    int quits = 0;
    // What the context says each screen can show; unset: the host does not say.
    std::optional<ScreenColorCapabilities> capabilities;

    void seed(const HalvoPersistedState &state) const { StatePersistence(statePath).save(state); }
    HalvoPersistedState saved() const { return StatePersistence(statePath).load(); }

    // A fresh store (reading the seeded file), navigation and context; the
    // call log starts empty afterwards.
    HalvoStore &make()
    {
        context.reset();
        navigation.reset();
        store.reset();
        store = std::make_unique<HalvoStore>(
            StatePersistence(statePath), color, brightness, keepAwake,
            withRipple ? std::shared_ptr<RippleTransitioning>(ripple) : nullptr,
            [] { return QDateTime(QDate(2026, 3, 10), QTime(12, 0), QTimeZone::utc()); },
            loginItems);
        navigation = std::make_unique<PopoverNavigation>();
        PopoverContext::Actions actions;
        actions.onClose = [this] { ++closes; };
        actions.onShowOnboarding = [this] { ++onboardings; };
        actions.onQuit = [this] { ++quits; };
        if (capabilities)
            actions.screenCapabilities = [this] { return capabilities.value_or(ScreenColorCapabilities{}); };
        context = std::make_unique<PopoverContext>(store.get(), navigation.get(), actions);
        log->calls.clear();
        return *store;
    }

    int countCalls(const QString &prefix) const
    {
        int n = 0;
        for (const QString &call : log->calls)
            n += call.startsWith(prefix) ? 1 : 0;
        return n;
    }
};

inline const QString kCustomID = QStringLiteral("custom-0000000a-0000-4000-8000-000000000001");

// The built-ins plus one custom preset "Reading" (5000 K, 100 %, brightness as given).
inline HalvoPersistedState stateWithCustom(std::optional<qint64> brightness)
{
    HalvoPersistedState state;
    state.presets.append(
        HalvoPreset(kCustomID, QStringLiteral("Reading"), 5000, 100, brightness, true));
    return state;
}
