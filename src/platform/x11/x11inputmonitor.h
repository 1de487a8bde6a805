#pragma once

#include <QObject>
#include <QPoint>

class QSocketNotifier;
struct _XDisplay;

// Every button and key press of the X server's users, wherever it lands, from
// XInput2 raw events on a connection of its own. Raw events carry no
// position, so a button press reports where the pointer is when the event is
// read. Without XInput 2.2 the monitor is not available and reports nothing.
class X11InputMonitor : public QObject {
    Q_OBJECT

public:
    explicit X11InputMonitor(QObject *parent = nullptr);
    ~X11InputMonitor() override;

    bool isAvailable() const { return m_display != nullptr; }

    // Reports presses only while started; stopped, the server sends none.
    void start();
    void stop();
    bool isStarted() const { return m_started; }
    // Reports at once what the server has sent so far: the press behind a
    // focus change reaches this connection before the focus change does.
    void readPending() { readEvents(); }

Q_SIGNALS:
    // `button` is the X button number (1 left, 2 middle, 3 right, 4–7 wheel);
    // `nativePosition` is in the root window's pixels.
    void buttonPressed(int button, const QPoint &nativePosition);
    void keyPressed();

private:
    void select(bool enabled);
    void readEvents();

    _XDisplay *m_display = nullptr;
    int m_opcode = 0;
    bool m_started = false;
    QSocketNotifier *m_notifier = nullptr;
};
