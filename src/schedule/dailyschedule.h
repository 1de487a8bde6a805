#pragma once

#include <QDateTime>
#include <QString>
#include <QTimeZone>

#include <optional>

// The two-switch daily schedule. A value record, compared field by field.
struct DailySchedule {
    bool enabled = false;
    QString time1 = QStringLiteral("08:00");
    QString preset1ID = QStringLiteral("standard");
    QString time2 = QStringLiteral("20:00");
    QString preset2ID = QStringLiteral("red-light");

    // Raw record holding the default schedule; fields may be assigned freely
    // (used when decoding stored state, whose texts stay as stored).
    DailySchedule() = default;

    // Validating constructor: an invalid time1 becomes "08:00", an invalid
    // time2 "20:00". Preset ids are kept as given.
    DailySchedule(bool enabled, QString time1, QString preset1ID, QString time2, QString preset2ID);

    bool operator==(const DailySchedule &) const = default;

    // Off, "08:00" "standard", "20:00" "red-light".
    static DailySchedule defaultSchedule();

    // "HH:MM" → minutes after midnight (0…1439), nothing when not a valid time.
    static std::optional<int> minutesOfDay(const QString &text);

    // The hour and minute of `moment` in `zone`, as "HH:MM".
    static QString timeString(const QDateTime &moment, const QTimeZone &zone);

    // The moment at time `text` (08:00 when invalid) on the day of `day` in
    // `zone`; `day` itself when that moment cannot be built.
    static QDateTime date(const QString &text, const QDateTime &day, const QTimeZone &zone);
};

// The last schedule event that was applied.
struct ScheduleEventMarker {
    qint64 eventEpochMinutes = 0; // whole minutes since 1970-01-01 00:00 UTC
    QString presetID;

    bool operator==(const ScheduleEventMarker &) const = default;
};

// An evaluation that calls for a switch.
struct ScheduleEvaluation {
    QString targetPresetID;
    ScheduleEventMarker marker;

    bool operator==(const ScheduleEvaluation &) const = default;
};
