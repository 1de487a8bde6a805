#include "platform/sysfs/backgrounddisplaysource.h"

#include "core/systemlog.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

#include <algorithm>
#include <optional>

namespace {

struct Entry {
    QString id;
    QString connector;
    bool builtIn = false;
    bool canChange = false;
    std::optional<double> level;
};

} // namespace

// Everything both threads touch, behind one mutex that is never held across
// device I/O.
struct BackgroundDisplaySource::Shared {
    QMutex mutex;
    std::vector<Entry> entries;
    QHash<QString, double> queuedWrites;
    bool writesScheduled = false;
    bool scanScheduled = false;
    // Cleared when the source goes, so a display handed out earlier stops
    // scheduling work.
    BackgroundDisplaySource *owner = nullptr;

    Entry *find(const QString &id)
    {
        const auto it = std::find_if(entries.begin(), entries.end(),
                                     [&](const Entry &e) { return e.id == id; });
        return it == entries.end() ? nullptr : &*it;
    }
};

class BackgroundDisplaySource::CachedDisplay final : public BrightnessDisplay {
public:
    CachedDisplay(std::shared_ptr<Shared> shared, const Entry &entry)
        : m_shared(std::move(shared))
        , m_id(entry.id)
        , m_connector(entry.connector)
        , m_builtIn(entry.builtIn)
        , m_canChange(entry.canChange)
    {
    }

    QString id() const override { return m_id; }
    QString connector() const override { return m_connector; }
    bool isBuiltIn() const override { return m_builtIn; }
    bool canChange() const override { return m_canChange; }

    std::optional<double> read() override
    {
        QMutexLocker lock(&m_shared->mutex);
        const Entry *entry = m_shared->find(m_id);
        return entry ? entry->level : std::nullopt;
    }

    // Accepted once queued; a refusal arrives later through writeFailed.
    bool write(double fraction) override
    {
        if (!m_canChange)
            return false;
        QMutexLocker lock(&m_shared->mutex);
        Entry *entry = m_shared->find(m_id);
        BackgroundDisplaySource *owner = m_shared->owner;
        if (!entry || !owner)
            return false;
        const double level = std::clamp(fraction, 0.0, 1.0);
        entry->level = level;
        m_shared->queuedWrites.insert(m_id, level);
        if (!m_shared->writesScheduled) {
            m_shared->writesScheduled = true;
            QMetaObject::invokeMethod(
                owner->m_context, [owner] { owner->sendQueuedWrites(); }, Qt::QueuedConnection);
        }
        return true;
    }

private:
    std::shared_ptr<Shared> m_shared;
    QString m_id;
    QString m_connector;
    bool m_builtIn;
    bool m_canChange;
};

BackgroundDisplaySource::BackgroundDisplaySource(
    std::function<std::unique_ptr<BrightnessDisplaySource>()> makeSource)
    : m_shared(std::make_shared<Shared>())
    , m_makeSource(std::move(makeSource))
{
    m_shared->owner = this;
    m_thread.setObjectName(QStringLiteral("brightness-io"));
    m_context = new QObject;
    m_context->moveToThread(&m_thread);
    m_thread.start();
    refresh();
}

BackgroundDisplaySource::~BackgroundDisplaySource()
{
    {
        QMutexLocker lock(&m_shared->mutex);
        m_shared->owner = nullptr;
    }
    m_thread.quit();
    m_thread.wait();
    // The thread has ended, so its objects are ours now; work it never got to
    // is dropped with its context.
    delete m_context;
    m_context = nullptr;
    bool writesLeft = false;
    {
        QMutexLocker lock(&m_shared->mutex);
        writesLeft = !m_shared->queuedWrites.isEmpty();
    }
    if (writesLeft) {
        if (!m_source)
            scan();
        sendQueuedWrites();
    }
    m_workerDisplays.clear();
    m_source.reset();
}

std::vector<std::unique_ptr<BrightnessDisplay>> BackgroundDisplaySource::displays()
{
    std::vector<std::unique_ptr<BrightnessDisplay>> result;
    QMutexLocker lock(&m_shared->mutex);
    for (const Entry &entry : m_shared->entries)
        result.push_back(std::make_unique<CachedDisplay>(m_shared, entry));
    return result;
}

void BackgroundDisplaySource::refresh()
{
    QMutexLocker lock(&m_shared->mutex);
    if (m_shared->scanScheduled || !m_shared->owner)
        return;
    m_shared->scanScheduled = true;
    QMetaObject::invokeMethod(
        m_context, [this] { scan(); }, Qt::QueuedConnection);
}

void BackgroundDisplaySource::scan()
{
    {
        QMutexLocker lock(&m_shared->mutex);
        m_shared->scanScheduled = false;
    }
    if (!m_source && m_makeSource)
        m_source = m_makeSource();
    m_workerDisplays.clear();
    if (m_source)
        m_workerDisplays = m_source->displays();

    std::vector<Entry> entries;
    for (const auto &display : m_workerDisplays) {
        if (!display)
            continue;
        Entry entry{display->id(), display->connector(), display->isBuiltIn(),
                    display->canChange(), std::nullopt};
        if (entry.canChange)
            entry.level = display->read();
        entries.push_back(std::move(entry));
    }

    bool changed = false;
    {
        QMutexLocker lock(&m_shared->mutex);
        // A write queued meanwhile is newer than what was just read.
        for (Entry &entry : entries) {
            const auto queued = m_shared->queuedWrites.constFind(entry.id);
            if (queued != m_shared->queuedWrites.constEnd())
                entry.level = *queued;
        }
        const auto same = [](const Entry &a, const Entry &b) {
            return a.id == b.id && a.connector == b.connector && a.builtIn == b.builtIn
                   && a.canChange == b.canChange && a.level == b.level;
        };
        changed = !std::equal(entries.begin(), entries.end(), m_shared->entries.begin(),
                              m_shared->entries.end(), same);
        m_shared->entries = std::move(entries);
    }
    if (changed)
        Q_EMIT updated();
}

void BackgroundDisplaySource::sendQueuedWrites()
{
    for (;;) {
        QHash<QString, double> batch;
        {
            QMutexLocker lock(&m_shared->mutex);
            batch.swap(m_shared->queuedWrites);
            if (batch.isEmpty()) {
                m_shared->writesScheduled = false;
                return;
            }
        }
        for (auto it = batch.cbegin(); it != batch.cend(); ++it) {
            const auto display = std::find_if(
                m_workerDisplays.begin(), m_workerDisplays.end(),
                [&](const auto &d) { return d && d->id() == it.key(); });
            if (display != m_workerDisplays.end() && (*display)->write(it.value()))
                continue;
            const std::optional<double> actual =
                display != m_workerDisplays.end() ? (*display)->read() : std::nullopt;
            {
                QMutexLocker lock(&m_shared->mutex);
                Entry *entry = m_shared->find(it.key());
                if (entry && !m_shared->queuedWrites.contains(it.key()))
                    entry->level = actual;
            }
            logSystemLine(QStringLiteral("Brightness of %1 could not be set").arg(it.key()));
            Q_EMIT writeFailed(it.key());
        }
    }
}
