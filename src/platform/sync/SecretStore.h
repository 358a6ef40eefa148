#pragma once

#include <QString>
#include <QStringList>

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
};
