#pragma once

#include "engines/colorstage.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

struct wl_display;
struct wl_registry;
struct wl_output;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;
struct zwlr_gamma_control_manager_v1;
struct zwlr_gamma_control_v1;
class QSocketNotifier;

// The colour stage of a wlroots-based compositor (sway, Hyprland, river,
// labwc, Wayfire, …) through its gamma control manager: one gamma control per
// output, a ramp sent as three 16-bit tables in a sealed memory file.
//
// It keeps its own connection to the compositor, dispatched from the Qt event
// loop, so it works whichever platform Qt's own windows use.
//
// Keys: outputs and "CRTCs" are both the output's name as the compositor
// gives it (wl_output.name, else xdg_output.name), which is also what Qt
// calls the screen. There are no colour matrices.
//
// The compositor offers no read-back, so every original is the linear ramp.
// A control is held only while its output is written: destroying it hands the
// output back and the compositor puts its own ramps back, also when this
// process dies. An output another program controls answers `failed`; it is
// told once through the notice handler and left out, the others still work.
class WaylandColorStage : public QObject, public ColorStage {
    Q_OBJECT

public:
    // An empty name means $WAYLAND_DISPLAY.
    explicit WaylandColorStage(const QByteArray &displayName = {}, QObject *parent = nullptr);
    // Hands every output back.
    ~WaylandColorStage() override;

    // Whether the compositor answered at all, and offers a gamma control manager.
    bool isConnected() const;
    bool hasGammaControl() const;

    bool isAvailable() const override;
    void refresh() override;
    void invalidate() override;
    QStringList activeOutputs() const override;
    bool hasMatrix(const QString &output) const override;
    QStringList gammaCrtcs() const override;
    GammaRamp originalGamma(const QString &crtc) const override;
    bool writeMatrix(const QString &output, const ColorMatrix3x3 &matrix) override;
    bool writeGamma(const QString &crtc, const GammaRamp &ramp) override;
    bool matrixHolds(const QString &output, const ColorMatrix3x3 &matrix) override;
    bool gammaHolds(const QString &crtc, const GammaRamp &ramp) override;
    void restoreMatrices() override;
    void restoreGamma() override;
    void forgetOriginals() override;
    void setConfigurationChangedHandler(std::function<void()> handler) override;
    ScreenColorPath gammaPath() const override;
    ScreenColorRefusal refusal(const QString &output) const override;
    void setNoticeHandler(std::function<void(const QString &message)> handler) override;

    // Waits until the compositor has handled everything sent so far, and
    // handles what it sent back.
    void sync();

private:
    struct Output;
    // The protocol's callbacks, which reach the members below.
    struct Events;

    bool alive() const;
    Output *findOutput(const QString &key) const;
    void addOutput(uint32_t name, uint32_t version);
    void nameOutputsWithoutName();
    void createControl(Output &output);
    void destroyControl(Output &output);
    void handBackUnwritten();
    void controlFailed(Output &output);
    void outputReady(Output &output);
    void handleEvents();
    void dispatchPending();
    void connectionLost();
    void configurationChanged();

    wl_display *m_display = nullptr;
    wl_registry *m_registry = nullptr;
    zwlr_gamma_control_manager_v1 *m_gammaManager = nullptr;
    zxdg_output_manager_v1 *m_xdgOutputManager = nullptr;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::vector<std::unique_ptr<Output>> m_outputs;
    bool m_lost = false;
    bool m_changePending = false;
    std::function<void()> m_changedHandler;
    std::function<void(const QString &)> m_noticeHandler;
};
