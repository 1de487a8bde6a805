#include "schedule/dailyschedule.h"
#include "schedule/scheduleevaluator.h"

#include <QSet>
#include <QTest>

#include <optional>

using OptionalMinutes = std::optional<int>;
using OptionalMarker = std::optional<ScheduleEventMarker>;

Q_DECLARE_METATYPE(OptionalMinutes)
Q_DECLARE_METATYPE(OptionalMarker)
Q_DECLARE_METATYPE(DailySchedule)

namespace QTest {
template <>
char *toString(const OptionalMinutes &value)
{
    return qstrdup(value ? QByteArray::number(*value).constData() : "none");
}
} // namespace QTest

namespace {

QTimeZone berlin()
{
    return QTimeZone("Europe/Berlin");
}

QTimeZone newYork()
{
    return QTimeZone("America/New_York");
}

QTimeZone kolkata()
{
    return QTimeZone("Asia/Kolkata");
}

QTimeZone lordHowe()
{
    return QTimeZone("Australia/Lord_Howe");
}

QDateTime local(const QTimeZone &zone, int year, int month, int day, int hour, int minute,
                int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), zone);
}

QDateTime utc(int year, int month, int day, int hour, int minute, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), QTimeZone::utc());
}

// Only for moments on a whole minute, where the division is exact.
qint64 epochMinute(const QDateTime &moment)
{
    return moment.toSecsSinceEpoch() / 60;
}

ScheduleEventMarker marker(const QDateTime &event, const QString &presetID)
{
    return ScheduleEventMarker{epochMinute(event), presetID};
}

DailySchedule eveningSchedule()
{
    return DailySchedule(true, QStringLiteral("08:00"), QStringLiteral("standard"),
                         QStringLiteral("20:00"), QStringLiteral("red-light"));
}

bool knownPreset(const QString &id)
{
    static const QSet<QString> ids = {QStringLiteral("standard"), QStringLiteral("red-light"),
                                      QStringLiteral("candle"), QStringLiteral("vivid")};
    return ids.contains(id);
}

} // namespace

class TestScheduleEvaluator : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void minutesOfDay_data();
    void minutesOfDay();
    void constructorValidates_data();
    void constructorValidates();
    void defaultSchedule();
    void timeString_data();
    void timeString();
    void date_data();
    void date();
    void dateOnAmbiguousHour();

    void evaluate_data();
    void evaluate();
    void daylightSavingChange_data();
    void daylightSavingChange();
    void manualChoiceHoldsUntilNextSwitch();
};

void TestScheduleEvaluator::initTestCase()
{
    for (const QTimeZone &zone : {berlin(), newYork(), kolkata(), lordHowe()})
        QVERIFY2(zone.isValid(), "time zone data (tzdata) is missing");
}

void TestScheduleEvaluator::minutesOfDay_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<OptionalMinutes>("expected");
    const OptionalMinutes none;
    QTest::newRow("00:00") << "00:00" << OptionalMinutes(0);
    QTest::newRow("23:59") << "23:59" << OptionalMinutes(1439);
    QTest::newRow("08:00") << "08:00" << OptionalMinutes(480);
    QTest::newRow("20:45") << "20:45" << OptionalMinutes(1245);
    QTest::newRow("8:00 one-character hour") << "8:00" << none;
    QTest::newRow("08:0 one-character minute") << "08:0" << none;
    QTest::newRow("24:00") << "24:00" << none;
    QTest::newRow("12:60") << "12:60" << none;
    QTest::newRow("99:99") << "99:99" << none;
    QTest::newRow("1200 one piece") << "1200" << none;
    QTest::newRow("12:00:00 three pieces") << "12:00:00" << none;
    QTest::newRow("08::00 empty piece dropped") << "08::00" << OptionalMinutes(480);
    QTest::newRow(":08:00: empty ends dropped") << ":08:00:" << OptionalMinutes(480);
    QTest::newRow("+8:00 signed hour") << "+8:00" << OptionalMinutes(480);
    QTest::newRow("08:+5 signed minute") << "08:+5" << OptionalMinutes(485);
    QTest::newRow("-0:30 negative zero") << "-0:30" << OptionalMinutes(30);
    QTest::newRow("-1:00 negative hour") << "-1:00" << none;
    QTest::newRow("08:-1 negative minute") << "08:-1" << none;
    QTest::newRow("+-:00 sign only") << "+-:00" << none;
    QTest::newRow("ab:cd") << "ab:cd" << none;
    QTest::newRow("0x:10") << "0x:10" << none;
    QTest::newRow("leading space") << " 8:00" << none;
    QTest::newRow("trailing space") << "08:0 " << none;
    QTest::newRow("Arabic-Indic digits") << QStringLiteral("\u0660\u0668:\u0660\u0660") << none;
    QTest::newRow("full-width digits") << QStringLiteral("\uFF10\uFF18:\uFF10\uFF10") << none;
    QTest::newRow("combining mark makes one character") << QStringLiteral("08:0\u0301") << none;
    QTest::newRow("combining mark on a digit") << QStringLiteral("08:00\u0301") << none;
    QTest::newRow("empty") << "" << none;
    QTest::newRow("colon only") << ":" << none;
}

void TestScheduleEvaluator::minutesOfDay()
{
    QFETCH(QString, text);
    QFETCH(OptionalMinutes, expected);
    QCOMPARE(DailySchedule::minutesOfDay(text), expected);
}

void TestScheduleEvaluator::constructorValidates_data()
{
    QTest::addColumn<QString>("time1");
    QTest::addColumn<QString>("time2");
    QTest::addColumn<QString>("expectedTime1");
    QTest::addColumn<QString>("expectedTime2");
    QTest::newRow("both valid") << "06:30"
                                << "22:15"
                                << "06:30"
                                << "22:15";
    QTest::newRow("invalid first") << "8:00"
                                   << "22:15"
                                   << "08:00"
                                   << "22:15";
    QTest::newRow("invalid second") << "06:30"
                                    << "24:00"
                                    << "06:30"
                                    << "20:00";
    QTest::newRow("both invalid") << "junk"
                                  << ""
                                  << "08:00"
                                  << "20:00";
    QTest::newRow("valid text kept as given") << "07::45"
                                              << "+9:00"
                                              << "07::45"
                                              << "+9:00";
}

void TestScheduleEvaluator::constructorValidates()
{
    QFETCH(QString, time1);
    QFETCH(QString, time2);
    const DailySchedule schedule(true, time1, QStringLiteral("no-such-preset"), time2,
                                 QStringLiteral("vivid"));
    QCOMPARE(schedule.enabled, true);
    QTEST(schedule.time1, "expectedTime1");
    QTEST(schedule.time2, "expectedTime2");
    QCOMPARE(schedule.preset1ID, QStringLiteral("no-such-preset"));
    QCOMPARE(schedule.preset2ID, QStringLiteral("vivid"));
}

void TestScheduleEvaluator::defaultSchedule()
{
    const DailySchedule schedule = DailySchedule::defaultSchedule();
    QCOMPARE(schedule.enabled, false);
    QCOMPARE(schedule.time1, QStringLiteral("08:00"));
    QCOMPARE(schedule.preset1ID, QStringLiteral("standard"));
    QCOMPARE(schedule.time2, QStringLiteral("20:00"));
    QCOMPARE(schedule.preset2ID, QStringLiteral("red-light"));
}

void TestScheduleEvaluator::timeString_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QTimeZone>("zone");
    QTest::addColumn<QString>("expected");
    QTest::newRow("07:05 summer") << utc(2024, 6, 10, 5, 5) << berlin() << "07:05";
    QTest::newRow("07:05 winter") << utc(2024, 1, 10, 6, 5, 59) << berlin() << "07:05";
    QTest::newRow("midnight") << local(berlin(), 2024, 6, 10, 0, 0) << berlin() << "00:00";
    QTest::newRow("23:59") << local(berlin(), 2024, 6, 10, 23, 59, 59) << berlin() << "23:59";
    QTest::newRow("half-hour zone") << utc(2024, 6, 10, 0, 0) << kolkata() << "05:30";
    QTest::newRow("before 1970") << utc(1969, 12, 31, 23, 59, 30) << newYork() << "18:59";
    QTest::newRow("invalid moment") << QDateTime() << berlin() << "00:00";
}

void TestScheduleEvaluator::timeString()
{
    QFETCH(QDateTime, moment);
    QFETCH(QTimeZone, zone);
    QTEST(DailySchedule::timeString(moment, zone), "expected");
}

void TestScheduleEvaluator::date_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("day");
    QTest::addColumn<QTimeZone>("zone");
    QTest::addColumn<QDateTime>("expected");

    // 23:30:45 UTC on 10 June is already 11 June in Berlin.
    const QDateTime lateUtc = utc(2024, 6, 10, 23, 30, 45);
    QTest::newRow("day taken in the zone") << "20:30" << lateUtc << berlin()
                                           << local(berlin(), 2024, 6, 11, 20, 30);
    QTest::newRow("invalid text is 08:00") << "8:00" << lateUtc << berlin()
                                           << local(berlin(), 2024, 6, 11, 8, 0);
    QTest::newRow("empty text is 08:00") << "" << lateUtc << newYork()
                                         << local(newYork(), 2024, 6, 10, 8, 0);
    QTest::newRow("23:59") << "23:59" << lateUtc << kolkata() << local(kolkata(), 2024, 6, 11, 23, 59);
    QTest::newRow("before 1970") << "06:15" << utc(1969, 7, 20, 20, 17) << berlin()
                                 << local(berlin(), 1969, 7, 20, 6, 15);
    // 02:30 does not exist in Berlin on 31 March 2024; the clock jumps from 02:00 to 03:00.
    const QDateTime springDay = utc(2024, 3, 31, 10, 0);
    QTest::newRow("time skipped by the clock") << "02:30" << springDay << berlin() << springDay;
    QTest::newRow("invalid day") << "12:00" << QDateTime() << berlin() << QDateTime();
}

void TestScheduleEvaluator::date()
{
    QFETCH(QString, text);
    QFETCH(QDateTime, day);
    QFETCH(QTimeZone, zone);
    QFETCH(QDateTime, expected);

    const QDateTime result = DailySchedule::date(text, day, zone);
    QCOMPARE(result, expected);
    QCOMPARE(result.isValid(), expected.isValid());
    if (result.isValid())
        QCOMPARE(result.toMSecsSinceEpoch(), expected.toMSecsSinceEpoch());
}

void TestScheduleEvaluator::dateOnAmbiguousHour()
{
    // 02:30 happens twice in Berlin on 27 October 2024; either instant is that
    // local time on that day.
    const QDateTime result = DailySchedule::date(QStringLiteral("02:30"), utc(2024, 10, 27, 12, 0),
                                                 berlin());
    QVERIFY(result.isValid());
    QCOMPARE(result.toTimeZone(berlin()).date(), QDate(2024, 10, 27));
    QCOMPARE(DailySchedule::timeString(result, berlin()), QStringLiteral("02:30"));
}

void TestScheduleEvaluator::evaluate_data()
{
    QTest::addColumn<DailySchedule>("schedule");
    QTest::addColumn<QTimeZone>("zone");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<OptionalMarker>("lastMarker");
    QTest::addColumn<QString>("expectedTarget"); // empty: no switch
    QTest::addColumn<QDateTime>("expectedEvent");

    const DailySchedule evening = eveningSchedule();
    const QTimeZone zone = berlin();
    const QDateTime june10At20 = local(zone, 2024, 6, 10, 20, 0);
    const QDateTime june11At08 = local(zone, 2024, 6, 11, 8, 0);
    const OptionalMarker appliedEvening = marker(june10At20, QStringLiteral("red-light"));
    const OptionalMarker noMarker;

    QTest::newRow("20:00 without marker") << evening << zone << june10At20 << noMarker
                                          << "red-light" << june10At20;
    QTest::newRow("seconds do not matter") << evening << zone << local(zone, 2024, 6, 10, 20, 0, 59)
                                           << noMarker << "red-light" << june10At20;
    QTest::newRow("02:00 next night, applied") << evening << zone << local(zone, 2024, 6, 11, 2, 0)
                                               << appliedEvening << "" << QDateTime();
    QTest::newRow("02:00 next night, no marker") << evening << zone << local(zone, 2024, 6, 11, 2, 0)
                                                 << noMarker << "red-light" << june10At20;
    QTest::newRow("07:59 still the evening") << evening << zone << local(zone, 2024, 6, 11, 7, 59, 59)
                                             << appliedEvening << "" << QDateTime();
    QTest::newRow("08:00 morning due") << evening << zone << june11At08 << appliedEvening
                                       << "standard" << june11At08;
    QTest::newRow("08:00:30 morning applied")
        << evening << zone << local(zone, 2024, 6, 11, 8, 0, 30)
        << OptionalMarker(marker(june11At08, QStringLiteral("standard"))) << "" << QDateTime();
    QTest::newRow("same minute, other preset")
        << evening << zone << local(zone, 2024, 6, 10, 21, 0)
        << OptionalMarker(marker(june10At20, QStringLiteral("candle"))) << "red-light" << june10At20;
    QTest::newRow("same preset, older minute")
        << evening << zone << local(zone, 2024, 6, 10, 21, 0)
        << OptionalMarker(marker(local(zone, 2024, 6, 9, 20, 0), QStringLiteral("red-light")))
        << "red-light" << june10At20;
    QTest::newRow("now given in UTC") << evening << zone << utc(2024, 6, 10, 18, 0) << noMarker
                                      << "red-light" << june10At20;

    const DailySchedule sameTimes(true, QStringLiteral("08:00"), QStringLiteral("standard"),
                                  QStringLiteral("08:00"), QStringLiteral("red-light"));
    QTest::newRow("equal times at 08:00") << sameTimes << zone << june11At08 << noMarker
                                          << "standard" << june11At08;
    QTest::newRow("equal times at 07:59") << sameTimes << zone << local(zone, 2024, 6, 11, 7, 59)
                                          << noMarker << "standard" << local(zone, 2024, 6, 10, 8, 0);
    QTest::newRow("equal times at 15:00") << sameTimes << zone << local(zone, 2024, 6, 11, 15, 0)
                                          << noMarker << "standard" << june11At08;

    const DailySchedule reversed(true, QStringLiteral("22:00"), QStringLiteral("candle"),
                                 QStringLiteral("06:00"), QStringLiteral("vivid"));
    QTest::newRow("first slot late, at 23:00") << reversed << zone << local(zone, 2024, 6, 10, 23, 0)
                                               << noMarker << "candle" << local(zone, 2024, 6, 10, 22, 0);
    QTest::newRow("first slot late, at 03:00") << reversed << zone << local(zone, 2024, 6, 11, 3, 0)
                                               << noMarker << "candle" << local(zone, 2024, 6, 10, 22, 0);
    QTest::newRow("first slot late, at 07:00") << reversed << zone << local(zone, 2024, 6, 11, 7, 0)
                                               << noMarker << "vivid" << local(zone, 2024, 6, 11, 6, 0);

    const DailySchedule missing(true, QStringLiteral("08:00"), QStringLiteral("standard"),
                                QStringLiteral("20:00"), QStringLiteral("custom-gone"));
    QTest::newRow("preset in force missing") << missing << zone << local(zone, 2024, 6, 10, 21, 0)
                                             << noMarker << "" << QDateTime();
    QTest::newRow("other slot still switches") << missing << zone << local(zone, 2024, 6, 10, 9, 0)
                                               << noMarker << "standard" << local(zone, 2024, 6, 10, 8, 0);

    DailySchedule disabled = evening;
    disabled.enabled = false;
    QTest::newRow("disabled") << disabled << zone << june10At20 << noMarker << "" << QDateTime();
    DailySchedule badFirst = evening;
    badFirst.time1 = QStringLiteral("8:00");
    QTest::newRow("stored first time invalid") << badFirst << zone << june10At20 << noMarker << ""
                                               << QDateTime();
    DailySchedule badSecond = evening;
    badSecond.time2 = QStringLiteral("20:00:00");
    QTest::newRow("stored second time invalid") << badSecond << zone << june11At08 << noMarker << ""
                                                << QDateTime();
    QTest::newRow("invalid now") << evening << zone << QDateTime() << noMarker << "" << QDateTime();

    // India is UTC+05:30: the local minute, not the UTC one, decides.
    QTest::newRow("half-hour zone") << evening << kolkata() << utc(2024, 6, 10, 14, 45) << noMarker
                                    << "red-light" << local(kolkata(), 2024, 6, 10, 20, 0);

    // Before 1970 the epoch minute is negative and must round down, not toward zero.
    const QDateTime newYearsEve = utc(1969, 12, 31, 20, 0);
    QTest::newRow("before 1970, seconds into the minute")
        << evening << QTimeZone::utc() << utc(1969, 12, 31, 23, 59, 30) << noMarker << "red-light"
        << newYearsEve;
    QTest::newRow("before 1970, applied") << evening << QTimeZone::utc() << utc(1969, 12, 31, 23, 59, 30)
                                          << OptionalMarker(ScheduleEventMarker{-240, QStringLiteral("red-light")})
                                          << "" << QDateTime();
    QTest::newRow("before 1970, Berlin") << evening << zone << local(zone, 1969, 7, 20, 21, 56, 20)
                                         << noMarker << "red-light" << local(zone, 1969, 7, 20, 20, 0);
}

void TestScheduleEvaluator::evaluate()
{
    QFETCH(DailySchedule, schedule);
    QFETCH(QTimeZone, zone);
    QFETCH(QDateTime, now);
    QFETCH(OptionalMarker, lastMarker);
    QFETCH(QString, expectedTarget);
    QFETCH(QDateTime, expectedEvent);

    const std::optional<ScheduleEvaluation> result =
        ScheduleEvaluator::evaluate(schedule, now, zone, lastMarker, knownPreset);
    if (expectedTarget.isEmpty()) {
        QVERIFY2(!result, result ? qPrintable(result->targetPresetID) : "");
        return;
    }
    QVERIFY(result);
    QCOMPARE(result->targetPresetID, expectedTarget);
    QCOMPARE(result->marker.presetID, expectedTarget);
    QCOMPARE(result->marker.eventEpochMinutes, epochMinute(expectedEvent));
}

void TestScheduleEvaluator::daylightSavingChange_data()
{
    QTest::addColumn<QTimeZone>("zone");
    QTest::addColumn<QDateTime>("before");  // last tick on the old offset
    QTest::addColumn<QDateTime>("after");   // first tick on the new offset
    QTest::addColumn<qint64>("shift");      // minutes the event moves by
    QTest::addColumn<QDateTime>("morning"); // the next switch time

    QTest::newRow("Berlin spring forward") << berlin() << utc(2024, 3, 31, 0, 59) << utc(2024, 3, 31, 1, 0)
                                           << qint64(-60) << local(berlin(), 2024, 3, 31, 8, 0);
    QTest::newRow("Berlin fall back") << berlin() << utc(2024, 10, 27, 0, 59) << utc(2024, 10, 27, 1, 0)
                                      << qint64(60) << local(berlin(), 2024, 10, 27, 8, 0);
    QTest::newRow("New York spring forward") << newYork() << utc(2024, 3, 10, 6, 59) << utc(2024, 3, 10, 7, 0)
                                             << qint64(-60) << local(newYork(), 2024, 3, 10, 8, 0);
    QTest::newRow("New York fall back") << newYork() << utc(2024, 11, 3, 5, 59) << utc(2024, 11, 3, 6, 0)
                                        << qint64(60) << local(newYork(), 2024, 11, 3, 8, 0);
    // Lord Howe Island moves its clock by half an hour.
    QTest::newRow("Lord Howe half-hour forward") << lordHowe() << utc(2024, 10, 5, 15, 29)
                                                 << utc(2024, 10, 5, 15, 30) << qint64(-30)
                                                 << local(lordHowe(), 2024, 10, 6, 8, 0);
    QTest::newRow("Lord Howe half-hour back") << lordHowe() << utc(2024, 4, 6, 14, 59)
                                              << utc(2024, 4, 6, 15, 0) << qint64(30)
                                              << local(lordHowe(), 2024, 4, 7, 8, 0);
}

void TestScheduleEvaluator::daylightSavingChange()
{
    QFETCH(QTimeZone, zone);
    QFETCH(QDateTime, before);
    QFETCH(QDateTime, after);
    QFETCH(qint64, shift);
    QFETCH(QDateTime, morning);

    // The rows must straddle a real change of this zone's offset.
    QCOMPARE(qint64(zone.offsetFromUtc(before) - zone.offsetFromUtc(after)) / 60, shift);

    const DailySchedule schedule = eveningSchedule();
    const auto evaluate = [&](const QDateTime &now, const OptionalMarker &last) {
        return ScheduleEvaluator::evaluate(schedule, now, zone, last, knownPreset);
    };

    const std::optional<ScheduleEvaluation> evening = evaluate(before, std::nullopt);
    QVERIFY(evening);
    QCOMPARE(evening->targetPresetID, QStringLiteral("red-light"));
    QVERIFY(!evaluate(before.addSecs(-3600), evening->marker));

    const std::optional<ScheduleEvaluation> again = evaluate(after, evening->marker);
    QVERIFY2(again, "the running period must apply once more after the change");
    QCOMPARE(again->targetPresetID, QStringLiteral("red-light"));
    QCOMPARE(again->marker.eventEpochMinutes - evening->marker.eventEpochMinutes, shift);

    QVERIFY(!evaluate(after.addSecs(30 * 60), again->marker));
    QVERIFY(!evaluate(morning.addSecs(-60), again->marker));

    const std::optional<ScheduleEvaluation> next = evaluate(morning, again->marker);
    QVERIFY(next);
    QCOMPARE(next->targetPresetID, QStringLiteral("standard"));
    QCOMPARE(next->marker.eventEpochMinutes, epochMinute(morning));
}

void TestScheduleEvaluator::manualChoiceHoldsUntilNextSwitch()
{
    // The store keeps the marker of the 20:00 switch while the user picks
    // another preset by hand; every tick until 08:00 must leave it alone.
    const QTimeZone zone = berlin();
    const DailySchedule schedule = eveningSchedule();
    const ScheduleEventMarker applied = marker(local(zone, 2024, 6, 10, 20, 0), QStringLiteral("red-light"));

    int ticks = 0;
    for (QDateTime now = local(zone, 2024, 6, 10, 21, 0); now < local(zone, 2024, 6, 11, 8, 0);
         now = now.addSecs(30)) {
        QVERIFY2(!ScheduleEvaluator::evaluate(schedule, now, zone, applied, knownPreset),
                 qPrintable(now.toString(Qt::ISODate)));
        ++ticks;
    }
    QCOMPARE(ticks, 11 * 120);

    const auto morning = ScheduleEvaluator::evaluate(schedule, local(zone, 2024, 6, 11, 8, 0), zone,
                                                     applied, knownPreset);
    QVERIFY(morning);
    QCOMPARE(morning->targetPresetID, QStringLiteral("standard"));
}

QTEST_APPLESS_MAIN(TestScheduleEvaluator)
#include "tst_scheduleevaluator.moc"
