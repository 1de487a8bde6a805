#include "fakeddcutilcontrol.h"

#include <QFile>
#include <QTextStream>

FakeDdcutilControl::FakeDdcutilControl()
    : m_path(m_dir.filePath(QStringLiteral("ddcutil-state")))
    , m_gatePath(m_dir.filePath(QStringLiteral("gate")))
{
    qputenv("FAKE_DDCUTIL_STATE", m_path.toLocal8Bit());
    // Set before any library call, so no thread reads the environment while
    // it changes; the gate itself opens and closes through the file.
    qputenv("FAKE_DDCUTIL_GATE", m_gatePath.toLocal8Bit());
    openGate();
    write();
}

FakeDdcutilControl::~FakeDdcutilControl()
{
    openGate();
    qunsetenv("FAKE_DDCUTIL_GATE");
    qunsetenv("FAKE_DDCUTIL_STATE");
}

void FakeDdcutilControl::closeGate()
{
    if (QFile::exists(m_gatePath) && !QFile::remove(m_gatePath))
        qFatal("cannot remove %s", qPrintable(m_gatePath));
}

void FakeDdcutilControl::openGate()
{
    QFile gate(m_gatePath);
    if (!gate.open(QIODevice::WriteOnly))
        qFatal("cannot create %s", qPrintable(m_gatePath));
}

bool FakeDdcutilControl::isWaitingAtGate() const
{
    return QFile::exists(m_gatePath + QStringLiteral(".waiting"));
}

void FakeDdcutilControl::setVersion(int major)
{
    m_version = major;
    write();
}

void FakeDdcutilControl::setListFails(bool fails)
{
    m_listFails = fails;
    write();
}

void FakeDdcutilControl::addMonitor(const Monitor &monitor)
{
    m_monitors.push_back(monitor);
    write();
}

void FakeDdcutilControl::write()
{
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(m_path));
    QTextStream out(&file);
    out << "version " << m_version << "\n";
    out << "list " << (m_listFails ? "fail" : "ok") << "\n";
    out << "handles 0\n";
    for (const Monitor &m : m_monitors) {
        out << "display " << m.kind << ' ' << m.number << " cur " << m.current << " max "
            << m.maximum << " sets " << m.sets;
        if (m.openFails)
            out << " openfail";
        if (m.getFails)
            out << " getfail";
        if (m.setFails)
            out << " setfail";
        out << "\n";
    }
}

std::vector<FakeDdcutilControl::Monitor> FakeDdcutilControl::monitors() const
{
    std::vector<Monitor> result;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    const auto lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const auto words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() < 3 || words[0] != QLatin1String("display"))
            continue;
        Monitor m;
        m.kind = words[1];
        m.number = words[2].toInt();
        for (qsizetype i = 3; i < words.size(); ++i) {
            const QString &w = words[i];
            const long next = i + 1 < words.size() ? words[i + 1].toLong() : 0;
            if (w == QLatin1String("cur"))
                m.current = next;
            else if (w == QLatin1String("max"))
                m.maximum = next;
            else if (w == QLatin1String("sets"))
                m.sets = next;
            else if (w == QLatin1String("openfail"))
                m.openFails = true;
            else if (w == QLatin1String("getfail"))
                m.getFails = true;
            else if (w == QLatin1String("setfail"))
                m.setFails = true;
        }
        result.push_back(m);
    }
    return result;
}

FakeDdcutilControl::Monitor FakeDdcutilControl::monitor(const QString &kind, int number) const
{
    for (const Monitor &m : monitors()) {
        if (m.kind == kind && m.number == number)
            return m;
    }
    qFatal("no fake monitor %s %d", qPrintable(kind), number);
}

long FakeDdcutilControl::openHandles() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const auto lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1String("handles ")))
            return line.mid(8).toLong();
    }
    return -1;
}
