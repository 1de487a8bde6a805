#include "engines/displaycolorengine.h"
#include "engines/keepawakeengine.h"
#include "fakedesktop.h"
#include "platform/desktop/nightlightstage.h"
#include "platform/platformfactory.h"
#include "ripple/rippletransitionengine.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gio/gio.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

// KWin and GNOME's settings daemon as fakes on the private session bus;
// kwinrc in a temporary XDG_CONFIG_HOME; GSettings with the real schema on
// the keyfile backend in the same folder; the Wayland session a listening
// socket named by WAYLAND_DISPLAY.
class TestDesktopNightLight : public QObject {
    Q_OBJECT

public:
    enum class Desktop { None, KWin6, KWin5, KWinWithoutNightLight, Gnome };

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void picksTheDesktop_data();
    void picksTheDesktop();
    void kwinHoldsAndRestoresExactly_data();
    void kwinHoldsAndRestoresExactly();
    void gnomeHoldsAndRestoresExactly_data();
    void gnomeHoldsAndRestoresExactly();
    void nextStartRestoresAfterCrash_data();
    void nextStartRestoresAfterCrash();
    void userChangeWhileHeldWins_data();
    void userChangeWhileHeldWins();
    void gnomeKeepAwakeHoldsSessionManager();
    void fadeGivesTheTargetOnce();

private:
    void startDesktop(Desktop desktop);
    std::unique_ptr<ColorStage> pickStage();
    QString kwinrcPath() const { return m_root.filePath(QStringLiteral("config/kwinrc")); }
    QByteArray readKwinrc() const;
    void writeKwinrc(const QByteArray &text);
    QMap<QString, QString> gnomeUserValues() const;
    void gnomeSet(const char *key, const char *value);
    // The desktop's configured night temperature, and everything the user
    // could see of its settings.
    QString configuredTemperature(Desktop desktop) const;
    QString snapshot(Desktop desktop) const;
    void userSetsTemperature(Desktop desktop, int kelvin);

    QTemporaryDir m_root;
    int m_waylandSocket = -1;
    GSettings *m_gnome = nullptr;
    std::unique_ptr<BusClient> m_client;
    std::unique_ptr<FakeKWin> m_kwin;
    std::unique_ptr<FakeDBusService> m_gnomeDaemon;
};

Q_DECLARE_METATYPE(TestDesktopNightLight::Desktop)

using GnomeValues = QMap<QString, QString>;
Q_DECLARE_METATYPE(GnomeValues)

namespace {

const char *const kGnomeKeys[] = {"night-light-enabled", "night-light-temperature",
                                  "night-light-schedule-automatic", "night-light-schedule-from",
                                  "night-light-schedule-to"};

// Lines of `original` other than our three keys, in order, within `held`.
bool keepsOtherLines(const QByteArray &original, const QByteArray &held)
{
    const QList<QByteArray> heldLines = held.split('\n');
    qsizetype at = 0;
    for (const QByteArray &line : original.split('\n')) {
        if (line.startsWith("Active=") || line.startsWith("Mode=") || line.startsWith("NightTemperature="))
            continue;
        while (at < heldLines.size() && heldLines.at(at) != line)
            ++at;
        if (at++ == heldLines.size())
            return false;
    }
    return true;
}

// The ripple without windows: every transition is a plain fade.
class NoSurfaces final : public RippleSurfaceFactory {
public:
    bool hasPipeline(RippleRenderer::Pipeline) const override { return false; }
    bool showsTranslucentWindows() const override { return false; }
    std::unique_ptr<RippleSurface> create(RippleSurfaceSetup) override { return nullptr; }
};

} // namespace

void TestDesktopNightLight::initTestCase()
{
    QVERIFY(m_root.isValid());
    QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("config")));
    QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("schemas")));
    const QString schema = QStringLiteral("org.gnome.settings-daemon.plugins.color.gschema.xml");
    QVERIFY(QFile::copy(QStringLiteral("/usr/share/glib-2.0/schemas/") + schema,
                        m_root.filePath(QStringLiteral("schemas/")) + schema));
    QCOMPARE(QProcess::execute(QStringLiteral("glib-compile-schemas"), {m_root.filePath(QStringLiteral("schemas"))}), 0);
    qputenv("GSETTINGS_SCHEMA_DIR", QFile::encodeName(m_root.filePath(QStringLiteral("schemas"))));
    qputenv("GSETTINGS_BACKEND", "keyfile");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_root.filePath(QStringLiteral("config"))));
    qputenv("XDG_STATE_HOME", QFile::encodeName(m_root.filePath(QStringLiteral("state"))));
    m_gnome = g_settings_new("org.gnome.settings-daemon.plugins.color");

    const QByteArray socketPath = QFile::encodeName(m_root.filePath(QStringLiteral("wayland-0")));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    QVERIFY(static_cast<size_t>(socketPath.size()) < sizeof(address.sun_path));
    std::memcpy(address.sun_path, socketPath.constData(), static_cast<size_t>(socketPath.size()));
    m_waylandSocket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    QVERIFY(::bind(m_waylandSocket, reinterpret_cast<const sockaddr *>(&address), sizeof(address)) == 0);
    QVERIFY(::listen(m_waylandSocket, 16) == 0);
    qputenv("WAYLAND_DISPLAY", socketPath);
}

void TestDesktopNightLight::cleanupTestCase()
{
    if (m_gnome)
        g_object_unref(m_gnome);
    if (m_waylandSocket >= 0)
        ::close(m_waylandSocket);
}

void TestDesktopNightLight::init()
{
    m_client = std::make_unique<BusClient>(sessionBusAddress());
    QVERIFY(m_client->connection().isConnected());
}

void TestDesktopNightLight::cleanup()
{
    m_kwin.reset();
    m_gnomeDaemon.reset();
    m_client.reset();
    for (const char *key : kGnomeKeys)
        g_settings_reset(m_gnome, key);
    g_settings_sync();
    QFile::remove(kwinrcPath());
    QFile::remove(NightLightStage::recordPath());
}

void TestDesktopNightLight::startDesktop(Desktop desktop)
{
    switch (desktop) {
    case Desktop::None:
        break;
    case Desktop::KWin6:
    case Desktop::KWin5:
    case Desktop::KWinWithoutNightLight:
        m_kwin = std::make_unique<FakeKWin>(sessionBusAddress(),
                                            desktop == Desktop::KWin5 ? FakeKWin::Plasma::FiveTwentySeven
                                                                      : FakeKWin::Plasma::Six,
                                            desktop != Desktop::KWinWithoutNightLight);
        QVERIFY(m_kwin->isValid());
        break;
    case Desktop::Gnome:
        m_gnomeDaemon = std::make_unique<FakeDBusService>(sessionBusAddress(),
                                                          QStringLiteral("org.gnome.SettingsDaemon.Color"));
        QVERIFY(m_gnomeDaemon->isValid());
        break;
    }
}

std::unique_ptr<ColorStage> TestDesktopNightLight::pickStage()
{
    // Takes and closes the connections of earlier looks at the session.
    for (int fd; (fd = ::accept(m_waylandSocket, nullptr, nullptr)) >= 0;)
        ::close(fd);
    return createDesktopColorStage(m_client->connection(), [] { return true; });
}

QByteArray TestDesktopNightLight::readKwinrc() const
{
    QFile file(kwinrcPath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TestDesktopNightLight::writeKwinrc(const QByteArray &text)
{
    QFile file(kwinrcPath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(text), text.size());
}

QMap<QString, QString> TestDesktopNightLight::gnomeUserValues() const
{
    QMap<QString, QString> values;
    for (const char *key : kGnomeKeys) {
        GVariant *value = g_settings_get_user_value(m_gnome, key);
        gchar *text = value ? g_variant_print(value, FALSE) : nullptr;
        values.insert(QString::fromLatin1(key), text ? QString::fromUtf8(text) : QStringLiteral("unset"));
        g_free(text);
        if (value)
            g_variant_unref(value);
    }
    return values;
}

void TestDesktopNightLight::gnomeSet(const char *key, const char *value)
{
    GSettingsSchemaKey *schemaKey = nullptr;
    GSettingsSchema *schema = nullptr;
    g_object_get(m_gnome, "settings-schema", &schema, nullptr);
    schemaKey = g_settings_schema_get_key(schema, key);
    GVariant *parsed = g_variant_parse(g_settings_schema_key_get_value_type(schemaKey), value, nullptr, nullptr, nullptr);
    QVERIFY(parsed && g_settings_set_value(m_gnome, key, parsed));
    g_variant_unref(parsed);
    g_settings_schema_key_unref(schemaKey);
    g_settings_schema_unref(schema);
    g_settings_sync();
}

QString TestDesktopNightLight::configuredTemperature(Desktop desktop) const
{
    if (desktop == Desktop::Gnome)
        return gnomeUserValues().value(QStringLiteral("night-light-temperature"));
    return QSettings(kwinrcPath(), QSettings::IniFormat).value(QStringLiteral("NightColor/NightTemperature")).toString();
}

QString TestDesktopNightLight::snapshot(Desktop desktop) const
{
    if (desktop != Desktop::Gnome)
        return QString::fromUtf8(readKwinrc());
    QStringList lines;
    const QMap<QString, QString> values = gnomeUserValues();
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        lines.append(it.key() + QLatin1Char('=') + it.value());
    return lines.join(QLatin1Char('\n'));
}

void TestDesktopNightLight::userSetsTemperature(Desktop desktop, int kelvin)
{
    if (desktop == Desktop::Gnome) {
        gnomeSet("night-light-temperature", QByteArray::number(kelvin).constData());
        return;
    }
    QString text = QString::fromUtf8(readKwinrc());
    text.replace(QRegularExpression(QStringLiteral("NightTemperature=\\d+")),
                 QStringLiteral("NightTemperature=%1").arg(kelvin));
    writeKwinrc(text.toUtf8());
}

void TestDesktopNightLight::picksTheDesktop_data()
{
    QTest::addColumn<bool>("wayland");
    QTest::addColumn<Desktop>("desktop");
    QTest::addColumn<QString>("name");
    QTest::newRow("X11 session under KWin") << false << Desktop::KWin6 << QString();
    QTest::newRow("Wayland without a known desktop") << true << Desktop::None << QString();
    QTest::newRow("KWin without night light") << true << Desktop::KWinWithoutNightLight << QString();
    QTest::newRow("Plasma 6") << true << Desktop::KWin6 << QStringLiteral("KDE Plasma Night Light");
    QTest::newRow("Plasma 5.27") << true << Desktop::KWin5 << QStringLiteral("KDE Plasma Night Light");
    QTest::newRow("GNOME") << true << Desktop::Gnome << QStringLiteral("GNOME Night Light");
}

void TestDesktopNightLight::picksTheDesktop()
{
    QFETCH(bool, wayland);
    QFETCH(Desktop, desktop);
    QFETCH(QString, name);
    startDesktop(desktop);
    const QByteArray display = qgetenv("WAYLAND_DISPLAY");
    const QByteArray sessionType = qgetenv("XDG_SESSION_TYPE");
    if (!wayland) {
        qunsetenv("WAYLAND_DISPLAY");
        qputenv("XDG_SESSION_TYPE", "x11");
    }
    const std::unique_ptr<ColorStage> stage = pickStage();
    qputenv("WAYLAND_DISPLAY", display);
    qputenv("XDG_SESSION_TYPE", sessionType);

    QCOMPARE(stage != nullptr, !name.isEmpty());
    if (stage) {
        QVERIFY(stage->takesTemperature());
        QCOMPARE(stage->temperatureStageName(), name);
        QCOMPARE(stage->gammaPath(), ScreenColorPath::DesktopNightLight);
    }
}

// Rows: the Plasma generation, kwinrc before (null: no file), the preset's
// temperature and what KWin takes of it.
void TestDesktopNightLight::kwinHoldsAndRestoresExactly_data()
{
    QTest::addColumn<Desktop>("desktop");
    QTest::addColumn<QByteArray>("original");
    QTest::addColumn<qint64>("temperature");
    QTest::addColumn<uint>("shown");
    QTest::newRow("Plasma 6, no kwinrc") << Desktop::KWin6 << QByteArray() << qint64(3400) << 3400u;
    QTest::newRow("Plasma 5.27, other groups, above KWin's range")
        << Desktop::KWin5 << QByteArray("[Compositing]\nBackend=OpenGL\n\n[Windows]\nFocusPolicy=ClickToFocus\n")
        << qint64(7000) << 6500u;
    QTest::newRow("Plasma 6, the user's own night light between groups")
        << Desktop::KWin6
        << QByteArray("[Desktops]\nNumber=2\n\n[NightColor]\n# evenings only\nActive=false\nMode=Automatic\n"
                      "LatitudeAuto=52.5\n\n[Xwayland]\nScale=1\n")
        << qint64(1000) << 1000u;
}

void TestDesktopNightLight::kwinHoldsAndRestoresExactly()
{
    QFETCH(Desktop, desktop);
    QFETCH(QByteArray, original);
    QFETCH(qint64, temperature);
    QFETCH(uint, shown);
    if (!original.isNull())
        writeKwinrc(original);
    startDesktop(desktop);
    DisplayColorEngine engine(pickStage());
    QVERIFY(!engine.followsEveryFrame());

    // Two frames of one colour reach KWin once.
    engine.applyColor(temperature, 60);
    engine.applyColor(temperature, 60);
    QTRY_COMPARE(m_kwin->notifications(), 1);
    QCOMPARE(m_kwin->currentTemperature(), shown);
    QCOMPARE(configuredTemperature(desktop), QString::number(shown));
    QCOMPARE(m_kwin->lastSignature(), QStringLiteral("a{saay}"));
    QByteArrayList keys = m_kwin->lastKeys();
    std::sort(keys.begin(), keys.end());
    QCOMPARE(keys, (QByteArrayList{"Active", "Mode", "NightTemperature"}));
    QVERIFY(keepsOtherLines(original, readKwinrc()));
    QVERIFY(QFile::exists(NightLightStage::recordPath()));

    engine.reset();
    QTRY_COMPARE(m_kwin->notifications(), 2);
    QCOMPARE(m_kwin->currentTemperature(), 6500u);
    QCOMPARE(QFile::exists(kwinrcPath()), !original.isNull());
    QCOMPARE(readKwinrc(), original);
    QVERIFY(!QFile::exists(NightLightStage::recordPath()));
}

// Rows: what the user set before (GVariant text), and the preset's temperature.
void TestDesktopNightLight::gnomeHoldsAndRestoresExactly_data()
{
    QTest::addColumn<GnomeValues>("userValues");
    QTest::addColumn<qint64>("temperature");
    QTest::newRow("nothing set") << GnomeValues{} << qint64(3000);
    QTest::newRow("the user's own evenings")
        << GnomeValues{{QStringLiteral("night-light-enabled"), QStringLiteral("true")},
                                  {QStringLiteral("night-light-temperature"), QStringLiteral("4000")},
                                  {QStringLiteral("night-light-schedule-automatic"), QStringLiteral("true")},
                                  {QStringLiteral("night-light-schedule-from"), QStringLiteral("21.5")}}
        << qint64(2400);
}

void TestDesktopNightLight::gnomeHoldsAndRestoresExactly()
{
    QFETCH(GnomeValues, userValues);
    QFETCH(qint64, temperature);
    for (auto it = userValues.cbegin(); it != userValues.cend(); ++it)
        gnomeSet(it.key().toLatin1().constData(), it.value().toLatin1().constData());
    const QMap<QString, QString> before = gnomeUserValues();
    startDesktop(Desktop::Gnome);
    DisplayColorEngine engine(pickStage());

    engine.applyColor(temperature, 150);
    const QMap<QString, QString> held{
        {QStringLiteral("night-light-enabled"), QStringLiteral("true")},
        {QStringLiteral("night-light-temperature"), QString::number(temperature)},
        {QStringLiteral("night-light-schedule-automatic"), QStringLiteral("false")},
        {QStringLiteral("night-light-schedule-from"), QStringLiteral("0.0")},
        {QStringLiteral("night-light-schedule-to"), QStringLiteral("24.0")},
    };
    QCOMPARE(gnomeUserValues(), held);
    QFile keyfile(m_root.filePath(QStringLiteral("config/glib-2.0/settings/keyfile")));
    QVERIFY(keyfile.open(QIODevice::ReadOnly));
    QVERIFY(keyfile.readAll().contains("night-light-temperature=" + QByteArray::number(temperature) + '\n'));

    engine.reset();
    QCOMPARE(gnomeUserValues(), before);
    QVERIFY(!QFile::exists(NightLightStage::recordPath()));
}

void TestDesktopNightLight::nextStartRestoresAfterCrash_data()
{
    QTest::addColumn<Desktop>("desktop");
    QTest::addColumn<bool>("userChangedMeanwhile");
    QTest::newRow("KWin") << Desktop::KWin6 << false;
    QTest::newRow("KWin, changed by the user meanwhile") << Desktop::KWin6 << true;
    QTest::newRow("GNOME") << Desktop::Gnome << false;
    QTest::newRow("GNOME, changed by the user meanwhile") << Desktop::Gnome << true;
}

void TestDesktopNightLight::nextStartRestoresAfterCrash()
{
    QFETCH(Desktop, desktop);
    QFETCH(bool, userChangedMeanwhile);
    writeKwinrc("[NightColor]\nActive=false\nNightTemperature=4200\n\n[Windows]\nFocusPolicy=ClickToFocus\n");
    gnomeSet("night-light-temperature", "4200");
    startDesktop(desktop);
    const QString original = snapshot(desktop);
    {
        // Gone without reset, as when the process is killed.
        DisplayColorEngine crashed(pickStage());
        crashed.applyColor(2900, 100);
        QCOMPARE(configuredTemperature(desktop), QStringLiteral("2900"));
    }
    QVERIFY(QFile::exists(NightLightStage::recordPath()));
    if (userChangedMeanwhile)
        userSetsTemperature(desktop, 5200);
    const QString beforeStart = snapshot(desktop);

    const std::unique_ptr<ColorStage> next = pickStage();
    QVERIFY(next);
    QCOMPARE(snapshot(desktop), userChangedMeanwhile ? beforeStart : original);
    QVERIFY(!QFile::exists(NightLightStage::recordPath()));
}

void TestDesktopNightLight::userChangeWhileHeldWins_data()
{
    QTest::addColumn<Desktop>("desktop");
    QTest::newRow("KWin") << Desktop::KWin6;
    QTest::newRow("GNOME") << Desktop::Gnome;
}

void TestDesktopNightLight::userChangeWhileHeldWins()
{
    QFETCH(Desktop, desktop);
    startDesktop(desktop);
    std::unique_ptr<ColorStage> picked = pickStage();
    auto *stage = dynamic_cast<NightLightStage *>(picked.get());
    QVERIFY(stage);
    stage->setCheckInterval(std::chrono::milliseconds(20));
    DisplayColorEngine engine(std::move(picked));
    QSignalSpy notices(&engine, &DisplayColorEngine::noticeRaised);

    engine.applyColor(3300, 100);
    userSetsTemperature(desktop, 5100);
    QTRY_COMPARE(notices.count(), 1);
    QVERIFY(notices.constFirst().constFirst().toString().contains(QStringLiteral("changed outside Halvoscope")));
    QVERIFY(!stage->isHolding());

    // The same preset again (a wake, a screen change) and quitting leave it.
    engine.applyColor(3300, 100);
    engine.reset();
    QCOMPARE(configuredTemperature(desktop), QStringLiteral("5100"));
    QVERIFY(!QFile::exists(NightLightStage::recordPath()));

    // The next preset change takes it again, and gives the user's value back.
    engine.applyColor(2800, 100);
    QCOMPARE(configuredTemperature(desktop), QStringLiteral("2800"));
    engine.reset();
    QCOMPARE(configuredTemperature(desktop), QStringLiteral("5100"));
    QCOMPARE(notices.count(), 1);
}

void TestDesktopNightLight::gnomeKeepAwakeHoldsSessionManager()
{
    FakeDBusService service(sessionBusAddress(), QStringLiteral("org.gnome.SessionManager"));
    auto *manager = new FakeGnomeSessionManager;
    QVERIFY(service.isValid());
    QVERIFY(service.addObject(QStringLiteral("/org/gnome/SessionManager"), manager));
    KeepAwakeEngine engine(createKeepAwakeAdapters(m_client->connection(), QDBusConnection(QStringLiteral("no bus"))));

    QVERIFY(engine.setActive(true));
    QCOMPARE(manager->inhibitCalls().size(), size_t(1));
    const FakeGnomeSessionManager::InhibitCall call = manager->inhibitCalls().front();
    QCOMPARE(call.flags, 8u);
    QVERIFY(!call.application.isEmpty());
    QVERIFY(engine.holdsDisplayAssertion());

    QVERIFY(engine.setActive(false));
    QCOMPARE(manager->uninhibitCalls(), std::vector<uint>{call.cookie});
}

// KWin runs its own short transition, so a fade hands it the target at
// once, and the target applied at the end writes nothing more.
void TestDesktopNightLight::fadeGivesTheTargetOnce()
{
    startDesktop(Desktop::KWin6);
    const auto colour = std::make_shared<DisplayColorEngine>(pickStage());
    double now = 10.0;
    RippleTransitionEngine::Platform platform;
    platform.clock = [&now] { return now; };
    platform.screens = [] { return QList<RippleScreen>{{QStringLiteral("screen"), QRect(0, 0, 800, 600), 1.0, 60.0}}; };
    platform.surfaces = std::make_shared<NoSurfaces>();
    RippleTransitionEngine ripple(colour, std::move(platform));
    bool completed = false;
    ripple.runTransition(6500, 100, 3400, 100, false, QPointF(10, 10),
                         [&colour] { colour->applyColor(3400, 100); }, [&completed] { completed = true; });

    now += RippleTransitionEngine::duration / 2;
    QTRY_COMPARE(m_kwin->notifications(), 1);
    QCOMPARE(m_kwin->currentTemperature(), 3400u);
    now += RippleTransitionEngine::duration;
    QTRY_VERIFY(completed);
    QCOMPARE(m_kwin->notifications(), 1);
    colour->reset();
    QTRY_COMPARE(m_kwin->currentTemperature(), 6500u);
}

QTEST_GUILESS_MAIN(TestDesktopNightLight)
#include "tst_desktopnightlight.moc"
