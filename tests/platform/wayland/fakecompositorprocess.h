#pragma once

#include "engines/gammaramp.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

// The fake compositor run as a process of its own, with its socket in a
// temporary runtime folder. Reads what it tells while the caller waits, and
// lets the caller's own event loop run meanwhile.
class FakeCompositorProcess {
public:
    explicit FakeCompositorProcess(const QStringList &arguments = {});
    ~FakeCompositorProcess();

    // The socket's full path, for WAYLAND_DISPLAY or wl_display_connect; empty
    // when the compositor did not start.
    QByteArray socket() const { return m_socket; }

    // Sends a command and waits until it is carried out.
    bool command(const QByteArray &line);
    // Waits until `condition` holds, running the event loop.
    bool waitUntil(const std::function<bool()> &condition, int timeoutMs = 15000);
    // Waits for a line told from now on that starts with `prefix`.
    bool waitForLine(const QByteArray &prefix, int timeoutMs = 15000);

    QByteArrayList lines() const { return m_lines; }
    int count(const QByteArray &prefix) const;
    // The last table set on the output; empty when none.
    GammaRamp lastGamma(const QByteArray &output) const;

private:
    void readLines();

    QTemporaryDir m_runtimeDir;
    QProcess m_process;
    QByteArray m_buffer;
    QByteArrayList m_lines;
    QByteArray m_socket;
};
