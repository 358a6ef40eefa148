#pragma once

#include <QString>
#include <QStringList>

class QObject;
class SecretJob;

// Account passwords in the desktop's secret service, through `secret-tool` so that the same
// command can hand them to vdirsyncer. A password only ever travels on a pipe.
class SecretStore
{
public:
    explicit SecretStore(QString program = QStringLiteral("secret-tool"));

    // Stores `password` for the account `id`. False, with `error()` in words, when there is
    // no secret service or it refused.
    bool store(const QString& id, const QString& label, const QString& password);
    // The password, or nothing when none is stored or the service cannot be reached.
    std::optional<QString> lookup(const QString& id);
    bool remove(const QString& id);

    // The same store, started and left to run: the caller connects to the job's `finished`
    // (with `storeProblem` for its words) and starts it.
    SecretJob* storeLater(const QString& id, const QString& label, const QString& password,
                          QObject* parent) const;
    // What a failed store means to the user, with secret-tool's own message after it.
    static QString storeProblem(const QString& errorText);
    // A window must not wait on a locked keyring to forget a password: `remove` then starts
    // the call and returns at once.
    void setRemovesInBackground(bool inBackground) { m_removesInBackground = inBackground; }

    QString error() const { return m_error; }

    // The command that prints the password of the account whose id is appended to it.
    QStringList lookupCommand() const;

private:
    struct Run
    {
        bool ok = false;
        QByteArray output;
        QString errorText;
    };
    Run run(const QStringList& arguments, const QByteArray& input);

    QString m_program;
    QString m_error;
    bool m_removesInBackground = false;
};
