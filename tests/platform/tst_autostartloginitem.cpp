#include "platform/xdg/autostartloginitem.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

ino_t inodeOf(const QString &path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

QByteArray expectedEntry(const QByteArray &exec, const QByteArray &tryExec)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Halvoscope\n"
           "Exec="
           + exec + "\nTryExec=" + tryExec + "\n"
                                             "Icon=com.corvanta.Halvoscope\n"
                                             "Terminal=false\n"
                                             "NoDisplay=false\n"
                                             "X-GNOME-Autostart-enabled=true\n";
}

} // namespace

class TestAutostartLoginItem : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void registerAndUnregister();
    void execValue_data();
    void execValue();
    void desktopLauncherRunsTheExecutable();
    void hiddenEntry_data();
    void hiddenEntry();
    void reRegisterReplacesTheFile();
    void registerFailure_data();
    void registerFailure();
    void unregisterFailure();
    void defaultsFollowXdgConfigHome();
    void buildTreeStartsOff_data();
    void buildTreeStartsOff();
};

void TestAutostartLoginItem::registerAndUnregister()
{
    QTemporaryDir temp;
    const QString config = temp.filePath(QStringLiteral("fresh/config"));
    AutostartLoginItem item(config, QStringLiteral("/usr/bin/halvoscope"));
    const QString entry = config + QStringLiteral("/autostart/com.corvanta.Halvoscope.desktop");
    QCOMPARE(item.entryPath(), entry);
    QVERIFY(!item.isEnabled());

    QString error = QStringLiteral("untouched");
    QVERIFY(item.registerItem(&error));
    QCOMPARE(error, QStringLiteral("untouched"));
    QCOMPARE(readFile(entry), expectedEntry("/usr/bin/halvoscope", "/usr/bin/halvoscope"));
    QVERIFY(item.isEnabled());

    QVERIFY(item.unregisterItem(&error));
    QVERIFY(!QFile::exists(entry));
    QVERIFY(!item.isEnabled());
    QVERIFY(item.unregisterItem(nullptr)); // already gone is still success
    QCOMPARE(error, QStringLiteral("untouched"));
}

void TestAutostartLoginItem::execValue_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("exec");
    // TryExec names the file itself: string escapes only, no quotes, % as it is.
    QTest::addColumn<QString>("tryExec");

    QTest::newRow("plain") << "/usr/bin/halvoscope"
                           << "/usr/bin/halvoscope"
                           << "/usr/bin/halvoscope";
    QTest::newRow("spaces") << "/opt/My Apps/halvoscope"
                            << "\"/opt/My Apps/halvoscope\""
                            << "/opt/My Apps/halvoscope";
    QTest::newRow("dollar") << "/home/u/$HOME/h"
                            << "\"/home/u/\\\\$HOME/h\""
                            << "/home/u/$HOME/h";
    QTest::newRow("double quote") << "/a\"b/h"
                                  << "\"/a\\\\\"b/h\""
                                  << "/a\"b/h";
    QTest::newRow("backtick") << "/a`b/h"
                              << "\"/a\\\\`b/h\""
                              << "/a`b/h";
    QTest::newRow("backslash") << "/a\\b/h"
                               << "\"/a\\\\\\\\b/h\""
                               << "/a\\\\b/h";
    QTest::newRow("single quote") << "/it's/h"
                                  << "\"/it's/h\""
                                  << "/it's/h";
    QTest::newRow("tilde and hash") << "/~x#1/h"
                                    << "\"/~x#1/h\""
                                    << "/~x#1/h";
    QTest::newRow("percent") << "/100%/h"
                             << "/100%%/h"
                             << "/100%/h";
    QTest::newRow("percent and space") << "/100 %/h"
                                       << "\"/100 %%/h\""
                                       << "/100 %/h";
    QTest::newRow("tab") << "/a\tb/h"
                         << "\"/a\\tb/h\""
                         << "/a\\tb/h";
    QTest::newRow("non-ASCII") << QString::fromUtf8("/opt/Bilder/\u00fc/h") << QString::fromUtf8("/opt/Bilder/\u00fc/h")
                               << QString::fromUtf8("/opt/Bilder/\u00fc/h");
}

void TestAutostartLoginItem::execValue()
{
    QFETCH(QString, program);
    QFETCH(QString, exec);
    QCOMPARE(AutostartLoginItem::execValue(program), exec);

    QTemporaryDir temp;
    AutostartLoginItem item(temp.path(), program);
    QVERIFY(item.registerItem(nullptr));
    QFETCH(QString, tryExec);
    QCOMPARE(readFile(item.entryPath()), expectedEntry(exec.toUtf8(), tryExec.toUtf8()));
}

// GLib's desktop-entry reader (what GNOME's session uses for autostart) must
// run exactly our executable, however awkward its path.
void TestAutostartLoginItem::desktopLauncherRunsTheExecutable()
{
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (gio.isEmpty())
        QSKIP("gio (libglib2.0-bin) is not installed");

    QTemporaryDir temp;
    const QString folder = temp.filePath(QStringLiteral("My Apps/it's \"$HOME\" `x`; (a|b) & c"));
    QVERIFY(QDir().mkpath(folder));
    const QString program = folder + QStringLiteral("/halvo scope");
    const QString marker = temp.filePath(QStringLiteral("ran"));
    QVERIFY(writeFile(program, "#!/bin/sh\nprintf '%s' \"$0\" > '" + marker.toUtf8() + "'\n"));
    QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    AutostartLoginItem item(temp.filePath(QStringLiteral("config")), program);
    QVERIFY(item.registerItem(nullptr));

    QProcess launcher;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), temp.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), temp.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), temp.filePath(QStringLiteral("data")));
    environment.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    launcher.setProcessEnvironment(environment);
    launcher.start(gio, {QStringLiteral("launch"), item.entryPath()});
    QVERIFY(launcher.waitForFinished(10000));
    QCOMPARE(launcher.exitCode(), 0);
    QTRY_COMPARE(QString::fromUtf8(readFile(marker)), program);
}

void TestAutostartLoginItem::hiddenEntry_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("enabled");

    const QByteArray head = "[Desktop Entry]\nType=Application\nName=Halvoscope\nExec=/usr/bin/halvoscope\n";
    QTest::newRow("Hidden=true") << head + "Hidden=true\n"
                                 << false;
    QTest::newRow("spaces around =") << head + "Hidden = true\n"
                                     << false;
    QTest::newRow("CRLF line ends") << QByteArray(head + "Hidden=true\r\n").replace("\n", "\r\n") << false;
    QTest::newRow("no final newline") << head + "Hidden=true" << false;
    QTest::newRow("Hidden=false") << head + "Hidden=false\n"
                                  << true;
    QTest::newRow("key case matters") << head + "hidden=true\n"
                                      << true;
    QTest::newRow("value case matters") << head + "Hidden=TRUE\n"
                                        << true;
    QTest::newRow("comment") << head + "# Hidden=true\n"
                             << true;
    QTest::newRow("localised key") << head + "Hidden[de]=true\n"
                                   << true;
    QTest::newRow("other group") << head + "\n[Desktop Action Quit]\nHidden=true\n"
                                 << true;
    QTest::newRow("before the main group") << "[Other]\nHidden=true\n" + head << true;
    QTest::newRow("empty file") << QByteArray() << true;
}

void TestAutostartLoginItem::hiddenEntry()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, enabled);

    QTemporaryDir temp;
    AutostartLoginItem item(temp.path(), QStringLiteral("/usr/bin/halvoscope"));
    QVERIFY(QDir().mkpath(temp.filePath(QStringLiteral("autostart"))));
    QVERIFY(writeFile(item.entryPath(), contents));
    QCOMPARE(item.isEnabled(), enabled);
}

void TestAutostartLoginItem::reRegisterReplacesTheFile()
{
    QTemporaryDir temp;
    AutostartLoginItem item(temp.path(), QStringLiteral("/usr/bin/halvoscope"));
    QVERIFY(QDir().mkpath(temp.filePath(QStringLiteral("autostart"))));
    QVERIFY(writeFile(item.entryPath(), "[Desktop Entry]\nExec=/old/halvoscope --stale\nHidden=true\n"
                                            + QByteArray(8192, '#') + '\n'));
    const ino_t before = inodeOf(item.entryPath());
    QVERIFY(!item.isEnabled());

    QString error;
    QVERIFY2(item.registerItem(&error), qPrintable(error));
    QVERIFY(item.isEnabled());
    QCOMPARE(readFile(item.entryPath()), expectedEntry("/usr/bin/halvoscope", "/usr/bin/halvoscope"));
    // A new file renamed into place, never the old one rewritten in place.
    QVERIFY(inodeOf(item.entryPath()) != before);
    QCOMPARE(QDir(temp.filePath(QStringLiteral("autostart"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("com.corvanta.Halvoscope.desktop")});
}

void TestAutostartLoginItem::registerFailure_data()
{
    QTest::addColumn<bool>("autostartIsFile");
    QTest::newRow("autostart is a regular file") << true;
    QTest::newRow("entry path is a folder") << false;
}

void TestAutostartLoginItem::registerFailure()
{
    QFETCH(bool, autostartIsFile);

    QTemporaryDir temp;
    AutostartLoginItem item(temp.path(), QStringLiteral("/usr/bin/halvoscope"));
    const QString autostart = temp.filePath(QStringLiteral("autostart"));
    if (autostartIsFile)
        QVERIFY(writeFile(autostart, "not a folder"));
    else
        QVERIFY(QDir().mkpath(item.entryPath() + QStringLiteral("/inside")));

    QString error;
    QVERIFY(!item.registerItem(&error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!item.isEnabled());

    if (autostartIsFile) {
        QCOMPARE(readFile(autostart), QByteArray("not a folder"));
        QCOMPARE(QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("autostart")});
    } else {
        QVERIFY(QFileInfo(item.entryPath()).isDir());
        QCOMPARE(QDir(autostart).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("com.corvanta.Halvoscope.desktop")});
    }
}

void TestAutostartLoginItem::unregisterFailure()
{
    QTemporaryDir temp;
    AutostartLoginItem item(temp.path(), QStringLiteral("/usr/bin/halvoscope"));
    QVERIFY(QDir().mkpath(item.entryPath() + QStringLiteral("/inside")));

    QString error;
    QVERIFY(!item.unregisterItem(&error));
    QCOMPARE(error, QString::fromLocal8Bit(std::strerror(EISDIR)));
    QVERIFY(QFileInfo(item.entryPath()).isDir());
}

void TestAutostartLoginItem::defaultsFollowXdgConfigHome()
{
    QTemporaryDir temp;
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(temp.path()));
    AutostartLoginItem item;
    if (previous.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", previous);

    QCOMPARE(item.entryPath(), temp.path() + QStringLiteral("/autostart/com.corvanta.Halvoscope.desktop"));
    QVERIFY(item.registerItem(nullptr));
    QCOMPARE(readFile(item.entryPath()),
             expectedEntry(AutostartLoginItem::execValue(QCoreApplication::applicationFilePath()).toUtf8(),
                           AutostartLoginItem::stringValue(QCoreApplication::applicationFilePath()).toUtf8()));
}

void TestAutostartLoginItem::buildTreeStartsOff_data()
{
    QTest::addColumn<QString>("besideBinary");
    QTest::addColumn<bool>("startsOff");
    QTest::newRow("installed") << QString() << false;
    QTest::newRow("build tree") << QStringLiteral("CMakeCache.txt") << true;
    QTest::newRow("a cache one folder up") << QStringLiteral("../CMakeCache.txt") << false;
}

void TestAutostartLoginItem::buildTreeStartsOff()
{
    QFETCH(QString, besideBinary);
    QTemporaryDir temp;
    QVERIFY(QDir(temp.path()).mkpath(QStringLiteral("tree/bin")));
    if (!besideBinary.isEmpty()) {
        QFile cache(temp.filePath(QStringLiteral("tree/bin/") + besideBinary));
        QVERIFY(cache.open(QIODevice::WriteOnly));
    }
    const AutostartLoginItem item(temp.path(), temp.filePath(QStringLiteral("tree/bin/halvoscope")));
    QTEST(!item.reasonToStartOff().isEmpty(), "startsOff");
}

QTEST_GUILESS_MAIN(TestAutostartLoginItem)
#include "tst_autostartloginitem.moc"
