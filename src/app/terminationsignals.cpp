#include "app/terminationsignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> handledSignals{SIGTERM, SIGINT, SIGHUP};

int socketPair[2] = {-1, -1};
struct sigaction previousActions[std::size(handledSignals)];

extern "C" void writeSignalNumber(int signalNumber)
{
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    // Non-blocking: if the pipe is full the quit request is already queued.
    [[maybe_unused]] const ssize_t written = ::write(socketPair[0], &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(QObject *parent)
    : QObject(parent)
{
    if (socketPair[0] >= 0)
        return;
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, socketPair) != 0) {
        std::fprintf(stderr, "halvoscope: cannot watch for termination signals: %s\n",
                     std::strerror(errno));
        socketPair[0] = socketPair[1] = -1;
        return;
    }

    m_notifier = new QSocketNotifier(socketPair[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readPending);

    struct sigaction action = {};
    action.sa_handler = writeSignalNumber;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < handledSignals.size(); ++i)
        ::sigaction(handledSignals[i], &action, &previousActions[i]);
}

TerminationSignals::~TerminationSignals()
{
    if (!m_notifier)
        return;
    for (std::size_t i = 0; i < handledSignals.size(); ++i)
        ::sigaction(handledSignals[i], &previousActions[i], nullptr);
    delete m_notifier;
    ::close(socketPair[0]);
    ::close(socketPair[1]);
    socketPair[0] = socketPair[1] = -1;
}

void TerminationSignals::readPending()
{
    unsigned char byte = 0;
    while (::read(socketPair[1], &byte, 1) == 1)
        Q_EMIT received(byte);
}
