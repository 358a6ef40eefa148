#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

// The built velmoran-cli run as a separate process over a store, preferences and clock of its
// own, in a temporary folder (also its working folder): the store under "store", every XDG
// folder beside it.
class CliRun
{
public:
    struct Result
    {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;

        QJsonArray json() const { return QJsonDocument::fromJson(out).array(); }
        QJsonObject object() const { return QJsonDocument::fromJson(out).object(); }
        QJsonObject first() const { return json().first().toObject(); }
    };

    // A JSON object written with single quotes, to be read more easily in a test.
    static QJsonObject quoted(QByteArray text)
    {
        return QJsonDocument::fromJson(text.replace('\'', '"')).object();
    }

    explicit CliRun(QString now)
        : m_now(std::move(now))
    {}

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    QString storeRoot() const { return m_storeRoot.value_or(filePath(QStringLiteral("store"))); }
    void setStoreRoot(const QString& root) { m_storeRoot = root; }
    void setNow(const QString& now) { m_now = now; }
    // Sets a variable of the command's environment, or removes it (nullopt).
    void setVariable(const QString& name, std::optional<QString> value)
    {
        m_variables.insert(name, std::move(value));
    }
    // A program and its arguments that run the command (setpriv, to run as another user).
    void setLauncher(const QStringList& launcher) { m_launcher = launcher; }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), m_dir.path());
        for (const char* name : {"config", "data", "state", "cache"})
            environment.insert(
                QStringLiteral("XDG_%1_HOME").arg(QString::fromLatin1(name).toUpper()),
                filePath(QString::fromLatin1(name)));
        environment.insert(QStringLiteral("TZ"), QStringLiteral("Europe/Berlin"));
        environment.insert(QStringLiteral("VELMORAN_NOW"), m_now);
        environment.insert(QStringLiteral("VELMORAN_STORE"), storeRoot());
        environment.remove(QStringLiteral("VELMORAN_SYNC_DIR"));
        for (auto it = m_variables.cbegin(); it != m_variables.cend(); ++it) {
            if (it.value())
                environment.insert(it.key(), *it.value());
            else
                environment.remove(it.key());
        }
        return environment;
    }

    // Started, for a test that acts while the command runs.
    void start(QProcess& process, const QStringList& arguments) const
    {
        process.setProcessEnvironment(environment());
        process.setWorkingDirectory(path());
        if (m_launcher.isEmpty())
            process.start(QStringLiteral(VELMORAN_CLI_PATH), arguments);
        else
            process.start(m_launcher.first(), m_launcher.mid(1) +
                                                  QStringList{QStringLiteral(VELMORAN_CLI_PATH)} +
                                                  arguments);
    }

    static Result finish(QProcess& process)
    {
        Result result;
        if (!process.waitForFinished(120000)) {
            process.kill();
            process.waitForFinished();
            return result;
        }
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }

    // `input` is what the command reads on its standard input, which is closed after it.
    Result operator()(const QStringList& arguments, const QByteArray& input = {}) const
    {
        QProcess process;
        start(process, arguments);
        process.write(input);
        process.closeWriteChannel();
        return finish(process);
    }

    // Runs a command that must succeed: a failure is recorded with what it wrote to standard
    // error, and the test goes on with the result.
    Result ok(const QStringList& arguments, const QByteArray& input = {}) const
    {
        Result result = (*this)(arguments, input);
        QTest::qVerify(result.exitCode == 0, "exitCode == 0", result.err.constData(), __FILE__,
                       __LINE__);
        return result;
    }

private:
    QTemporaryDir m_dir;
    QString m_now;
    std::optional<QString> m_storeRoot;
    QMap<QString, std::optional<QString>> m_variables;
    QStringList m_launcher;
};
