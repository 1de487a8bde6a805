#include "app/halvobusservice.h"
#include "app/remotecontrol.h"
#include "core/halvostore.h"
#include "core/statepersistence.h"

#include "recordingengines.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Listens on a connection of its own, as a script on the bus would.
class PropertiesListener : public QObject {
    Q_OBJECT

public:
    explicit PropertiesListener(const QDBusConnection &bus)
    {
        const bool connected = QDBusConnection(bus).connect(
            HalvoBusService::serviceName, HalvoBusService::objectPath,
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"),
            this, SLOT(record(QString, QVariantMap, QStringList)));
        Q_ASSERT(connected);
    }

    QList<QVariantMap> changes;
    QStringList interfaces;

public Q_SLOTS:
    void record(const QString &interface, const QVariantMap &changed, const QStringList &)
    {
        interfaces.append(interface);
        changes.append(changed);
    }
};

class TestHalvoBusService : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::shared_ptr<CallLog> m_log;
    std::shared_ptr<RecordingKeepAwakeEngine> m_keepAwake;
    std::shared_ptr<RecordingColorEngine> m_color;
    int m_quitCalls = 0;
    std::unique_ptr<HalvoStore> m_store;
    std::unique_ptr<HalvoBusService> m_service;
    int m_showPopoverCalls = 0;

    QString statePath() const { return m_dir.filePath(QStringLiteral("state.json")); }

    static QDBusConnection client()
    {
        return QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("client"));
    }

    static QDBusMessage call(const QString &method, const QVariantList &arguments = {})
    {
        QDBusMessage message = QDBusMessage::createMethodCall(
            HalvoBusService::serviceName, HalvoBusService::objectPath,
            HalvoBusService::interfaceName, method);
        message.setArguments(arguments);
        return callAsync(message);
    }

    static QVariant property(const QString &name)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(
            HalvoBusService::serviceName, HalvoBusService::objectPath,
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        message << HalvoBusService::interfaceName << name;
        const QDBusMessage reply = callAsync(message);
        if (reply.type() != QDBusMessage::ReplyMessage)
            return {};
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }

    // The service answers from this thread's event loop, so the call must
    // not block it.
    static QDBusMessage callAsync(const QDBusMessage &message)
    {
        QDBusPendingCall pending = client().asyncCall(message, 5000);
        if (!QTest::qWaitFor([&] { return pending.isFinished(); }, 5000))
            qWarning("D-Bus call %s did not finish", qPrintable(message.member()));
        return pending.reply();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(),
                 "run under scripts/headless-session.sh --session-bus");
        QVERIFY(QDBusConnection::sessionBus().registerService(HalvoBusService::serviceName));
    }

    void init()
    {
        QFile::remove(statePath());
        m_log = std::make_shared<CallLog>();
        m_keepAwake = std::make_shared<RecordingKeepAwakeEngine>(m_log);
        m_color = std::make_shared<RecordingColorEngine>(m_log);
        m_store = std::make_unique<HalvoStore>(
            StatePersistence(statePath()), m_color,
            std::make_shared<RecordingBrightnessEngine>(m_log), m_keepAwake, nullptr,
            [] { return QDateTime(QDate(2024, 6, 1), QTime(12, 0)); },
            std::make_shared<RecordingLoginItems>());
        m_showPopoverCalls = 0;
        m_service = std::make_unique<HalvoBusService>(
            m_store.get(), [this] { ++m_showPopoverCalls; }, QDBusConnection::sessionBus());
        QVERIFY(m_service->registerObject());
        m_quitCalls = 0;
        m_service->setQuitAction([this] { ++m_quitCalls; });
        m_log->calls.clear();
    }

    void cleanup()
    {
        m_service.reset();
        m_store.reset();
    }

    void activatePreset_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("known");
        QTest::addColumn<QString>("colourCall");
        QTest::addColumn<QString>("quoted"); // the id as the error repeats it
        // Screens the colour engine reports as showing none of the colour.
        QTest::addColumn<QStringList>("refusing");

        const QStringList none;
        QTest::newRow("candle") << "candle" << true << "color.apply 1800 90"
                                << "" << none;
        QTest::newRow("red light") << "red-light" << true << "color.apply 1000 100"
                                   << "" << none;
        QTest::newRow("unknown id") << "sunset" << false << ""
                                    << "sunset" << none;
        QTest::newRow("empty id") << "" << false << ""
                                  << "" << none;
        QTest::newRow("custom- prefix only") << "custom-" << false << ""
                                             << "custom-" << none;
        QTest::newRow("16 MB id") << QString(16 * 1024 * 1024, QLatin1Char('a')) << false << ""
                                  << QString(64, QLatin1Char('a')) + QChar(0x2026) << none;
        QTest::newRow("no screen shows it") << "candle" << true << "color.apply 1800 90"
                                            << "" << QStringList{QStringLiteral("HDMI-1"), QStringLiteral("eDP-1")};
    }

    void activatePreset()
    {
        QFETCH(QString, id);
        QFETCH(bool, known);
        QFETCH(QString, colourCall);
        QFETCH(QString, quoted);
        QFETCH(QStringList, refusing);
        m_color->refusingScreens = refusing;
        PropertiesListener listener(client());

        const QDBusMessage reply = call(QStringLiteral("ActivatePreset"), {id});
        if (!known) {
            QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
            QCOMPARE(reply.errorName(), QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs"));
            QCOMPARE(reply.errorMessage(),
                     QStringLiteral("No preset with id \u201C%1\u201D. Valid ids: standard, red-light, "
                                    "candle, black-white, color-ink, vivid")
                         .arg(quoted));
            QCOMPARE(m_store->activeModeID(), QStringLiteral("standard"));
            QVERIFY(!QFile::exists(statePath()));
            QVERIFY(m_log->calls.isEmpty());
            QCOMPARE(property(QStringLiteral("ActivePresetID")).toString(), QStringLiteral("standard"));
            QVERIFY(listener.changes.isEmpty());
            return;
        }
        if (refusing.isEmpty()) {
            QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        } else {
            // Chosen all the same: it shows as soon as a screen can.
            QCOMPARE(reply.errorName(), HalvoBusService::notShownError);
            QCOMPARE(reply.errorMessage(), QStringLiteral("%1 is chosen, but no screen shows it: %2.")
                                               .arg(m_store->activePreset().name, refusing.join(QStringLiteral(", "))));
        }
        QCOMPARE(m_store->activeModeID(), id);
        QVERIFY2(m_log->calls.contains(colourCall), qPrintable(m_log->calls.join(u'\n')));
        QVERIFY(QFile::exists(statePath()));
        QTRY_COMPARE(listener.changes.size(), 1);
        QCOMPARE(listener.interfaces.first(), HalvoBusService::interfaceName);
        QCOMPARE(listener.changes.first(), (QVariantMap{{QStringLiteral("ActivePresetID"), id}}));
        QCOMPARE(property(QStringLiteral("ActivePresetID")).toString(), id);
    }

    void activatingTheActivePresetAnnouncesNothing()
    {
        PropertiesListener listener(client());
        QCOMPARE(call(QStringLiteral("ActivatePreset"), {QStringLiteral("standard")}).type(),
                 QDBusMessage::ReplyMessage);
        QCOMPARE(call(QStringLiteral("ActivatePreset"), {QStringLiteral("vivid")}).type(),
                 QDBusMessage::ReplyMessage);
        // The second signal proves the first call's would have arrived by now.
        QTRY_COMPARE(listener.changes.size(), 1);
        QCOMPARE(listener.changes.first().value(QStringLiteral("ActivePresetID")).toString(),
                 QStringLiteral("vivid"));
    }

    void changesMadeElsewhereAreAnnounced()
    {
        PropertiesListener listener(client());
        m_store->activatePreset(QStringLiteral("color-ink"), false);
        QTRY_COMPARE(listener.changes.size(), 1);
        QCOMPARE(listener.changes.first().value(QStringLiteral("ActivePresetID")).toString(),
                 QStringLiteral("color-ink"));
    }

    void setKeepAwake()
    {
        PropertiesListener listener(client());
        QCOMPARE(property(QStringLiteral("KeepAwake")).toBool(), false);

        QCOMPARE(call(QStringLiteral("SetKeepAwake"), {true}).type(), QDBusMessage::ReplyMessage);
        QVERIFY(m_store->keepAwakeEnabled());
        QVERIFY(m_keepAwake->active);
        QCOMPARE(property(QStringLiteral("KeepAwake")).toBool(), true);
        QTRY_COMPARE(listener.changes.size(), 1);
        QCOMPARE(listener.changes.first(), (QVariantMap{{QStringLiteral("KeepAwake"), true}}));

        QCOMPARE(call(QStringLiteral("SetKeepAwake"), {true}).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(call(QStringLiteral("SetKeepAwake"), {false}).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE(listener.changes.size(), 2);
        QCOMPARE(listener.changes.last(), (QVariantMap{{QStringLiteral("KeepAwake"), false}}));
        QVERIFY(!m_keepAwake->active);
    }

    void setKeepAwakeThatFailsIsAnError()
    {
        m_keepAwake->refuses = true;
        const QDBusMessage reply = call(QStringLiteral("SetKeepAwake"), {true});
        QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(reply.errorName(), QStringLiteral("org.freedesktop.DBus.Error.Failed"));
        QCOMPARE(reply.errorMessage(), m_store->errorMessage().value_or(QString()));
        QVERIFY(!reply.errorMessage().isEmpty());
        QVERIFY(!m_store->keepAwakeEnabled());
    }

    void listPresets()
    {
        m_store->activatePreset(QStringLiteral("candle"), false);
        const HalvoPreset custom = m_store->addCustomPreset(QStringLiteral("Night\tdesk"));
        const QDBusMessage reply = call(QStringLiteral("ListPresets"));
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QStringList ids = presetIDs(HalvoPreset::builtInPresets());
        ids.append(custom.id);
        QCOMPARE(reply.arguments().value(0).toStringList(), ids);
        QCOMPARE(reply.arguments().value(1).toStringList().first(), QStringLiteral("Standard"));
        QCOMPARE(reply.arguments().value(1).toStringList().last(), QStringLiteral("Night desk"));
        QCOMPARE(reply.arguments().value(2).toString(), QStringLiteral("candle"));
    }

    // The caller has its answer before the quit runs.
    void quit()
    {
        QCOMPARE(call(QStringLiteral("Quit")).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE(m_quitCalls, 1);
    }

    void showPopover()
    {
        QCOMPARE(call(QStringLiteral("ShowPopover")).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(m_showPopoverCalls, 1);
    }

    void propertiesAreReadOnly()
    {
        QDBusMessage message = QDBusMessage::createMethodCall(
            HalvoBusService::serviceName, HalvoBusService::objectPath,
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"));
        message << HalvoBusService::interfaceName << QStringLiteral("ActivePresetID")
                << QVariant::fromValue(QDBusVariant(QStringLiteral("candle")));
        QCOMPARE(callAsync(message).type(), QDBusMessage::ErrorMessage);
        QCOMPARE(m_store->activeModeID(), QStringLiteral("standard"));
    }

    void introspectionListsTheInterface()
    {
        QDBusMessage message = QDBusMessage::createMethodCall(
            HalvoBusService::serviceName, HalvoBusService::objectPath,
            QStringLiteral("org.freedesktop.DBus.Introspectable"), QStringLiteral("Introspect"));
        const QString xml = callAsync(message).arguments().value(0).toString();
        for (const char *expected :
             {"<interface name=\"com.corvanta.Halvoscope\">", "<method name=\"ShowPopover\"",
              "<method name=\"ActivatePreset\"", "<method name=\"SetKeepAwake\"",
              "<method name=\"ListPresets\"", "<method name=\"Quit\"",
              "<property name=\"ActivePresetID\" type=\"s\" access=\"read\"",
              "<property name=\"KeepAwake\" type=\"b\" access=\"read\""}) {
            QVERIFY2(xml.contains(QLatin1String(expected)), expected);
        }
    }
};

QTEST_GUILESS_MAIN(TestHalvoBusService)
#include "tst_halvobusservice.moc"
