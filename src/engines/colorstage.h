#pragma once

#include "core/screencolorcapability.h"
#include "engines/gammaramp.h"

#include <QPointF>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

// A 3×3 colour matrix, row by row: output colour = M · input colour.
using ColorMatrix3x3 = std::array<double, 9>;

// Where the display colour engine puts its colour: per-output colour matrices
// and per-CRTC gamma ramps. Outputs and CRTCs are named by keys the stage
// chooses; they stay the same while the display runs.
//
// The stage keeps the colour every output and CRTC had before anything was
// written to it, and puts exactly that back when asked.
//
// Deliberately not a QObject: the adapters that implement it then need this
// header only, not the engines library.
class ColorStage {
public:
    virtual ~ColorStage() = default;

    // False when there is nothing to colour: no display, a display without
    // the needed extension, or a connection that was lost.
    virtual bool isAvailable() const = 0;

    // Makes the lists below current. Cheap when nothing changed since the last
    // call; reads the original colour of every output and CRTC it sees for the
    // first time (or again after forgetOriginals).
    virtual void refresh() = 0;
    // The next refresh reads everything again.
    virtual void invalidate() = 0;

    // Outputs that currently show a picture.
    virtual QStringList activeOutputs() const = 0;
    // Whether the output has a colour matrix the stage can write.
    virtual bool hasMatrix(const QString &output) const = 0;
    // Active CRTCs whose ramp has more than one entry.
    virtual QStringList gammaCrtcs() const = 0;
    // The ramp the CRTC had before it was first written; empty when unknown.
    virtual GammaRamp originalGamma(const QString &crtc) const = 0;

    // Writes and flushes at once; false when the output or CRTC cannot take it.
    // A matrix the output refuses (the driver does not keep it) also gives
    // false, and from then on the output has no matrix (hasMatrix).
    virtual bool writeMatrix(const QString &output, const ColorMatrix3x3 &matrix) = 0;
    virtual bool writeGamma(const QString &crtc, const GammaRamp &ramp) = 0;
    // Returns once the display server has carried out every write so far, so
    // that a caller writing every frame can time the writes instead of
    // queueing them. Nothing to wait for by default.
    virtual void finishWrites() {}

    // One read each: whether the output or CRTC still holds this value. Another
    // program may have replaced it. True when there is nothing to compare with.
    virtual bool matrixHolds(const QString &output, const ColorMatrix3x3 &matrix) = 0;
    virtual bool gammaHolds(const QString &crtc, const GammaRamp &ramp) = 0;

    // Put the originals back on every output (CRTC) written since the last
    // restore; nothing happens for those never written.
    virtual void restoreMatrices() = 0;
    virtual void restoreGamma() = 0;
    // Leaves the output (CRTC) to another program that keeps changing it: no
    // restore touches it until it is written again. Its original is kept.
    virtual void releaseOutput(const QString &output) { Q_UNUSED(output); }
    virtual void releaseCrtc(const QString &crtc) { Q_UNUSED(crtc); }
    // Drops the originals of everything not written at the moment, so a
    // calibration loaded meanwhile becomes the new original.
    virtual void forgetOriginals() = 0;

    // Called, on the main thread, after outputs, CRTCs or modes changed.
    virtual void setConfigurationChangedHandler(std::function<void()> handler) = 0;

    // The screen a CRTC shows, named as the user knows it ("HDMI-1"), for
    // messages; the CRTC's key when the stage cannot tell.
    virtual QString crtcScreen(const QString &crtc) const { return crtc; }

    // Why the output shows no colour although it is listed; None while it
    // takes the colour.
    virtual ScreenColorRefusal refusal(const QString &output) const
    {
        Q_UNUSED(output);
        return ScreenColorRefusal::None;
    }

    // How this stage's gamma ramps reach the screens: the X server's CRTCs,
    // or a Wayland compositor's gamma control.
    virtual ScreenColorPath gammaPath() const { return ScreenColorPath::Gamma; }
    // How its matrices reach them: each output's own matrix at scan-out, or a
    // filter the compositor draws over everything it shows.
    virtual ScreenColorPath matrixPath() const { return ScreenColorPath::ColorMatrix; }

    // A filter drawn inside the compositor can animate a change there, at the
    // compositor's frame rate, instead of taking one matrix per frame.
    virtual bool runsTransitions() const { return false; }
    // Starts that animation on every output, from `from` to `to` over
    // `durationMs`: a ripple spreading from `origin` (global coordinates)
    // that refracts the screen when `refract`, else reveals the new colour
    // inside its circle. Replaces a running one. False when the compositor
    // did not take it; the caller then shows the change itself.
    virtual bool runTransition(const ColorMatrix3x3 &from, const ColorMatrix3x3 &to, QPointF origin, int durationMs,
                               bool refract)
    {
        Q_UNUSED(from);
        Q_UNUSED(to);
        Q_UNUSED(origin);
        Q_UNUSED(durationMs);
        Q_UNUSED(refract);
        return false;
    }

    // Called, on the main thread, with something the user should read once in
    // the popover's error line, e.g. an output that another program controls.
    virtual void setNoticeHandler(std::function<void(const QString &message)> handler) { Q_UNUSED(handler); }

    // A stage that shows a colour temperature only, for every screen at once,
    // through the desktop's own night light. It lists no outputs and no CRTCs;
    // the engine calls writeTemperature instead, once per change.
    virtual bool takesTemperature() const { return false; }
    // The night light's name for the pages ("GNOME Night Light").
    virtual QString temperatureStageName() const { return {}; }
    // False when the desktop did not take it.
    virtual bool writeTemperature(qint64 kelvin)
    {
        Q_UNUSED(kelvin);
        return false;
    }
    // Puts the user's own night-light settings back; nothing when never written.
    virtual void restoreTemperature() {}
    // Whether a temperature written is still held: false once the stage let
    // go (the user changed the night light), so the next choice writes again.
    virtual bool holdsTemperature() const { return false; }
};
