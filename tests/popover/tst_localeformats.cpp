#include "popoverrig.h"

#include "popover/mainpresetsmodel.h"
#include "popover/schedulemodel.h"

#include <QLocale>
#include <QScopeGuard>
#include <QTest>

using namespace Qt::StringLiterals;

// Values and times on screen follow the locale; what is stored does not.
class TestLocaleFormats : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void valuesAndClockFollowTheLocale_data();
    void valuesAndClockFollowTheLocale();
};

void TestLocaleFormats::valuesAndClockFollowTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("summary"); // Red Light on the main page
    QTest::addColumn<bool>("twelveHour");
    QTest::addColumn<QString>("evening");      // 20:05 as hour, separator, minute, marker
    QTest::addColumn<QString>("morningHour");  // the hour part of 08:05
    QTest::addColumn<int>("typedNineAtNight"); // "9" typed into the hour of 20:05

    QTest::newRow("de_DE") << u"de_DE"_s << u"1.000 K \u00B7 100%"_s << false << u"20:05"_s << u"08"_s << 9;
    QTest::newRow("fr_FR, narrow no-break space")
        << u"fr_FR"_s << u"1\u202F000 K \u00B7 100%"_s << false << u"20:05"_s << u"08"_s << 9;
    QTest::newRow("en_US, 12-hour") << u"en_US"_s << u"1,000 K \u00B7 100%"_s << true << u"8:05 PM"_s << u"8"_s << 21;
    QTest::newRow("ja_JP") << u"ja_JP"_s << u"1,000 K \u00B7 100%"_s << false << u"20:05"_s << u"8"_s << 9;
}

void TestLocaleFormats::valuesAndClockFollowTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, summary);
    QFETCH(bool, twelveHour);
    QFETCH(QString, evening);
    QFETCH(QString, morningHour);
    QFETCH(int, typedNineAtNight);
    QLocale::setDefault(QLocale(locale));
    const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::system()); });

    PopoverRig rig;
    HalvoPersistedState state;
    state.activeModeID = u"red-light"_s;
    rig.seed(state);
    rig.make();
    MainPresetsModel main;
    main.setContext(rig.context.get());
    QCOMPARE(main.summaryText(), summary);

    ScheduleModel schedule;
    schedule.setContext(rig.context.get());
    schedule.setHour1(20);
    schedule.setMinute1(5);
    QCOMPARE(schedule.twelveHourClock(), twelveHour);
    QString shown = schedule.hourText(schedule.hour1()) + schedule.timeSeparator() + schedule.minuteText(5);
    if (twelveHour)
        shown += u' ' + (schedule.hour1() < 12 ? schedule.amText() : schedule.pmText());
    QCOMPARE(shown, evening);
    QCOMPARE(schedule.hourText(8), morningHour);
    QCOMPARE(schedule.hourFromTyped(9, 20), typedNineAtNight);
    QCOMPARE(schedule.parseNumber(QLocale().toString(17)), 17);

    // AM/PM flips by twelve hours; the state file keeps its "HH:MM".
    schedule.toggleMeridiem(1);
    QCOMPARE(schedule.hour1(), 8);
    schedule.save();
    QCOMPARE(rig.saved().schedule.time1, u"08:05"_s);
}

QTEST_GUILESS_MAIN(TestLocaleFormats)
#include "tst_localeformats.moc"
