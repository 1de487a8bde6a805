#include "popoverrig.h"

#include "popover/schedulemodel.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The rig's clock reads 2026-03-10 12:00 UTC; the store evaluates in UTC.
qint64 epochMinutes(int hour, int minute)
{
    return QDateTime(QDate(2026, 3, 10), QTime(hour, minute), QTimeZone::utc()).toSecsSinceEpoch() / 60;
}

HalvoPersistedState stateWithSchedule(const DailySchedule &schedule)
{
    HalvoPersistedState state = stateWithCustom(std::nullopt);
    state.schedule = schedule;
    return state;
}

DailySchedule raw(bool enabled, const QString &time1, const QString &preset1, const QString &time2,
                  const QString &preset2)
{
    // Assigned field by field, so invalid stored texts stay as stored.
    DailySchedule schedule;
    schedule.enabled = enabled;
    schedule.time1 = time1;
    schedule.preset1ID = preset1;
    schedule.time2 = time2;
    schedule.preset2ID = preset2;
    return schedule;
}

} // namespace

class TestScheduleModel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadsTheStoredSchedule_data();
    void loadsTheStoredSchedule();
    void pickersListEveryPresetInOrder();
    void switchingOffReachesTheStoreAtOnce();
    void switchingOnWaitsForSave();
    void saveTurnsOnAndChecksOnceAfterClearingAndSaving();
    void storesTwoDigitTimes_data();
    void storesTwoDigitTimes();
    void steppersWrapAroundTheClock_data();
    void steppersWrapAroundTheClock();
    void hiddenPresetCanBeScheduled();
    void backGoesToSettings();
    void unsavedChangesUntilSaved();
};

void TestScheduleModel::loadsTheStoredSchedule_data()
{
    QTest::addColumn<DailySchedule>("stored");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("time1");
    QTest::addColumn<QString>("preset1");
    QTest::addColumn<QString>("time2");
    QTest::addColumn<QString>("preset2");

    QTest::newRow("off, stored values") << raw(false, u"06:45"_s, u"candle"_s, u"22:10"_s, u"vivid"_s)
                                        << false << "06:45"
                                        << "candle"
                                        << "22:10"
                                        << "vivid";
    QTest::newRow("on, custom preset") << raw(true, u"00:00"_s, kCustomID, u"23:59"_s, u"black-white"_s)
                                       << true << u"00:00"_s << kCustomID << u"23:59"_s << u"black-white"_s;
    QTest::newRow("missing presets replaced")
        << raw(true, u"07:00"_s, u"custom-gone"_s, u"19:00"_s, u"also-gone"_s)
        << true << u"07:00"_s << u"standard"_s << u"19:00"_s << u"red-light"_s;
    QTest::newRow("unparsable times show 08:00")
        << raw(false, u"8:00"_s, u"vivid"_s, u"24:00"_s, u"candle"_s)
        << false << "08:00"
        << "vivid"
        << "08:00"
        << "candle";
}

void TestScheduleModel::loadsTheStoredSchedule()
{
    QFETCH(DailySchedule, stored);
    PopoverRig rig;
    rig.seed(stateWithSchedule(stored));
    rig.make();

    ScheduleModel model;
    model.setStore(rig.store.get(), {});
    // Before the page comes on screen it shows its initial values.
    QCOMPARE(model.enabled(), false);
    QCOMPARE(model.time1Text(), QStringLiteral("08:00"));
    QCOMPARE(model.time2Text(), QStringLiteral("20:00"));

    model.appear();
    QTEST(model.enabled(), "enabled");
    QTEST(model.time1Text(), "time1");
    QTEST(model.preset1ID(), "preset1");
    QTEST(model.time2Text(), "time2");
    QTEST(model.preset2ID(), "preset2");
    QCOMPARE(model.data(model.index(model.preset1Index()), ScheduleModel::PresetIDRole).toString(),
             model.preset1ID());
    QCOMPARE(model.data(model.index(model.preset2Index()), ScheduleModel::PresetIDRole).toString(),
             model.preset2ID());
    // Loading never writes: the store keeps even a missing id until saving.
    QCOMPARE(rig.store->schedule(), stored);
    QCOMPARE(rig.saved().schedule, stored);
}

void TestScheduleModel::pickersListEveryPresetInOrder()
{
    PopoverRig rig;
    rig.seed(stateWithCustom(std::nullopt));
    rig.make();
    rig.store->togglePresetHidden(QStringLiteral("candle"));

    ScheduleModel model;
    model.setStore(rig.store.get(), {});
    QStringList ids;
    QStringList names;
    for (int row = 0; row < model.count(); ++row) {
        ids.append(model.data(model.index(row), ScheduleModel::PresetIDRole).toString());
        names.append(model.data(model.index(row), ScheduleModel::NameRole).toString());
    }
    QCOMPARE(ids, (QStringList{u"standard"_s, u"red-light"_s, u"candle"_s, u"black-white"_s, u"color-ink"_s, u"vivid"_s,
                               kCustomID}));
    QCOMPARE(names, (QStringList{u"Standard"_s, u"Red Light"_s, u"Candle"_s, u"Black & White"_s, u"Color Ink"_s,
                                 u"Vivid"_s, u"Reading"_s}));

    QSignalSpy counts(&model, &ScheduleModel::countChanged);
    const HalvoPreset added = rig.store->addCustomPreset(QStringLiteral("Late"));
    QCOMPARE(counts.count(), 1);
    QCOMPARE(model.data(model.index(7), ScheduleModel::PresetIDRole).toString(), added.id);
}

void TestScheduleModel::switchingOffReachesTheStoreAtOnce()
{
    PopoverRig rig;
    HalvoPersistedState state = stateWithSchedule(DailySchedule(true, u"08:00"_s, u"candle"_s, u"20:00"_s, u"vivid"_s));
    state.lastScheduleMarker = ScheduleEventMarker{epochMinutes(8, 0), QStringLiteral("candle")};
    rig.seed(state);
    rig.make();

    ScheduleModel model;
    model.setStore(rig.store.get(), {});
    model.appear();
    model.setHour1(6); // an unsaved edit that must not reach the store
    QVERIFY(model.enabled());

    QSignalSpy enabledSpy(&model, &ScheduleModel::enabledChanged);
    model.setEnabled(false);
    QCOMPARE(enabledSpy.count(), 1);
    QCOMPARE(rig.store->schedule(), DailySchedule(false, u"08:00"_s, u"candle"_s, u"20:00"_s, u"vivid"_s));
    QCOMPARE(rig.store->lastScheduleMarker(), std::nullopt);
    QCOMPARE(rig.saved().schedule, rig.store->schedule());
    QCOMPARE(rig.saved().lastScheduleMarker, std::nullopt);
}

void TestScheduleModel::switchingOnWaitsForSave()
{
    PopoverRig rig;
    rig.seed(stateWithSchedule(DailySchedule(false, u"08:00"_s, u"candle"_s, u"20:00"_s, u"vivid"_s)));
    rig.make();
    const QByteArray before = [&] {
        QFile file(rig.statePath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();

    {
        ScheduleModel model;
        model.setStore(rig.store.get(), {});
        model.appear();
        QSignalSpy scheduleSpy(rig.store.get(), &HalvoStore::scheduleChanged);
        model.setEnabled(true);
        QVERIFY(model.enabled());
        QCOMPARE(scheduleSpy.count(), 0);
        QCOMPARE(rig.store->activeModeID(), QStringLiteral("standard"));
    }
    // Leaving the page without saving leaves the schedule off.
    QCOMPARE(rig.store->schedule().enabled, false);
    QFile file(rig.statePath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);

    ScheduleModel again;
    again.setStore(rig.store.get(), {});
    again.appear();
    QCOMPARE(again.enabled(), false);
}

void TestScheduleModel::saveTurnsOnAndChecksOnceAfterClearingAndSaving()
{
    PopoverRig rig;
    // The morning period already applied "candle" and the user then chose
    // "standard": without clearing the marker the schedule would stay quiet.
    HalvoPersistedState state = stateWithSchedule(DailySchedule(false, u"08:00"_s, u"candle"_s, u"20:00"_s, u"vivid"_s));
    state.lastScheduleMarker = ScheduleEventMarker{epochMinutes(8, 0), QStringLiteral("candle")};
    rig.seed(state);
    rig.make();
    rig.store->setCurrentCalendar(QTimeZone::utc());

    ScheduleModel model;
    model.setStore(rig.store.get(), {});
    model.appear();
    QCOMPARE(model.enabled(), false);

    QStringList events;
    std::optional<HalvoPersistedState> savedWhenChecked;
    HalvoStore *store = rig.store.get();
    connect(store, &HalvoStore::scheduleChanged, this, [&] { events.append(u"schedule"_s); });
    connect(store, &HalvoStore::lastScheduleMarkerChanged, this, [&] {
        if (!store->lastScheduleMarker()) {
            events.append(u"marker cleared"_s);
            return;
        }
        events.append(u"marker set"_s);
        savedWhenChecked = rig.saved();
    });
    connect(store, &HalvoStore::activeModeIDChanged, this,
            [&] { events.append(u"active "_s + store->activeModeID()); });

    model.save();

    QVERIFY(model.enabled());
    const DailySchedule expected(true, u"08:00"_s, u"candle"_s, u"20:00"_s, u"vivid"_s);
    QCOMPARE(store->schedule(), expected);
    QCOMPARE(events, (QStringList{u"schedule"_s, u"marker cleared"_s, u"marker set"_s, u"active candle"_s}));
    // When the check ran, the file already held the new schedule without a marker.
    QVERIFY(savedWhenChecked.has_value());
    QCOMPARE(savedWhenChecked->schedule, expected);
    QCOMPARE(savedWhenChecked->lastScheduleMarker, std::nullopt);
    QCOMPARE(store->lastScheduleMarker(), (ScheduleEventMarker{epochMinutes(8, 0), u"candle"_s}));
    QCOMPARE(rig.saved().lastScheduleMarker, store->lastScheduleMarker());
    QCOMPARE(rig.countCalls(QStringLiteral("ripple.run")), 0);
}

void TestScheduleModel::storesTwoDigitTimes_data()
{
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::addColumn<QString>("stored");

    QTest::newRow("five past seven") << 7 << 5 << "07:05";
    QTest::newRow("a minute to midnight") << 23 << 59 << "23:59";
    QTest::newRow("midnight") << 0 << 0 << "00:00";
    QTest::newRow("out of range clamps") << 24 << 60 << "23:59";
    QTest::newRow("negative clamps") << -1 << -5 << "00:00";
}

void TestScheduleModel::storesTwoDigitTimes()
{
    QFETCH(int, hour);
    QFETCH(int, minute);
    PopoverRig rig;
    rig.make();

    ScheduleModel model;
    model.setStore(rig.store.get(), {});
    model.appear();
    model.setHour1(hour);
    model.setMinute1(minute);
    model.setHour2(hour);
    model.setMinute2(minute);
    model.save();

    QTEST(rig.store->schedule().time1, "stored");
    QTEST(rig.store->schedule().time2, "stored");
    QTEST(rig.saved().schedule.time1, "stored");
}

void TestScheduleModel::steppersWrapAroundTheClock_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("stepsHour");
    QTest::addColumn<int>("delta");
    QTest::addColumn<QString>("result");

    QTest::newRow("hour up past 23") << "23:30" << true << 1 << "00:30";
    QTest::newRow("hour down past 0") << "00:15" << true << -1 << "23:15";
    QTest::newRow("minute up past 59 keeps the hour") << "09:59" << false << 1 << "09:00";
    QTest::newRow("minute down past 0 keeps the hour") << "00:00" << false << -1 << "00:59";
    QTest::newRow("plain step") << "12:34" << false << 1 << "12:35";
}

void TestScheduleModel::steppersWrapAroundTheClock()
{
    QFETCH(QString, start);
    QFETCH(bool, stepsHour);
    QFETCH(int, delta);
    PopoverRig rig;
    rig.seed(stateWithSchedule(DailySchedule(false, start, u"standard"_s, start, u"red-light"_s)));
    rig.make();

    ScheduleModel model;
    model.setStore(rig.store.get(), {});
    model.appear();
    QSignalSpy second(&model, &ScheduleModel::time2Changed);
    if (stepsHour)
        model.stepHour(1, delta);
    else
        model.stepMinute(1, delta);
    QTEST(model.time1Text(), "result");
    QCOMPARE(model.time2Text(), start);
    QCOMPARE(second.count(), 0);
}

void TestScheduleModel::hiddenPresetCanBeScheduled()
{
    PopoverRig rig;
    rig.make();
    rig.store->togglePresetHidden(QStringLiteral("candle"));
    rig.store->togglePresetHidden(QStringLiteral("vivid"));

    ScheduleModel model;
    model.setStore(rig.store.get(), {});
    model.appear();
    QVERIFY(model.preset1Index() >= 0);
    model.setPreset1ID(QStringLiteral("candle"));
    model.setPreset2ID(QStringLiteral("vivid"));
    QCOMPARE(model.preset1Index(), 2);
    QCOMPARE(model.preset2Index(), 5);
    model.save();
    QCOMPARE(rig.saved().schedule.preset1ID, QStringLiteral("candle"));
    QCOMPARE(rig.saved().schedule.preset2ID, QStringLiteral("vivid"));
}

void TestScheduleModel::backGoesToSettings()
{
    PopoverRig rig;
    rig.make();
    rig.navigation->setPage(PopoverPage::schedule());
    ScheduleModel model;
    model.setContext(rig.context.get());
    model.back();
    QCOMPARE(rig.navigation->page(), PopoverPage::settings());
}

void TestScheduleModel::unsavedChangesUntilSaved()
{
    PopoverRig rig;
    rig.seed(stateWithSchedule(raw(true, u"08:00"_s, u"standard"_s, u"20:00"_s, u"red-light"_s)));
    rig.make();
    ScheduleModel model;
    model.setContext(rig.context.get());
    QVERIFY(!model.unsavedChanges());
    model.stepMinute(2, 1);
    QVERIFY(model.unsavedChanges());
    model.stepMinute(2, -1);
    model.setPreset1ID(u"candle"_s);
    QVERIFY(model.unsavedChanges());
    model.save();
    QVERIFY(!model.unsavedChanges());
}

QTEST_GUILESS_MAIN(TestScheduleModel)
#include "tst_schedulemodel.moc"
