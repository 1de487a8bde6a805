#include "core/halvopersistedstate.h"
#include "core/statepersistence.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>

Q_DECLARE_METATYPE(HalvoPersistedState)

// Lets QCOMPARE show a differing state as its JSON.
char *toString(const HalvoPersistedState &state)
{
    return qstrdup(state.toJson().constData());
}

namespace {

const QString customAB = QStringLiteral("custom-3f2c8a1e-5b7d-4c9e-8a6f-1d2e3c4b5a69");
const QString customReading = QStringLiteral("custom-0b1c2d3e-4f50-4617-8a9b-acbdcedf0011");
const QString customWork = QStringLiteral("custom-9e8d7c6b-5a49-4382-b716-0f1e2d3c4b5a");
const QByteArray failurePrefix = "Halvo StatePersistence save failed: ";

// A preset exactly as given, without the normalising constructor.
HalvoPreset rawPreset(const QString &id, const QString &name, qint64 temperature, qint64 saturation,
                      std::optional<qint64> brightness, bool isCustom, qint64 defaultTemperature,
                      qint64 defaultSaturation, std::optional<qint64> defaultBrightness)
{
    HalvoPreset preset;
    preset.id = id;
    preset.name = name;
    preset.temperature = temperature;
    preset.saturation = saturation;
    preset.brightness = brightness;
    preset.isCustom = isCustom;
    preset.defaultTemperature = defaultTemperature;
    preset.defaultSaturation = defaultSaturation;
    preset.defaultBrightness = defaultBrightness;
    return preset;
}

HalvoPreset builtIn(const QString &id)
{
    for (const HalvoPreset &preset : HalvoPreset::builtInPresets()) {
        if (preset.id == id)
            return preset;
    }
    qFatal("no built-in preset %s", qPrintable(id));
}

// The state that tests/core/data/state-full.json holds.
HalvoPersistedState fullState()
{
    HalvoPersistedState state;
    state.activeModeID = customAB;
    HalvoPreset redLight = builtIn(BuiltinPresetID::redLight);
    redLight.temperature = 1200;
    redLight.brightness = 40;
    state.presets = {
        builtIn(BuiltinPresetID::standard),
        redLight,
        rawPreset(customAB, QStringLiteral("A/B"), 2700, 85, 55, true, 2700, 85, 55),
        builtIn(BuiltinPresetID::candle),
        builtIn(BuiltinPresetID::blackWhite),
        builtIn(BuiltinPresetID::colorInk),
        builtIn(BuiltinPresetID::vivid),
        rawPreset(customReading, QStringLiteral("Lesen \\/ Café · \"Nacht\""), 5000, 120,
                  std::nullopt, true, 5000, 120, std::nullopt),
    };
    state.hiddenPresetIDs = {QStringLiteral("black-white"), QStringLiteral("color-ink")};
    state.schedule.enabled = true;
    state.schedule.time1 = QStringLiteral("07:30");
    state.schedule.time2 = QStringLiteral("21:15");
    state.schedule.preset2ID = customAB;
    state.lastScheduleMarker = ScheduleEventMarker{29012345, QStringLiteral("red-light")};
    state.animationEnabled = false;
    state.brightnessBaseline = 73;
    state.hasCompletedOnboarding = true;
    return state;
}

// The state that tests/core/data/state-no-optionals.json holds.
HalvoPersistedState noOptionalsState()
{
    HalvoPersistedState state;
    state.presets = {
        builtIn(BuiltinPresetID::standard),
        rawPreset(customWork, QStringLiteral("Work/Play"), 3400, 75, std::nullopt, true, 3400, 75,
                  std::nullopt),
    };
    state.opticalRefractionEnabled = false;
    return state;
}

QString dataFile(const char *name)
{
    return QStringLiteral(HALVOSCOPE_STATE_TEST_DATA "/") + QLatin1String(name);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Child mode: saves fullState() to `target` ("default" = the default
// location) under an optional file size limit, so the parent can watch
// stderr and the disk.
int runSaveChild(int argc, char **argv)
{
    if (argc < 4)
        return 2;
    const long long sizeLimit = std::atoll(argv[3]);
    if (sizeLimit > 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{rlim_t(sizeLimit), rlim_t(sizeLimit)};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 3;
    }
    QCoreApplication app(argc, argv);
    const StatePersistence persistence = qstrcmp(argv[2], "default") == 0
                                             ? StatePersistence()
                                             : StatePersistence(QString::fromLocal8Bit(argv[2]));
    persistence.save(fullState());
    return 0;
}

// Checks `loaded` against the decoded file: stored presets first and
// unchanged, then exactly the missing built-ins in built-in order; the active
// id kept when it names a preset, else "standard"; everything else as read.
void verifyCompleted(const HalvoPersistedState &decoded, const HalvoPersistedState &loaded)
{
    const qsizetype stored = decoded.presets.size();
    QVERIFY(loaded.presets.size() >= stored);
    QCOMPARE(loaded.presets.first(stored), decoded.presets);
    QSet<QString> storedIDs;
    for (const HalvoPreset &preset : decoded.presets)
        storedIDs.insert(preset.id);
    QList<HalvoPreset> missing;
    for (const HalvoPreset &preset : HalvoPreset::builtInPresets()) {
        if (!storedIDs.contains(preset.id))
            missing.append(preset);
    }
    QCOMPARE(loaded.presets.mid(stored), missing);

    bool activeExists = false;
    for (const HalvoPreset &preset : loaded.presets)
        activeExists = activeExists || preset.id == decoded.activeModeID;
    QCOMPARE(loaded.activeModeID, activeExists ? decoded.activeModeID : BuiltinPresetID::standard);

    HalvoPersistedState rest = loaded;
    rest.presets = decoded.presets;
    rest.activeModeID = decoded.activeModeID;
    QCOMPARE(rest, decoded);
}

} // namespace

class TestStatePersistence : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();

    void writesExactBytes_data();
    void writesExactBytes();
    void roundTrip_data();
    void roundTrip();
    void loadEdgeCases_data();
    void loadEdgeCases();

    void defaultLocation();
    void missingFileGivesDefaultsAndWritesNothing();
    void migratesLegacyFile();
    void unreadableLegacyFile_data();
    void unreadableLegacyFile();
    void unreadableFileDoesNotFallBackToLegacy();
    void saveReplacesFileAndLeavesNoTemporary();
    void saveFailure_data();
    void saveFailure();
    void staleTemporaries_data();
    void staleTemporaries();

    void damagedFilesNeverCrash();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString path(const QString &relative) const { return m_dir->filePath(relative); }
};

void TestStatePersistence::initTestCase()
{
    // Nothing here may touch the real home folder, even by mistake.
    static QTemporaryDir home;
    QVERIFY(home.isValid());
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral("config"))));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home.filePath(QStringLiteral("cache"))));
}

void TestStatePersistence::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestStatePersistence::writesExactBytes_data()
{
    QTest::addColumn<HalvoPersistedState>("state");
    QTest::addColumn<QString>("expectedFile");
    QTest::addColumn<bool>("hasOptionals");

    QTest::newRow("marker, baseline, slashes, custom without brightness")
        << fullState() << dataFile("state-full.json") << true;
    QTest::newRow("no marker, no baseline, nothing hidden")
        << noOptionalsState() << dataFile("state-no-optionals.json") << false;
}

void TestStatePersistence::writesExactBytes()
{
    QFETCH(HalvoPersistedState, state);
    QFETCH(QString, expectedFile);
    QFETCH(bool, hasOptionals);

    const QByteArray expected = readFile(expectedFile);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(state.toJson(), expected);

    const QString target = path(QStringLiteral("a/b/state.json"));
    StatePersistence(target).save(state);
    const QByteArray written = readFile(target);
    QCOMPARE(written, expected);
    QCOMPARE(written.contains("\"lastScheduleMarker\""), hasOptionals);
    QCOMPARE(written.contains("\"brightnessBaseline\""), hasOptionals);
    QVERIFY(!written.contains("null"));

    const std::optional<HalvoPersistedState> decoded = HalvoPersistedState::fromJson(expected);
    QVERIFY(decoded);
    QCOMPARE(*decoded, state);
}

void TestStatePersistence::roundTrip_data()
{
    QTest::addColumn<HalvoPersistedState>("state");
    QTest::addColumn<HalvoPersistedState>("loaded");

    QTest::newRow("full") << fullState() << fullState();
    QTest::newRow("defaults") << HalvoPersistedState::defaultState()
                              << HalvoPersistedState::defaultState();

    HalvoPersistedState extremes = fullState();
    extremes.lastScheduleMarker = ScheduleEventMarker{std::numeric_limits<qint64>::min(), QString()};
    extremes.brightnessBaseline = std::numeric_limits<qint64>::max();
    extremes.presets[0].temperature = -500;
    extremes.presets[0].saturation = 1'000'000'000'000;
    extremes.presets[1].brightness = 0;
    extremes.presets[1].defaultBrightness = -1;
    QTest::newRow("extreme integers") << extremes << extremes;

    HalvoPersistedState texts = fullState();
    texts.presets[2].name = QStringLiteral("/\\//\\\\/ \"q\" \t\n\r\b\f \x01\x1f ☕️👩‍👩‍👧 ");
    texts.presets[7].name = QString();
    texts.hiddenPresetIDs = {QStringLiteral("a/b"), QStringLiteral("//"), QString()};
    texts.schedule.time1 = QStringLiteral("25:99");
    texts.schedule.time2 = QStringLiteral("1/2");
    texts.schedule.preset1ID = QStringLiteral("missing/preset");
    QTest::newRow("escapes and unchecked texts") << texts << texts;

    HalvoPersistedState negative = noOptionalsState();
    negative.lastScheduleMarker = ScheduleEventMarker{-1440, QStringLiteral("vivid")};
    negative.brightnessBaseline = 0;
    HalvoPersistedState negativeLoaded = negative;
    negativeLoaded.presets = HalvoPreset::builtInPresets();
    negativeLoaded.presets.insert(1, negative.presets.at(1));
    QTest::newRow("before 1970, built-ins completed") << negative << negativeLoaded;

    HalvoPersistedState empty;
    empty.presets.clear();
    empty.activeModeID = QStringLiteral("vivid");
    HalvoPersistedState emptyLoaded;
    emptyLoaded.activeModeID = QStringLiteral("vivid");
    QTest::newRow("no presets") << empty << emptyLoaded;
}

void TestStatePersistence::roundTrip()
{
    QFETCH(HalvoPersistedState, state);
    QFETCH(HalvoPersistedState, loaded);

    const QByteArray json = state.toJson();
    QCOMPARE(json.count('/'), json.count("\\/"));
    const std::optional<HalvoPersistedState> decoded = HalvoPersistedState::fromJson(json);
    QVERIFY(decoded);
    QCOMPARE(*decoded, state);

    const StatePersistence persistence(path(QStringLiteral("state.json")));
    persistence.save(state);
    QCOMPARE(persistence.load(), loaded);
    // Loading the file it names never writes it back.
    QCOMPARE(readFile(persistence.fileURL()), json);
}

void TestStatePersistence::loadEdgeCases_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("decodes");
    QTest::addColumn<HalvoPersistedState>("expected");

    const HalvoPersistedState defaults = HalvoPersistedState::defaultState();
    const auto rejected = [&](const char *name, const QByteArray &json) {
        QTest::newRow(name) << json << false << defaults;
    };
    // Every rejected file also holds a valid non-default setting, so getting
    // the defaults back shows that the whole file was dropped.
    const auto withOnboarding = [](const QByteArray &keys) {
        return "{\"hasCompletedOnboarding\": true, " + keys + "}";
    };
    const QByteArray standard = R"({"id": "standard", "name": "Standard", "temperature": 6500,
        "saturation": 100, "isCustom": false, "defaultTemperature": 6500, "defaultSaturation": 100})";
    const auto presetWith = [&](const QByteArray &from, const QByteArray &to) {
        QByteArray preset = standard;
        return withOnboarding("\"presets\": [" + preset.replace(from, to) + "]");
    };
    const QByteArray schedule = R"({"enabled": true, "time1": "07:00", "preset1ID": "standard",
        "time2": "22:00", "preset2ID": "vivid"})";
    const auto scheduleWith = [&](const QByteArray &from, const QByteArray &to) {
        QByteArray object = schedule;
        return withOnboarding("\"schedule\": " + object.replace(from, to));
    };
    const auto markerWith = [](const QByteArray &marker) {
        return "{\"hasCompletedOnboarding\": true, \"lastScheduleMarker\": " + marker + "}";
    };

    HalvoPersistedState onboarded;
    onboarded.hasCompletedOnboarding = true;

    QTest::newRow("empty object") << QByteArray("{}") << true << defaults;
    QTest::newRow("every top-level key null")
        << QByteArray(R"({"activeModeID": null, "presets": null, "hiddenPresetIDs": null,
            "schedule": null, "lastScheduleMarker": null, "animationEnabled": null,
            "opticalRefractionEnabled": null, "brightnessBaseline": null,
            "hasCompletedOnboarding": null})")
        << true << defaults;
    QTest::newRow("marker and baseline null")
        << QByteArray(R"({"hasCompletedOnboarding": true, "lastScheduleMarker": null,
            "brightnessBaseline": null})")
        << true << onboarded;

    HalvoPersistedState completed;
    completed.activeModeID = QStringLiteral("custom-x");
    completed.presets = {
        builtIn(BuiltinPresetID::standard),
        rawPreset(QStringLiteral("custom-x"), QStringLiteral("X"), 3000, 50, std::nullopt, true,
                  3000, 50, std::nullopt),
        builtIn(BuiltinPresetID::redLight),
        builtIn(BuiltinPresetID::blackWhite),
        builtIn(BuiltinPresetID::colorInk),
        builtIn(BuiltinPresetID::candle),
        builtIn(BuiltinPresetID::vivid),
    };
    QTest::newRow("candle and vivid missing")
        << QByteArray(R"({"activeModeID": "custom-x", "presets": [
            {"id": "standard", "name": "Standard", "temperature": 6500, "saturation": 100,
             "isCustom": false, "defaultTemperature": 6500, "defaultSaturation": 100},
            {"id": "custom-x", "name": "X", "temperature": 3000, "saturation": 50,
             "isCustom": true, "defaultTemperature": 3000, "defaultSaturation": 50},
            {"id": "red-light", "name": "Red Light", "temperature": 1000, "saturation": 100,
             "isCustom": false, "defaultTemperature": 1000, "defaultSaturation": 100},
            {"id": "black-white", "name": "Black & White", "temperature": 6500, "saturation": 0,
             "isCustom": false, "defaultTemperature": 6500, "defaultSaturation": 0},
            {"id": "color-ink", "name": "Color Ink", "temperature": 6500, "saturation": 40,
             "isCustom": false, "defaultTemperature": 6500, "defaultSaturation": 40}]})")
        << true << completed;

    HalvoPersistedState moved;
    moved.presets = HalvoPreset::builtInPresets();
    HalvoPreset vivid = moved.presets.takeLast();
    vivid.temperature = 3000;
    vivid.brightness = 20;
    moved.presets.prepend(vivid);
    moved.activeModeID = QStringLiteral("vivid");
    QTest::newRow("stored built-in keeps its values and position")
        << QByteArray(R"({"activeModeID": "vivid", "presets": [{"id": "vivid", "name": "Vivid",
            "temperature": 3000, "saturation": 160, "brightness": 20, "isCustom": false,
            "defaultTemperature": 6500, "defaultSaturation": 160}]})")
        << true << moved;

    QTest::newRow("empty preset list gets every built-in")
        << QByteArray(R"({"presets": [], "activeModeID": "candle"})") << true << [] {
               HalvoPersistedState state;
               state.activeModeID = QStringLiteral("candle");
               return state;
           }();

    HalvoPersistedState deleted;
    deleted.animationEnabled = false;
    QTest::newRow("active custom deleted")
        << QByteArray(R"({"activeModeID": "custom-gone", "animationEnabled": false})") << true
        << deleted;
    QTest::newRow("active id empty") << QByteArray(R"({"activeModeID": ""})") << true << defaults;

    HalvoPersistedState present = onboarded;
    present.lastScheduleMarker = ScheduleEventMarker{std::numeric_limits<qint64>::min(),
                                                     QStringLiteral("red-light")};
    present.brightnessBaseline = 0;
    QTest::newRow("marker and baseline present, integer extremes")
        << QByteArray(R"({"hasCompletedOnboarding": true, "brightnessBaseline": -0,
            "lastScheduleMarker": {"eventEpochMinutes": -9223372036854775808,
            "presetID": "red-light"}})")
        << true << present;

    HalvoPersistedState unknown = onboarded;
    unknown.presets[0].name = QStringLiteral("A/B \"30.0\" 1e3");
    unknown.schedule.enabled = true;
    unknown.lastScheduleMarker = ScheduleEventMarker{9223372036854775807, QStringLiteral("vivid")};
    QTest::newRow("unknown keys ignored, numbers inside strings untouched")
        << QByteArray(R"({"hasCompletedOnboarding": true, "future": {"x": [1.5, null, 1e3]},
            "ratio": 0.75, "30.5": "1.5",
            "presets": [{"id": "standard", "name": "A\/B \"30.0\" 1e3", "temperature": 6500,
              "saturation": 100, "isCustom": false, "defaultTemperature": 6500,
              "defaultSaturation": 100, "tint": "blue", "gamma": 2.2}],
            "schedule": {"enabled": true, "time1": "08:00", "preset1ID": "standard",
              "time2": "20:00", "preset2ID": "red-light", "days": 1e3},
            "lastScheduleMarker": {"eventEpochMinutes": 9223372036854775807,
              "presetID": "vivid", "note": 2.5}})")
        << true << unknown;

    HalvoPersistedState outOfRange = onboarded;
    outOfRange.presets[0] = rawPreset(QStringLiteral("standard"), QStringLiteral("Standard"), 500,
                                      999, 0, false, 90000, -5, 150);
    outOfRange.brightnessBaseline = 250;
    outOfRange.schedule.time1 = QStringLiteral("25:99");
    outOfRange.schedule.preset2ID = QStringLiteral("nowhere");
    QTest::newRow("values out of range read unchanged")
        << QByteArray(R"({"hasCompletedOnboarding": true, "brightnessBaseline": 250,
            "presets": [{"id": "standard", "name": "Standard", "temperature": 500,
              "saturation": 999, "brightness": 0, "isCustom": false,
              "defaultTemperature": 90000, "defaultSaturation": -5, "defaultBrightness": 150}],
            "schedule": {"enabled": false, "time1": "25:99", "preset1ID": "standard",
              "time2": "20:00", "preset2ID": "nowhere"}})")
        << true << outOfRange;

    HalvoPersistedState nullBrightness = onboarded;
    nullBrightness.presets = {builtIn(BuiltinPresetID::standard)};
    nullBrightness.presets += HalvoPreset::builtInPresets().mid(1);
    QTest::newRow("preset brightness null reads as absent")
        << presetWith("\"isCustom\"", "\"brightness\": null, \"defaultBrightness\": null, \"isCustom\"")
        << true << nullBrightness;

    rejected("temperature as a string", presetWith("6500,", "\"6500\","));
    rejected("integer written 30.0", presetWith("100,", "30.0,"));
    rejected("integer written 1e3", presetWith("6500,", "1e3,"));
    rejected("integer written 3E0", presetWith("100,", "3E0,"));
    rejected("integer written 30.5", presetWith("100,", "30.5,"));
    rejected("integer written 1.", presetWith("100,", "1.,"));
    rejected("integer written -0.0", presetWith("100,", "-0.0,"));
    rejected("integer above 64 bits", presetWith("100,", "9223372036854775808,"));
    rejected("integer below 64 bits", presetWith("100,", "-9223372036854775809,"));
    rejected("brightness written 40.0", presetWith("\"isCustom\"", "\"brightness\": 40.0, \"isCustom\""));
    rejected("baseline written 73.0", withOnboarding("\"brightnessBaseline\": 73.0"));
    rejected("baseline as a string", withOnboarding("\"brightnessBaseline\": \"73\""));
    rejected("preset without defaultTemperature", presetWith("\"defaultTemperature\": 6500,", ""));
    rejected("preset id null", presetWith("\"standard\"", "null"));
    rejected("preset isCustom as 0", presetWith("false", "0"));
    rejected("preset not an object", withOnboarding("\"presets\": [\"standard\"]"));
    rejected("presets an object", withOnboarding("\"presets\": {}"));
    rejected("schedule key null", scheduleWith("\"vivid\"", "null"));
    rejected("schedule without preset2ID", scheduleWith(", \"preset2ID\": \"vivid\"", ""));
    rejected("schedule enabled as a string", scheduleWith("true", "\"true\""));
    rejected("schedule an array", withOnboarding("\"schedule\": []"));
    rejected("marker without presetID", markerWith("{\"eventEpochMinutes\": 5}"));
    rejected("marker minutes as a string",
             markerWith("{\"eventEpochMinutes\": \"5\", \"presetID\": \"vivid\"}"));
    rejected("marker minutes null", markerWith("{\"eventEpochMinutes\": null, \"presetID\": \"vivid\"}"));
    rejected("marker minutes 5.0", markerWith("{\"eventEpochMinutes\": 5.0, \"presetID\": \"vivid\"}"));
    rejected("marker a number", markerWith("5"));
    rejected("hidden id a number", withOnboarding("\"hiddenPresetIDs\": [\"vivid\", 3]"));
    rejected("hidden ids a string", withOnboarding("\"hiddenPresetIDs\": \"vivid\""));
    rejected("active id a number", withOnboarding("\"activeModeID\": 1"));
    rejected("switch as a string", withOnboarding("\"animationEnabled\": \"false\""));
    rejected("switch as a number", withOnboarding("\"opticalRefractionEnabled\": 0"));
    // Literals Qt itself refuses must stay refused, even under unknown keys.
    rejected("unknown key holding 01", withOnboarding("\"x\": 01"));
    rejected("unknown key holding +1", withOnboarding("\"x\": +1"));
    rejected("unknown key holding 1e", withOnboarding("\"x\": [1e]"));
    rejected("top level an array", "[{\"hasCompletedOnboarding\": true}]");
    rejected("top level a string", "\"{}\"");
    rejected("top level null", "null");
    rejected("empty file", "");
    rejected("not JSON", "hasCompletedOnboarding = true");
    rejected("trailing garbage", withOnboarding("\"animationEnabled\": false") + " x");
    rejected("trailing comma", withOnboarding("\"animationEnabled\": false,"));
}

void TestStatePersistence::loadEdgeCases()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, decodes);
    QFETCH(HalvoPersistedState, expected);

    QCOMPARE(HalvoPersistedState::fromJson(json).has_value(), decodes);
    const QString file = path(QStringLiteral("state.json"));
    QVERIFY(writeFile(file, json));
    QCOMPARE(StatePersistence(file).load(), expected);
    // A bad file is neither repaired nor removed by reading it.
    QCOMPARE(readFile(file), json);
}

void TestStatePersistence::defaultLocation()
{
    const QString data = path(QStringLiteral("xdg data"));
    qputenv("XDG_DATA_HOME", QFile::encodeName(data));
    const StatePersistence persistence;
    QCOMPARE(persistence.fileURL(), data + QStringLiteral("/Halvoscope/state.json"));
    QCOMPARE(persistence.legacyFileURL(), std::optional(data + QStringLiteral("/Halvo/state.json")));

    persistence.save(fullState());
    QCOMPARE(readFile(persistence.fileURL()), fullState().toJson());
    QCOMPARE(StatePersistence().load(), fullState());

    const QString home = path(QStringLiteral("home"));
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home));
    qunsetenv("XDG_DATA_HOME");
    const StatePersistence fallback;
    qputenv("HOME", oldHome);
    QCOMPARE(fallback.fileURL(), home + QStringLiteral("/.local/share/Halvoscope/state.json"));
    QCOMPARE(fallback.legacyFileURL(),
             std::optional(home + QStringLiteral("/.local/share/Halvo/state.json")));

    QVERIFY(!StatePersistence(QStringLiteral("/x/y.json")).legacyFileURL());
}

void TestStatePersistence::missingFileGivesDefaultsAndWritesNothing()
{
    qputenv("XDG_DATA_HOME", QFile::encodeName(path(QStringLiteral("data"))));
    QCOMPARE(StatePersistence().load(), HalvoPersistedState::defaultState());
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("data"))));
}

void TestStatePersistence::migratesLegacyFile()
{
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir->path()));
    const QString legacy = path(QStringLiteral("Halvo/state.json"));
    const QString current = path(QStringLiteral("Halvoscope/state.json"));

    // An older file: no "vivid", and the active custom preset is gone.
    HalvoPersistedState old = fullState();
    old.presets.removeAt(6);
    old.presets.removeAt(2);
    const QByteArray legacyBytes = old.toJson();
    QVERIFY(writeFile(legacy, legacyBytes));

    HalvoPersistedState expected = old;
    expected.presets.append(builtIn(BuiltinPresetID::vivid));
    expected.activeModeID = BuiltinPresetID::standard;

    QCOMPARE(StatePersistence().load(), expected);
    QCOMPARE(readFile(current), expected.toJson());
    QCOMPARE(readFile(legacy), legacyBytes);

    // From now on the new file is the one that counts.
    QVERIFY(writeFile(legacy, noOptionalsState().toJson()));
    QCOMPARE(StatePersistence().load(), expected);
}

void TestStatePersistence::unreadableLegacyFile_data()
{
    QTest::addColumn<QByteArray>("legacyBytes");
    QTest::newRow("not JSON") << QByteArray("{\"activeModeID\": ");
    QTest::newRow("wrong type") << QByteArray("{\"hasCompletedOnboarding\": \"yes\"}");
    QTest::newRow("empty") << QByteArray();
}

void TestStatePersistence::unreadableLegacyFile()
{
    QFETCH(QByteArray, legacyBytes);
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir->path()));
    const QString legacy = path(QStringLiteral("Halvo/state.json"));
    QVERIFY(writeFile(legacy, legacyBytes));

    QCOMPARE(StatePersistence().load(), HalvoPersistedState::defaultState());
    QVERIFY(!QFileInfo::exists(path(QStringLiteral("Halvoscope"))));
    QCOMPARE(readFile(legacy), legacyBytes);

    // The next start tries the legacy file again.
    QVERIFY(writeFile(legacy, fullState().toJson()));
    QCOMPARE(StatePersistence().load(), fullState());
    QCOMPARE(readFile(path(QStringLiteral("Halvoscope/state.json"))), fullState().toJson());
}

void TestStatePersistence::unreadableFileDoesNotFallBackToLegacy()
{
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir->path()));
    QVERIFY(writeFile(path(QStringLiteral("Halvo/state.json")), fullState().toJson()));

    const QString current = path(QStringLiteral("Halvoscope/state.json"));
    QVERIFY(writeFile(current, "{\"presets\": 1}"));
    QCOMPARE(StatePersistence().load(), HalvoPersistedState::defaultState());
    QCOMPARE(readFile(current), QByteArray("{\"presets\": 1}"));

    // A folder where the file belongs cannot be read either.
    QVERIFY(QFile::remove(current));
    QVERIFY(QDir().mkpath(current));
    QCOMPARE(StatePersistence().load(), HalvoPersistedState::defaultState());
}

void TestStatePersistence::saveReplacesFileAndLeavesNoTemporary()
{
    const QString file = path(QStringLiteral("state.json"));
    const StatePersistence persistence(file);
    persistence.save(noOptionalsState());
    persistence.save(fullState());
    QCOMPARE(readFile(file), fullState().toJson());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("state.json")});
}

void TestStatePersistence::saveFailure_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("target");
    QTest::addColumn<qint64>("sizeLimit");
    QTest::addColumn<bool>("fails");

    // Tests run as root, so permissions cannot block a folder: a regular file
    // standing where a folder belongs does, and a file size limit stands in
    // for a full disk.
    QTest::newRow("parent folder is a file") << "blocker"
                                             << "blocker/Halvoscope/state.json"
                                             << qint64(0) << true;
    QTest::newRow("data folder is a file, default location") << "blocker"
                                                             << "default" << qint64(0)
                                                             << true;
    QTest::newRow("target is a folder") << "folder"
                                        << "state.json" << qint64(0) << true;
    QTest::newRow("disk full") << "old file"
                               << "state.json" << qint64(512) << true;
    QTest::newRow("writable") << "old file"
                              << "state.json" << qint64(0) << false;
}

void TestStatePersistence::saveFailure()
{
    QFETCH(QString, setup);
    QFETCH(QString, target);
    QFETCH(qint64, sizeLimit);
    QFETCH(bool, fails);

    const QByteArray oldBytes = noOptionalsState().toJson();
    const QString blocker = path(QStringLiteral("blocker"));
    const QString file = path(QStringLiteral("state.json"));
    if (setup == QLatin1String("blocker"))
        QVERIFY(writeFile(blocker, "not a folder"));
    else if (setup == QLatin1String("folder"))
        QVERIFY(QDir().mkpath(file));
    else
        QVERIFY(writeFile(file, oldBytes));
    const QStringList before = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), blocker);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--save-child"), target == QLatin1String("default") ? target : path(target),
                 QString::number(sizeLimit)});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(child.readAllStandardOutput(), QByteArray());

    const QByteArray log = child.readAllStandardError();
    if (fails) {
        QVERIFY2(log.startsWith(failurePrefix), log.constData());
        QVERIFY2(log.size() > failurePrefix.size() + 1, log.constData());
        QCOMPARE(log.count('\n'), 1);
        QVERIFY(log.endsWith('\n'));
    } else {
        QCOMPARE(log, QByteArray());
    }

    // Nothing else changed on disk: no temporary left behind, the old file
    // (or folder, or blocking file) as it was, unless the save succeeded.
    const QStringList after = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    QCOMPARE(after, before);
    if (setup == QLatin1String("blocker"))
        QCOMPARE(readFile(blocker), QByteArray("not a folder"));
    else if (setup == QLatin1String("folder"))
        QVERIFY(QFileInfo(file).isDir());
    else
        QCOMPARE(readFile(file), fails ? oldBytes : fullState().toJson());
}

void TestStatePersistence::staleTemporaries_data()
{
    QTest::addColumn<QString>("name"); // empty: the name a real QSaveFile-style temporary gets
    QTest::addColumn<int>("ageSeconds");
    QTest::addColumn<bool>("isFolder");
    QTest::addColumn<bool>("removed");

    QTest::newRow("named by Qt, old") << QString() << 3600 << false << true;
    QTest::newRow("named by Qt, just written") << QString() << 0 << false << false;
    QTest::newRow("mixed case, old") << "state.json.AbCdEf" << 3600 << false << true;
    QTest::newRow("lower case, at the age limit") << "state.json.qwerty" << 60 << false << true;
    QTest::newRow("upper case, below the age limit") << "state.json.QWERTY" << 50 << false << false;
    QTest::newRow("modified in the future") << "state.json.AbCdEf" << -3600 << false << false;
    QTest::newRow("backup") << "state.json.bak" << 3600 << false << false;
    QTest::newRow("seven digits") << "state.json.1234567" << 3600 << false << false;
    QTest::newRow("six digits") << "state.json.123456" << 3600 << false << false;
    QTest::newRow("letters and digits") << "state.json.abc123" << 3600 << false << false;
    QTest::newRow("five letters") << "state.json.AbCdE" << 3600 << false << false;
    QTest::newRow("seven letters") << "state.json.AbCdEfG" << 3600 << false << false;
    QTest::newRow("non-ASCII letter") << "state.json.AbCdE\u00e9" << 3600 << false << false;
    QTest::newRow("no dot") << "state.jsonAbCdEf" << 3600 << false << false;
    QTest::newRow("another file's temporary") << "other.json.AbCdEf" << 3600 << false << false;
    QTest::newRow("longer prefix") << "old.state.json.AbCdEf" << 3600 << false << false;
    QTest::newRow("other case of the target") << "State.json.AbCdEf" << 3600 << false << false;
    QTest::newRow("a folder of that name") << "state.json.AbCdEf" << 3600 << true << false;
}

void TestStatePersistence::staleTemporaries()
{
    QFETCH(QString, name);
    QFETCH(int, ageSeconds);
    QFETCH(bool, isFolder);
    QFETCH(bool, removed);

    const QString file = path(QStringLiteral("state.json"));
    QVERIFY(writeFile(file, fullState().toJson()));
    QString leftOver = path(name);
    if (name.isEmpty()) {
        QTemporaryFile temporary(file);
        temporary.setAutoRemove(false);
        QVERIFY(temporary.open());
        QVERIFY(temporary.write("{\"animationEnabled\": false}") > 0);
        leftOver = temporary.fileName(); // gives the file its name on disk
    } else if (isFolder) {
        QVERIFY(QDir().mkpath(leftOver));
    } else {
        QVERIFY(writeFile(leftOver, "{\"animationEnabled\": false}"));
    }
    if (!isFolder) {
        QFile old(leftOver);
        QVERIFY(old.open(QIODevice::ReadWrite));
        QVERIFY(old.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                                QFileDevice::FileModificationTime));
    }

    QCOMPARE(StatePersistence(file).load(), fullState());
    QCOMPARE(QFileInfo::exists(leftOver), !removed);
    QCOMPARE(readFile(file), fullState().toJson());
}

void TestStatePersistence::damagedFilesNeverCrash()
{
    const QByteArray valid = readFile(dataFile("state-full.json"));
    QVERIFY(!valid.isEmpty());
    const QString file = path(QStringLiteral("state.json"));
    const StatePersistence persistence(file);
    int decodedCount = 0;
    int rejectedCount = 0;

    const auto check = [&](const QByteArray &bytes) {
        QVERIFY(writeFile(file, bytes));
        const HalvoPersistedState loaded = persistence.load();
        const std::optional<HalvoPersistedState> decoded = HalvoPersistedState::fromJson(bytes);
        if (decoded) {
            ++decodedCount;
            verifyCompleted(*decoded, loaded);
        } else {
            ++rejectedCount;
            QCOMPARE(loaded, HalvoPersistedState::defaultState());
        }
    };

    for (qsizetype length = 0; length < valid.size(); ++length) {
        check(valid.first(length));
        if (QTest::currentTestFailed()) {
            qWarning("truncated to %lld bytes", qlonglong(length));
            return;
        }
    }
    // Only the copy that lacks just the final line feed is still valid.
    QCOMPARE(decodedCount, 1);

    static const char interesting[] = "\"{}[],:.e0-9\\/ nul\xff";
    QRandomGenerator random(20240611);
    for (int round = 0; round < 4000; ++round) {
        QByteArray bytes = valid;
        const int edits = 1 + int(random.bounded(3));
        for (int edit = 0; edit < edits && !bytes.isEmpty(); ++edit) {
            const qsizetype at = random.bounded(int(bytes.size()));
            const char some = interesting[random.bounded(int(sizeof interesting - 1))];
            switch (random.bounded(4)) {
            case 0: bytes[at] = char(random.bounded(256)); break;
            case 1: bytes[at] = some; break;
            case 2: bytes.remove(at, 1); break;
            default: bytes.insert(at, some); break;
            }
        }
        check(bytes);
        if (QTest::currentTestFailed()) {
            qWarning("mutation round %d: %s", round, bytes.constData());
            return;
        }
    }
    // Both outcomes occur, so both branches above were exercised.
    QVERIFY(decodedCount > 100);
    QVERIFY(rejectedCount > 100);
}

int main(int argc, char **argv)
{
    if (argc > 1 && qstrcmp(argv[1], "--save-child") == 0)
        return runSaveChild(argc, argv);
    QCoreApplication app(argc, argv);
    TestStatePersistence test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_statepersistence.moc"
