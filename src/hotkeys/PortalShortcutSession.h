#pragma once

#include <QDBusConnection>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

class PortalRequest;
class QDBusMessage;

// One shortcut as the application asks the desktop for it: a stable id (the desktop keeps
// the user's own choice of keys under it), what it does, and the keys it would like, in the
// portal's trigger syntax (PortalTrigger); no keys leaves the choice to the desktop.
struct PortalShortcut
{
    QString id;
    QString description;
    QString preferredTrigger;

    bool operator==(const PortalShortcut& other) const = default;
};

// The application's conversation with the GlobalShortcuts desktop portal (Wayland, where no
// program may grab keys itself): a session that holds exactly the shortcuts last asked for,
// the keys the desktop actually bound to each, and their presses.
//
// Shortcuts are given when the session is created: KDE Plasma 5.27 binds only those, and
// ignores a later BindShortcuts. So a new set of shortcuts closes the session and creates
// another. The desktop files a session's shortcuts under its token (the application has no
// id of its own outside a sandbox), so the token carries the base given here and a digest of
// the wanted keys (see tokenFor). Main thread only.
class PortalShortcutSession : public QObject
{
    Q_OBJECT

public:
    enum class Status {
        Closed,  // nothing asked for (or everything given back)
        Binding, // a request is on its way
        Bound,   // the desktop answered; boundTriggers() says what it bound
        Failed,  // the desktop refused or the portal failed; failure() says why
    };

    explicit PortalShortcutSession(QDBusConnection bus,
                                   const QString& sessionToken = QStringLiteral("velmoran"),
                                   QObject* parent = nullptr);
    // Gives the session back.
    ~PortalShortcutSession() override;

    // Whether the desktop portal on this bus offers global shortcuts.
    static bool isOffered(const QDBusConnection& bus);

    // Binds exactly these shortcuts, replacing the current session; none only closes it.
    // Calls while a request is on its way are folded into one rebind after its answer.
    void bind(const QList<PortalShortcut>& shortcuts);

    // How long a request may go unanswered before it counts as failed.
    void setAnswerTimeout(int milliseconds) { m_answerTimeoutMs = milliseconds; }

    Status status() const { return m_status; }
    QString failure() const { return m_failure; }
    const QList<PortalShortcut>& shortcuts() const { return m_wanted; }
    // The token of the latest session, under which the desktop lists its shortcuts.
    QString sessionToken() const { return m_sessionToken; }
    // The session's object path while one is open; "" otherwise.
    QString sessionHandle() const { return m_sessionHandle; }
    // What the desktop bound, by shortcut id, as the desktop writes keys ("Ctrl+Alt+R"); an
    // id the desktop left without keys maps to "". Empty unless bound.
    QMap<QString, QString> boundTriggers() const { return m_bound; }

Q_SIGNALS:
    // A bound shortcut was pressed.
    void activated(const QString& id);
    // status(), failure() or boundTriggers() changed.
    void changed();

private Q_SLOTS:
    // QtDBus delivers bus signals only to slots named by their signature.
    void onActivated(const QDBusMessage& message);
    void onShortcutsChanged(const QDBusMessage& message);

private:
    void createSession();
    void closeSession();
    void listShortcuts();
    void sessionCreated(const QVariantMap& results);
    void takeShortcuts(const QVariant& shortcuts);
    void fail(const QString& reason);
    void setStatus(Status status);
    // A rebind asked for while a request was on its way runs now; answers whether it did.
    bool runPendingBind();
    PortalRequest* startRequest(const QString& method, const QVariantList& arguments,
                                QVariantMap options);

    QDBusConnection m_bus;
    QString m_tokenBase;
    QString m_sessionToken;
    QList<PortalShortcut> m_wanted;
    QString m_sessionHandle;
    QMap<QString, QString> m_bound;
    Status m_status = Status::Closed;
    QString m_failure;
    PortalRequest* m_request = nullptr;
    bool m_bindPending = false;
    int m_answerTimeoutMs = 30000;
};
