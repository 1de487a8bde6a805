#include "schedule/scheduleevaluator.h"

namespace {

constexpr int minutesPerDay = 24 * 60;
constexpr qint64 msecsPerMinute = 60 * 1000;

// Rounds towards minus infinity, so moments before 1970 fall into the minute
// that contains them rather than the one after.
qint64 floorEpochMinutes(qint64 msecsSinceEpoch)
{
    qint64 minutes = msecsSinceEpoch / msecsPerMinute;
    if (msecsSinceEpoch % msecsPerMinute != 0 && msecsSinceEpoch < 0)
        --minutes;
    return minutes;
}

} // namespace

namespace ScheduleEvaluator {

std::optional<ScheduleEvaluation> evaluate(const DailySchedule &schedule, const QDateTime &now,
                                           const QTimeZone &zone,
                                           const std::optional<ScheduleEventMarker> &lastMarker,
                                           const std::function<bool(const QString &)> &presetExists)
{
    if (!schedule.enabled)
        return std::nullopt;
    const std::optional<int> m1 = DailySchedule::minutesOfDay(schedule.time1);
    const std::optional<int> m2 = DailySchedule::minutesOfDay(schedule.time2);
    if (!m1 || !m2)
        return std::nullopt;
    // Without a real moment there is no event minute to compare with the marker.
    if (!now.isValid())
        return std::nullopt;

    const QTime localTime = now.toTimeZone(zone).time();
    const int nowMinute = localTime.isValid() ? localTime.hour() * 60 + localTime.minute() : 0;

    const int d1 = (nowMinute - *m1 + minutesPerDay) % minutesPerDay;
    const int d2 = (nowMinute - *m2 + minutesPerDay) % minutesPerDay;
    const bool secondSlot = d2 < d1;
    const QString &id = secondSlot ? schedule.preset2ID : schedule.preset1ID;
    const int elapsed = secondSlot ? d2 : d1;

    if (!presetExists || !presetExists(id))
        return std::nullopt;

    const qint64 eventEpochMinutes = floorEpochMinutes(now.toMSecsSinceEpoch()) - elapsed;
    if (lastMarker && lastMarker->eventEpochMinutes == eventEpochMinutes
        && lastMarker->presetID == id)
        return std::nullopt;
    return ScheduleEvaluation{id, ScheduleEventMarker{eventEpochMinutes, id}};
}

} // namespace ScheduleEvaluator
