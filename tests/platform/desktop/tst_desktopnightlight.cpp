#include "engines/displaycolorengine.h"
#include "engines/keepawakeengine.h"
#include "fakedesktop.h"
#include "platform/desktop/nightlightrecord.h"
#include "platform/desktop/nightlightstage.h"
#include "platform/platformfactory.h"
#include "ripple/rippletransitionengine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gio/gio.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

// KWin and GNOME's settings daemon as fakes on the private session bus;
// kwinrc in a temporary XDG_CONFIG_HOME; GSettings with the real schema on
// the keyfile backend there too; the Wayland session a listening socket
// named by WAYLAND_DISPLAY.
class TestDesktopNightLight : public QObject {
    Q_OBJECT

public:
    enum class Desktop { None,
                         KWin6,
                         KWin5,
                         KWinWithoutNightLight,
                         Gnome };

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void picksTheDesktop_data();
    void picksTheDesktop();
    void holdsAndRestoresExactly_data();
    void holdsAndRestoresExactly();
    void nextStartRestoresAfterCrash_data();
    void nextStartRestoresAfterCrash();
    void userChangeWhileHeldWins_data();
    void userChangeWhileHeldWins();
    void kwinrcIsEditedInPlace_data();
    void kwinrcIsEditedInPlace();
    void recordIsValidated_data();
    void recordIsValidated();
    void failedRestoreIsKeptAndRetried();
    void fadeGivesTheTargetOnce();
    void gnomeKeepAwakeHoldsSessionManager();

private:
    void startDesktop(Desktop desktop);
    std::unique_ptr<ColorStage> pickStage();
    QString kwinrcPath() const { return m_root.filePath(QStringLiteral("config/kwinrc")); }
    static QString recordPath(Desktop desktop)
    {
        return NightLightStage::recordPath(desktop == Desktop::Gnome ? QStringLiteral("gnome") : QStringLiteral("kwin"));
    }
    QByteArray readKwinrc() const;
    void writeKwinrc(const QByteArray &text);
    QString gnomeValue(const char *key) const;
    void gnomeSet(const QByteArray &key, const QByteArray &value);
    // The configured night temperature, and all the user can see of the
    // night-light settings.
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

namespace {

const char *const kGnomeKeys[] = {"night-light-enabled", "night-light-temperature", "night-light-schedule-automatic",
                                  "night-light-schedule-from", "night-light-schedule-to"};

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
    const QString schemas = m_root.filePath(QStringLiteral("schemas"));
    const QString schema = QStringLiteral("/org.gnome.settings-daemon.plugins.color.gschema.xml");
    QVERIFY(QDir().mkpath(schemas) && QDir().mkpath(m_root.filePath(QStringLiteral("config"))));
    QVERIFY(QFile::copy(QStringLiteral("/usr/share/glib-2.0/schemas") + schema, schemas + schema));
    QCOMPARE(QProcess::execute(QStringLiteral("glib-compile-schemas"), {schemas}), 0);
    qputenv("GSETTINGS_SCHEMA_DIR", QFile::encodeName(schemas));
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
    QFile::remove(NightLightStage::recordPath(QStringLiteral("kwin")));
    QFile::remove(NightLightStage::recordPath(QStringLiteral("gnome")));
}

void TestDesktopNightLight::startDesktop(Desktop desktop)
{
    if (desktop == Desktop::Gnome) {
        m_gnomeDaemon = std::make_unique<FakeDBusService>(sessionBusAddress(),
                                                          QStringLiteral("org.gnome.SettingsDaemon.Color"));
        QVERIFY(m_gnomeDaemon->isValid());
    } else if (desktop != Desktop::None) {
        m_kwin = std::make_unique<FakeKWin>(sessionBusAddress(), desktop != Desktop::KWin5,
                                            desktop != Desktop::KWinWithoutNightLight);
        QVERIFY(m_kwin->isValid());
    }
}

std::unique_ptr<ColorStage> TestDesktopNightLight::pickStage()
{
    // Takes and closes the connections of earlier looks at the session.
    for (int fd; (fd = ::accept(m_waylandSocket, nullptr, nullptr)) >= 0;)
        ::close(fd);
    return createDesktopColorStage(m_client->connection(), isWaylandSession([] { return true; }));
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

QString TestDesktopNightLight::gnomeValue(const char *key) const
{
    GVariant *value = g_settings_get_user_value(m_gnome, key);
    if (!value)
        return QStringLiteral("unset");
    gchar *text = g_variant_print(value, FALSE);
    const QString result = QString::fromUtf8(text);
    g_free(text);
    g_variant_unref(value);
    return result;
}

void TestDesktopNightLight::gnomeSet(const QByteArray &key, const QByteArray &value)
{
    GVariant *current = g_settings_get_value(m_gnome, key.constData());
    GVariant *parsed = g_variant_parse(g_variant_get_type(current), value.constData(), nullptr, nullptr, nullptr);
    g_variant_unref(current);
    QVERIFY(parsed && g_settings_set_value(m_gnome, key.constData(), parsed));
    g_variant_unref(parsed);
    g_settings_sync();
}

QString TestDesktopNightLight::configuredTemperature(Desktop desktop) const
{
    if (desktop == Desktop::Gnome)
        return gnomeValue("night-light-temperature");
    return nightColorValue(readKwinrc(), QStringLiteral("NightTemperature"));
}

QString TestDesktopNightLight::snapshot(Desktop desktop) const
{
    if (desktop != Desktop::Gnome)
        return QString::fromUtf8(readKwinrc());
    QString values;
    for (const char *key : kGnomeKeys)
        values += QLatin1String(key) + QLatin1Char('=') + gnomeValue(key) + QLatin1Char('\n');
    return values;
}

void TestDesktopNightLight::userSetsTemperature(Desktop desktop, int kelvin)
{
    if (desktop == Desktop::Gnome)
        return gnomeSet("night-light-temperature", QByteArray::number(kelvin));
    QString text = QString::fromUtf8(readKwinrc());
    text.replace(QRegularExpression(QStringLiteral("NightTemperature=\\d+")), QStringLiteral("NightTemperature=%1").arg(kelvin));
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

// Rows: the desktop, its settings before (kwinrc, null for none; GNOME:
// "key value" lines the user set), the preset's temperature and what the
// desktop takes of it.
void TestDesktopNightLight::holdsAndRestoresExactly_data()
{
    QTest::addColumn<Desktop>("desktop");
    QTest::addColumn<QByteArray>("original");
    QTest::addColumn<qint64>("temperature");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Plasma 6, no kwinrc") << Desktop::KWin6 << QByteArray() << qint64(3400) << QStringLiteral("3400");
    QTest::newRow("Plasma 5.27, other groups, above KWin's range")
        << Desktop::KWin5 << QByteArray("[Compositing]\nBackend=OpenGL\n\n[Windows]\nFocusPolicy=ClickToFocus\n")
        << qint64(7000) << QStringLiteral("6500");
    QTest::newRow("Plasma 6, the user's night light between groups")
        << Desktop::KWin6
        << QByteArray("[Desktops]\nNumber=2\n\n[NightColor]\n# evenings\nActive=false\nMode=Automatic\n"
                      "LatitudeAuto=52.5\n\n[Xwayland]\nScale=1\n")
        << qint64(1000) << QStringLiteral("1000");
    QTest::newRow("GNOME, nothing set") << Desktop::Gnome << QByteArray() << qint64(3000) << QStringLiteral("3000");
    QTest::newRow("GNOME, the user's evenings")
        << Desktop::Gnome
        << QByteArray("night-light-enabled true\nnight-light-temperature 4000\nnight-light-schedule-from 21.5")
        << qint64(2400) << QStringLiteral("2400");
}

void TestDesktopNightLight::holdsAndRestoresExactly()
{
    QFETCH(Desktop, desktop);
    QFETCH(QByteArray, original);
    QFETCH(qint64, temperature);
    QFETCH(QString, shown);
    if (desktop == Desktop::Gnome) {
        for (const QByteArray &line : original.split('\n')) {
            if (!line.isEmpty())
                gnomeSet(line.split(' ').at(0), line.split(' ').at(1));
        }
    } else if (!original.isNull()) {
        writeKwinrc(original);
    }
    const QString before = snapshot(desktop);
    startDesktop(desktop);
    DisplayColorEngine engine(pickStage());
    QVERIFY(!engine.followsEveryFrame());

    // Two frames of one colour reach the desktop once.
    engine.applyColor(temperature, 60);
    engine.applyColor(temperature, 60);
    QCOMPARE(configuredTemperature(desktop), shown);
    QVERIFY(QFile::exists(recordPath(desktop)));
    if (m_kwin) {
        QTRY_COMPARE(m_kwin->notifications, 1);
        QCOMPARE(m_kwin->currentTemperature(), shown.toUInt());
        std::sort(m_kwin->lastKeys.begin(), m_kwin->lastKeys.end());
        QCOMPARE(m_kwin->lastKeys, (QByteArrayList{"Active", "Mode", "NightTemperature"}));
    } else {
        QCOMPARE(snapshot(desktop), QStringLiteral("night-light-enabled=true\nnight-light-temperature=%1\n"
                                                   "night-light-schedule-automatic=false\n"
                                                   "night-light-schedule-from=0.0\nnight-light-schedule-to=24.0\n")
                                        .arg(shown));
    }

    engine.reset();
    QCOMPARE(snapshot(desktop), before);
    QCOMPARE(QFile::exists(kwinrcPath()), !original.isNull() && desktop != Desktop::Gnome);
    QVERIFY(!QFile::exists(recordPath(desktop)));
    if (m_kwin) {
        QTRY_COMPARE(m_kwin->notifications, 2);
        QCOMPARE(m_kwin->currentTemperature(), 6500u);
    }
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
    QVERIFY(QFile::exists(recordPath(desktop)));
    if (userChangedMeanwhile)
        userSetsTemperature(desktop, 5200);

    // The temperature the user set stays; every other key goes back.
    QVERIFY(pickStage());
    QCOMPARE(snapshot(desktop), userChangedMeanwhile ? QString(original).replace(QStringLiteral("4200"), QStringLiteral("5200")) : original);
    QVERIFY(!QFile::exists(recordPath(desktop)));
}

void TestDesktopNightLight::userChangeWhileHeldWins_data()
{
    QTest::addColumn<Desktop>("desktop");
    QTest::addColumn<QString>("afterChange");
    QTest::newRow("KWin") << Desktop::KWin6 << QStringLiteral("[NightColor]\nNightTemperature=5100\n");
    QTest::newRow("GNOME") << Desktop::Gnome
                           << QStringLiteral("night-light-enabled=unset\nnight-light-temperature=5100\n"
                                             "night-light-schedule-automatic=unset\nnight-light-schedule-from=unset\n"
                                             "night-light-schedule-to=unset\n");
}

void TestDesktopNightLight::userChangeWhileHeldWins()
{
    QFETCH(Desktop, desktop);
    QFETCH(QString, afterChange);
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
    QVERIFY(notices.constFirst().constFirst().toString().contains(QStringLiteral("your change is kept")));
    QVERIFY(!stage->isHolding());
    // Only the temperature is the user's: the rest is back as it was.
    QCOMPARE(snapshot(desktop), afterChange);

    // A screen change and quitting leave it.
    engine.screensChanged();
    QTest::qWait(0);
    engine.reset();
    QCOMPARE(configuredTemperature(desktop), QStringLiteral("5100"));
    QVERIFY(!QFile::exists(recordPath(desktop)));

    // Choosing the same preset again takes it, and gives the user's value back.
    engine.applyColor(3300, 100);
    QCOMPARE(configuredTemperature(desktop), QStringLiteral("3300"));
    engine.reset();
    engine.applyColor(2800, 100);
    QCOMPARE(configuredTemperature(desktop), QStringLiteral("2800"));
    engine.reset();
    QCOMPARE(configuredTemperature(desktop), QStringLiteral("5100"));
    QCOMPARE(notices.count(), 1);
}

// Rows: kwinrc before (null: none) and its mode, and kwinrc while Candle's
// 3400 K is held (null: the desktop refuses every change, and says so).
void TestDesktopNightLight::kwinrcIsEditedInPlace_data()
{
    QTest::addColumn<QByteArray>("original");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("held");
    const QByteArray ours("[NightColor]\nActive=true\nMode=Constant\nNightTemperature=3400\n");
    QTest::newRow("no kwinrc") << QByteArray() << 0644 << ours;
    QTest::newRow("0-byte file, group-readable")
        << QByteArray("") << 0640 << ours;
    QTest::newRow("CRLF, spaces and tabs around =")
        << QByteArray("[General]\r\nX = 1\r\n\r\n[NightColor]\r\nActive \t=  false\r\nNightTemperature\t=\t4000 \r\n")
        << 0600
        << QByteArray("[General]\r\nX = 1\r\n\r\n[NightColor]\r\nActive \t=  true\r\nNightTemperature\t=\t3400 \r\n"
                      "Mode=Constant\r\n");
    QTest::newRow("a comment and an empty header without a final newline")
        << QByteArray("# mine\n[NightColor]") << 0644
        << QByteArray("# mine\n[NightColor]\nActive=true\nMode=Constant\nNightTemperature=3400");
    QTest::newRow("bytes that are not UTF-8, no final newline")
        << QByteArray("[Wayland]\nName=\xff\xfe\x80\n[Xwayland]\nScale=1") << 0644
        << QByteArray("[Wayland]\nName=\xff\xfe\x80\n[Xwayland]\nScale=1\n") + ours;
    QTest::newRow("blank lines at the end") << QByteArray("[Windows]\nA=1\n\n") << 0644
                                            << QByteArray("[Windows]\nA=1\n\n\n") + ours;
    QTest::newRow("two [NightColor] groups: the later entry wins")
        << QByteArray("[NightColor]\nActive=false\nNightTemperature=4000\n\n[Windows]\nA=1\n\n[NightColor]\n"
                      "NightTemperature=4500\n")
        << 0644
        << QByteArray("[NightColor]\nActive=true\nNightTemperature=4000\n\n[Windows]\nA=1\n\n[NightColor]\n"
                      "NightTemperature=3400\nMode=Constant\n");
    QTest::newRow("immutable group") << QByteArray("[NightColor][$i]\nActive=false\n") << 0644 << QByteArray();
    QTest::newRow("immutable key") << QByteArray("[NightColor]\nMode[$i]=Automatic\n") << 0644 << QByteArray();
    QTest::newRow("immutable file") << QByteArray("[$i]\n[Windows]\nA=1\n") << 0644 << QByteArray();
}

void TestDesktopNightLight::kwinrcIsEditedInPlace()
{
    QFETCH(QByteArray, original);
    QFETCH(int, mode);
    QFETCH(QByteArray, held);
    const auto permissions = [this] { return QFileInfo(kwinrcPath()).permissions() & 0x0fff; };
    QFile::Permissions expected;
    if (!original.isNull()) {
        writeKwinrc(original);
        QVERIFY(::chmod(QFile::encodeName(kwinrcPath()).constData(), static_cast<mode_t>(mode)) == 0);
        expected = permissions();
    }
    startDesktop(Desktop::KWin6);
    DisplayColorEngine engine(pickStage());
    QSignalSpy notices(&engine, &DisplayColorEngine::noticeRaised);

    engine.applyColor(3400, 100);
    QCOMPARE(readKwinrc(), held.isNull() ? original : held);
    QCOMPARE(notices.count(), held.isNull() ? 1 : 0);
    if (held.isNull())
        QVERIFY(notices.constFirst().constFirst().toString().contains(QStringLiteral("locked")));
    else if (!original.isNull())
        QCOMPARE(permissions(), expected);

    engine.reset();
    QCOMPARE(readKwinrc(), original);
    QCOMPARE(QFile::exists(kwinrcPath()), !original.isNull());
    if (!original.isNull())
        QCOMPARE(permissions(), expected);
    QVERIFY(!QFile::exists(recordPath(Desktop::KWin6)));
}

// Rows: the record file's text; what is left of it to restore
// ("key=value" for each original, then " -> " and what was written).
void TestDesktopNightLight::recordIsValidated_data()
{
    QTest::addColumn<QString>("desktop");
    QTest::addColumn<bool>("legacy");
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("kept");
    QTest::newRow("a newline in a value")
        << QStringLiteral("kwin") << false
        << QByteArray(R"({"desktop":"kwin","original":{"Active":"false","NightTemperature":null},)"
                      R"("written":{"Active":"true","NightTemperature":"3400\n[Evil]\nX=1"}})")
        << QStringLiteral("Active=false -> Active=true");
    QTest::newRow("keys and types Halvoscope never writes")
        << QStringLiteral("kwin") << false
        << QByteArray(R"({"desktop":"kwin","original":{"Plugins":"x","Mode":"Automatic","NightTemperature":4000},)"
                      R"("written":{"Plugins":"y","Mode":"Constant","NightTemperature":"3400"}})")
        << QStringLiteral("Mode=Automatic -> Mode=Constant");
    QTest::newRow("GNOME's shapes")
        << QStringLiteral("gnome") << false
        << QByteArray(R"({"desktop":"gnome","original":{"night-light-schedule-from":"21.5",)"
                      R"("night-light-temperature":"uint32 4000","night-light-enabled":null},)"
                      R"("written":{"night-light-schedule-from":"0.0","night-light-temperature":"3400",)"
                      R"("night-light-enabled":"yes"}})")
        << QStringLiteral("night-light-schedule-from=21.5 -> night-light-schedule-from=0.0");
    QTest::newRow("the record of earlier versions moves")
        << QStringLiteral("kwin") << true
        << QByteArray(R"({"desktop":"kwin","original":{"Active":null},"written":{"Active":"true"}})")
        << QStringLiteral("Active=null -> Active=true");
    QTest::newRow("the other desktop's record stays")
        << QStringLiteral("gnome") << true
        << QByteArray(R"({"desktop":"kwin","original":{"Active":null},"written":{"Active":"true"}})") << QString();
}

void TestDesktopNightLight::recordIsValidated()
{
    QFETCH(QString, desktop);
    QFETCH(bool, legacy);
    QFETCH(QByteArray, json);
    QFETCH(QString, kept);
    const QString legacyPath = QFileInfo(NightLightStage::recordPath(desktop)).dir().filePath(QStringLiteral("night-light.json"));
    const QString path = legacy ? legacyPath : NightLightStage::recordPath(desktop);
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(json) == json.size());
    file.close();

    const std::optional<NightLightRecord> record = NightLightRecord::load(desktop);
    const auto printed = [](const NightLightRecord::Settings &settings) {
        QStringList entries;
        for (auto it = settings.cbegin(); it != settings.cend(); ++it)
            entries.append(it.key() + u'=' + it.value().value_or(QStringLiteral("null")));
        return entries.join(u',');
    };
    QCOMPARE(record ? printed(record->original) + QStringLiteral(" -> ") + printed(record->written) : QString(), kept);
    QCOMPARE(QFile::exists(legacyPath), legacy && kept.isEmpty());
    QCOMPARE(QFile::exists(NightLightStage::recordPath(desktop)), !kept.isEmpty());
    QFile::remove(legacyPath);
}

// A restore the desktop refuses keeps the record, says so once, and is
// finished by a later start once the desktop takes it.
void TestDesktopNightLight::failedRestoreIsKeptAndRetried()
{
    const QByteArray original("[NightColor]\nActive=false\n\n[Windows]\nA=1\n");
    writeKwinrc(original);
    startDesktop(Desktop::KWin6);
    auto engine = std::make_unique<DisplayColorEngine>(pickStage());
    QSignalSpy notices(engine.get(), &DisplayColorEngine::noticeRaised);
    engine->applyColor(3400, 100);
    const QByteArray held = readKwinrc();
    writeKwinrc(QByteArray(held).replace("[NightColor]", "[NightColor][$i]"));

    engine->reset();
    QCOMPARE(notices.count(), 1);
    QVERIFY(notices.constFirst().constFirst().toString().contains(QStringLiteral("could not be put back")));
    QVERIFY(QFile::exists(recordPath(Desktop::KWin6)));
    engine.reset();

    int told = 0;
    std::unique_ptr<ColorStage> stillLocked = pickStage();
    stillLocked->setNoticeHandler([&told](const QString &) { ++told; });
    QCOMPARE(told, 0);
    QVERIFY(QFile::exists(recordPath(Desktop::KWin6)));
    stillLocked.reset();

    writeKwinrc(held);
    QVERIFY(pickStage());
    QCOMPARE(readKwinrc(), original);
    QVERIFY(!QFile::exists(recordPath(Desktop::KWin6)));
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
    ripple.runTransition(
        6500, 100, 3400, 100, false, QPointF(10, 10), [&colour] { colour->applyColor(3400, 100); },
        [&completed] { completed = true; });

    now += RippleTransitionEngine::duration / 2;
    QTRY_COMPARE(m_kwin->notifications, 1);
    QCOMPARE(m_kwin->currentTemperature(), 3400u);
    now += RippleTransitionEngine::duration;
    QTRY_VERIFY(completed);
    QCOMPARE(m_kwin->notifications, 1);
    colour->reset();
}

void TestDesktopNightLight::gnomeKeepAwakeHoldsSessionManager()
{
    FakeDBusService service(sessionBusAddress(), QStringLiteral("org.gnome.SessionManager"));
    auto *manager = new FakeGnomeSessionManager;
    QVERIFY(service.isValid() && service.addObject(QStringLiteral("/org/gnome/SessionManager"), manager));
    KeepAwakeEngine engine(createKeepAwakeAdapters(m_client->connection(), QDBusConnection(QStringLiteral("no bus"))));

    QVERIFY(engine.setActive(true));
    QVERIFY(engine.holdsDisplayAssertion());
    QCOMPARE(manager->calls().inhibitFlags, std::vector<uint>{8});
    QVERIFY(engine.setActive(false));
    QCOMPARE(manager->calls().uninhibited, manager->calls().cookies);
}

QTEST_GUILESS_MAIN(TestDesktopNightLight)
#include "tst_desktopnightlight.moc"
