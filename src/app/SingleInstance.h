#pragma once

#include <QDBusConnection>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

class ApplicationInterface;
struct LaunchOptions;

// One running application per session: the first launch owns the bus name and serves
// ApplicationInterface; a later launch hands its command, URLs or text to it and exits.
class SingleInstance
{
public:
    static constexpr const char* kServiceName = "org.velmoran.Velmoran";
    static constexpr const char* kObjectPath = "/org/velmoran/Velmoran";
    static constexpr const char* kInterface = "org.velmoran.Velmoran";

    enum class Role {
        Primary,   // this process owns the name and serves the interface
        Secondary, // another process owns it
        Alone,     // no session bus: nothing to share, this process does everything itself
    };

    explicit SingleInstance(QDBusConnection connection = QDBusConnection::sessionBus());

    // Serves `service` (which must outlive this object) and claims the name. The object is
    // exported before the name appears, so a caller never finds the name without it.
    Role claim(ApplicationInterface* service);

    // For a secondary launch: the command; else the URLs, then the text; else a request to come
    // to the front. The launcher's activation token travels in `platformData`, so the window
    // the request raises may take the focus. Returns the process exit status; reasons for
    // failure go to standard error.
    int handOver(const LaunchOptions& options, const std::optional<QString>& text,
                 const QVariantMap& platformData);

private:
    bool call(const char* interface, const QString& method, const QVariantList& arguments);

    QDBusConnection m_connection;
};
