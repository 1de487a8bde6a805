#include "update/updatechecker.h"
#include "feedserver.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

using namespace std::chrono_literals;

namespace {

// Records the alerts instead of showing them and answers with a chosen button.
class RecordingPresenter : public UpdateAlertPresenter {
public:
    int present(const UpdateAlert &alert) override
    {
        alerts.append(alert);
        if (whilePresenting)
            whilePresenting();
        return pressedButton;
    }
    void openUrl(const QUrl &url) override { openedUrls.append(url); }

    QList<UpdateAlert> alerts;
    QList<QUrl> openedUrls;
    int pressedButton = 0;
    std::function<void()> whilePresenting;
};

// JSON written with single quotes, which keeps the rows readable.
QByteArray json(QByteArray text)
{
    return text.replace('\'', '"');
}

QByteArray manifestJson(const QString &version, const QString &notes = QString())
{
    QByteArray body = "{'version': '" + version.toUtf8()
                      + "', 'build': '412', 'releaseDate': '2025-03-01', 'downloadUrl': 'https://corvanta.com/halvoscope'";
    if (!notes.isNull())
        body += ", 'notes': '" + notes.toUtf8() + "'";
    return json(body + '}');
}

const QString unreachable = QStringLiteral("Unable to reach 127.0.0.1. Check your internet connection and try again.");

} // namespace

class TestUpdateChecker : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void isNewerVersion_data();
    void isNewerVersion();
    void decodesManifest();
    void rejectsManifest_data();
    void rejectsManifest();
    void currentVersionIsTheProjectVersion();
    void alertTextsStaySmall_data();
    void alertTextsStaySmall();
    void checkAgainstFeed_data();
    void checkAgainstFeed();
    void sendsOneGetWithUserAgent();
    void followsSameSchemeRedirect();
    void oversizedBodyIsNotRead_data();
    void oversizedBodyIsNotRead();
    void silentServerTimesOut();
    void drippingServerTimesOutAtTheDeadline();
    void refusedConnectionIsAnError();
    void secondCallWhileCheckingDoesNothing();
    void stateNotifiesOnlyOnChange();
    void downloadButtonOpensPage_data();
    void downloadButtonOpensPage();
    void backgroundCheckShowsNothing();
    void deleteWhenFinishedWaitsForTheAlert();
    void checkerDestroyedDuringAlert();
};

void TestUpdateChecker::isNewerVersion_data()
{
    QTest::addColumn<QString>("candidate");
    QTest::addColumn<QString>("current");
    QTest::addColumn<bool>("newer");

    QTest::newRow("1.10 vs 1.9") << "1.10"
                                 << "1.9" << true;
    QTest::newRow("1.9 vs 1.10") << "1.9"
                                 << "1.10" << false;
    QTest::newRow("1.0 vs 1.0.0") << "1.0"
                                  << "1.0.0" << false;
    QTest::newRow("1.0.0 vs 1.0") << "1.0.0"
                                  << "1.0" << false;
    QTest::newRow("1.0.1 vs 1.0") << "1.0.1"
                                  << "1.0" << true;
    QTest::newRow("2.0-beta vs 2.0") << "2.0-beta"
                                     << "2.0" << false;
    QTest::newRow("2.1-beta vs 2.0") << "2.1-beta"
                                     << "2.0" << false; // 1-beta is not a number
    QTest::newRow("v2.0 vs 1.0") << "v2.0"
                                 << "1.0" << false;
    QTest::newRow("older") << "0.9.9"
                           << "1.0.0" << false;
    QTest::newRow("equal") << "3.2.1"
                           << "3.2.1" << false;
    QTest::newRow("1..2 vs 1.1") << "1..2"
                                 << "1.1" << true;
    QTest::newRow("1.2 vs 1..2") << "1.2"
                                 << "1..2" << false;
    QTest::newRow("leading dot") << ".2"
                                 << "1" << true;
    QTest::newRow("empty vs 0") << ""
                                << "0" << false;
    QTest::newRow("1 vs empty") << "1"
                                << "" << true;
    QTest::newRow("largest piece") << "9223372036854775807"
                                   << "1" << true;
    QTest::newRow("overflow counts as 0") << "9223372036854775808"
                                          << "1" << false;
    QTest::newRow("long overflow counts as 0") << "99999999999999999999999"
                                               << "0.1" << false;
    QTest::newRow("smallest piece") << "0"
                                    << "-9223372036854775808" << true;
    QTest::newRow("negative overflow counts as 0") << "-9223372036854775809"
                                                   << "-1" << true;
    QTest::newRow("+1 is 1") << "+1"
                             << "0" << true;
    QTest::newRow("+1 equals 1") << "+1"
                                 << "1" << false;
    QTest::newRow("-1 below 0") << "-1"
                                << "0" << false;
    QTest::newRow("0 above -1") << "1.0"
                                << "1.-1" << true;
    QTest::newRow("bare sign counts as 0") << "+"
                                           << "-" << false;
    QTest::newRow("double sign counts as 0") << "+-1"
                                             << "0" << false;
    QTest::newRow("space counts as 0") << " 2"
                                       << "1" << false;
    QTest::newRow("trailing space counts as 0") << "2 "
                                                << "1" << false;
    QTest::newRow("letter suffix counts as 0") << "1a"
                                               << "0" << false;
    QTest::newRow("non-ASCII digit counts as 0") << QString::fromUtf8("\u0663") << "0" << false;
}

void TestUpdateChecker::isNewerVersion()
{
    QFETCH(QString, candidate);
    QFETCH(QString, current);
    QFETCH(bool, newer);
    QCOMPARE(UpdateChecker::isNewerVersion(candidate, current), newer);
}

void TestUpdateChecker::decodesManifest()
{
    const auto full = AppUpdateManifest::fromJson(json("{'version': '2.1', 'build': '77', 'releaseDate': '2025-06-30', "
                                                       "'downloadUrl': 'https://corvanta.com/dl?x=1', 'notes': 'Fixes.', 'Version': 3, 'extra': {'a': [1]}}"));
    QVERIFY(full);
    QCOMPARE(full->version, QStringLiteral("2.1"));
    QCOMPARE(full->build, std::optional<QString>(QStringLiteral("77")));
    QCOMPARE(full->releaseDate, std::optional<QString>(QStringLiteral("2025-06-30")));
    QCOMPARE(full->downloadUrl, QUrl(QStringLiteral("https://corvanta.com/dl?x=1")));
    QCOMPARE(full->notes, std::optional<QString>(QStringLiteral("Fixes.")));

    const auto minimal = AppUpdateManifest::fromJson(json("{'version': '', 'downloadUrl': 'http://corvanta.com/'}"));
    QVERIFY(minimal);
    QVERIFY(!minimal->build && !minimal->releaseDate && !minimal->notes);

    const auto nulls = AppUpdateManifest::fromJson(
        json("{'version': '1', 'downloadUrl': 'http://corvanta.com/', 'build': null, 'releaseDate': null, 'notes': null}"));
    QVERIFY(nulls);
    QVERIFY(!nulls->build && !nulls->releaseDate && !nulls->notes);
    QCOMPARE(*nulls, *AppUpdateManifest::fromJson(json("{'version': '1', 'downloadUrl': 'http://corvanta.com/'}")));

    AppUpdateManifest other = *full;
    QVERIFY(other == *full);
    other.notes.reset();
    QVERIFY(!(other == *full));
    other = *full;
    other.notes = QString();
    QVERIFY(!(other == *full)); // empty notes are not absent notes
}

void TestUpdateChecker::rejectsManifest_data()
{
    QTest::addColumn<QByteArray>("body");

    QTest::newRow("empty body") << QByteArray();
    QTest::newRow("not JSON") << QByteArray("<html>hello</html>");
    QTest::newRow("array") << json("[{'version': '1', 'downloadUrl': 'https://a.example/'}]");
    QTest::newRow("string") << json("'1.0'");
    QTest::newRow("trailing garbage") << json("{'version': '1', 'downloadUrl': 'https://a.example/'} x");
    QTest::newRow("missing version") << json("{'downloadUrl': 'https://a.example/'}");
    QTest::newRow("missing downloadUrl") << json("{'version': '2.0'}");
    QTest::newRow("keys in another case") << json("{'Version': '2.0', 'DownloadURL': 'https://a.example/'}");
    QTest::newRow("snake-case key") << json("{'version': '2.0', 'download_url': 'https://a.example/'}");
    QTest::newRow("version is a number") << json("{'version': 2.0, 'downloadUrl': 'https://a.example/'}");
    QTest::newRow("version is null") << json("{'version': null, 'downloadUrl': 'https://a.example/'}");
    QTest::newRow("downloadUrl is null") << json("{'version': '2', 'downloadUrl': null}");
    QTest::newRow("downloadUrl is an object") << json("{'version': '2', 'downloadUrl': {'href': 'https://a.example/'}}");
    QTest::newRow("build is a number") << json("{'version': '2', 'downloadUrl': 'https://a.example/', 'build': 7}");
    QTest::newRow("releaseDate is a bool") << json("{'version': '2', 'downloadUrl': 'https://a.example/', 'releaseDate': true}");
    QTest::newRow("notes is an array") << json("{'version': '2', 'downloadUrl': 'https://a.example/', 'notes': ['a']}");
    QTest::newRow("unparsable URL") << json("{'version': '2', 'downloadUrl': 'https://a b.example/x y'}");
    QTest::newRow("empty URL") << json("{'version': '2', 'downloadUrl': ''}");
    QTest::newRow("file URL") << json("{'version': '2', 'downloadUrl': 'file:///etc/passwd'}");
    QTest::newRow("javascript URL") << json("{'version': '2', 'downloadUrl': 'javascript:alert(1)'}");
    QTest::newRow("ftp URL") << json("{'version': '2', 'downloadUrl': 'ftp://corvanta.com/x'}");
    QTest::newRow("custom scheme") << json("{'version': '2', 'downloadUrl': 'myapp://x'}");
    QTest::newRow("relative URL") << json("{'version': '2', 'downloadUrl': 'updates/x'}");
    QTest::newRow("http without host") << json("{'version': '2', 'downloadUrl': 'http:/x'}");
}

void TestUpdateChecker::rejectsManifest()
{
    QFETCH(QByteArray, body);
    QVERIFY(!AppUpdateManifest::fromJson(body));
}

void TestUpdateChecker::currentVersionIsTheProjectVersion()
{
    QCOMPARE(UpdateChecker::currentVersion(), QStringLiteral(HALVOSCOPE_PROJECT_VERSION));
    QVERIFY(UpdateChecker::defaultFeedURL().scheme() == QLatin1String("https"));
    QCOMPARE(UpdateChecker::defaultFeedURL().path(), QStringLiteral("/updates.json"));
    const UpdateChecker defaultChecker;
    QCOMPARE(defaultChecker.feedURL(), UpdateChecker::defaultFeedURL());
}

void TestUpdateChecker::alertTextsStaySmall_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QString>("shownVersion");
    QTest::addColumn<QString>("shownNotes");

    const QString ellipsis(QChar(0x2026));
    const QString a3999(3999, QLatin1Char('a'));
    const QString a4000(4000, QLatin1Char('a'));
    const QString v32 = QStringLiteral("1.2.3.4.5.6.7.8.9.10.11.12.13.14");
    QCOMPARE(v32.size(), 32);

    QTest::newRow("short texts as they are") << u"2.0"_s << u"Fixes.\nMore fixes."_s << u"2.0"_s << u"Fixes.\nMore fixes."_s;
    QTest::newRow("at both limits") << v32 << a4000 << v32 << a4000;
    QTest::newRow("one over both limits") << v32 + u'5' << a4000 + u'b' << v32 + ellipsis << a4000 + ellipsis;
    QTest::newRow("1 MiB each") << QString(1024 * 1024, QLatin1Char('9')) << QString(1024 * 1024, QLatin1Char('n'))
                                << QString(32, QLatin1Char('9')) + ellipsis << QString(4000, QLatin1Char('n')) + ellipsis;
    QTest::newRow("version on several lines") << "2.0\r\n\tbeta\u2028"
                                              << ""
                                              << "2.0 beta"
                                              << "";
    QTest::newRow("version of blank lines") << QString(1024 * 1024, QLatin1Char('\n')) + u"3.0"_s << u""_s << u"3.0"_s << u""_s;
    // A character that does not fit is left out whole: neither half of a
    // surrogate pair nor a letter without its accent.
    QTest::newRow("emoji across the cut") << "2.0" << a3999 + QString::fromUtf8("\U0001F600") << "2.0" << a3999 + ellipsis;
    QTest::newRow("accent across the cut") << u"2.0"_s << a3999 + u"e\u0301"_s << u"2.0"_s << a3999 + ellipsis;
    QTest::newRow("emoji in the version") << QString(31, QLatin1Char('1')) + QString::fromUtf8("\U0001F600") << ""
                                          << QString(31, QLatin1Char('1')) + ellipsis << "";
}

// The caps hold where the texts are built, whoever shows them.
void TestUpdateChecker::alertTextsStaySmall()
{
    QFETCH(QString, version);
    QFETCH(QString, notes);
    QFETCH(QString, shownVersion);
    QFETCH(QString, shownNotes);

    AppUpdateManifest manifest;
    manifest.version = version;
    manifest.downloadUrl = QUrl(QStringLiteral("https://corvanta.com/halvoscope"));
    manifest.notes = notes;
    const UpdateAlert alert = UpdateAlert::updateAvailable(manifest, QStringLiteral("1.0.0"));
    QCOMPARE(alert.message, QStringLiteral("Halvoscope ") + shownVersion + QStringLiteral(" is Available"));
    QString informative = QStringLiteral("You are currently running Halvoscope 1.0.0.");
    if (!shownNotes.isEmpty())
        informative += QStringLiteral("\n\nWhat's new:\n") + shownNotes;
    QCOMPARE(alert.informativeText, informative);
}

void TestUpdateChecker::checkAgainstFeed_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("warning");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("informative");
    QTest::addColumn<QStringList>("buttons");

    const QString running = UpdateChecker::currentVersion();
    const QString runningText = QStringLiteral("You are currently running Halvoscope ") + running + u'.';
    const QStringList updateButtons{QStringLiteral("Download Update"), QStringLiteral("Later")};
    const QStringList ok{QStringLiteral("OK")};
    const QString upToDateText = QStringLiteral("Halvoscope ") + running + QStringLiteral(" is currently the newest version available.");

    QTest::newRow("newer with notes") << 200 << manifestJson(u"99.0"_s, u"Faster ripples."_s)
                                      << u"updateAvailable"_s << false << u"Halvoscope 99.0 is Available"_s
                                      << runningText + u"\n\nWhat's new:\nFaster ripples."_s << updateButtons;
    QTest::newRow("newer with empty notes") << 200 << manifestJson(u"99.0"_s, u""_s)
                                            << "updateAvailable" << false << "Halvoscope 99.0 is Available" << runningText << updateButtons;
    QTest::newRow("newer without notes") << 201 << manifestJson(u"99.0"_s)
                                         << "updateAvailable" << false << "Halvoscope 99.0 is Available" << runningText << updateButtons;
    QTest::newRow("equal") << 200 << manifestJson(running)
                           << "upToDate" << false << "You're Up to Date" << upToDateText << ok;
    QTest::newRow("equal with more zeros") << 200 << manifestJson(running + u".0.0"_s)
                                           << "upToDate" << false << "You're Up to Date" << upToDateText << ok;
    QTest::newRow("older") << 200 << manifestJson(u"0.1"_s, u"Old."_s)
                           << "upToDate" << false << "You're Up to Date" << upToDateText << ok;
    QTest::newRow("404 with a valid body") << 404 << manifestJson(u"99.0"_s)
                                           << "error" << true << "Couldn't Check for Updates" << unreachable << ok;
    QTest::newRow("500 with a valid body") << 500 << manifestJson(u"99.0"_s)
                                           << "error" << true << "Couldn't Check for Updates" << unreachable << ok;
    QTest::newRow("204 without a body") << 204 << QByteArray()
                                        << "error" << true << "Couldn't Check for Updates" << unreachable << ok;
    QTest::newRow("garbage body") << 200 << QByteArray("\x89PNG\r\n\x1a\n garbage {{{")
                                  << "error" << true << "Couldn't Check for Updates" << unreachable << ok;
    QTest::newRow("version as a number") << 200 << json("{'version': 99, 'downloadUrl': 'https://a.example/'}")
                                         << "error" << true << "Couldn't Check for Updates" << unreachable << ok;
    QTest::newRow("no downloadUrl") << 200 << json("{'version': '99'}")
                                    << "error" << true << "Couldn't Check for Updates" << unreachable << ok;
    QTest::newRow("file downloadUrl") << 200 << json("{'version': '99', 'downloadUrl': 'file:///etc/passwd'}")
                                      << "error" << true << "Couldn't Check for Updates" << unreachable << ok;

    // Largest accepted body: a valid manifest padded with spaces to exactly 1 MiB.
    QByteArray limit = manifestJson(u"99.0"_s);
    limit.append(UpdateChecker::maximumBodySize - limit.size(), ' ');
    QTest::newRow("exactly 1 MiB") << 200 << limit
                                   << "updateAvailable" << false << "Halvoscope 99.0 is Available" << runningText << updateButtons;
    QTest::newRow("1 MiB and a byte") << 200 << limit + ' '
                                      << "error" << true << "Couldn't Check for Updates" << unreachable << ok;
}

void TestUpdateChecker::checkAgainstFeed()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, kind);
    QFETCH(bool, warning);
    QFETCH(QString, message);
    QFETCH(QString, informative);
    QFETCH(QStringList, buttons);

    FeedServer server;
    FeedServer::Response response;
    response.status = status;
    response.body = body;
    server.setResponse("/updates.json", response);

    auto presenter = std::make_shared<RecordingPresenter>();
    presenter->pressedButton = -1;
    UpdateChecker checker(server.url(), presenter);
    QCOMPARE(checker.stateKind(), QStringLiteral("idle"));

    checker.checkForUpdates(true);
    QVERIFY(checker.isChecking());
    QTRY_VERIFY(!checker.isChecking());

    QCOMPARE(checker.stateKind(), kind);
    if (kind == QLatin1String("updateAvailable")) {
        QCOMPARE(checker.state(), UpdateCheckState::updateAvailable(*AppUpdateManifest::fromJson(body)));
    } else if (kind == QLatin1String("upToDate")) {
        QCOMPARE(checker.state(), UpdateCheckState::upToDate(UpdateChecker::currentVersion()));
    } else {
        QCOMPARE(checker.state(), UpdateCheckState::error(unreachable));
    }

    QCOMPARE(presenter->alerts.size(), 1);
    const UpdateAlert &alert = presenter->alerts.first();
    QCOMPARE(alert.style, warning ? UpdateAlert::Style::Warning : UpdateAlert::Style::Informational);
    QCOMPARE(alert.message, message);
    QCOMPARE(alert.informativeText, informative);
    QCOMPARE(alert.buttons, buttons);
    QVERIFY(presenter->openedUrls.isEmpty());
    QCOMPARE(server.requests().size(), 1);
}

void TestUpdateChecker::sendsOneGetWithUserAgent()
{
    FeedServer server;
    FeedServer::Response response;
    response.body = manifestJson(u"0.1"_s);
    server.setResponse("/updates.json", response);

    UpdateChecker checker(server.url(), nullptr);
    checker.checkForUpdates(true);
    QTRY_COMPARE(checker.stateKind(), QStringLiteral("upToDate"));

    QCOMPARE(server.requests().size(), 1);
    const FeedServer::Request &request = server.requests().first();
    QCOMPARE(request.requestLine, QByteArray("GET /updates.json HTTP/1.1"));
    QCOMPARE(request.headers.value("user-agent"), "Halvoscope/" + UpdateChecker::currentVersion().toUtf8());
    QCOMPARE(request.headers.value("cache-control"), QByteArray("no-cache"));
    QVERIFY(!request.headers.contains("content-length"));
}

void TestUpdateChecker::followsSameSchemeRedirect()
{
    FeedServer server;
    FeedServer::Response moved;
    moved.status = 302;
    moved.body = manifestJson(u"99.0"_s);
    moved.extraHeaders = "Location: " + server.url(QStringLiteral("/feed/current.json")).toEncoded() + "\r\n";
    server.setResponse("/updates.json", moved);
    FeedServer::Response current;
    current.body = manifestJson(u"0.5"_s);
    server.setResponse("/feed/current.json", current);

    UpdateChecker checker(server.url(), nullptr);
    checker.checkForUpdates(false);
    QTRY_VERIFY(!checker.isChecking());

    QCOMPARE(checker.state(), UpdateCheckState::upToDate(UpdateChecker::currentVersion()));
    QCOMPARE(server.requests().size(), 2);
    QCOMPARE(server.requests().at(1).requestLine, QByteArray("GET /feed/current.json HTTP/1.1"));
}

void TestUpdateChecker::oversizedBodyIsNotRead_data()
{
    QTest::addColumn<bool>("announcesLength");
    QTest::newRow("with Content-Length") << true;
    QTest::newRow("until the connection closes") << false;
}

void TestUpdateChecker::oversizedBodyIsNotRead()
{
    QFETCH(bool, announcesLength);

    constexpr qint64 hugeBody = 256ll * 1024 * 1024;
    FeedServer server;
    FeedServer::Response response;
    response.mode = FeedServer::Response::Mode::Stream;
    response.streamSize = hugeBody;
    response.sendContentLength = announcesLength;
    server.setResponse("/updates.json", response);

    auto presenter = std::make_shared<RecordingPresenter>();
    UpdateChecker checker(server.url(), presenter);
    checker.checkForUpdates(true);
    QTRY_VERIFY_WITH_TIMEOUT(!checker.isChecking(), 20000);

    QCOMPARE(checker.state(), UpdateCheckState::error(unreachable));
    QCOMPARE(presenter->alerts.size(), 1);
    QCOMPARE(presenter->alerts.first(), UpdateAlert::failure(unreachable));
    // The client hung up long before the server could send it all.
    QTRY_VERIFY(server.streamCutShort());
    QVERIFY2(server.streamedBytes() < 32 * 1024 * 1024, QByteArray::number(server.streamedBytes()));
}

void TestUpdateChecker::silentServerTimesOut()
{
    FeedServer server;
    FeedServer::Response response;
    response.mode = FeedServer::Response::Mode::Silent;
    server.setResponse("/updates.json", response);

    auto presenter = std::make_shared<RecordingPresenter>();
    UpdateChecker checker(server.url(), presenter);
    checker.setTransferTimeout(1000ms);
    checker.checkForUpdates(true);
    QTRY_COMPARE(server.requests().size(), 1);
    QVERIFY(checker.isChecking());

    QTRY_VERIFY_WITH_TIMEOUT(!checker.isChecking(), 10000);
    QCOMPARE(checker.state(), UpdateCheckState::error(unreachable));
    QCOMPARE(presenter->alerts.size(), 1);
    QCOMPARE(presenter->alerts.first(), UpdateAlert::failure(unreachable));
}

// A byte a second never leaves the connection idle for long; the deadline
// covers the whole transfer, so the check still ends when it passes.
void TestUpdateChecker::drippingServerTimesOutAtTheDeadline()
{
    FeedServer server;
    FeedServer::Response response;
    response.mode = FeedServer::Response::Mode::Drip;
    response.body = manifestJson(u"99.0"_s);
    response.dripInterval = 1000ms;
    server.setResponse("/updates.json", response);

    auto presenter = std::make_shared<RecordingPresenter>();
    UpdateChecker checker(server.url(), presenter);
    checker.setTransferTimeout(2500ms);
    QElapsedTimer clock;
    clock.start();
    checker.checkForUpdates(true);

    QTRY_VERIFY_WITH_TIMEOUT(!checker.isChecking(), 15000);
    QVERIFY2(clock.elapsed() >= 2500, QByteArray::number(clock.elapsed()));
    QCOMPARE(checker.state(), UpdateCheckState::error(unreachable));
    QCOMPARE(presenter->alerts.size(), 1);
    QCOMPARE(presenter->alerts.first(), UpdateAlert::failure(unreachable));
    QCOMPARE(server.requests().size(), 1);
}

void TestUpdateChecker::refusedConnectionIsAnError()
{
    quint16 closedPort = 0;
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        closedPort = probe.serverPort();
    }
    auto presenter = std::make_shared<RecordingPresenter>();
    UpdateChecker checker(QUrl(QStringLiteral("http://127.0.0.1:%1/updates.json").arg(closedPort)), presenter);
    checker.checkForUpdates(true);
    QTRY_VERIFY(!checker.isChecking());
    QCOMPARE(checker.state(), UpdateCheckState::error(unreachable));
    QCOMPARE(presenter->alerts.size(), 1);
}

void TestUpdateChecker::secondCallWhileCheckingDoesNothing()
{
    FeedServer server;
    FeedServer::Response response;
    response.mode = FeedServer::Response::Mode::Held;
    response.body = manifestJson(u"0.1"_s);
    server.setResponse("/updates.json", response);

    auto presenter = std::make_shared<RecordingPresenter>();
    UpdateChecker checker(server.url(), presenter);
    QSignalSpy spy(&checker, &UpdateChecker::stateChanged);
    checker.checkForUpdates(true);
    QTRY_COMPARE(server.requests().size(), 1);

    checker.checkForUpdates(true);
    checker.checkForUpdates(false);
    QCOMPARE(spy.size(), 1);
    QVERIFY(checker.isChecking());
    QVERIFY(presenter->alerts.isEmpty());

    server.release();
    QTRY_VERIFY(!checker.isChecking());
    QTest::qWait(100); // a second request would have arrived by now
    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(presenter->alerts.size(), 1);
    QCOMPARE(spy.size(), 2);
}

void TestUpdateChecker::stateNotifiesOnlyOnChange()
{
    FeedServer server;
    FeedServer::Response response;
    response.body = manifestJson(u"0.1"_s);
    server.setResponse("/updates.json", response);

    UpdateChecker checker(server.url(), std::make_shared<RecordingPresenter>());
    QStringList seen;
    QList<bool> checking;
    connect(&checker, &UpdateChecker::stateChanged, this, [&] {
        seen.append(checker.stateKind());
        checking.append(checker.isChecking());
    });
    QCOMPARE(checker.state(), UpdateCheckState::idle());
    QVERIFY(!checker.isChecking());

    checker.checkForUpdates(true);
    QTRY_COMPARE(seen, (QStringList{u"checking"_s, u"upToDate"_s}));
    QCOMPARE(checking, (QList<bool>{true, false}));

    checker.setState(UpdateCheckState::upToDate(UpdateChecker::currentVersion()));
    QCOMPARE(seen.size(), 2);
    checker.setState(UpdateCheckState::upToDate(QStringLiteral("0.0.1")));
    QCOMPARE(seen.size(), 3);
    checker.setState(UpdateCheckState::error(QStringLiteral("a")));
    checker.setState(UpdateCheckState::error(QStringLiteral("a")));
    checker.setState(UpdateCheckState::error(QStringLiteral("b")));
    QCOMPARE(seen, (QStringList{u"checking"_s, u"upToDate"_s, u"upToDate"_s, u"error"_s, u"error"_s}));

    checker.checkForUpdates(true);
    QTRY_COMPARE(seen.size(), 7);
    QCOMPARE(seen.mid(5), (QStringList{u"checking"_s, u"upToDate"_s}));
}

void TestUpdateChecker::downloadButtonOpensPage_data()
{
    QTest::addColumn<int>("pressed");
    QTest::addColumn<bool>("opens");
    QTest::newRow("Download Update") << 0 << true;
    QTest::newRow("Later") << 1 << false;
    QTest::newRow("dismissed") << -1 << false;
}

void TestUpdateChecker::downloadButtonOpensPage()
{
    QFETCH(int, pressed);
    QFETCH(bool, opens);

    FeedServer server;
    FeedServer::Response response;
    response.body = manifestJson(u"99.0"_s);
    server.setResponse("/updates.json", response);

    auto presenter = std::make_shared<RecordingPresenter>();
    presenter->pressedButton = pressed;
    UpdateChecker checker(server.url(), presenter);
    checker.checkForUpdates(true);
    QTRY_COMPARE(presenter->alerts.size(), 1);
    QCOMPARE(presenter->openedUrls,
             opens ? QList<QUrl>{QUrl(QStringLiteral("https://corvanta.com/halvoscope"))} : QList<QUrl>{});
}

void TestUpdateChecker::backgroundCheckShowsNothing()
{
    FeedServer server;
    FeedServer::Response response;
    response.body = manifestJson(u"99.0"_s);
    server.setResponse("/updates.json", response);

    auto presenter = std::make_shared<RecordingPresenter>();
    UpdateChecker checker(server.url(), presenter);
    checker.checkForUpdates(false);
    QTRY_COMPARE(checker.stateKind(), QStringLiteral("updateAvailable"));
    QTest::qWait(50);
    QVERIFY(presenter->alerts.isEmpty());
    QVERIFY(presenter->openedUrls.isEmpty());
}

void TestUpdateChecker::deleteWhenFinishedWaitsForTheAlert()
{
    FeedServer server;
    FeedServer::Response response;
    response.mode = FeedServer::Response::Mode::Held;
    response.body = manifestJson(u"0.1"_s);
    server.setResponse("/updates.json", response);

    auto presenter = std::make_shared<RecordingPresenter>();
    QPointer<UpdateChecker> checker = new UpdateChecker(server.url(), presenter);
    checker->checkForUpdates(true);
    QTRY_COMPARE(server.requests().size(), 1);

    checker->deleteWhenFinished();
    QTest::qWait(50);
    QVERIFY(checker);

    server.release();
    QTRY_VERIFY(!checker);
    QCOMPARE(presenter->alerts.size(), 1);
    QCOMPARE(presenter->alerts.first(), UpdateAlert::upToDate(UpdateChecker::currentVersion()));

    QPointer<UpdateChecker> idle = new UpdateChecker(server.url(), presenter);
    idle->deleteWhenFinished();
    QTRY_VERIFY(!idle);
}

void TestUpdateChecker::checkerDestroyedDuringAlert()
{
    FeedServer server;
    FeedServer::Response response;
    response.body = manifestJson(u"99.0"_s);
    server.setResponse("/updates.json", response);

    auto presenter = std::make_shared<RecordingPresenter>();
    QPointer<UpdateChecker> checker = new UpdateChecker(server.url(), presenter);
    presenter->whilePresenting = [&] { delete checker.data(); };
    checker->checkForUpdates(true);
    QTRY_COMPARE(presenter->alerts.size(), 1);
    QVERIFY(!checker);
    QCOMPARE(presenter->openedUrls, QList<QUrl>{QUrl(QStringLiteral("https://corvanta.com/halvoscope"))});
}

QTEST_GUILESS_MAIN(TestUpdateChecker)
#include "tst_updatechecker.moc"
