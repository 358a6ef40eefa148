#include "TestEnvironment.h"
#include "TestFiles.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace TestFiles;

// The bash, zsh and fish completions of velmoran-cli, driven as each shell drives them: command
// words, the options of the command typed, list names and task identifiers read through the
// real program from a temporary store.
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
        QTest::addColumn<QString>("shell");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("expected");
        for (const QString& shell :
             {QStringLiteral("bash"), QStringLiteral("zsh"), QStringLiteral("fish")}) {
            // bash and zsh hand back words as they are to be typed, fish the words themselves.
            const QString homeStuff =
                shell == QLatin1String("fish") ? "Home Stuff" : "Home\\ Stuff";
            const auto row = [&shell](const char* name) -> QTestData& {
                return QTest::addRow("%s: %s", qPrintable(shell), name) << shell;
            };
            row("commands") << QStringList{""}
                            << QStringList{"url",    "add",     "smartadd", "lists",  "tasks",
                                           "show",   "edit",    "complete", "reopen", "move",
                                           "delete", "deleted", "restore",  "events", "import",
                                           "export", "prefs",   "sync",     "account"};
            row("a command begun")
                << QStringList{"--json", "del"} << QStringList{"delete", "deleted"};
            row("options of add") << QStringList{"add", "--d"}
                                  << QStringList{"--due", "--due-after"};
            row("options of tasks") << QStringList{"tasks", "--m"} << QStringList{"--month"};
            row("options of move") << QStringList{"move", "x", "--p"} << QStringList{"--parent"};
            row("options of edit")
                << QStringList{"edit", "x", "--no-"}
                << QStringList{"--no-due", "--no-time", "--no-repeat", "--no-alarm"};
            row("options of import") << QStringList{"import", "--u"} << QStringList{"--update"};
            row("options of export") << QStringList{"export", "--co"} << QStringList{"--completed"};
            row("list names") << QStringList{"add", "--list", ""} << QStringList{homeStuff, "Work"};
            row("a list name begun")
                << QStringList{"tasks", "--list", "Ho"} << QStringList{homeStuff};
            row("priorities") << QStringList{"add", "--priority", "h"} << QStringList{"high"};
            row("nothing after a free text option")
                << QStringList{"add", "--notes", ""} << QStringList{};
        }
    }

    void completes()
    {
        QFETCH(QString, shell);
        QFETCH(QStringList, words);
        QFETCH(QStringList, expected);
        QStringList offered = shell == QLatin1String("bash")  ? complete(words)
                              : shell == QLatin1String("zsh") ? completeInZsh(words)
                                                              : completeInFish(words);
        offered.sort();
        expected.sort();
        QCOMPARE(offered, expected);
    }

    void taskIdentifiersComeFromTheStore()
    {
        QCOMPARE(complete({"complete", ""}), QStringList{m_taskId});
        QCOMPARE(complete({"delete", m_taskId.left(4)}), QStringList{m_taskId});
        QCOMPARE(complete({"add", "Socks", "--parent", ""}), QStringList{m_taskId});
        QCOMPARE(complete({"move", ""}), QStringList{m_taskId});
        QCOMPARE(complete({"edit", ""}), QStringList{m_taskId});
        QCOMPARE(completeInZsh({"complete", ""}), QStringList{m_taskId});
        QCOMPARE(completeInFish({"complete", ""}), QStringList{m_taskId});
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

    // The same through zsh's completion system: a script types the line and Tab into an
    // interactive zsh on a pseudo-terminal and prints every match the completion adds.
    QStringList completeInZsh(const QStringList& words)
    {
        const QString line =
            (QStringList{QStringLiteral("velmoran-cli")} + words).join(QLatin1Char(' '));
        QProcess zsh;
        zsh.setProcessEnvironment(environmentWithProgramOnPath());
        zsh.start(QStringLiteral("zsh"),
                  {QStringLiteral("-f"),
                   TestEnvironment::sourceDir() +
                       QStringLiteral("/tests/support/shells/zsh-complete.zsh"),
                   TestEnvironment::sourceDir() + QStringLiteral("/completions"), line});
        if (!zsh.waitForFinished(20000) || zsh.exitCode() != 0) {
            qWarning() << zsh.exitCode() << zsh.readAllStandardError();
            return {QStringLiteral("<zsh failed>")};
        }
        return QString::fromUtf8(zsh.readAllStandardOutput())
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QProcessEnvironment environmentWithProgramOnPath() const
    {
        QProcessEnvironment environment = this->environment();
        environment.insert(QStringLiteral("PATH"),
                           QFileInfo(QStringLiteral(VELMORAN_CLI_PATH)).absolutePath() +
                               QLatin1Char(':') + environment.value(QStringLiteral("PATH")));
        return environment;
    }

    // The same through fish's own completion machinery, with the program on the PATH under the
    // name the completion is for; fish's descriptions after the tab are dropped.
    QStringList completeInFish(const QStringList& words)
    {
        QProcessEnvironment environment = this->environment();
        environment.insert(QStringLiteral("PATH"),
                           QFileInfo(QStringLiteral(VELMORAN_CLI_PATH)).absolutePath() +
                               QLatin1Char(':') + environment.value(QStringLiteral("PATH")));
        const QString line =
            (QStringList{QStringLiteral("velmoran-cli")} + words).join(QLatin1Char(' '));
        QProcess fish;
        fish.setProcessEnvironment(environment);
        fish.start(
            QStringLiteral("fish"),
            {QStringLiteral("--no-config"), QStringLiteral("-c"),
             QStringLiteral("source '%1/completions/velmoran-cli.fish'; and complete -C $argv[1]")
                 .arg(TestEnvironment::sourceDir()),
             line});
        if (!fish.waitForFinished(20000) || fish.exitCode() != 0) {
            qWarning() << fish.exitCode() << fish.readAllStandardError();
            return {QStringLiteral("<fish failed>")};
        }
        QStringList offered;
        for (const QString& entry : QString::fromUtf8(fish.readAllStandardOutput())
                                        .split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            offered << entry.section(QLatin1Char('\t'), 0, 0);
        return offered;
    }

    QTemporaryDir m_dir;
    QString m_taskId;
};

VELMORAN_TEST_MAIN(TestCompletions)
#include "tst_completions.moc"
