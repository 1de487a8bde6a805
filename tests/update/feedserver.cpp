#include "feedserver.h"

#include <QHostAddress>
#include <QTimer>

FeedServer::FeedServer(QObject *parent)
    : QObject(parent)
{
    m_server.listen(QHostAddress::LocalHost, 0);
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

QUrl FeedServer::url(const QString &path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path));
}

void FeedServer::release()
{
    const auto held = std::exchange(m_held, {});
    for (const auto &[socket, response] : held) {
        if (socket) {
            Response answered = response;
            answered.mode = Response::Mode::Answer;
            answer(socket, answered);
        }
    }
}

void FeedServer::readRequest(QTcpSocket *socket)
{
    QByteArray &buffer = m_pending[socket];
    buffer += socket->readAll();
    const qsizetype end = buffer.indexOf("\r\n\r\n");
    if (end < 0)
        return;

    const QList<QByteArray> lines = buffer.left(end).split('\n');
    buffer.remove(0, end + 4);
    Request request;
    request.requestLine = lines.value(0).trimmed();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
    }
    m_requests.append(request);

    const QList<QByteArray> parts = request.requestLine.split(' ');
    const QByteArray path = parts.value(1);
    Response response;
    if (m_responses.contains(path)) {
        response = m_responses.value(path);
    } else {
        response.status = 404;
        response.body = "not here";
    }
    answer(socket, response);
}

void FeedServer::answer(QTcpSocket *socket, const Response &response)
{
    switch (response.mode) {
    case Response::Mode::Silent:
        return;
    case Response::Mode::Held:
        m_held.append({socket, response});
        return;
    case Response::Mode::Answer:
    case Response::Mode::Stream:
    case Response::Mode::Drip:
        break;
    }

    const qint64 length = response.mode == Response::Mode::Stream ? response.streamSize : response.body.size();
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " Status\r\n"
                      + "Content-Type: application/json\r\n" + response.extraHeaders;
    if (response.sendContentLength)
        head += "Content-Length: " + QByteArray::number(length) + "\r\n";
    else
        head += "Connection: close\r\n";
    head += "\r\n";
    socket->write(head);

    if (response.mode == Response::Mode::Answer) {
        socket->write(response.body);
        if (!response.sendContentLength)
            socket->disconnectFromHost();
        return;
    }
    if (response.mode == Response::Mode::Drip) {
        auto *drip = new QTimer(socket);
        drip->setInterval(response.dripInterval);
        connect(drip, &QTimer::timeout, socket, [socket, drip, body = response.body, sent = qsizetype(0)]() mutable {
            if (sent == body.size() || socket->state() != QAbstractSocket::ConnectedState) {
                drip->stop();
                return;
            }
            socket->write(body.mid(sent++, 1));
        });
        drip->start();
        return;
    }

    m_streamed = 0;
    m_streamSize = response.streamSize;
    m_streamCutShort = false;
    connect(socket, &QTcpSocket::bytesWritten, this, [this, socket] { feedStream(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this] {
        if (m_streamed < m_streamSize)
            m_streamCutShort = true;
    });
    connect(socket, &QTcpSocket::errorOccurred, this, [this] {
        if (m_streamed < m_streamSize)
            m_streamCutShort = true;
    });
    feedStream(socket);
}

// Keeps a little ahead of the client so that the amount sent shows how much it read.
void FeedServer::feedStream(QTcpSocket *socket)
{
    const QByteArray chunk(64 * 1024, ' ');
    while (m_streamed < m_streamSize && socket->bytesToWrite() < 4 * chunk.size()
           && socket->state() == QAbstractSocket::ConnectedState) {
        const qint64 size = std::min<qint64>(chunk.size(), m_streamSize - m_streamed);
        socket->write(chunk.left(size));
        m_streamed += size;
    }
}
