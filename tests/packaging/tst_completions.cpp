#include "TestEnvironment.h"
#include "TestFiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace TestFiles;

// The bash completion of velmoran-cli, driven as bash drives it: command words, the options of
// the command typed, list names and task identifiers read through the real program from a
// temporary store.
class TestCompletions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        writeFile(store() + "/home/displayname", "Home Stuff");
        writeFile(store() + "/work/displayname", "Work");
        QProcess add;
        add.setProcessEnvironment(environment());
        add.start(VELMORAN_CLI_PATH, {"add", "--list", "Work", "Buy milk"});
        QVERIFY(add.waitForFinished(20000));
        QCOMPARE(add.exitCode(), 0);
        m_taskId = QString::fromUtf8(add.readAllStandardOutput()).section(QLatin1Char('\t'), 0, 0);
        QVERIFY(!m_taskId.isEmpty());
    }

    void completes_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("commands") << QStringList{""}
                                  << QStringList{"url",     "add",      "smartadd", "lists",
                                                 "tasks",   "complete", "move",     "delete",
                                                 "deleted", "restore",  "events",   "prefs",
                                                 "sync",    "account"};
        QTest::newRow("a command begun")
            << QStringList{"--json", "del"} << QStringList{"delete", "deleted"};
        QTest::newRow("options of add")
            << QStringList{"add", "--d"} << QStringList{"--due", "--due-after"};
        QTest::newRow("options of tasks") << QStringList{"tasks", "--m"} << QStringList{"--month"};
        QTest::newRow("options of move")
            << QStringList{"move", "x", "--"}
            << QStringList{"--help", "--version", "--json", "--parent", "--no-parent"};
        QTest::newRow("list names")
            << QStringList{"add", "--list", ""} << QStringList{"Home\\ Stuff", "Work"};
        QTest::newRow("a list name begun")
            << QStringList{"tasks", "--list", "Ho"} << QStringList{"Home\\ Stuff"};
        QTest::newRow("priorities") << QStringList{"add", "--priority", "h"} << QStringList{"high"};
        QTest::newRow("nothing after a free text option")
            << QStringList{"add", "--notes", ""} << QStringList{};
    }

    void completes()
    {
        QFETCH(QStringList, words);
        QFETCH(QStringList, expected);
        QCOMPARE(complete(words), expected);
    }

    void taskIdentifiersComeFromTheStore()
    {
        QCOMPARE(complete({"complete", ""}), QStringList{m_taskId});
        QCOMPARE(complete({"delete", m_taskId.left(4)}), QStringList{m_taskId});
        QCOMPARE(complete({"add", "Socks", "--parent", ""}), QStringList{m_taskId});
        QCOMPARE(complete({"move", ""}), QStringList{m_taskId});
    }

private:
    QString store() const { return m_dir.filePath("store"); }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VELMORAN_STORE", store());
        environment.insert("XDG_CONFIG_HOME", m_dir.filePath("config"));
        environment.insert("XDG_DATA_HOME", m_dir.filePath("data"));
        return environment;
    }

    // What the completion offers for the words typed after the program, the last one being
    // completed.
    QStringList complete(const QStringList& words)
    {
        QStringList quoted{QStringLiteral("'" VELMORAN_CLI_PATH "'")};
        for (const QString& word : words)
            quoted << QLatin1Char('\'') + word + QLatin1Char('\'');
        const QString script =
            QStringLiteral("source '%1/completions/velmoran-cli.bash' || exit 3\n"
                           "[ \"$(complete -p velmoran-cli)\" = 'complete -F _velmoran_cli "
                           "velmoran-cli' ] || exit 4\n"
                           "COMP_WORDS=(%2); COMP_CWORD=%3; _velmoran_cli\n"
                           "printf '%s\\n' \"${COMPREPLY[@]}\"\n")
                .arg(TestEnvironment::sourceDir(), quoted.join(QLatin1Char(' ')))
                .arg(words.size());
        QProcess bash;
        bash.setProcessEnvironment(environment());
        bash.start(QStringLiteral("bash"),
                   {QStringLiteral("--norc"), QStringLiteral("-c"), script});
        if (!bash.waitForFinished(20000) || bash.exitCode() != 0) {
            qWarning() << bash.exitCode() << bash.readAllStandardError();
            return {QStringLiteral("<bash failed>")};
        }
        return QString::fromUtf8(bash.readAllStandardOutput())
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QTemporaryDir m_dir;
    QString m_taskId;
};

VELMORAN_TEST_MAIN(TestCompletions)
#include "tst_completions.moc"
