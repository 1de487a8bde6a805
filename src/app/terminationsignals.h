#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the main thread, so
// that the normal quit path (which restores the displays) runs for them too.
// The handler only writes the signal number into a socket pair; everything
// else happens when the event loop reads it. One instance at a time.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    // Puts the previous handlers back.
    ~TerminationSignals() override;

    bool isInstalled() const { return m_notifier != nullptr; }

Q_SIGNALS:
    void received(int signalNumber);

private:
    void readPending();

    QSocketNotifier *m_notifier = nullptr;
};
