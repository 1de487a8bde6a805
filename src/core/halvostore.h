#pragma once

#include "core/brightnesscontrolling.h"
#include "core/displaycolorapplying.h"
#include "core/halvopreset.h"
#include "core/keepawakecontrolling.h"
#include "core/loginitemservice.h"
#include "core/rippletransitioning.h"
#include "core/statepersistence.h"
#include "schedule/dailyschedule.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QSet>
#include <QString>
#include <QTimeZone>

#include <functional>
#include <memory>
#include <optional>

// How updatePreset treats a preset's brightness.
class BrightnessChange {
public:
    enum class Kind { LeaveAlone,
                      SetLevel,
                      KeepSystemLevel };

    static BrightnessChange leaveAlone() { return BrightnessChange(Kind::LeaveAlone, 0); }
    static BrightnessChange setLevel(qint64 percent) { return BrightnessChange(Kind::SetLevel, percent); }
    static BrightnessChange keepSystemLevel() { return BrightnessChange(Kind::KeepSystemLevel, 0); }

    Kind kind() const { return m_kind; }
    qint64 level() const { return m_level; }

private:
    BrightnessChange(Kind kind, qint64 level)
        : m_kind(kind)
        , m_level(level) {}
    Kind m_kind;
    qint64 m_level;
};

// The single source of truth of the running application: presets, settings,
// the active preset and every operation a user action or timer ends in.
// Main thread only. Every NOTIFY signal fires only on a real change.
class HalvoStore : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString activeModeID READ activeModeID NOTIFY activeModeIDChanged)
    Q_PROPERTY(QList<HalvoPreset> presets READ presets NOTIFY presetsChanged)
    Q_PROPERTY(QSet<QString> hiddenPresetIDs READ hiddenPresetIDs NOTIFY hiddenPresetIDsChanged)
    Q_PROPERTY(DailySchedule schedule READ schedule NOTIFY scheduleChanged)
    Q_PROPERTY(std::optional<ScheduleEventMarker> lastScheduleMarker READ lastScheduleMarker NOTIFY lastScheduleMarkerChanged)
    Q_PROPERTY(bool animationEnabled READ animationEnabled WRITE setAnimationEnabled NOTIFY animationEnabledChanged)
    Q_PROPERTY(bool opticalRefractionEnabled READ opticalRefractionEnabled WRITE setOpticalRefractionEnabled NOTIFY opticalRefractionEnabledChanged)
    Q_PROPERTY(bool hasCompletedOnboarding READ hasCompletedOnboarding WRITE setHasCompletedOnboarding NOTIFY hasCompletedOnboardingChanged)
    Q_PROPERTY(std::optional<qint64> brightnessBaseline READ brightnessBaseline NOTIFY brightnessBaselineChanged)
    Q_PROPERTY(std::optional<qint64> currentBrightness READ currentBrightness NOTIFY currentBrightnessChanged)
    Q_PROPERTY(bool keepAwakeEnabled READ keepAwakeEnabled NOTIFY keepAwakeEnabledChanged)
    Q_PROPERTY(bool isTransitioning READ isTransitioning NOTIFY isTransitioningChanged)
    Q_PROPERTY(std::optional<QString> errorMessage READ errorMessage NOTIFY errorMessageChanged)
    Q_PROPERTY(qint64 appliedTemperature READ appliedTemperature NOTIFY appliedTemperatureChanged)
    Q_PROPERTY(qint64 appliedSaturation READ appliedSaturation NOTIFY appliedSaturationChanged)

public:
    using Clock = std::function<QDateTime()>;
    // The main screen's frame in global coordinates (top-left origin, y
    // downward), or nothing when there is no main screen.
    using MainScreenGeometry = std::function<std::optional<QRectF>()>;
    // Where a ripple starts, in the same coordinates; nothing = use the default.
    using RippleOriginProvider = std::function<std::optional<QPointF>()>;

    // Loads the state file and reads the brightness; applies nothing, saves nothing.
    HalvoStore(StatePersistence persistence,
               std::shared_ptr<DisplayColorApplying> colorEngine,
               std::shared_ptr<BrightnessControlling> brightnessEngine,
               std::shared_ptr<KeepAwakeControlling> keepAwakeEngine,
               std::shared_ptr<RippleTransitioning> rippleEngine,
               Clock clock,
               std::shared_ptr<LoginItemService> loginItems,
               MainScreenGeometry mainScreen = {},
               QObject *parent = nullptr);
    ~HalvoStore() override;

    // Observed state.
    QString activeModeID() const { return m_state.activeModeID; }
    QList<HalvoPreset> presets() const { return m_state.presets; }
    QSet<QString> hiddenPresetIDs() const;
    DailySchedule schedule() const { return m_state.schedule; }
    std::optional<ScheduleEventMarker> lastScheduleMarker() const { return m_state.lastScheduleMarker; }
    bool animationEnabled() const { return m_state.animationEnabled; }
    bool opticalRefractionEnabled() const { return m_state.opticalRefractionEnabled; }
    bool hasCompletedOnboarding() const { return m_state.hasCompletedOnboarding; }
    std::optional<qint64> brightnessBaseline() const { return m_state.brightnessBaseline; }
    std::optional<qint64> currentBrightness() const { return m_currentBrightness; }
    bool keepAwakeEnabled() const { return m_keepAwakeEnabled; }
    bool isTransitioning() const { return m_isTransitioning; }
    std::optional<QString> errorMessage() const { return m_errorMessage; }
    qint64 appliedTemperature() const { return m_appliedTemperature; }
    qint64 appliedSaturation() const { return m_appliedSaturation; }

    // These three save the state file on every assignment, equal or not.
    void setAnimationEnabled(bool enabled);
    void setOpticalRefractionEnabled(bool enabled);
    void setHasCompletedOnboarding(bool completed);

    void setRippleOriginProvider(RippleOriginProvider provider);

    // The calendar that schedule edits evaluate with; the system zone unless set.
    QTimeZone currentCalendar() const { return m_calendar; }
    void setCurrentCalendar(const QTimeZone &zone) { m_calendar = zone; }

    // Derived values, computed on every read.
    HalvoPreset activePreset() const;
    // See DisplayColorApplying::screensWithoutColour.
    QStringList screensWithoutColour() const;
    QList<HalvoPreset> visiblePresets() const;
    std::optional<HalvoPreset> findPreset(const QString &id) const;

    // Collaborators the pages reach through the store.
    RippleTransitioning *rippleEngine() const { return m_rippleEngine.get(); }
    LoginItemService *loginItemService() const { return m_loginItems.get(); }

    // Preset application.
    void activatePreset(const QString &id, bool animated);
    // Shows a fault of the display colour (another program took a screen, …)
    // in the error line until the next preset change.
    void reportDisplayProblem(const QString &message);
    void reapplyActivePreset();
    std::optional<QString> checkSchedule(const QTimeZone &calendar);
    std::optional<qint64> refreshBrightness();
    void prepareForTermination();
    void save();

    // Editing and settings.
    void updatePreset(const QString &id, std::optional<qint64> temperature,
                      std::optional<qint64> saturation, BrightnessChange brightness);
    void resetPreset(const QString &id);
    HalvoPreset addCustomPreset(const QString &name);
    void renamePreset(const QString &id, const QString &name);
    void deleteCustomPreset(const QString &id);
    void togglePresetHidden(const QString &id);
    void updateSchedule(const DailySchedule &schedule);
    void setScheduleEnabled(bool enabled);
    void setKeepAwake(bool enabled);
    void setLaunchAtLogin(bool enabled);

Q_SIGNALS:
    void activeModeIDChanged();
    void presetsChanged();
    void hiddenPresetIDsChanged();
    void scheduleChanged();
    void lastScheduleMarkerChanged();
    void animationEnabledChanged();
    void opticalRefractionEnabledChanged();
    void hasCompletedOnboardingChanged();
    void brightnessBaselineChanged();
    void currentBrightnessChanged();
    void keepAwakeEnabledChanged();
    void isTransitioningChanged();
    void errorMessageChanged();
    void appliedTemperatureChanged();
    void appliedSaturationChanged();
    // The state file could not be written; `error` says why.
    void stateSaveFailed(const QString &filePath, const QString &error);

private:
    void applyImmediately(const HalvoPreset &preset);
    void applyBrightness(std::optional<qint64> brightness);
    QPointF rippleOrigin() const;

    void setActiveModeID(const QString &id);
    void setPresets(const QList<HalvoPreset> &presets);
    void setHiddenPresetIDs(const QSet<QString> &ids);
    void setSchedule(const DailySchedule &schedule);
    void setLastScheduleMarker(const std::optional<ScheduleEventMarker> &marker);
    void setBrightnessBaseline(std::optional<qint64> baseline);
    void setCurrentBrightness(std::optional<qint64> brightness);
    void setKeepAwakeEnabled(bool enabled);
    void setIsTransitioning(bool transitioning);
    void setErrorMessage(const std::optional<QString> &message);
    void setAppliedColor(qint64 temperature, qint64 saturation);

    StatePersistence m_persistence;
    std::shared_ptr<DisplayColorApplying> m_colorEngine;
    std::shared_ptr<BrightnessControlling> m_brightnessEngine;
    std::shared_ptr<KeepAwakeControlling> m_keepAwakeEngine;
    std::shared_ptr<RippleTransitioning> m_rippleEngine;
    Clock m_clock;
    std::shared_ptr<LoginItemService> m_loginItems;
    MainScreenGeometry m_mainScreen;
    RippleOriginProvider m_rippleOriginProvider;
    QTimeZone m_calendar = QTimeZone::systemTimeZone();

    // Exactly what save() writes. Its hidden IDs stay sorted and free of
    // duplicates, so comparing the lists compares the sets.
    HalvoPersistedState m_state;
    std::optional<qint64> m_currentBrightness;
    bool m_keepAwakeEnabled = false;
    bool m_isTransitioning = false;
    std::optional<QString> m_errorMessage;
    qint64 m_appliedTemperature = 6500;
    qint64 m_appliedSaturation = 100;
};
