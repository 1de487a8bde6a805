#pragma once

// A store for the schedule and settings pages in QML: a ripple engine whose
// screen-capture permission the test sets (or none), a login item that can
// be made to fail, the popover's navigation and context, and levers to change
// the store and the page's update checker from a test.

#include "recordingengines.h"
#include "permissionrippleengine.h"
#include "recordingupdatecheck.h"

#include "core/halvostore.h"
#include "core/statepersistence.h"
#include "popover/popovercontext.h"
#include "popover/popovernavigation.h"
#include "popover/settingsmodel.h"

#include <QObject>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QVariantMap>

#include <list>
#include <memory>

struct PagesRig {
    QTemporaryDir dir;
    std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
    std::shared_ptr<PermissionRippleEngine> ripple = std::make_shared<PermissionRippleEngine>();
    std::shared_ptr<RecordingLoginItems> loginItems = std::make_shared<RecordingLoginItems>();
    std::unique_ptr<HalvoStore> store;
    std::unique_ptr<PopoverNavigation> navigation;
    std::unique_ptr<PopoverContext> context;
    int onboardings = 0;
    int quits = 0;
};

class PagesFixture : public QObject {
    Q_OBJECT
    Q_PROPERTY(PopoverContext *context READ context NOTIFY contextChanged)
    Q_PROPERTY(PopoverNavigation *navigation READ navigation NOTIFY contextChanged)
    Q_PROPERTY(int onboardings READ onboardings)
    Q_PROPERTY(int quits READ quits)
    Q_PROPERTY(int launches READ launches)
    Q_PROPERTY(int accessRequests READ accessRequests)

public:
    explicit PagesFixture(QObject *parent = nullptr)
        : QObject(parent)
    {
        reset({});
    }

    PopoverContext *context() const { return m_rig->context.get(); }
    PopoverNavigation *navigation() const { return m_rig->navigation.get(); }
    int onboardings() const { return m_rig->onboardings; }
    int quits() const { return m_rig->quits; }
    int launches() const { return m_launches; }
    int accessRequests() const { return m_rig->ripple->count(QStringLiteral("request")); }

    // A fresh store. Options: "engine" ("none", "denied", "unavailable" (no
    // capture and nobody to ask) or "granted", the default), "refraction" (bool), "animation" (bool), "loginEnabled",
    // "loginFailure" (text), "schedule" (map of enabled, time1, preset1ID,
    // time2, preset2ID), "hidden" (list of ids), "custom" (a custom preset name),
    // "screens" (true: an eDP-1 on the colour matrix and an HDMI-1 on gamma).
    Q_INVOKABLE void reset(const QVariantMap &options)
    {
        // Views of the previous store may still be alive until the event loop
        // deletes them, so the old rig is kept, not destroyed.
        if (m_rig)
            m_retired.push_back(std::move(m_rig));
        m_rig = std::make_unique<PagesRig>();
        PagesRig &rig = *m_rig;
        const QString engine = options.value(QStringLiteral("engine"), QStringLiteral("granted")).toString();
        rig.ripple->granted = engine == QLatin1String("granted");
        rig.ripple->requestable = engine != QLatin1String("unavailable");
        rig.loginItems->enabled = options.value(QStringLiteral("loginEnabled")).toBool();
        if (options.contains(QStringLiteral("loginFailure")))
            rig.loginItems->failure = options.value(QStringLiteral("loginFailure")).toString();

        HalvoPersistedState state;
        state.animationEnabled = options.value(QStringLiteral("animation"), true).toBool();
        state.opticalRefractionEnabled = options.value(QStringLiteral("refraction"), true).toBool();
        const QVariantMap schedule = options.value(QStringLiteral("schedule")).toMap();
        if (!schedule.isEmpty()) {
            state.schedule.enabled = schedule.value(QStringLiteral("enabled")).toBool();
            state.schedule.time1 = schedule.value(QStringLiteral("time1")).toString();
            state.schedule.preset1ID = schedule.value(QStringLiteral("preset1ID")).toString();
            state.schedule.time2 = schedule.value(QStringLiteral("time2")).toString();
            state.schedule.preset2ID = schedule.value(QStringLiteral("preset2ID")).toString();
        }
        state.hiddenPresetIDs = options.value(QStringLiteral("hidden")).toStringList();
        if (options.contains(QStringLiteral("custom")))
            state.presets.append(HalvoPreset(customID(), options.value(QStringLiteral("custom")).toString(),
                                             5000, 100, std::nullopt, true));
        const QString statePath = rig.dir.filePath(QStringLiteral("state.json"));
        StatePersistence(statePath).save(state);

        rig.store = std::make_unique<HalvoStore>(
            StatePersistence(statePath), std::make_shared<RecordingColorEngine>(rig.log),
            std::make_shared<RecordingBrightnessEngine>(rig.log),
            std::make_shared<RecordingKeepAwakeEngine>(rig.log),
            engine == QLatin1String("none") ? nullptr : std::shared_ptr<RippleTransitioning>(rig.ripple),
            [] { return QDateTime(QDate(2026, 3, 10), QTime(12, 0), QTimeZone::utc()); }, rig.loginItems);
        rig.store->setCurrentCalendar(QTimeZone::utc());
        rig.navigation = std::make_unique<PopoverNavigation>();
        PopoverContext::Actions actions;
        PagesRig *raw = &rig;
        actions.onShowOnboarding = [raw] { ++raw->onboardings; };
        actions.onQuit = [raw] { ++raw->quits; };
        actions.launchNewInstance = [this] {
            ++m_launches;
            return true;
        };
        // A check that were started would end at once, with nothing shown.
        actions.makeUpdateChecking = [] { return new RecordingUpdateCheck; };
        actions.version = currentVersion();
        if (options.value(QStringLiteral("screens")).toBool()) {
            actions.screenCapabilities = [] {
                return ScreenColorCapabilities{{QStringLiteral("eDP-1"), ScreenColorPath::ColorMatrix, true},
                                               {QStringLiteral("HDMI-1"), ScreenColorPath::Gamma, false}};
            };
        }
        rig.context = std::make_unique<PopoverContext>(rig.store.get(), rig.navigation.get(), actions);
        Q_EMIT contextChanged();
    }

    Q_INVOKABLE static QString customID() { return QStringLiteral("custom-0000000b-0000-4000-8000-000000000002"); }

    Q_INVOKABLE void setScheduleEnabled(bool on) { m_rig->store->setScheduleEnabled(on); }
    Q_INVOKABLE void setAnimationEnabled(bool on) { m_rig->store->setAnimationEnabled(on); }
    Q_INVOKABLE void togglePresetHidden(const QString &id) { m_rig->store->togglePresetHidden(id); }
    Q_INVOKABLE QString addCustomPreset(const QString &name) { return m_rig->store->addCustomPreset(name).id; }
    Q_INVOKABLE static QString currentVersion() { return QStringLiteral("2.3.4"); }
    Q_INVOKABLE bool animationEnabled() const { return m_rig->store->animationEnabled(); }
    Q_INVOKABLE bool opticalRefractionEnabled() const { return m_rig->store->opticalRefractionEnabled(); }
    Q_INVOKABLE bool loginItemEnabled() const { return m_rig->loginItems->enabled; }
    Q_INVOKABLE QString errorMessage() const { return m_rig->store->errorMessage().value_or(QString()); }
    Q_INVOKABLE QString activeModeID() const { return m_rig->store->activeModeID(); }
    Q_INVOKABLE QStringList presetNames() const
    {
        QStringList names;
        for (const HalvoPreset &preset : m_rig->store->presets())
            names.append(preset.name);
        return names;
    }
    Q_INVOKABLE QVariantMap schedule() const
    {
        const DailySchedule s = m_rig->store->schedule();
        return {{QStringLiteral("enabled"), s.enabled}, {QStringLiteral("time1"), s.time1}, {QStringLiteral("preset1ID"), s.preset1ID}, {QStringLiteral("time2"), s.time2}, {QStringLiteral("preset2ID"), s.preset2ID}};
    }

    // Puts the page's update checker into `checking` or back to `idle`.
    Q_INVOKABLE void setChecking(SettingsModel *model, bool checking)
    {
        if (auto *check = model ? dynamic_cast<RecordingUpdateCheck *>(model->updateChecker()) : nullptr)
            check->setChecking(checking);
    }

    // Lets the window drop its cached images while its renderer still runs
    // (Qt 6.4 otherwise frees them only after the renderer is gone at exit).
    Q_INVOKABLE void releaseWindowResources(QQuickItem *item)
    {
        if (item && item->window()) {
            item->window()->releaseResources();
            item->window()->update();
        }
    }

Q_SIGNALS:
    void contextChanged();

private:
    std::unique_ptr<PagesRig> m_rig;
    std::list<std::unique_ptr<PagesRig>> m_retired;
    int m_launches = 0;
};
