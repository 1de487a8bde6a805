#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

#include <chrono>

// A small HTTP/1.1 server on 127.0.0.1 standing in for the update feed. Each
// path answers as configured; it records every request it sees.
class FeedServer : public QObject {
    Q_OBJECT

public:
    struct Response {
        enum class Mode {
            Answer, // status line, headers and body at once
            Silent, // read the request, never answer
            Held,   // answer only when release() is called
            Stream, // a body of streamSize bytes, written as the client reads
            Drip,   // status line and headers at once, then the body a byte per dripInterval
        };
        Mode mode = Mode::Answer;
        int status = 200;
        QByteArray body;
        QByteArray extraHeaders; // whole lines, each ending in \r\n
        bool sendContentLength = true;
        qint64 streamSize = 0;
        std::chrono::milliseconds dripInterval{1000};
    };

    struct Request {
        QByteArray requestLine;
        QHash<QByteArray, QByteArray> headers; // names in lower case
    };

    explicit FeedServer(QObject *parent = nullptr);

    QUrl url(const QString &path = QStringLiteral("/updates.json")) const;
    void setResponse(const QByteArray &path, const Response &response) { m_responses.insert(path, response); }
    void release();

    const QList<Request> &requests() const { return m_requests; }
    qint64 streamedBytes() const { return m_streamed; }
    bool streamCutShort() const { return m_streamCutShort; }

private:
    void readRequest(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const Response &response);
    void feedStream(QTcpSocket *socket);

    QTcpServer m_server;
    QHash<QByteArray, Response> m_responses;
    QHash<QTcpSocket *, QByteArray> m_pending;
    QList<Request> m_requests;
    QList<QPair<QPointer<QTcpSocket>, Response>> m_held;
    qint64 m_streamed = 0;
    qint64 m_streamSize = 0;
    bool m_streamCutShort = false;
};
