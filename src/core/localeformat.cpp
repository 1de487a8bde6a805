#include "core/localeformat.h"

#include <QCoreApplication>
#include <QTime>

namespace LocaleFormat {

QString kelvin(qint64 value, const QLocale &locale)
{
    //: A colour temperature; %1 is the number of kelvin with the locale's grouping.
    return QCoreApplication::translate("LocaleFormat", "%1 K").arg(locale.toString(value));
}

QString percent(qint64 value, const QLocale &locale)
{
    //: A saturation or brightness; %1 is the number.
    return QCoreApplication::translate("LocaleFormat", "%1%").arg(locale.toString(value));
}

QString nameWithKelvin(const QString &name, qint64 value, const QLocale &locale)
{
    //: %1 is a preset's name, %2 its colour temperature ("1,000 K").
    return QCoreApplication::translate("LocaleFormat", "%1 · %2").arg(name, kelvin(value, locale));
}

ClockStyle clockStyle(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::ShortFormat);
    ClockStyle style;
    const qsizetype marker = format.indexOf(QLatin1Char('a'), 0, Qt::CaseInsensitive);
    const qsizetype hour = format.indexOf(QLatin1Char('h'), 0, Qt::CaseInsensitive);
    style.twelveHour = marker >= 0;
    style.meridiemFirst = style.twelveHour && hour >= 0 && marker < hour;
    style.paddedHour = format.contains(QLatin1String("hh"), Qt::CaseInsensitive);
    // The separator is whatever stands between the hour and the minute.
    const qsizetype minute = format.indexOf(QLatin1Char('m'));
    if (hour >= 0 && minute > hour) {
        qsizetype start = hour;
        while (start < minute && format.at(start).toLower() == QLatin1Char('h'))
            ++start;
        const QString between = format.mid(start, minute - start);
        if (!between.isEmpty())
            style.separator = between;
    }
    style.amText = locale.amText();
    style.pmText = locale.pmText();
    return style;
}

QString hourText(int hour, const ClockStyle &style, const QLocale &locale)
{
    int shown = hour;
    if (style.twelveHour)
        shown = hour % 12 == 0 ? 12 : hour % 12;
    const QString digits = locale.toString(shown);
    return style.paddedHour ? digits.rightJustified(2, locale.zeroDigit().at(0)) : digits;
}

QString minuteText(int minute, const QLocale &locale)
{
    return locale.toString(minute).rightJustified(2, locale.zeroDigit().at(0));
}

QString timeOfDay(int minutesOfDay, const QLocale &locale)
{
    return locale.toString(QTime(minutesOfDay / 60, minutesOfDay % 60), QLocale::ShortFormat);
}

int hourFromTwelveHourClock(int typed, int currentHour)
{
    if (typed < 1 || typed > 12)
        return typed;
    const bool afternoon = currentHour >= 12;
    return typed % 12 + (afternoon ? 12 : 0);
}

} // namespace LocaleFormat
