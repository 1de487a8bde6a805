#include "popoverrig.h"

#include "popover/mainpresetsmodel.h"
#include "popover/schedulemodel.h"

#include <QLocale>
#include <QScopeGuard>
#include <QTest>

using namespace Qt::StringLiterals;

// Values and times on screen follow the locale; the state file does not.
class TestLocaleFormats : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void valuesAndClockFollowTheLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("summary"); // Red Light on the main page
        QTest::addColumn<QString>("evening"); // 20:05 as the time field shows it
        QTest::addColumn<QString>("morningHour");
        QTest::addColumn<int>("typedNine"); // "9" typed into the hour of 20:05
        QTest::newRow("de_DE") << u"de_DE"_s << u"1.000 K \u00B7 100%"_s << u"20:05"_s << u"08"_s << 9;
        QTest::newRow("fr_FR") << u"fr_FR"_s << u"1\u202F000 K \u00B7 100%"_s << u"20:05"_s << u"08"_s << 9;
        QTest::newRow("en_US 12-hour") << u"en_US"_s << u"1,000 K \u00B7 100%"_s << u"8:05 PM"_s << u"8"_s << 21;
        QTest::newRow("ja_JP") << u"ja_JP"_s << u"1,000 K \u00B7 100%"_s << u"20:05"_s << u"8"_s << 9;
    }

    void valuesAndClockFollowTheLocale()
    {
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        const auto restore = qScopeGuard([] { QLocale::setDefault(QLocale::system()); });
        PopoverRig rig;
        HalvoPersistedState state;
        state.activeModeID = u"red-light"_s;
        rig.seed(state);
        rig.make();
        MainPresetsModel main;
        main.setContext(rig.context.get());
        QTEST(main.summaryText(), "summary");

        ScheduleModel schedule;
        schedule.setContext(rig.context.get());
        schedule.setHour1(20);
        schedule.setMinute1(5);
        QString shown = schedule.hourText(20) + schedule.timeSeparator() + schedule.minuteText(5);
        if (schedule.twelveHourClock())
            shown += u' ' + schedule.pmText();
        QTEST(shown, "evening");
        QTEST(schedule.hourText(8), "morningHour");
        QTEST(schedule.hourFromTyped(9, 20), "typedNine");
        QCOMPARE(schedule.parseNumber(QLocale().toString(17)), 17);
        schedule.toggleMeridiem(1); // AM/PM flips by twelve hours
        schedule.save();
        QCOMPARE(rig.saved().schedule.time1, u"08:05"_s);
    }
};

QTEST_GUILESS_MAIN(TestLocaleFormats)
#include "tst_localeformats.moc"
