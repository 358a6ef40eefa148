#pragma once

#include <QDBusConnection>
#include <QString>
#include <QStringList>

#include <optional>

class ApplicationInterface;

// One running application per session: the first launch owns the bus name and serves
// ApplicationInterface; a later launch hands its URLs or text to it and exits.
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

    // For a secondary launch: each URL, then the text, or with neither a request to come to the
    // front. Returns the process exit status; reasons for failure go to standard error.
    int handOver(const QStringList& urls, const std::optional<QString>& text);

private:
    bool call(const QString& method, const QVariantList& arguments);

    QDBusConnection m_connection;
};
