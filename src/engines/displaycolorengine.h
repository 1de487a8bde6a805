#pragma once

#include "core/displaycolorapplying.h"
#include "engines/colorstage.h"

#include <QHash>
#include <QObject>
#include <QPointF>
#include <QTimer>

#include <chrono>
#include <memory>
#include <optional>

// Makes every screen show the store's colour temperature and saturation.
//
// The colour goes into each output's colour matrix when every active output
// has one; otherwise into the CRTCs' gamma ramps, which carry the temperature
// only. Both act at scan-out, so no window is drawn and screen captures never
// contain the effect. An output that refuses the matrix sends every screen to
// the gamma ramps, and the log says so once. A stage that takes a temperature
// (the desktop's own night light) gets the temperature alone, once per
// change. While a colour is on, the engine checks every few seconds that
// nobody replaced what it wrote, and writes it again if so; a screen whose
// colour another program keeps replacing is left to that program until the
// colour changes, and the user is told once.
class DisplayColorEngine : public QObject, public DisplayColorApplying {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds defaultReassertInterval{3000};

    explicit DisplayColorEngine(std::unique_ptr<ColorStage> stage, QObject *parent = nullptr);
    ~DisplayColorEngine() override;

    QSet<quint32> overlayWindowIDs() const override;
    void applyColor(qint64 temperature, qint64 saturation) override;
    // One in-between frame of a fade: clamped, but neither value rounded to
    // its step, so consecutive frames differ. The stored colour
    // (currentTemperature, currentSaturation) stays what applyColor last set;
    // returns once the display server has carried the frame out, so the
    // caller can tell how long a write takes.
    void applyColorFrame(double temperature, double saturation);
    // Whether the stage animates changes inside the compositor (runTransition).
    bool runsTransitions() const;
    // Hands a whole animated change to the compositor: from the first colour
    // to the second over `durationMs`, as a ripple from `origin` (refracting
    // when `refract`). False when it could not take it; the caller then
    // animates the change itself. The stored colour is still applyColor's.
    bool runTransition(qint64 fromTemperature, qint64 fromSaturation, qint64 toTemperature, qint64 toSaturation,
                       QPointF origin, int durationMs, bool refract);
    // Whether any colour reaches the screens at all.
    bool canChangeColor() const { return m_stage && m_stage->isAvailable(); }
    void setOverlaysHidden(bool hidden) override;
    void reset() override;
    // False where the desktop's night light takes the colour.
    bool followsEveryFrame() const override;
    QStringList screensWithoutColour() const override;

    // A colour matrix or a gamma ramp cannot be masked to a circle, so the
    // reveal is never available here: both do nothing, and the ripple applies
    // the final colour through applyColor.
    void applyColorWithReveal(qint64 temperature, qint64 saturation, QPointF origin, double progress);
    void clearRevealMasks();

    qint64 currentTemperature() const { return m_currentTemperature; }
    qint64 currentSaturation() const { return m_currentSaturation; }
    // What the screens are given: the stored colour, or a fade's last frame.
    double shownTemperature() const { return m_shownTemperature; }
    double shownSaturation() const { return m_shownSaturation; }
    bool overlaysTemporarilyHidden() const { return m_overlaysTemporarilyHidden; }
    bool usingGammaFallback() const { return m_usingGammaFallback; }
    // Whether a non-neutral colour applied now would go to the gamma ramps
    // (re-reads the outputs first, as applyColor does).
    bool wouldUseGammaFallback();

    // How many times a matrix was written to the output, or a ramp to the CRTC.
    quint64 matrixGeneration(const QString &output) const;
    quint64 gammaGeneration(const QString &crtc) const;

    std::chrono::milliseconds reassertInterval() const;
    void setReassertInterval(std::chrono::milliseconds interval);
    bool isReasserting() const { return m_reassertTimer.isActive(); }

    // What each screen can show: every active output on the matrix path or on
    // the ramps, or the desktop's night light as one entry; empty when no
    // colour reaches any screen.
    ScreenColorCapabilities screenCapabilities() const { return m_capabilities; }

    // Replacements by another program within this time that make the engine
    // leave a screen to it.
    static constexpr int replacementsBeforeYielding = 3;
    static constexpr std::chrono::seconds replacementWindow{60};

Q_SIGNALS:
    // Something about the screens the user should read once (see
    // ColorStage::setNoticeHandler).
    void noticeRaised(const QString &message);
    void screenCapabilitiesChanged();

public Q_SLOTS:
    // Outputs, CRTCs or screens changed: re-sync and re-apply on the next turn
    // of the event loop.
    void screensChanged();

private:
    // Another program writing the same output or CRTC.
    struct Sharing {
        QList<std::chrono::steady_clock::time_point> replacedAt;
        // Left to the other program until the colour changes.
        bool yielded = false;
    };
    struct OutputRecord {
        std::optional<ColorMatrix3x3> lastAppliedMatrix;
        quint64 generation = 0;
        Sharing sharing;
    };
    struct CrtcRecord {
        std::optional<GammaRamp> lastAppliedRamp;
        quint64 generation = 0;
        Sharing sharing;
    };

    bool isNeutral() const;
    void applyTemperature();
    void restoreTemperature();
    void showColour();
    void syncOutputs();
    bool matrixStageAvailable() const;
    bool showMatrices();
    bool applyMatrix(const QString &output, const ColorMatrix3x3 &matrix);
    bool matrixRefused(const QString &output);
    void clearMatrices();
    void useGamma();
    void showGamma();
    void restoreGamma();
    void resync();
    void reassert();
    // Whether any output holds a matrix or any CRTC a ramp of ours.
    bool hasWritten() const;
    void updateReassertTimer();
    static bool yieldsAfterReplacement(Sharing &sharing);
    void tellYielded(const QStringList &screens);
    void takeScreensBack();
    void updateCapabilities();

    std::unique_ptr<ColorStage> m_stage;
    QHash<QString, OutputRecord> m_outputs;
    QHash<QString, CrtcRecord> m_crtcs;
    qint64 m_currentTemperature;
    qint64 m_currentSaturation;
    double m_shownTemperature;
    double m_shownSaturation;
    bool m_overlaysTemporarilyHidden = false;
    bool m_usingGammaFallback = false;
    bool m_resyncPending = false;
    // The temperature a night-light stage last took.
    std::optional<qint64> m_temperatureWritten;
    QTimer m_reassertTimer;
    ScreenColorCapabilities m_capabilities;
};
