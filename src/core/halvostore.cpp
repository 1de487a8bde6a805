#include "core/halvostore.h"

#include "core/colormath.h"
#include "schedule/scheduleevaluator.h"

#include <QPointer>
#include <QStringList>

#include <algorithm>

namespace {

// Where a ripple starts when nothing better is known: near the top-right
// corner of the main screen, where the tray usually sits.
constexpr qreal originInsetFromRight = 180.0;
constexpr qreal originInsetFromTop = 12.0;
const QPointF originWithoutScreen(1200.0, 900.0);

// The state file lists hidden presets sorted, so equal sets save equal files.
QStringList sortedIDs(const QSet<QString> &ids)
{
    QStringList sorted(ids.cbegin(), ids.cend());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

} // namespace

HalvoStore::HalvoStore(StatePersistence persistence,
                       std::shared_ptr<DisplayColorApplying> colorEngine,
                       std::shared_ptr<BrightnessControlling> brightnessEngine,
                       std::shared_ptr<KeepAwakeControlling> keepAwakeEngine,
                       std::shared_ptr<RippleTransitioning> rippleEngine,
                       Clock clock,
                       std::shared_ptr<LoginItemService> loginItems,
                       MainScreenGeometry mainScreen,
                       QObject *parent)
    : QObject(parent)
    , m_persistence(std::move(persistence))
    , m_colorEngine(std::move(colorEngine))
    , m_brightnessEngine(std::move(brightnessEngine))
    , m_keepAwakeEngine(std::move(keepAwakeEngine))
    , m_rippleEngine(std::move(rippleEngine))
    , m_clock(std::move(clock))
    , m_loginItems(std::move(loginItems))
    , m_mainScreen(std::move(mainScreen))
    , m_state(m_persistence.load())
{
    m_state.hiddenPresetIDs = sortedIDs(QSet<QString>(m_state.hiddenPresetIDs.cbegin(),
                                                      m_state.hiddenPresetIDs.cend()));

    m_currentBrightness = m_brightnessEngine->readBrightness();
}

HalvoStore::~HalvoStore() = default;

QSet<QString> HalvoStore::hiddenPresetIDs() const
{
    return QSet<QString>(m_state.hiddenPresetIDs.cbegin(), m_state.hiddenPresetIDs.cend());
}

HalvoPreset HalvoStore::activePreset() const
{
    if (const auto preset = findPreset(m_state.activeModeID))
        return *preset;
    if (!m_state.presets.isEmpty())
        return m_state.presets.first();
    return HalvoPreset::builtInPresets().first();
}

QList<HalvoPreset> HalvoStore::visiblePresets() const
{
    QList<HalvoPreset> visible;
    for (const HalvoPreset &preset : m_state.presets) {
        if (!m_state.hiddenPresetIDs.contains(preset.id))
            visible.append(preset);
    }
    // The menu never shows an empty list while presets exist.
    if (visible.isEmpty() && !m_state.presets.isEmpty())
        visible.append(m_state.presets.first());
    return visible;
}

std::optional<HalvoPreset> HalvoStore::findPreset(const QString &id) const
{
    for (const HalvoPreset &preset : m_state.presets) {
        if (preset.id == id)
            return preset;
    }
    return std::nullopt;
}

QStringList HalvoStore::screensWithoutColour() const
{
    return m_colorEngine ? m_colorEngine->screensWithoutColour() : QStringList();
}

void HalvoStore::activatePreset(const QString &id, bool animated)
{
    const std::optional<HalvoPreset> found = findPreset(id);
    if (!found)
        return;
    const HalvoPreset preset = *found;

    setErrorMessage(std::nullopt);
    const qint64 fromTemperature = m_appliedTemperature;
    const qint64 fromSaturation = m_appliedSaturation;

    // The screen changes first and the state file follows at once: a crash
    // between the two leaves the old file, which names the old preset.
    setActiveModeID(preset.id);

    const bool colourChanges =
        preset.temperature != fromTemperature || preset.saturation != fromSaturation;
    if (animated && m_state.animationEnabled && colourChanges && m_rippleEngine) {
        const QPointF origin = rippleOrigin();
        setIsTransitioning(true);
        // The steps hold the store weakly: a transition may outlive it.
        const QPointer<HalvoStore> weakSelf(this);
        m_rippleEngine->runTransition(
            fromTemperature, fromSaturation, preset.temperature, preset.saturation,
            m_state.opticalRefractionEnabled, origin,
            [weakSelf, preset] {
                if (!weakSelf)
                    return;
                weakSelf->setAppliedColor(preset.temperature, preset.saturation);
                weakSelf->m_colorEngine->applyColor(preset.temperature, preset.saturation);
            },
            [weakSelf, brightness = preset.brightness] {
                if (!weakSelf)
                    return;
                weakSelf->setIsTransitioning(false);
                weakSelf->applyBrightness(brightness);
            });
        save();
        return;
    }

    applyImmediately(preset);
    save();
}

void HalvoStore::applyImmediately(const HalvoPreset &preset)
{
    if (m_rippleEngine)
        m_rippleEngine->cancelTransition();
    setIsTransitioning(false);
    setAppliedColor(preset.temperature, preset.saturation);
    m_colorEngine->applyColor(preset.temperature, preset.saturation);
    applyBrightness(preset.brightness);
}

void HalvoStore::applyBrightness(std::optional<qint64> brightness)
{
    if (!brightness) {
        if (!m_state.brightnessBaseline) {
            setCurrentBrightness(m_brightnessEngine->readBrightness());
            return;
        }
        const qint64 baseline = *m_state.brightnessBaseline;
        if (m_brightnessEngine->setBrightness(baseline))
            setCurrentBrightness(baseline);
        setBrightnessBaseline(std::nullopt);
        save();
        return;
    }

    // The first preset with its own brightness records the user's level once.
    if (!m_state.brightnessBaseline) {
        if (const std::optional<qint64> read = m_brightnessEngine->readBrightness()) {
            setBrightnessBaseline(read);
            save();
        }
    }
    if (m_brightnessEngine->setBrightness(*brightness))
        setCurrentBrightness(brightness);
}

void HalvoStore::reapplyActivePreset()
{
    refreshBrightness();
    const HalvoPreset preset = activePreset();
    setAppliedColor(preset.temperature, preset.saturation);
    m_colorEngine->applyColor(preset.temperature, preset.saturation);
    applyBrightness(preset.brightness);
}

std::optional<qint64> HalvoStore::refreshBrightness()
{
    setCurrentBrightness(m_brightnessEngine->readBrightness());
    return m_currentBrightness;
}

std::optional<QString> HalvoStore::checkSchedule(const QTimeZone &calendar)
{
    if (!m_state.schedule.enabled)
        return std::nullopt;

    const QPointer<HalvoStore> weakSelf(this);
    const auto presetExists = [weakSelf](const QString &id) {
        return weakSelf && weakSelf->findPreset(id).has_value();
    };
    const std::optional<ScheduleEvaluation> evaluation = ScheduleEvaluator::evaluate(
        m_state.schedule, m_clock(), calendar, m_state.lastScheduleMarker, presetExists);
    if (!evaluation)
        return std::nullopt;

    setLastScheduleMarker(evaluation->marker);
    save();
    activatePreset(evaluation->targetPresetID, false);
    return evaluation->targetPresetID;
}

void HalvoStore::save()
{
    if (const std::optional<QString> error = m_persistence.save(m_state))
        Q_EMIT stateSaveFailed(m_persistence.fileURL(), *error);
}

void HalvoStore::prepareForTermination()
{
    if (m_rippleEngine)
        m_rippleEngine->cancelTransition();
    m_keepAwakeEngine->setActive(false);
    setKeepAwakeEnabled(false);
    if (m_state.brightnessBaseline) {
        m_brightnessEngine->setBrightness(*m_state.brightnessBaseline);
        setBrightnessBaseline(std::nullopt);
        save();
    }
    m_colorEngine->reset();
}

QPointF HalvoStore::rippleOrigin() const
{
    QPointF origin = originWithoutScreen;
    if (m_mainScreen) {
        if (const std::optional<QRectF> frame = m_mainScreen()) {
            // Global coordinates grow downward, so "12 below the top" is top + 12.
            origin = QPointF(frame->x() + frame->width() - originInsetFromRight,
                             frame->y() + originInsetFromTop);
        }
    }
    if (m_rippleOriginProvider) {
        if (const std::optional<QPointF> provided = m_rippleOriginProvider())
            origin = *provided;
    }
    return origin;
}

void HalvoStore::setRippleOriginProvider(RippleOriginProvider provider)
{
    m_rippleOriginProvider = std::move(provider);
}

void HalvoStore::updatePreset(const QString &id, std::optional<qint64> temperature,
                              std::optional<qint64> saturation, BrightnessChange brightness)
{
    const auto it = std::find_if(m_state.presets.cbegin(), m_state.presets.cend(),
                                 [&id](const HalvoPreset &p) { return p.id == id; });
    if (it == m_state.presets.cend())
        return;
    const qsizetype index = it - m_state.presets.cbegin();

    setErrorMessage(std::nullopt);
    QList<HalvoPreset> presets = m_state.presets;
    HalvoPreset &preset = presets[index];
    if (temperature)
        preset.temperature = ColorMath::clampTemperature(*temperature);
    if (saturation)
        preset.saturation = ColorMath::clampSaturation(*saturation);
    switch (brightness.kind()) {
    case BrightnessChange::Kind::LeaveAlone:
        break;
    case BrightnessChange::Kind::SetLevel:
        preset.brightness = ColorMath::clampBrightness(brightness.level());
        break;
    case BrightnessChange::Kind::KeepSystemLevel:
        preset.brightness = std::nullopt;
        break;
    }
    const HalvoPreset edited = preset;
    setPresets(presets);

    setActiveModeID(edited.id);
    applyImmediately(edited);
    save();
}

void HalvoStore::resetPreset(const QString &id)
{
    const auto it = std::find_if(m_state.presets.cbegin(), m_state.presets.cend(),
                                 [&id](const HalvoPreset &p) { return p.id == id; });
    if (it == m_state.presets.cend())
        return;
    const qsizetype index = it - m_state.presets.cbegin();

    QList<HalvoPreset> presets = m_state.presets;
    presets[index].resetToDefaults();
    const HalvoPreset reset = presets[index];
    setPresets(presets);

    setActiveModeID(reset.id);
    applyImmediately(reset);
    save();
}

HalvoPreset HalvoStore::addCustomPreset(const QString &name)
{
    const HalvoPreset preset(HalvoPreset::newCustomID(), HalvoPreset::sanitizedName(name),
                             m_appliedTemperature, m_appliedSaturation, std::nullopt, true);
    QList<HalvoPreset> presets = m_state.presets;
    presets.append(preset);
    setPresets(presets);
    save();
    return preset;
}

void HalvoStore::renamePreset(const QString &id, const QString &name)
{
    const auto it = std::find_if(m_state.presets.cbegin(), m_state.presets.cend(), [&id](const HalvoPreset &p) {
        return p.id == id && p.isCustom;
    });
    if (it == m_state.presets.cend())
        return;
    QList<HalvoPreset> presets = m_state.presets;
    presets[it - m_state.presets.cbegin()].name = HalvoPreset::sanitizedName(name);
    setPresets(presets);
    save();
}

void HalvoStore::deleteCustomPreset(const QString &id)
{
    const auto it = std::find_if(m_state.presets.cbegin(), m_state.presets.cend(), [&id](const HalvoPreset &p) {
        return p.id == id && p.isCustom;
    });
    if (it == m_state.presets.cend())
        return;

    QList<HalvoPreset> presets = m_state.presets;
    presets.removeAt(it - m_state.presets.cbegin());
    setPresets(presets);
    QSet<QString> hidden = hiddenPresetIDs();
    hidden.remove(id);
    setHiddenPresetIDs(hidden);

    DailySchedule schedule = m_state.schedule;
    if (schedule.preset1ID == id) {
        schedule.preset1ID = BuiltinPresetID::standard;
        setLastScheduleMarker(std::nullopt);
    }
    if (schedule.preset2ID == id) {
        schedule.preset2ID = BuiltinPresetID::standard;
        setLastScheduleMarker(std::nullopt);
    }
    setSchedule(schedule);

    if (m_state.activeModeID == id)
        activatePreset(BuiltinPresetID::standard, false);
    else
        save();
}

void HalvoStore::togglePresetHidden(const QString &id)
{
    QSet<QString> hidden = hiddenPresetIDs();
    if (hidden.contains(id)) {
        hidden.remove(id);
    } else {
        // The last visible preset cannot be hidden.
        if (visiblePresets().size() < 2)
            return;
        hidden.insert(id);
    }
    setHiddenPresetIDs(hidden);
    save();
}

void HalvoStore::updateSchedule(const DailySchedule &schedule)
{
    setSchedule(schedule);
    setLastScheduleMarker(std::nullopt);
    save();
    if (schedule.enabled)
        checkSchedule(m_calendar);
}

void HalvoStore::setScheduleEnabled(bool enabled)
{
    DailySchedule schedule = m_state.schedule;
    schedule.enabled = enabled;
    setSchedule(schedule);
    setLastScheduleMarker(std::nullopt);
    save();
    if (enabled)
        checkSchedule(m_calendar);
}

void HalvoStore::setKeepAwake(bool enabled)
{
    const bool ok = m_keepAwakeEngine->setActive(enabled);
    setKeepAwakeEnabled(m_keepAwakeEngine->isActive());
    if (enabled && !ok)
        setErrorMessage(tr("Unable to inhibit screen blanking to keep display awake."));
    else
        setErrorMessage(std::nullopt);
}

void HalvoStore::setLaunchAtLogin(bool enabled)
{
    QString error;
    bool ok = false;
    if (m_loginItems) {
        ok = enabled ? m_loginItems->registerItem(&error) : m_loginItems->unregisterItem(&error);
    } else {
        error = tr("No login-item service is available.");
    }
    if (ok)
        setErrorMessage(std::nullopt);
    else
        //: %1 is the reason the desktop's autostart gave.
        setErrorMessage(tr("Unable to update Launch at Login: %1").arg(error));
}

void HalvoStore::setAnimationEnabled(bool enabled)
{
    const bool changed = m_state.animationEnabled != enabled;
    m_state.animationEnabled = enabled;
    if (changed)
        Q_EMIT animationEnabledChanged();
    save();
}

void HalvoStore::setOpticalRefractionEnabled(bool enabled)
{
    const bool changed = m_state.opticalRefractionEnabled != enabled;
    m_state.opticalRefractionEnabled = enabled;
    if (changed)
        Q_EMIT opticalRefractionEnabledChanged();
    save();
}

void HalvoStore::setHasCompletedOnboarding(bool completed)
{
    const bool changed = m_state.hasCompletedOnboarding != completed;
    m_state.hasCompletedOnboarding = completed;
    if (changed)
        Q_EMIT hasCompletedOnboardingChanged();
    save();
}

namespace {
// Every notifying setter goes through here, so a signal means a real change.
template <typename T, typename Signal>
void assign(HalvoStore *store, T &field, const T &value, Signal signal)
{
    if (field == value)
        return;
    field = value;
    Q_EMIT(store->*signal)
    ();
}
} // namespace

void HalvoStore::setActiveModeID(const QString &id)
{
    assign(this, m_state.activeModeID, id, &HalvoStore::activeModeIDChanged);
}

void HalvoStore::setPresets(const QList<HalvoPreset> &presets)
{
    assign(this, m_state.presets, presets, &HalvoStore::presetsChanged);
}

void HalvoStore::setHiddenPresetIDs(const QSet<QString> &ids)
{
    assign(this, m_state.hiddenPresetIDs, sortedIDs(ids), &HalvoStore::hiddenPresetIDsChanged);
}

void HalvoStore::setSchedule(const DailySchedule &schedule)
{
    assign(this, m_state.schedule, schedule, &HalvoStore::scheduleChanged);
}

void HalvoStore::setLastScheduleMarker(const std::optional<ScheduleEventMarker> &marker)
{
    assign(this, m_state.lastScheduleMarker, marker, &HalvoStore::lastScheduleMarkerChanged);
}

void HalvoStore::setBrightnessBaseline(std::optional<qint64> baseline)
{
    assign(this, m_state.brightnessBaseline, baseline, &HalvoStore::brightnessBaselineChanged);
}

void HalvoStore::setCurrentBrightness(std::optional<qint64> brightness)
{
    assign(this, m_currentBrightness, brightness, &HalvoStore::currentBrightnessChanged);
}

void HalvoStore::setKeepAwakeEnabled(bool enabled)
{
    assign(this, m_keepAwakeEnabled, enabled, &HalvoStore::keepAwakeEnabledChanged);
}

void HalvoStore::reportDisplayProblem(const QString &message)
{
    setErrorMessage(message);
}

void HalvoStore::setIsTransitioning(bool transitioning)
{
    assign(this, m_isTransitioning, transitioning, &HalvoStore::isTransitioningChanged);
}

void HalvoStore::setErrorMessage(const std::optional<QString> &message)
{
    assign(this, m_errorMessage, message, &HalvoStore::errorMessageChanged);
}

void HalvoStore::setAppliedColor(qint64 temperature, qint64 saturation)
{
    assign(this, m_appliedTemperature, temperature, &HalvoStore::appliedTemperatureChanged);
    assign(this, m_appliedSaturation, saturation, &HalvoStore::appliedSaturationChanged);
}
