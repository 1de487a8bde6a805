#pragma once

#include "engines/brightnessdisplay.h"

#include <QObject>
#include <QString>
#include <QThread>

#include <functional>
#include <memory>

// Serves a slow display source (DDC/CI costs tens of milliseconds per bus
// transaction) from a worker thread of its own, so that callers on the main
// thread never wait on a device. The worker lists the displays and reads
// their levels at start and on refresh(); displays() and read() answer from
// those results. Writes are queued to the worker, and a newer value for a
// display replaces one it has not sent yet.
class BackgroundDisplaySource final : public QObject, public BrightnessDisplaySource {
    Q_OBJECT

public:
    // makeSource runs on the worker thread; what it makes (a library handle
    // included) is used on that thread only.
    explicit BackgroundDisplaySource(
        std::function<std::unique_ptr<BrightnessDisplaySource>()> makeSource);
    // Sends the writes still queued before it returns, so a level restored
    // on the way out reaches the display.
    ~BackgroundDisplaySource() override;

    // Until the first listing finishes this is empty.
    std::vector<std::unique_ptr<BrightnessDisplay>> displays() override;

public Q_SLOTS:
    // Lists the displays again and rereads their levels, e.g. after a screen
    // came or went. Calls made while one is waiting to run are folded into it.
    void refresh();

Q_SIGNALS:
    // A listing or reading finished and the answers changed.
    void updated();
    // A display refused a queued write; its cached level is read back from
    // the display. Emitted from the worker thread.
    void writeFailed(const QString &id);

private:
    struct Shared;
    class CachedDisplay;

    // Worker thread only (or after it has ended).
    void scan();
    void sendQueuedWrites();

    std::shared_ptr<Shared> m_shared;
    std::function<std::unique_ptr<BrightnessDisplaySource>()> m_makeSource;
    std::unique_ptr<BrightnessDisplaySource> m_source;
    std::vector<std::unique_ptr<BrightnessDisplay>> m_workerDisplays;
    QThread m_thread;
    QObject *m_context = nullptr; // lives on m_thread; runs the queued work
};
