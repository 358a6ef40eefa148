#include "platform/sync/SecretStore.h"

#include "platform/sync/SecretJob.h"

#include <QCoreApplication>
#include <QProcess>

namespace {

struct SecretStoreText
{
    Q_DECLARE_TR_FUNCTIONS(SecretStore)
};

// The attributes that find an account's password again; the account id goes last.
QStringList attributes()
{
    return {QStringLiteral("service"), QStringLiteral("velmoran-caldav"),
            QStringLiteral("account")};
}

} // namespace

SecretStore::SecretStore(QString program)
    : m_program(std::move(program))
{}

QStringList SecretStore::lookupCommand() const
{
    return QStringList{m_program, QStringLiteral("lookup")} + attributes();
}

SecretStore::Run SecretStore::run(const QStringList& arguments, const QByteArray& input)
{
    Run result;
    QProcess process;
    process.start(m_program, arguments);
    if (!process.waitForStarted(5000)) {
        result.errorText = SecretJob::cannotStartText(process.errorString());
        return result;
    }
    process.write(input);
    process.closeWriteChannel();
    // A secret service that asks the user to unlock a keyring may take a while.
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished(1000);
        result.errorText = SecretStoreText::tr("The secret service did not answer.");
        return result;
    }
    result.output = process.readAllStandardOutput();
    const QString stderrText = QString::fromUtf8(process.readAllStandardError()).trimmed();
    result.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!result.ok)
        result.errorText = stderrText;
    return result;
}

namespace {

QStringList storeArguments(const QString& id, const QString& label)
{
    return QStringList{QStringLiteral("store"), QStringLiteral("--label=") + label} + attributes() +
           QStringList{id};
}

} // namespace

bool SecretStore::store(const QString& id, const QString& label, const QString& password)
{
    m_error.clear();
    const Run result = run(storeArguments(id, label), password.toUtf8());
    if (result.ok)
        return true;
    m_error = storeProblem(result.errorText);
    return false;
}

QString SecretStore::storeProblem(const QString& errorText)
{
    // secret-tool says "Cannot autolaunch D-Bus…" or "The name org.freedesktop.secrets was not
    // provided…"; what the user needs to know is that there is no place for the password.
    QString words = SecretStoreText::tr(
        "The password cannot be kept: no secret service (such as GNOME Keyring or "
        "KWallet) is running on this desktop, or it refused. The account is not "
        "saved, because a password is never written into a file.");
    if (!errorText.isEmpty())
        words += QLatin1Char('\n') + errorText;
    return words;
}

SecretJob* SecretStore::storeLater(const QString& id, const QString& label, const QString& password,
                                   QObject* parent) const
{
    return new SecretJob(m_program, storeArguments(id, label), password.toUtf8(), parent);
}

std::optional<QString> SecretStore::lookup(const QString& id)
{
    m_error.clear();
    const Run result =
        run(QStringList{QStringLiteral("lookup")} + attributes() + QStringList{id}, {});
    if (!result.ok) {
        m_error = result.errorText;
        return std::nullopt;
    }
    return QString::fromUtf8(result.output);
}

bool SecretStore::remove(const QString& id)
{
    m_error.clear();
    if (m_removesInBackground) {
        auto* job = new SecretJob(
            m_program, QStringList{QStringLiteral("clear")} + attributes() + QStringList{id}, {});
        QObject::connect(job, &SecretJob::finished, job, &QObject::deleteLater);
        job->start();
        return true;
    }
    const Run result =
        run(QStringList{QStringLiteral("clear")} + attributes() + QStringList{id}, {});
    m_error = result.errorText;
    return result.ok;
}
