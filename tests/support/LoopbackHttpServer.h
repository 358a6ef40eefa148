#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <memory>

// A small HTTP server on 127.0.0.1 for tests of network clients: it records every request and
// answers each as the test says — at once, late, with any status and body, or never.
class LoopbackHttpServer
{
public:
    struct Request
    {
        QByteArray method;
        QByteArray target;                     // the request target as sent, still percent-encoded
        QHash<QByteArray, QByteArray> headers; // lower-case names
        qint64 receivedAtMs = 0;               // since the server started

        QByteArray path() const
        {
            const qsizetype mark = target.indexOf('?');
            return mark < 0 ? target : target.left(mark);
        }
        // The raw value of one query item, or a null array.
        QByteArray rawQueryItem(const QByteArray& key) const
        {
            const qsizetype mark = target.indexOf('?');
            if (mark < 0)
                return {};
            for (const QByteArray& item : target.mid(mark + 1).split('&'))
                if (item.startsWith(key + '='))
                    return item.mid(key.size() + 1);
            return {};
        }
        QString queryItem(const QByteArray& key) const
        {
            return QString::fromUtf8(QByteArray::fromPercentEncoding(rawQueryItem(key)));
        }
    };

    struct Answer
    {
        int status = 200;
        QByteArray contentType = "application/json";
        QByteArray body;
        int delayMs = 0;
        bool never = false;
    };

    using Responder = std::function<Answer(const Request&)>;

    // An address on 127.0.0.1 where nothing listens (a port just taken and given back), for a
    // server that refuses the connection; empty when no port could be taken.
    static QString closedUrl()
    {
        QTcpServer closed;
        if (!closed.listen(QHostAddress::LocalHost))
            return {};
        return QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort());
    }

    explicit LoopbackHttpServer(Responder responder)
        : m_responder(std::move(responder))
    {
        m_clock.start();
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection())
                serve(socket);
        });
    }

    bool isListening() const { return m_server.isListening(); }
    QString baseAddress() const
    {
        return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort());
    }
    const QList<Request>& requests() const { return m_requests; }

private:
    void serve(QTcpSocket* socket)
    {
        auto buffer = std::make_shared<QByteArray>();
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, buffer] {
            *buffer += socket->readAll();
            const qsizetype end = buffer->indexOf("\r\n\r\n");
            if (end < 0)
                return;
            const QList<QByteArray> lines = buffer->left(end).split('\n');
            buffer->remove(0, end + 4);
            Request request;
            const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
            request.method = first.value(0);
            request.target = first.value(1);
            for (qsizetype i = 1; i < lines.size(); ++i) {
                const qsizetype colon = lines[i].indexOf(':');
                if (colon > 0)
                    request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                           lines[i].mid(colon + 1).trimmed());
            }
            request.receivedAtMs = m_clock.elapsed();
            m_requests << request;
            const Answer answer = m_responder(request);
            if (answer.never)
                return;
            // The socket as context: a connection closed meanwhile cancels the answer.
            QTimer::singleShot(answer.delayMs, socket, [socket, answer] {
                socket->write("HTTP/1.1 " + QByteArray::number(answer.status) +
                              " Answer\r\nContent-Type: " + answer.contentType +
                              "\r\nContent-Length: " + QByteArray::number(answer.body.size()) +
                              "\r\nConnection: keep-alive\r\n\r\n" + answer.body);
            });
        });
    }

    Responder m_responder;
    QTcpServer m_server;
    QList<Request> m_requests;
    QElapsedTimer m_clock;
};
