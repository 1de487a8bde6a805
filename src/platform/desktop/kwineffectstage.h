#pragma once

#include "engines/colorstage.h"
#include "platform/desktop/nightlightstage.h"

#include <QDBusConnection>

// Halvoscope's KWin effect (shell/kwin/) as the colour stage: KWin draws
// every window through the matrix, so temperature and saturation both show,
// on every screen at once.
//
// The stage is one pseudo-output with a matrix. A matrix or a transition
// goes into kwinrc's [Effect-<id>] group (the file edited as text, every
// other byte left as it was), then KWin is told once: loadEffect for the
// first colour, reconfigureEffect for each change; a transition is sent as
// its target and duration and runs inside KWin. restoreMatrices unloads the
// effect and takes out exactly the keys written.
//
// A scripted effect cannot notice that its owner died, so a small record in
// $XDG_STATE_HOME/Halvoscope/ says the effect is on, and the next instance
// (or the next start of any stage on this desktop) unloads it.
class KWinEffectStage final : public ColorStage {
public:
    static const QString effectId;
    // The one output the stage lists, named as the pages show it.
    static const QString desktopOutput;

    enum class Probe { Loaded,
                       Refused,
                       NoAnswer };

    // Undoes what an earlier instance left recorded.
    explicit KWinEffectStage(QDBusConnection sessionBus);
    ~KWinEffectStage() override;
    KWinEffectStage(const KWinEffectStage &) = delete;
    KWinEffectStage &operator=(const KWinEffectStage &) = delete;

    // Asks KWin to load the effect once, and unloads it again until a colour
    // needs it. Loaded: the stage is usable; Refused: KWin answered false
    // (no OpenGL compositing, or animations refused); NoAnswer: no KWin.
    Probe probe();
    // $XDG_STATE_HOME/Halvoscope/kwin-effect.json.
    static QString recordPath();
    // Unloads the effect and restores kwinrc as an earlier run recorded; nothing
    // without a record.
    static void recoverRecord(const QDBusConnection &sessionBus);

    bool isEffectLoaded() const { return m_loaded; }

    bool isAvailable() const override { return m_usable; }
    void refresh() override {}
    void invalidate() override {}
    QStringList activeOutputs() const override;
    bool hasMatrix(const QString &output) const override;
    QStringList gammaCrtcs() const override { return {}; }
    GammaRamp originalGamma(const QString &) const override { return {}; }
    bool writeMatrix(const QString &output, const ColorMatrix3x3 &matrix) override;
    bool writeGamma(const QString &, const GammaRamp &) override { return false; }
    bool matrixHolds(const QString &output, const ColorMatrix3x3 &matrix) override;
    bool gammaHolds(const QString &, const GammaRamp &) override { return true; }
    void restoreMatrices() override;
    void restoreGamma() override {}
    void forgetOriginals() override {}
    void setConfigurationChangedHandler(std::function<void()>) override {}
    ScreenColorPath matrixPath() const override { return ScreenColorPath::CompositorFilter; }

    bool runsTransitions() const override { return m_usable; }
    bool runTransition(const ColorMatrix3x3 &from, const ColorMatrix3x3 &to, QPointF origin, int durationMs,
                       bool refract) override;

private:
    struct Transition {
        ColorMatrix3x3 from;
        ColorMatrix3x3 to;
        QPointF origin;
        int durationMs = 0;
        bool ripple = false;
    };

    bool show(const Transition &transition);
    bool call(const QString &method) const;

    QDBusConnection m_bus;
    bool m_usable = false;
    bool m_loaded = false;
    int m_serial = 0;
    // kwinrc's values of our keys before the first write (nullopt: absent).
    std::optional<NightLightStage::Settings> m_original;
    // Whether kwinrc had the group before: then its header stays.
    bool m_groupExisted = false;
};
