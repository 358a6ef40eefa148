#pragma once

#include <QDBusConnection>
#include <QLatin1String>
#include <QObject>
#include <QVariantMap>

#include <functional>

class QDBusMessage;

// One request to a desktop portal interface. The portal answers a request through a Response
// signal on a request object named after the caller's unique bus name and the request's
// handle token; the signal is subscribed to before the call goes out, so that no answer is
// missed. It answers once: with the response code (0 success, 1 cancelled by the user, 2 any
// other end) and the results, or with the bus's message when the call itself fails, or after
// the time-out when the portal takes the call but never answers.
class PortalRequest : public QObject
{
    Q_OBJECT

public:
    static constexpr QLatin1String kPortalService{"org.freedesktop.portal.Desktop"};
    static constexpr QLatin1String kPortalPath{"/org/freedesktop/portal/desktop"};

    using Answer = std::function<void(uint code, const QVariantMap& results, const QString& error)>;

    PortalRequest(QDBusConnection bus, QString interface, QObject* parent = nullptr);
    ~PortalRequest() override;

    // Calls the method with the arguments, the last of which is the options map; the request
    // adds its handle token to it.
    void send(const QString& method, QVariantList arguments, int timeoutMs, Answer onAnswer);

private Q_SLOTS:
    // QtDBus delivers bus signals only to slots named by their signature.
    void onResponse(const QDBusMessage& message);

private:
    void answer(uint code, const QVariantMap& results, const QString& error);

    QDBusConnection m_bus;
    QString m_interface;
    QString m_handleToken;
    QString m_path;
    Answer m_answer;
};
