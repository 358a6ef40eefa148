#pragma once

#include "TestFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

// todoman, the command-line task manager that shares our folders, run for real over a test
// store: what it lists is what another program sees of our files.
class Todoman
{
public:
    // Writes todoman's configuration into this process's private XDG folder, for a store in
    // `storeRoot` and a cache in `cacheFolder`.
    Todoman(const QString& storeRoot, const QString& cacheFolder)
    {
        // Debian installs the command as `todoman`; upstream calls it `todo`.
        m_program = QStandardPaths::findExecutable(QStringLiteral("todo"));
        if (m_program.isEmpty())
            m_program = QStandardPaths::findExecutable(QStringLiteral("todoman"));
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        TestFiles::writeFile(config + QStringLiteral("/todoman/config.py"),
                             QStringLiteral("path = \"%1/*\"\n"
                                            "date_format = \"%Y-%m-%d\"\n"
                                            "time_format = \"%H:%M\"\n"
                                            "dt_separator = \" \"\n"
                                            "default_due = 0\n"
                                            "humanize = False\n"
                                            "cache_path = \"%2/todoman.sqlite3\"\n")
                                 .arg(storeRoot, cacheFolder)
                                 .toUtf8());
    }

    bool isInstalled() const { return !m_program.isEmpty(); }

    // Runs todoman; fails the running test with its output when it does not succeed.
    QByteArray run(const QStringList& arguments) const
    {
        QProcess process;
        process.start(m_program, arguments);
        const bool finished = process.waitForStarted(10000) && process.waitForFinished(60000);
        if (!finished) {
            process.kill();
            process.waitForFinished();
        }
        if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
            QTest::qFail(
                qPrintable(QStringLiteral("todoman %1 failed: %2")
                               .arg(arguments.join(QLatin1Char(' ')),
                                    finished ? QString::fromUtf8(process.readAllStandardError())
                                             : QStringLiteral("it did not finish"))),
                __FILE__, __LINE__);
            return {};
        }
        return process.readAllStandardOutput();
    }

    // Every task todoman lists, open and done, in its machine-readable form.
    QJsonArray list() const
    {
        const QByteArray out = run({QStringLiteral("--porcelain"), QStringLiteral("list"),
                                    QStringLiteral("--status"), QStringLiteral("ANY")});
        return QJsonDocument::fromJson(out).array();
    }

    QJsonObject task(const QString& summary) const
    {
        for (const QJsonValue& value : list()) {
            if (value.toObject().value(QStringLiteral("summary")).toString() == summary)
                return value.toObject();
        }
        return {};
    }

private:
    QString m_program;
};
