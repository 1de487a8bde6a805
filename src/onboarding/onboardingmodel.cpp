#include "onboarding/onboardingmodel.h"

#include "core/halvostore.h"
#include "core/localeformat.h"
#include "onboarding/relaunchmarker.h"

#include <QLocale>
#include <QSettings>

#include <algorithm>

namespace {

bool initialOpenAtLogin(const HalvoStore *store)
{
    if (!store)
        return true;
    const LoginItemService *loginItems = store->loginItemService();
    if (loginItems && loginItems->isEnabled())
        return true;
    if (loginItems && !loginItems->reasonToStartOff().isEmpty())
        return false;
    return !store->hasCompletedOnboarding();
}

} // namespace

OnboardingModel::OnboardingModel(HalvoStore *store, QSettings *userDefaults, int startStep,
                                 Actions actions, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_userDefaults(userDefaults)
    , m_actions(std::move(actions))
    , m_step(std::clamp(startStep, 0, stepCount - 1))
{
    m_hasScreenPermission = engineHasAccess();
    m_openAtLogin = initialOpenAtLogin(store);

    m_permissionTimer.setInterval(pollIntervalMs);
    m_permissionTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_permissionTimer, &QTimer::timeout, this, &OnboardingModel::pollPermission);
}

OnboardingModel::~OnboardingModel() = default;

QString OnboardingModel::title() const
{
    switch (m_step) {
    case 0: return tr("Welcome to Halvoscope");
    case 1: return tr("Open at Login");
    default: return tr("Custom Ripple Animation");
    }
}

QString OnboardingModel::counterText() const
{
    //: The step counter: %1 is this step's number, %2 how many steps there are.
    return tr("%1 of %2").arg(QLocale().toString(m_step + 1), QLocale().toString(stepCount));
}

QString OnboardingModel::primaryTitle() const
{
    switch (m_step) {
    case 0: return tr("Get Started →");
    case 1: return tr("Continue →");
    default: return tr("Start Using Halvoscope");
    }
}

QString OnboardingModel::loginStatusText() const
{
    const LoginItemService *loginItems = m_store ? m_store->loginItemService() : nullptr;
    const QString reason = loginItems ? loginItems->reasonToStartOff() : QString();
    if (!m_openAtLogin && !reason.isEmpty())
        return reason;
    return m_openAtLogin ? tr("Enabled · Launches quietly in your system tray")
                         : tr("Off · Open Halvoscope manually from Applications");
}

QString OnboardingModel::previewLabel() const
{
    return m_previewWarm ? warmPreviewLabel() : coolPreviewLabel();
}

// The preview shows the presets as the user has them: their names and their
// current temperatures.
QString OnboardingModel::presetLabel(const QString &id) const
{
    std::optional<HalvoPreset> preset = m_store ? m_store->findPreset(id) : std::nullopt;
    if (!preset) {
        const QList<HalvoPreset> &builtIn = HalvoPreset::builtInPresets();
        const auto it = std::find_if(builtIn.cbegin(), builtIn.cend(),
                                     [&id](const HalvoPreset &candidate) { return candidate.id == id; });
        if (it == builtIn.cend())
            return {};
        preset = *it;
    }
    return LocaleFormat::nameWithKelvin(preset->displayName(), preset->temperature);
}

QString OnboardingModel::coolPreviewLabel() const
{
    return presetLabel(BuiltinPresetID::standard);
}

QString OnboardingModel::warmPreviewLabel() const
{
    return presetLabel(BuiltinPresetID::redLight);
}

bool OnboardingModel::captureUnavailable() const
{
    const RippleTransitioning *engine = m_store ? m_store->rippleEngine() : nullptr;
    return !m_hasScreenPermission && engine && !engine->canRequestScreenCaptureAccess();
}

void OnboardingModel::setOpenAtLogin(bool on)
{
    if (m_openAtLogin == on)
        return;
    m_openAtLogin = on;
    Q_EMIT openAtLoginChanged();
}

void OnboardingModel::viewAppeared()
{
    if (m_appeared || m_stopped)
        return;
    m_appeared = true;
    m_permissionTimer.start();
    if (m_step == 2 && m_hasScreenPermission)
        warmUpOnce();
}

void OnboardingModel::stop()
{
    m_stopped = true;
    m_permissionTimer.stop();
}

void OnboardingModel::back()
{
    setStep(std::max(m_step - 1, 0));
}

void OnboardingModel::primaryAction()
{
    switch (m_step) {
    case 0:
        setStep(1);
        break;
    case 1:
        // A refusal shows up as the store's error message; the flow goes on.
        if (m_store)
            m_store->setLaunchAtLogin(m_openAtLogin);
        setStep(2);
        break;
    default:
        if (m_store)
            m_store->setOpticalRefractionEnabled(m_hasScreenPermission);
        finish();
        break;
    }
}

void OnboardingModel::skip()
{
    if (!skipVisible())
        return;
    if (m_store)
        m_store->setOpticalRefractionEnabled(false);
    finish();
}

void OnboardingModel::requestPermission()
{
    if (m_step != 2 || m_hasScreenPermission || captureUnavailable())
        return;
    setRequestedPermission(true);
    // Recorded before asking, so that any later start of the program, by
    // whoever starts it, finishes the onboarding.
    if (m_store) {
        m_store->setOpticalRefractionEnabled(true);
        m_store->setHasCompletedOnboarding(true);
    }
    if (m_userDefaults)
        RelaunchMarker::set(*m_userDefaults);
    if (m_store && m_store->rippleEngine())
        m_store->rippleEngine()->requestScreenCaptureAccess();
}

void OnboardingModel::relaunchAndFinish()
{
    if (!relaunchVisible())
        return;
    if (m_store)
        m_store->setHasCompletedOnboarding(true);
    if (m_userDefaults)
        RelaunchMarker::set(*m_userDefaults);
    // A failed launch still quits: the marker makes the next manual start
    // finish the onboarding.
    if (m_actions.launchNewInstance)
        m_actions.launchNewInstance();
    if (m_actions.quit)
        m_actions.quit();
}

void OnboardingModel::playPreviewRipple()
{
    setPreviewWarm(!m_previewWarm);
    setRipple(rippleStartScale, rippleStartOpacity);
    setRipple(rippleEndScale, rippleEndOpacity);
    Q_EMIT previewRipplePlayed(rippleStartScale, rippleStartOpacity);
}

void OnboardingModel::setStep(int step)
{
    step = std::clamp(step, 0, stepCount - 1);
    if (m_step == step)
        return;
    const bool skipWasVisible = skipVisible();
    m_step = step;
    Q_EMIT stepChanged();
    if (skipVisible() != skipWasVisible)
        Q_EMIT skipVisibleChanged();
    if (m_step == 2)
        enteredRipplePage();
}

void OnboardingModel::setHasScreenPermission(bool granted)
{
    if (m_hasScreenPermission == granted)
        return;
    const bool skipWasVisible = skipVisible();
    const bool relaunchWasVisible = relaunchVisible();
    m_hasScreenPermission = granted;
    Q_EMIT hasScreenPermissionChanged();
    if (skipVisible() != skipWasVisible)
        Q_EMIT skipVisibleChanged();
    if (relaunchVisible() != relaunchWasVisible)
        Q_EMIT relaunchVisibleChanged();
}

void OnboardingModel::setRequestedPermission(bool requested)
{
    if (m_requestedPermission == requested)
        return;
    const bool relaunchWasVisible = relaunchVisible();
    m_requestedPermission = requested;
    Q_EMIT requestedPermissionChanged();
    if (relaunchVisible() != relaunchWasVisible)
        Q_EMIT relaunchVisibleChanged();
}

void OnboardingModel::setPreviewWarm(bool warm)
{
    if (m_previewWarm == warm)
        return;
    m_previewWarm = warm;
    Q_EMIT previewWarmChanged();
}

void OnboardingModel::setRipple(qreal scale, qreal opacity)
{
    if (m_rippleScale != scale) {
        m_rippleScale = scale;
        Q_EMIT rippleScaleChanged();
    }
    if (m_rippleOpacity != opacity) {
        m_rippleOpacity = opacity;
        Q_EMIT rippleOpacityChanged();
    }
}

void OnboardingModel::enteredRipplePage()
{
    setHasScreenPermission(engineHasAccess());
    QTimer::singleShot(previewDelayMs, this, [this] {
        if (!m_stopped)
            playPreviewRipple();
    });
    if (m_hasScreenPermission)
        warmUpOnce();
}

void OnboardingModel::pollPermission()
{
    if (m_step != 2)
        return;
    const bool granted = engineHasAccess();
    if (granted == m_hasScreenPermission)
        return;
    setHasScreenPermission(granted);
    if (!granted)
        return;
    if (m_store)
        m_store->setOpticalRefractionEnabled(true);
    playPreviewRipple();
    warmUpOnce();
}

void OnboardingModel::warmUpOnce()
{
    if (m_didWarmUpCapture)
        return;
    m_didWarmUpCapture = true;
    Q_EMIT didWarmUpCaptureChanged();
    // The engine captures asynchronously and swallows its own failures.
    if (m_store && m_store->rippleEngine())
        m_store->rippleEngine()->warmUpCapture();
}

bool OnboardingModel::engineHasAccess() const
{
    return m_store && m_store->rippleEngine() && m_store->rippleEngine()->hasScreenCaptureAccess();
}

void OnboardingModel::finish()
{
    if (m_actions.onFinish)
        m_actions.onFinish();
}
