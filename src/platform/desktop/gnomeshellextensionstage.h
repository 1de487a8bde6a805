#pragma once

#include "engines/colorstage.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>

#include <memory>
#include <optional>

class ComCorvantaHalvoscopeShellExtensionInterface;

// Halvoscope's GNOME Shell extension as the colour stage: one filter over
// everything the shell draws, temperature and saturation together, for every
// screen at once. The matrix goes to the extension over the session bus; the
// extension animates transitions at the shell's frame rate and drops the
// filter the moment this process leaves the bus, so nothing needs recording
// for a crash.
class GnomeShellExtensionStage final : public ColorStage {
public:
    static constexpr char uuid[] = "halvoscope@corvanta.com";

    explicit GnomeShellExtensionStage(QDBusConnection sessionBus);
    ~GnomeShellExtensionStage() override;

    // Whether the extension's object answers on the shell's connection.
    static bool isPresent(const QDBusConnection &sessionBus);

    bool isAvailable() const override { return m_present; }
    void refresh() override {}
    void invalidate() override {}
    QStringList activeOutputs() const override;
    bool hasMatrix(const QString &output) const override;
    QStringList gammaCrtcs() const override { return {}; }
    GammaRamp originalGamma(const QString &) const override { return {}; }
    bool writeMatrix(const QString &output, const ColorMatrix3x3 &matrix) override;
    bool writeGamma(const QString &, const GammaRamp &) override { return false; }
    bool matrixHolds(const QString &, const ColorMatrix3x3 &) override { return true; }
    bool gammaHolds(const QString &, const GammaRamp &) override { return true; }
    void restoreMatrices() override;
    void restoreGamma() override {}
    void forgetOriginals() override {}
    void setConfigurationChangedHandler(std::function<void()> handler) override;
    ScreenColorPath matrixPath() const override { return ScreenColorPath::CompositorFilter; }
    bool runsTransitions() const override { return true; }
    bool runTransition(const ColorMatrix3x3 &from, const ColorMatrix3x3 &to, QPointF origin, int durationMs,
                       bool refract) override;

private:
    void shellChanged(bool present);

    std::unique_ptr<ComCorvantaHalvoscopeShellExtensionInterface> m_extension;
    QDBusServiceWatcher m_watcher;
    std::function<void()> m_configurationChanged;
    bool m_present = true;
    bool m_written = false;
};
