#include "popover/schedulemodel.h"

#include "core/halvostore.h"
#include "schedule/dailyschedule.h"

#include <algorithm>

namespace {

constexpr int minutesPerDay = 24 * 60;

int wrapped(int value, int modulus)
{
    return ((value % modulus) + modulus) % modulus;
}

} // namespace

ScheduleModel::ScheduleModel(QObject *parent)
    : QAbstractListModel(parent)
{
    for (auto signal : {&ScheduleModel::enabledChanged, &ScheduleModel::time1Changed, &ScheduleModel::time2Changed,
                        &ScheduleModel::preset1IDChanged, &ScheduleModel::preset2IDChanged})
        connect(this, signal, this, &ScheduleModel::draftChanged);
}

void ScheduleModel::setContext(PopoverContext *context)
{
    if (m_context == context)
        return;
    m_context = context;
    Q_EMIT contextChanged();
    if (!context) {
        setStore(nullptr, {});
        return;
    }
    setStore(context->store(), context->goBackAction());
}

void ScheduleModel::setStore(HalvoStore *store, std::function<void()> onBack)
{
    if (m_store)
        disconnect(m_store, nullptr, this, nullptr);
    m_store = store;
    m_onBack = std::move(onBack);
    if (store) {
        connect(store, &HalvoStore::presetsChanged, this, &ScheduleModel::reloadEntries);
        connect(store, &HalvoStore::scheduleChanged, this, &ScheduleModel::draftChanged);
    }
    reloadEntries();
}

int ScheduleModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant ScheduleModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_entries.size())
        return {};
    const auto &[id, name] = m_entries.at(index.row());
    switch (role) {
    case PresetIDRole:
        return id;
    case Qt::DisplayRole:
    case NameRole:
        return name;
    default:
        return {};
    }
}

QHash<int, QByteArray> ScheduleModel::roleNames() const
{
    return {{PresetIDRole, "presetID"}, {NameRole, "name"}};
}

void ScheduleModel::reloadEntries()
{
    const int before = count();
    beginResetModel();
    m_entries.clear();
    if (m_store) {
        for (const HalvoPreset &preset : m_store->presets())
            m_entries.append({preset.id, preset.displayName()});
    }
    endResetModel();
    if (before != count())
        Q_EMIT countChanged();
    // The indexes of the chosen presets may have moved.
    Q_EMIT preset1IDChanged();
    Q_EMIT preset2IDChanged();
}

int ScheduleModel::indexOf(const QString &id) const
{
    const auto it = std::find_if(m_entries.cbegin(), m_entries.cend(),
                                 [&id](const QPair<QString, QString> &entry) { return entry.first == id; });
    return it == m_entries.cend() ? -1 : static_cast<int>(it - m_entries.cbegin());
}

QString ScheduleModel::timeText(int minutes)
{
    return QString::asprintf("%02d:%02d", minutes / 60, minutes % 60);
}

int ScheduleModel::minutesFor(const QString &text)
{
    return DailySchedule::minutesOfDay(text).value_or(8 * 60);
}

void ScheduleModel::appear()
{
    if (!m_store)
        return;
    const DailySchedule schedule = m_store->schedule();
    setEnabledDraft(schedule.enabled);
    setMinutes(1, minutesFor(schedule.time1));
    setMinutes(2, minutesFor(schedule.time2));
    setPreset1ID(m_store->findPreset(schedule.preset1ID) ? schedule.preset1ID
                                                         : QStringLiteral("standard"));
    setPreset2ID(m_store->findPreset(schedule.preset2ID) ? schedule.preset2ID
                                                         : QStringLiteral("red-light"));
}

void ScheduleModel::setEnabledDraft(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    Q_EMIT enabledChanged();
}

void ScheduleModel::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    setEnabledDraft(enabled);
    if (!enabled && m_store)
        m_store->setScheduleEnabled(false);
}

void ScheduleModel::setMinutes(int slot, int minutes)
{
    minutes = std::clamp(minutes, 0, minutesPerDay - 1);
    int &target = slot == 1 ? m_minutes1 : m_minutes2;
    if (target == minutes)
        return;
    target = minutes;
    if (slot == 1)
        Q_EMIT time1Changed();
    else
        Q_EMIT time2Changed();
}

void ScheduleModel::setHour1(int hour)
{
    setMinutes(1, std::clamp(hour, 0, 23) * 60 + minute1());
}

void ScheduleModel::setMinute1(int minute)
{
    setMinutes(1, hour1() * 60 + std::clamp(minute, 0, 59));
}

void ScheduleModel::setHour2(int hour)
{
    setMinutes(2, std::clamp(hour, 0, 23) * 60 + minute2());
}

void ScheduleModel::setMinute2(int minute)
{
    setMinutes(2, hour2() * 60 + std::clamp(minute, 0, 59));
}

void ScheduleModel::stepHour(int slot, int delta)
{
    if (slot != 1 && slot != 2)
        return;
    const int minutes = slot == 1 ? m_minutes1 : m_minutes2;
    setMinutes(slot, wrapped(minutes / 60 + delta, 24) * 60 + minutes % 60);
}

void ScheduleModel::stepMinute(int slot, int delta)
{
    if (slot != 1 && slot != 2)
        return;
    const int minutes = slot == 1 ? m_minutes1 : m_minutes2;
    setMinutes(slot, minutes / 60 * 60 + wrapped(minutes % 60 + delta, 60));
}

bool ScheduleModel::unsavedChanges() const
{
    if (!m_store)
        return false;
    const DailySchedule stored = m_store->schedule();
    // Turning the switch off is stored at once; only a switch turned on waits.
    return (m_enabled && !stored.enabled) || time1Text() != stored.time1 || time2Text() != stored.time2
           || m_preset1ID != stored.preset1ID || m_preset2ID != stored.preset2ID;
}

QString ScheduleModel::hourText(int hour) const
{
    return LocaleFormat::hourText(hour, m_clock);
}

QString ScheduleModel::minuteText(int minute) const
{
    return LocaleFormat::minuteText(minute);
}

int ScheduleModel::parseNumber(const QString &text) const
{
    bool ok = false;
    const int value = QLocale().toInt(text.trimmed(), &ok);
    if (ok)
        return value;
    const int ascii = text.trimmed().toInt(&ok);
    return ok ? ascii : -1;
}

int ScheduleModel::hourFromTyped(int typed, int currentHour) const
{
    return m_clock.twelveHour ? LocaleFormat::hourFromTwelveHourClock(typed, currentHour) : typed;
}

void ScheduleModel::toggleMeridiem(int slot)
{
    if (slot != 1 && slot != 2)
        return;
    const int minutes = slot == 1 ? m_minutes1 : m_minutes2;
    setMinutes(slot, (minutes + minutesPerDay / 2) % minutesPerDay);
}

void ScheduleModel::setPreset1ID(const QString &id)
{
    if (m_preset1ID == id)
        return;
    m_preset1ID = id;
    Q_EMIT preset1IDChanged();
}

void ScheduleModel::setPreset2ID(const QString &id)
{
    if (m_preset2ID == id)
        return;
    m_preset2ID = id;
    Q_EMIT preset2IDChanged();
}

void ScheduleModel::save()
{
    // The page's times are always valid; the validating constructor still
    // stands between them and the store.
    setEnabledDraft(true);
    if (m_store)
        m_store->updateSchedule(
            DailySchedule(true, time1Text(), m_preset1ID, time2Text(), m_preset2ID));
}

void ScheduleModel::back()
{
    if (m_onBack)
        m_onBack();
}
