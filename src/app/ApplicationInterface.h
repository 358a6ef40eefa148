#pragma once

#include <QDBusContext>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <optional>

// What other programs may ask of the running application over the session bus: open a
// "velmoran:" URL, turn a piece of text into a task (the desktop's stand-in for a Services
// menu), come to the front, or run one of the commands a desktop shortcut is bound to. Arguments
// are checked here, before anything reaches the data manager; a refused call gets an InvalidArgs
// error reply and changes nothing.
//
// The same object also speaks org.freedesktop.Application (see FreedesktopApplication), whose
// platform data carry the caller's activation token; the token is handed on (tokenReceived)
// before the request it came with, so the window the request raises may take the focus.
class ApplicationInterface : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.velmoran.Velmoran")

public:
    // Generous for a URL carrying notes, far too small for a caller to exhaust memory with.
    static constexpr qsizetype kMaxUrlLength = 64 * 1024;
    // A selection longer than this is a document, not a task title.
    static constexpr qsizetype kMaxTextLength = 10000;

    // What the global shortcuts do, for desktops where the keys are bound outside the program.
    enum class Command {
        ToggleWindow, // the first shortcut: the main window comes to the front or goes
        ShowPanel,    // the second shortcut: the tray panel opens or closes
        NewTask,      // the quick-add window opens
    };
    // The names on the command line (without "--") and in ActivateAction.
    static QString commandName(Command command);
    static std::optional<Command> commandNamed(const QString& name);

    explicit ApplicationInterface(QObject* parent = nullptr);

    // Why the argument is refused; empty when it is acceptable.
    static QString refusalForUrl(const QString& url);
    static QString refusalForText(const QString& text);

    // The requests with the caller's platform data; FreedesktopApplication checks the arguments
    // and forwards them here.
    void activate(const QVariantMap& platformData);
    void open(const QStringList& urls, const QVariantMap& platformData);
    void runCommand(Command command, const QVariantMap& platformData);
    // Answers the bus call being served, through this object or its adaptor, with an
    // InvalidArgs error saying why.
    void refuse(const QString& reason);

public Q_SLOTS:
    Q_SCRIPTABLE void OpenUrl(const QString& url);
    Q_SCRIPTABLE void NewTaskFromText(const QString& text);
    Q_SCRIPTABLE void Activate();

Q_SIGNALS:
    void tokenReceived(const QString& token);
    void urlReceived(const QString& url);
    void textReceived(const QString& text);
    void activationRequested();
    void commandRequested(ApplicationInterface::Command command);

private:
    void passTokenOn(const QVariantMap& platformData);
};
