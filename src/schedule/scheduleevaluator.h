#pragma once

#include "schedule/dailyschedule.h"

#include <functional>
#include <optional>

namespace ScheduleEvaluator {

// Decides whether a schedule switch is due at `now`: the most recent switch
// time of the two slots is in force; it is due unless `lastMarker` shows that
// this event (same event minute, same preset) was applied already.
std::optional<ScheduleEvaluation> evaluate(const DailySchedule &schedule, const QDateTime &now,
                                           const QTimeZone &zone,
                                           const std::optional<ScheduleEventMarker> &lastMarker,
                                           const std::function<bool(const QString &)> &presetExists);

} // namespace ScheduleEvaluator
