#include "schedule/dailyschedule.h"

#include <QStringList>
#include <QTextBoundaryFinder>

#include <utility>

namespace {

constexpr int defaultMinutes = 8 * 60;

int graphemeCount(const QString &text)
{
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (graphemes.toNextBoundary() != -1)
        ++count;
    return count;
}

// An optional sign followed by ASCII decimal digits only: no spaces and no
// other scripts' digits, so " 8" and Arabic-Indic numerals are rejected.
std::optional<int> parseNumber(const QString &piece)
{
    qsizetype position = 0;
    bool negative = false;
    if (position < piece.size()
        && (piece.at(position) == QLatin1Char('+') || piece.at(position) == QLatin1Char('-'))) {
        negative = piece.at(position) == QLatin1Char('-');
        ++position;
    }
    if (position == piece.size())
        return std::nullopt;
    int value = 0;
    for (; position < piece.size(); ++position) {
        const char16_t unit = piece.at(position).unicode();
        if (unit < u'0' || unit > u'9')
            return std::nullopt;
        // Pieces are two characters long, so this can never overflow.
        value = value * 10 + (unit - u'0');
    }
    return negative ? -value : value;
}

int hourOf(const QTime &time)
{
    return time.isValid() ? time.hour() : 0;
}

int minuteOf(const QTime &time)
{
    return time.isValid() ? time.minute() : 0;
}

} // namespace

DailySchedule::DailySchedule(bool on, QString firstTime, QString firstPresetID,
                             QString secondTime, QString secondPresetID)
    : enabled(on)
    , time1(minutesOfDay(firstTime) ? std::move(firstTime) : QStringLiteral("08:00"))
    , preset1ID(std::move(firstPresetID))
    , time2(minutesOfDay(secondTime) ? std::move(secondTime) : QStringLiteral("20:00"))
    , preset2ID(std::move(secondPresetID))
{
}

DailySchedule DailySchedule::defaultSchedule()
{
    return DailySchedule();
}

std::optional<int> DailySchedule::minutesOfDay(const QString &text)
{
    const QStringList pieces = text.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (pieces.size() != 2)
        return std::nullopt;
    if (graphemeCount(pieces.at(0)) != 2 || graphemeCount(pieces.at(1)) != 2)
        return std::nullopt;

    const std::optional<int> hour = parseNumber(pieces.at(0));
    const std::optional<int> minute = parseNumber(pieces.at(1));
    if (!hour || !minute)
        return std::nullopt;
    // Compared as unsigned so that "-1" fails the range check like "99" does.
    if (static_cast<unsigned>(*hour) > 23u || static_cast<unsigned>(*minute) > 59u)
        return std::nullopt;
    return *hour * 60 + *minute;
}

QString DailySchedule::timeString(const QDateTime &moment, const QTimeZone &zone)
{
    const QTime time = moment.toTimeZone(zone).time();
    return QString::asprintf("%02d:%02d", hourOf(time), minuteOf(time));
}

QDateTime DailySchedule::date(const QString &text, const QDateTime &day, const QTimeZone &zone)
{
    const int minutes = minutesOfDay(text).value_or(defaultMinutes);
    const QDate localDay = day.toTimeZone(zone).date();
    const QDateTime moment(localDay, QTime(minutes / 60, minutes % 60, 0), zone);
    if (!moment.isValid())
        return day;
    return moment;
}
