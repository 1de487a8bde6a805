#include "engines/displaycolorengine.h"

#include "core/colormath.h"
#include "core/systemlog.h"

#include <QObject>
#include <QPointer>
#include <QScopeGuard>

#include <algorithm>
#include <cmath>

namespace {

ColorMatrix3x3 colourPart(const ColorMatrix4x5 &m)
{
    return {m.m11, m.m12, m.m13, m.m21, m.m22, m.m23, m.m31, m.m32, m.m33};
}

} // namespace

DisplayColorEngine::DisplayColorEngine(std::unique_ptr<ColorStage> stage, QObject *parent)
    : QObject(parent)
    , m_stage(std::move(stage))
    , m_currentTemperature(ColorMath::neutralTemperature)
    , m_currentSaturation(ColorMath::neutralSaturation)
    , m_shownTemperature(double(ColorMath::neutralTemperature))
    , m_shownSaturation(double(ColorMath::neutralSaturation))
{
    m_reassertTimer.setInterval(defaultReassertInterval);
    connect(&m_reassertTimer, &QTimer::timeout, this, &DisplayColorEngine::reassert);
    m_stage->setConfigurationChangedHandler([self = QPointer<DisplayColorEngine>(this)] {
        if (self)
            self->screensChanged();
    });
    m_stage->setNoticeHandler([self = QPointer<DisplayColorEngine>(this)](const QString &message) {
        if (self)
            Q_EMIT self->noticeRaised(message);
    });
    // What the screens can show is known from the start; originals are read
    // again when a colour is first applied.
    syncOutputs();
    m_stage->forgetOriginals();
}

DisplayColorEngine::~DisplayColorEngine()
{
    m_stage->setConfigurationChangedHandler({});
    m_stage->setNoticeHandler({});
}

QSet<quint32> DisplayColorEngine::overlayWindowIDs() const
{
    return {};
}

void DisplayColorEngine::applyColor(qint64 temperature, qint64 saturation)
{
    const qint64 clampedTemperature = ColorMath::clampTemperature(temperature);
    const qint64 clampedSaturation = ColorMath::clampSaturation(saturation);
    if (clampedTemperature != m_currentTemperature || clampedSaturation != m_currentSaturation)
        takeScreensBack();
    m_currentTemperature = clampedTemperature;
    m_currentSaturation = clampedSaturation;
    m_shownTemperature = double(m_currentTemperature);
    m_shownSaturation = double(m_currentSaturation);
    if (m_stage->takesTemperature()) {
        applyTemperature();
        return;
    }

    if (isNeutral()) {
        clearMatrices();
        if (m_usingGammaFallback) {
            restoreGamma();
            m_usingGammaFallback = false;
        }
        m_stage->forgetOriginals();
        updateReassertTimer();
        return;
    }
    showColour();
}

void DisplayColorEngine::applyColorFrame(double temperature, double saturation)
{
    const double t = std::clamp(temperature, double(ColorMath::minTemperature), double(ColorMath::maxTemperature));
    const double s = std::clamp(saturation, double(ColorMath::minSaturation), double(ColorMath::maxSaturation));
    // The ends of a fade are stored colours; a night light takes whole steps.
    if (m_stage->takesTemperature()
        || (t == double(ColorMath::neutralTemperature) && s == double(ColorMath::neutralSaturation))) {
        applyColor(qint64(std::llround(t)), qint64(std::llround(s)));
        return;
    }
    m_shownTemperature = t;
    m_shownSaturation = s;
    showColour();
    m_stage->finishWrites();
}

bool DisplayColorEngine::runsTransitions() const
{
    return m_stage->isAvailable() && m_stage->runsTransitions();
}

bool DisplayColorEngine::runTransition(qint64 fromTemperature, qint64 fromSaturation, qint64 toTemperature,
                                       qint64 toSaturation, QPointF origin, int durationMs, bool refract)
{
    if (!runsTransitions())
        return false;
    syncOutputs();
    if (!matrixStageAvailable())
        return false;
    const auto matrixOf = [](qint64 temperature, qint64 saturation) {
        return colourPart(ColorMath::colorMatrix(ColorMath::clampTemperature(temperature),
                                                 ColorMath::clampSaturation(saturation)));
    };
    const ColorMatrix3x3 to = matrixOf(toTemperature, toSaturation);
    if (!m_stage->runTransition(matrixOf(fromTemperature, fromSaturation), to, origin, durationMs, refract))
        return false;
    // The compositor ends on the target by itself: applying it afterwards
    // writes nothing more.
    for (OutputRecord &record : m_outputs) {
        ++record.generation;
        record.lastAppliedMatrix = to;
    }
    return true;
}

void DisplayColorEngine::showColour()
{
    syncOutputs();
    const bool matrices = matrixStageAvailable();
    if (matrices && m_usingGammaFallback) {
        restoreGamma();
        m_usingGammaFallback = false;
    }
    if (!matrices || !showMatrices())
        useGamma();
    updateReassertTimer();
}

// Matrix and ramps both act at scan-out, over whatever the ripple draws
// while hidden, so either steps aside; the colour itself is kept.
void DisplayColorEngine::setOverlaysHidden(bool hidden)
{
    m_overlaysTemporarilyHidden = hidden;
    // The night light too acts at scan-out; turning it off and on for a
    // capture would run the desktop's own transition twice.
    if (m_stage->takesTemperature())
        return;
    if (hidden) {
        clearMatrices();
        restoreGamma();
    } else if (!isNeutral()) {
        if (m_usingGammaFallback)
            showGamma();
        else if (!showMatrices())
            useGamma();
    }
    updateReassertTimer();
}

void DisplayColorEngine::reset()
{
    m_currentTemperature = ColorMath::neutralTemperature;
    m_currentSaturation = ColorMath::neutralSaturation;
    m_shownTemperature = double(m_currentTemperature);
    m_shownSaturation = double(m_currentSaturation);
    m_stage->restoreMatrices();
    m_stage->restoreGamma();
    restoreTemperature();
    m_usingGammaFallback = false;
    m_outputs.clear();
    m_crtcs.clear();
    m_stage->forgetOriginals();
    updateReassertTimer();
}

bool DisplayColorEngine::followsEveryFrame() const
{
    return !m_stage->takesTemperature();
}

// Saturation cannot be shown through a night light, so only the temperature
// decides: neutral gives the user's own settings back. The same temperature
// again writes nothing, so a fade's frames and a resync leave the desktop
// (and a value the user set meanwhile) alone.
void DisplayColorEngine::applyTemperature()
{
    if (m_currentTemperature == ColorMath::neutralTemperature) {
        restoreTemperature();
        return;
    }
    // A night light the user changed holds nothing any more: choosing
    // again writes again.
    if (!m_stage->holdsTemperature())
        m_temperatureWritten.reset();
    if (m_temperatureWritten == m_currentTemperature)
        return;
    if (m_stage->writeTemperature(m_currentTemperature))
        m_temperatureWritten = m_currentTemperature;
}

void DisplayColorEngine::restoreTemperature()
{
    m_stage->restoreTemperature();
    m_temperatureWritten.reset();
}

// Nothing written anywhere while a colour is wanted: a missing display
// server, outputs that take neither matrix nor ramp, or a night light that
// refused the temperature. A capture hiding the colour for a moment counts
// as showing it.
QStringList DisplayColorEngine::screensWithoutColour() const
{
    if (isNeutral() || m_overlaysTemporarilyHidden)
        return {};
    if (m_stage->isAvailable() && m_stage->takesTemperature()) {
        if (m_temperatureWritten)
            return {};
        return {m_stage->temperatureStageName()};
    }
    if (hasWritten())
        return {};
    QStringList screens = m_stage->isAvailable() ? m_stage->activeOutputs() : QStringList();
    for (auto it = m_crtcs.cbegin(); it != m_crtcs.cend(); ++it) {
        const QString screen = m_stage->crtcScreen(it.key());
        if (!screens.contains(screen))
            screens.append(screen);
    }
    if (screens.isEmpty())
        screens.append(tr("every screen (no display server whose colors can be changed)"));
    return screens;
}

void DisplayColorEngine::applyColorWithReveal(qint64 temperature, qint64 saturation, QPointF origin, double progress)
{
    Q_UNUSED(temperature);
    Q_UNUSED(saturation);
    Q_UNUSED(origin);
    Q_UNUSED(progress);
}

void DisplayColorEngine::clearRevealMasks()
{
}

quint64 DisplayColorEngine::matrixGeneration(const QString &output) const
{
    return m_outputs.value(output).generation;
}

quint64 DisplayColorEngine::gammaGeneration(const QString &crtc) const
{
    return m_crtcs.value(crtc).generation;
}

std::chrono::milliseconds DisplayColorEngine::reassertInterval() const
{
    return m_reassertTimer.intervalAsDuration();
}

void DisplayColorEngine::setReassertInterval(std::chrono::milliseconds interval)
{
    m_reassertTimer.setInterval(interval);
}

void DisplayColorEngine::screensChanged()
{
    if (m_resyncPending)
        return;
    m_resyncPending = true;
    QMetaObject::invokeMethod(
        this,
        [self = QPointer<DisplayColorEngine>(this)] {
            if (!self)
                return;
            self->m_resyncPending = false;
            self->resync();
        },
        Qt::QueuedConnection);
}

bool DisplayColorEngine::isNeutral() const
{
    return ColorMath::isNeutral(m_currentTemperature, m_currentSaturation);
}

// Records of outputs and CRTCs that no longer show a picture go, as an
// overlay goes with its screen; one that comes back starts afresh.
void DisplayColorEngine::syncOutputs()
{
    m_stage->refresh();
    const QStringList outputs = m_stage->activeOutputs();
    for (auto it = m_outputs.begin(); it != m_outputs.end();)
        it = outputs.contains(it.key()) ? std::next(it) : m_outputs.erase(it);
    for (const QString &output : outputs) {
        if (!m_outputs.contains(output))
            m_outputs.insert(output, {});
    }

    const QStringList crtcs = m_stage->gammaCrtcs();
    for (auto it = m_crtcs.begin(); it != m_crtcs.end();)
        it = crtcs.contains(it.key()) ? std::next(it) : m_crtcs.erase(it);
    for (const QString &crtc : crtcs) {
        if (!m_crtcs.contains(crtc))
            m_crtcs.insert(crtc, {});
    }
    updateCapabilities();
}

bool DisplayColorEngine::wouldUseGammaFallback()
{
    syncOutputs();
    return !matrixStageAvailable();
}

bool DisplayColorEngine::matrixStageAvailable() const
{
    if (!m_stage->isAvailable() || m_outputs.isEmpty())
        return false;
    for (auto it = m_outputs.cbegin(); it != m_outputs.cend(); ++it) {
        if (!m_stage->hasMatrix(it.key()))
            return false;
    }
    return true;
}

// False when an output refused the matrix; the caller then moves to the ramps.
bool DisplayColorEngine::showMatrices()
{
    if (m_overlaysTemporarilyHidden)
        return true;
    const ColorMatrix3x3 matrix = colourPart(ColorMath::colorMatrixAt(m_shownTemperature, m_shownSaturation));
    for (auto it = m_outputs.cbegin(); it != m_outputs.cend(); ++it) {
        if (!applyMatrix(it.key(), matrix))
            return false;
    }
    return true;
}

// False when the output refused the matrix.
bool DisplayColorEngine::applyMatrix(const QString &output, const ColorMatrix3x3 &matrix)
{
    OutputRecord &record = m_outputs[output];
    if (record.lastAppliedMatrix == matrix)
        return true;
    if (!m_stage->writeMatrix(output, matrix))
        return !matrixRefused(output);
    ++record.generation;
    record.lastAppliedMatrix = matrix;
    return true;
}

// After a failed write: whether the output refused the matrix rather than being
// unable to take one just now. The stage never offers a matrix for it again, so
// each refusal reaches the log once.
bool DisplayColorEngine::matrixRefused(const QString &output)
{
    if (m_stage->hasMatrix(output))
        return false;
    logSystemLine(QStringLiteral("Halvo DisplayColorEngine gamma fallback: ") + output
                  + QStringLiteral(" refused the colour matrix"));
    return true;
}

void DisplayColorEngine::clearMatrices()
{
    m_stage->restoreMatrices();
    for (OutputRecord &record : m_outputs)
        record.lastAppliedMatrix.reset();
}

// The matrix path needs every output, so one refusal moves all of them.
void DisplayColorEngine::useGamma()
{
    clearMatrices();
    m_usingGammaFallback = true;
    showGamma();
    updateCapabilities();
}

// The factor multiplies the ramp the CRTC had before we touched it, so a
// calibration loaded by the desktop stays in place under the tint.
void DisplayColorEngine::showGamma()
{
    if (m_overlaysTemporarilyHidden)
        return;
    const WhitePoint white = ColorMath::whitePointAt(m_shownTemperature);
    for (auto it = m_crtcs.begin(); it != m_crtcs.end(); ++it) {
        const GammaRamp original = m_stage->originalGamma(it.key());
        if (original.size() <= 1)
            continue;
        const GammaRamp base = original.isBlank() ? GammaRamp::linear(original.size()) : original;
        const GammaRamp ramp = base.scaled(white.r, white.g, white.b);
        if (it->lastAppliedRamp == ramp)
            continue;
        if (!m_stage->writeGamma(it.key(), ramp))
            continue;
        ++it->generation;
        it->lastAppliedRamp = ramp;
    }
}

void DisplayColorEngine::restoreGamma()
{
    m_stage->restoreGamma();
    for (CrtcRecord &record : m_crtcs)
        record.lastAppliedRamp.reset();
}

// A mode change may have put something else on an output or CRTC that kept
// its record, so what was written is checked once as well.
void DisplayColorEngine::resync()
{
    // A night light lists no outputs, and one the user changed stays theirs
    // until a preset is chosen again.
    if (m_stage->takesTemperature())
        return;
    m_stage->invalidate();
    syncOutputs();
    applyColor(m_currentTemperature, m_currentSaturation);
    reassert();
}

// One read per written output or CRTC; whatever another program replaced is
// written again, unless that program keeps replacing it.
void DisplayColorEngine::reassert()
{
    if (!m_stage->isAvailable()) {
        m_reassertTimer.stop();
        return;
    }
    QStringList yielded;
    const auto tell = qScopeGuard([&] { tellYielded(yielded); });
    for (auto it = m_outputs.begin(); it != m_outputs.end(); ++it) {
        if (!it->lastAppliedMatrix || it->sharing.yielded || m_stage->matrixHolds(it.key(), *it->lastAppliedMatrix))
            continue;
        if (yieldsAfterReplacement(it->sharing)) {
            m_stage->releaseOutput(it.key());
            yielded.append(it.key());
            continue;
        }
        if (m_stage->writeMatrix(it.key(), *it->lastAppliedMatrix)) {
            ++it->generation;
        } else if (matrixRefused(it.key())) {
            useGamma();
            updateReassertTimer();
            return;
        }
    }
    for (auto it = m_crtcs.begin(); it != m_crtcs.end(); ++it) {
        if (!it->lastAppliedRamp || it->sharing.yielded || m_stage->gammaHolds(it.key(), *it->lastAppliedRamp))
            continue;
        if (yieldsAfterReplacement(it->sharing)) {
            m_stage->releaseCrtc(it.key());
            const QString screen = m_stage->crtcScreen(it.key());
            if (!yielded.contains(screen))
                yielded.append(screen);
            continue;
        }
        if (m_stage->writeGamma(it.key(), *it->lastAppliedRamp))
            ++it->generation;
    }
}

// Counts one replacement by another program; true when it was the last one
// tolerated within the window, and the screen is now left to that program.
bool DisplayColorEngine::yieldsAfterReplacement(Sharing &sharing)
{
    const auto now = std::chrono::steady_clock::now();
    sharing.replacedAt.removeIf([now](auto at) { return now - at > replacementWindow; });
    sharing.replacedAt.append(now);
    sharing.yielded = sharing.replacedAt.size() >= replacementsBeforeYielding;
    return sharing.yielded;
}

void DisplayColorEngine::tellYielded(const QStringList &screens)
{
    if (screens.isEmpty())
        return;
    const QString names = screens.join(QStringLiteral(", "));
    logSystemLine(QStringLiteral("Halvo DisplayColorEngine stopped re-applying the colour of ") + names
                  + QStringLiteral(": another program keeps changing it"));
    //: %1 is a list of screens ("DP-1, HDMI-1").
    Q_EMIT noticeRaised(tr("Another program keeps changing the colors of %1. Halvoscope leaves "
                           "them to it until the next preset change.")
                            .arg(names));
}

// A new colour takes every screen back, as if it had never been shared.
void DisplayColorEngine::takeScreensBack()
{
    for (OutputRecord &record : m_outputs) {
        if (record.sharing.yielded)
            record.lastAppliedMatrix.reset();
        record.sharing = {};
    }
    for (CrtcRecord &record : m_crtcs) {
        if (record.sharing.yielded)
            record.lastAppliedRamp.reset();
        record.sharing = {};
    }
}

void DisplayColorEngine::updateCapabilities()
{
    ScreenColorCapabilities capabilities;
    if (m_stage->isAvailable() && m_stage->takesTemperature()) {
        capabilities.append({m_stage->temperatureStageName(), m_stage->gammaPath(), false});
    } else if (m_stage->isAvailable()) {
        const bool matrices = matrixStageAvailable();
        for (const QString &output : m_stage->activeOutputs()) {
            capabilities.append(matrices ? ScreenColorCapability{output, m_stage->matrixPath(), true}
                                         : ScreenColorCapability{output, m_stage->gammaPath(), false,
                                                                 m_stage->refusal(output)});
        }
    }
    if (capabilities == m_capabilities)
        return;
    m_capabilities = capabilities;
    Q_EMIT screenCapabilitiesChanged();
}

bool DisplayColorEngine::hasWritten() const
{
    return std::any_of(m_outputs.cbegin(), m_outputs.cend(),
                       [](const OutputRecord &r) { return r.lastAppliedMatrix.has_value(); })
           || std::any_of(m_crtcs.cbegin(), m_crtcs.cend(),
                          [](const CrtcRecord &r) { return r.lastAppliedRamp.has_value(); });
}

void DisplayColorEngine::updateReassertTimer()
{
    const bool wanted = hasWritten() && !isNeutral() && !m_overlaysTemporarilyHidden && m_stage->isAvailable();
    if (wanted && !m_reassertTimer.isActive())
        m_reassertTimer.start();
    else if (!wanted)
        m_reassertTimer.stop();
}
