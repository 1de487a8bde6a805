#pragma once

#include <QLocale>
#include <QString>

// Values as the user's locale writes them: grouped kelvin, percent, and the
// parts of a time of day. The state file never goes through here; it keeps
// its own locale-free "HH:MM" and plain integers.
namespace LocaleFormat {

// "6,500 K" in English, "6.500 K" in German, "6 500 K" (narrow no-break
// space) in French.
QString kelvin(qint64 value, const QLocale &locale = QLocale());
// "40%" in English, "40 %" in German and French.
QString percent(qint64 value, const QLocale &locale = QLocale());
// A preset's name with its colour temperature: "Red Light · 1,000 K".
QString nameWithKelvin(const QString &name, qint64 value, const QLocale &locale = QLocale());

// How the locale's short time format writes a time of day.
struct ClockStyle {
    bool twelveHour = false;    // 1…12 with an AM/PM marker
    bool meridiemFirst = false; // the marker before the hour ("오전 9:30")
    bool paddedHour = true;     // "08" rather than "8"
    QString separator = QStringLiteral(":");
    QString amText;
    QString pmText;
};
ClockStyle clockStyle(const QLocale &locale = QLocale());

// The hour as shown on `style`'s clock (0…23 in, 1…12 or 0…23 out), in the
// locale's digits.
QString hourText(int hour, const ClockStyle &style, const QLocale &locale = QLocale());
QString minuteText(int minute, const QLocale &locale = QLocale());
// A whole time of day for summaries: "8:00 PM", "20:00".
QString timeOfDay(int minutesOfDay, const QLocale &locale = QLocale());
// The 24-hour hour for an hour typed on a 12-hour clock, keeping the half of
// the day `currentHour` lies in; hours that are no clock hour are returned
// unchanged for the caller to clamp.
int hourFromTwelveHourClock(int typed, int currentHour);

} // namespace LocaleFormat
