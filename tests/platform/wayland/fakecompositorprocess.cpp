#include "fakecompositorprocess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <cstring>

FakeCompositorProcess::FakeCompositorProcess(const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtimeDir.path());
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(QStringLiteral(FAKE_COMPOSITOR), arguments);
    if (waitUntil([this] { return count("ready ") > 0; }))
        m_socket = m_lines.constFirst().mid(6);
}

FakeCompositorProcess::~FakeCompositorProcess()
{
    // End of input ends it.
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

bool FakeCompositorProcess::command(const QByteArray &line)
{
    const QByteArray done = "done " + line.split(' ').constFirst();
    const int before = count(done);
    m_process.write(line + '\n');
    return waitUntil([&] { return count(done) > before; });
}

bool FakeCompositorProcess::waitUntil(const std::function<bool()> &condition, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        readLines();
        if (condition())
            return true;
        if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning)
            return false;
        m_process.waitForReadyRead(10);
    }
}

bool FakeCompositorProcess::waitForLine(const QByteArray &prefix, int timeoutMs)
{
    const int before = count(prefix);
    return waitUntil([&] { return count(prefix) > before; }, timeoutMs);
}

int FakeCompositorProcess::count(const QByteArray &prefix) const
{
    int n = 0;
    for (const QByteArray &line : m_lines)
        n += line.startsWith(prefix) ? 1 : 0;
    return n;
}

GammaRamp FakeCompositorProcess::lastGamma(const QByteArray &output) const
{
    const QByteArray prefix = "gamma " + output + ' ';
    for (auto it = m_lines.crbegin(); it != m_lines.crend(); ++it) {
        if (!it->startsWith(prefix))
            continue;
        const QByteArray bytes = QByteArray::fromHex(it->mid(prefix.size()));
        const qsizetype size = bytes.size() / 6;
        GammaRamp ramp;
        QList<quint16> *const tables[] = {&ramp.red, &ramp.green, &ramp.blue};
        for (qsizetype channel = 0; channel < 3; ++channel) {
            tables[channel]->resize(size);
            std::memcpy(tables[channel]->data(), bytes.constData() + channel * size * 2,
                        static_cast<size_t>(size) * 2);
        }
        return ramp;
    }
    return {};
}

void FakeCompositorProcess::readLines()
{
    m_buffer += m_process.readAllStandardOutput();
    for (qsizetype end; (end = m_buffer.indexOf('\n')) >= 0;) {
        m_lines.append(m_buffer.left(end));
        m_buffer.remove(0, end + 1);
    }
}
