#pragma once

#include <QDBusContext>
#include <QObject>
#include <QString>

// What other programs may ask of the running application over the session bus: open a
// "velmoran:" URL, turn a piece of text into a task (the desktop's stand-in for a Services
// menu), or come to the front. Arguments are checked here, before anything reaches the data
// manager; a refused call gets an InvalidArgs error reply and changes nothing.
class ApplicationInterface : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.velmoran.Velmoran")

public:
    // Generous for a URL carrying notes, far too small for a caller to exhaust memory with.
    static constexpr qsizetype kMaxUrlLength = 64 * 1024;
    // A selection longer than this is a document, not a task title.
    static constexpr qsizetype kMaxTextLength = 10000;

    using QObject::QObject;

    // Why the argument is refused; empty when it is acceptable.
    static QString refusalForUrl(const QString& url);
    static QString refusalForText(const QString& text);

public Q_SLOTS:
    Q_SCRIPTABLE void OpenUrl(const QString& url);
    Q_SCRIPTABLE void NewTaskFromText(const QString& text);
    Q_SCRIPTABLE void Activate();

Q_SIGNALS:
    void urlReceived(const QString& url);
    void textReceived(const QString& text);
    void activationRequested();

private:
    void refuse(const QString& reason);
};
