#include "platform/xdg/autostartloginitem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace {

const QLatin1String entryFileName("com.corvanta.Halvoscope.desktop");

void describe(QString *errorDescription, const QString &text)
{
    if (errorDescription)
        *errorDescription = text;
}

// Hidden=true inside the [Desktop Entry] group means the user deleted the entry.
bool isHidden(const QByteArray &contents)
{
    bool inMainGroup = false;
    for (const QByteArray &rawLine : contents.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        if (line.startsWith('[')) {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inMainGroup || equals < 0)
            continue;
        if (line.left(equals).trimmed() == "Hidden" && line.mid(equals + 1).trimmed() == "true")
            return true;
    }
    return false;
}

} // namespace

AutostartLoginItem::AutostartLoginItem()
    : AutostartLoginItem(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                         QCoreApplication::applicationFilePath())
{
}

AutostartLoginItem::AutostartLoginItem(const QString &configDirectory, const QString &executablePath)
    : m_configDirectory(configDirectory)
    , m_executablePath(executablePath)
{
}

QString AutostartLoginItem::entryPath() const
{
    return m_configDirectory + QLatin1String("/autostart/") + entryFileName;
}

QString AutostartLoginItem::execValue(const QString &program)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#`()");
    bool needsQuotes = program.isEmpty();
    for (const QChar c : program)
        needsQuotes = needsQuotes || reserved.contains(c);

    QString argument;
    if (needsQuotes) {
        argument += QLatin1Char('"');
        for (const QChar c : program) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
                argument += QLatin1Char('\\');
            argument += c;
        }
        argument += QLatin1Char('"');
    } else {
        argument = program;
    }
    argument.replace(QLatin1Char('%'), QLatin1String("%%"));
    return stringValue(argument);
}

// The value is also a string value of the file, whose own escapes apply first
// when it is read back.
QString AutostartLoginItem::stringValue(const QString &text)
{
    QString value;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\': value += QLatin1String("\\\\"); break;
        case '\n': value += QLatin1String("\\n"); break;
        case '\t': value += QLatin1String("\\t"); break;
        case '\r': value += QLatin1String("\\r"); break;
        default: value += c; break;
        }
    }
    return value;
}

QString AutostartLoginItem::desktopEntry() const
{
    return QLatin1String("[Desktop Entry]\n"
                         "Type=Application\n"
                         "Name=Halvoscope\n"
                         "Exec=")
           + execValue(m_executablePath)
           // A session skips the entry once the binary is gone (a deleted
           // build tree, an uninstalled package) instead of failing each login.
           + QLatin1String("\nTryExec=") + stringValue(m_executablePath)
           + QLatin1String("\n"
                           "Icon=com.corvanta.Halvoscope\n"
                           "Terminal=false\n"
                           "NoDisplay=false\n"
                           "X-GNOME-Autostart-enabled=true\n");
}

bool AutostartLoginItem::registerItem(QString *errorDescription)
{
    // A failure here shows up, with the system's reason, when the file is opened.
    QDir().mkpath(m_configDirectory + QLatin1String("/autostart"));

    QSaveFile file(entryPath());
    if (!file.open(QIODevice::WriteOnly)) {
        describe(errorDescription, file.errorString());
        return false;
    }
    const QByteArray contents = desktopEntry().toUtf8();
    if (file.write(contents) != contents.size()) {
        describe(errorDescription, file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        describe(errorDescription, file.errorString());
        return false;
    }
    return true;
}

bool AutostartLoginItem::unregisterItem(QString *errorDescription)
{
    const QByteArray path = QFile::encodeName(entryPath());
    if (::unlink(path.constData()) == 0)
        return true;
    const int error = errno;
    if (error == ENOENT)
        return true;
    describe(errorDescription, QString::fromLocal8Bit(std::strerror(error)));
    return false;
}

bool AutostartLoginItem::isEnabled() const
{
    QFile file(entryPath());
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    return !isHidden(file.readAll());
}

QString AutostartLoginItem::reasonToStartOff() const
{
    const QFileInfo executable(m_executablePath);
    if (!QFileInfo::exists(executable.dir().filePath(QStringLiteral("CMakeCache.txt"))))
        return {};
    return QCoreApplication::translate("AutostartLoginItem",
                                       "Off · Halvoscope runs from its build folder; to start it at login, install it "
                                       "(make install or the package)");
}
