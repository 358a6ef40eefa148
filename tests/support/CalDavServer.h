#pragma once

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

// A real Radicale on the loopback address for the sync suites: a free port, plain htpasswd
// users and a storage folder of its own, stopped with the suite.
class CalDavServer
{
public:
    ~CalDavServer() { stop(); }

    // With `certificate` and `key` (PEM files), it speaks HTTPS only.
    bool start(const QString& folder, const QString& user, const QString& password,
               const QString& certificate = {}, const QString& key = {})
    {
        m_https = !certificate.isEmpty();
        m_folder = folder;
        m_user = user;
        m_password = password;
        if (m_port == 0)
            m_port = freePort();
        QString config = QStringLiteral("[server]\nhosts = 127.0.0.1:%1\n").arg(m_port);
        if (m_https)
            config +=
                QStringLiteral("ssl = True\ncertificate = %1\nkey = %2\n").arg(certificate, key);
        config += QStringLiteral("[auth]\ntype = htpasswd\nhtpasswd_filename = %1/users\n"
                                 "htpasswd_encryption = plain\n"
                                 "[storage]\nfilesystem_folder = %1/storage\n"
                                 "[logging]\nlevel = warning\n")
                      .arg(folder);
        return QDir().mkpath(folder + QLatin1String("/storage")) &&
               write(folder + QLatin1String("/users"), user + ':' + password + '\n') &&
               write(folder + QLatin1String("/config"), config) && restart();
    }

    // Starts it again on the same port and storage.
    bool restart()
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral("radicale"),
                        {QStringLiteral("-C"), m_folder + QLatin1String("/config")});
        if (!m_process.waitForStarted(10000))
            return false;
        QDeadlineTimer deadline(20000);
        while (!deadline.hasExpired()) {
            QTcpSocket probe;
            probe.connectToHost(QStringLiteral("127.0.0.1"), m_port);
            if (probe.waitForConnected(200))
                return true;
            QThread::msleep(100);
        }
        return false;
    }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.terminate();
        if (!m_process.waitForFinished(10000))
            m_process.kill();
        m_process.waitForFinished(2000);
    }

    QString url() const
    {
        return QStringLiteral("%1://127.0.0.1:%2/")
            .arg(m_https ? QLatin1String("https") : QLatin1String("http"))
            .arg(m_port);
    }

    // A task list on the server, as a phone or another computer would make it.
    bool makeCalendar(const QString& name, const QString& displayName)
    {
        const QByteArray body =
            "<?xml version=\"1.0\"?><C:mkcalendar xmlns:D=\"DAV:\" "
            "xmlns:C=\"urn:ietf:params:xml:ns:caldav\"><D:set><D:prop><D:displayname>" +
            displayName.toHtmlEscaped().toUtf8() +
            "</D:displayname><C:supported-calendar-component-set><C:comp name=\"VTODO\"/>"
            "</C:supported-calendar-component-set></D:prop></D:set></C:mkcalendar>";
        return send("MKCALENDAR", name + QLatin1Char('/'), body) == 201;
    }
    bool deleteCollection(const QString& name)
    {
        return send("DELETE", name + QLatin1Char('/'), {}) < 300;
    }

    // The iCalendar text of every item the server keeps for `collection`.
    QStringList itemTexts(const QString& collection) const
    {
        QStringList texts;
        QDir dir(m_folder +
                 QStringLiteral("/storage/collection-root/%1/%2").arg(m_user, collection));
        for (const QString& name : dir.entryList({QStringLiteral("*.ics")}, QDir::Files)) {
            QFile file(dir.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                texts.append(QString::fromUtf8(file.readAll()));
        }
        return texts;
    }

private:
    static bool write(const QString& path, const QString& text)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0;
    }

    static quint16 freePort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }

    int send(const QByteArray& verb, const QString& path, const QByteArray& body)
    {
        QNetworkAccessManager network;
        QNetworkRequest request(QUrl(url() + m_user + QLatin1Char('/') + path));
        request.setRawHeader("Authorization",
                             "Basic " +
                                 (m_user + QLatin1Char(':') + m_password).toUtf8().toBase64());
        request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/xml"));
        QNetworkReply* reply = network.sendCustomRequest(request, verb, body);
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        reply->deleteLater();
        return status;
    }

    QProcess m_process;
    QString m_folder;
    QString m_user;
    QString m_password;
    quint16 m_port = 0;
    bool m_https = false;
};

// The secret service for the sync suites: gnome-keyring on the suite's private session bus,
// its login keyring created and unlocked with a password handed on standard input.
inline bool startKeyring()
{
    QProcess daemon;
    daemon.start(QStringLiteral("gnome-keyring-daemon"),
                 {QStringLiteral("--unlock"), QStringLiteral("--components=secrets")});
    if (!daemon.waitForStarted(10000))
        return false;
    daemon.write("keyring password for the suite");
    daemon.closeWriteChannel();
    // It forks and leaves a daemon behind on the bus, which ends with the bus.
    return daemon.waitForFinished(20000) && daemon.exitCode() == 0;
}
