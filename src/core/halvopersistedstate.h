#pragma once

#include "core/halvopreset.h"
#include "schedule/dailyschedule.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Everything the state file holds. A value record, compared field by field.
struct HalvoPersistedState {
    QString activeModeID = QStringLiteral("standard");
    QList<HalvoPreset> presets = HalvoPreset::builtInPresets();
    QStringList hiddenPresetIDs;
    DailySchedule schedule;
    std::optional<ScheduleEventMarker> lastScheduleMarker;
    bool animationEnabled = true;
    bool opticalRefractionEnabled = true;
    std::optional<qint64> brightnessBaseline;
    bool hasCompletedOnboarding = false;

    bool operator==(const HalvoPersistedState &) const = default;

    static HalvoPersistedState defaultState() { return {}; }

    // JSON with sorted keys, pretty-printed, absent optionals left out and
    // every "/" written as "\/".
    QByteArray toJson() const;

    // Strict decoding: a value of the wrong JSON type (or a non-integer number
    // where an integer belongs) fails the whole document. Missing or null
    // top-level keys take their defaults; nothing is completed or normalised.
    static std::optional<HalvoPersistedState> fromJson(const QByteArray &json);
};
