#include "CliRun.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

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
        QVERIFY(m_cli.isValid());
        writeFile(m_cli.storeRoot() + "/home/displayname", "Home Stuff");
        writeFile(m_cli.storeRoot() + "/work/displayname", "Work");
        m_taskId = QString::fromUtf8(m_cli.ok({"add", "--list", "Work", "Buy milk"}).out)
                       .section('\t', 0, 0);
        QVERIFY(!m_taskId.isEmpty());
    }

    void completes_data()
    {
        QTest::addColumn<QString>("shell");
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QStringList>("expected");
        for (const QString shell : {"bash", "zsh", "fish"}) {
            // bash and zsh hand back words as they are to be typed, fish the words themselves.
            const QString homeStuff = shell == "fish" ? "Home Stuff" : "Home\\ Stuff";
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
            row("options of move") << QStringList{"move", "x", "--p"} << QStringList{"--parent"};
            row("options of edit")
                << QStringList{"edit", "x", "--no-"}
                << QStringList{"--no-due", "--no-time", "--no-repeat", "--no-alarm"};
            row("list names") << QStringList{"add", "--list", ""} << QStringList{homeStuff, "Work"};
            row("a list name begun")
                << QStringList{"tasks", "--list", "Ho"} << QStringList{homeStuff};
            row("priorities") << QStringList{"add", "--priority", "h"} << QStringList{"high"};
            row("nothing after a free text option")
                << QStringList{"add", "--notes", ""} << QStringList{};
            row("task identifiers") << QStringList{"complete", ""} << QStringList{m_taskId};
        }
        // Every option and command that takes a task offers the store's identifiers.
        for (const QStringList& words : {QStringList{"delete", m_taskId.left(4)},
                                         {"add", "Socks", "--parent", ""},
                                         {"move", ""},
                                         {"edit", ""}})
            QTest::addRow("bash: task identifiers after %s", qPrintable(words.at(words.size() - 2)))
                << QString("bash") << words << QStringList{m_taskId};
    }

    void completes()
    {
        QFETCH(QString, shell);
        QFETCH(QStringList, words);
        QFETCH(QStringList, expected);
        expected.sort();
        QCOMPARE(completeIn(shell, words), expected);
    }

private:
    // What the completion offers (sorted) for the words typed after the program, the last one
    // being completed: bash's function is called with COMP_WORDS set; zsh's completion system
    // gets the line and Tab typed into an interactive zsh on a pseudo-terminal (a script prints
    // every match); fish's own machinery completes the line, its descriptions after the tab
    // dropped.
    // zsh and fish find the program on the PATH under the name the completion is for.
    QStringList completeIn(const QString& shell, const QStringList& words)
    {
        const QString source = TestEnvironment::sourceDir();
        const QString line = (QStringList{"velmoran-cli"} + words).join(' ');
        QStringList arguments;
        if (shell == "bash") {
            QStringList quoted{"'" VELMORAN_CLI_PATH "'"};
            for (const QString& word : words)
                quoted << '\'' + word + '\'';
            arguments = QStringList{"--norc", "-c",
                                    QStringLiteral("source '%1/completions/velmoran-cli.bash' || "
                                                   "exit 3\n"
                                                   "[ \"$(complete -p velmoran-cli)\" = 'complete "
                                                   "-F _velmoran_cli velmoran-cli' ] || exit 4\n"
                                                   "COMP_WORDS=(%2); COMP_CWORD=%3; _velmoran_cli\n"
                                                   "printf '%s\\n' \"${COMPREPLY[@]}\"\n")
                                        .arg(source, quoted.join(' '))
                                        .arg(words.size())};
        } else if (shell == "zsh") {
            arguments = QStringList{"-f", source + "/tests/support/shells/zsh-complete.zsh",
                                    source + "/completions", line};
        } else {
            arguments = QStringList{"--no-config", "-c",
                                    "source '" + source +
                                        "/completions/velmoran-cli.fish'; and complete -C $argv[1]",
                                    line};
        }
        QProcessEnvironment environment = m_cli.environment();
        environment.insert("PATH", QFileInfo(VELMORAN_CLI_PATH).absolutePath() + ':' +
                                       environment.value("PATH"));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(shell, arguments);
        if (!process.waitForFinished(20000) || process.exitCode() != 0) {
            qWarning() << shell << process.exitCode() << process.readAllStandardError();
            return {"<" + shell + " failed>"};
        }
        QStringList offered;
        for (const QString& entry :
             QString::fromUtf8(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
            offered << entry.section('\t', 0, 0);
        offered.sort();
        return offered;
    }

    CliRun m_cli{QStringLiteral("2026-12-09T10:00")};
    QString m_taskId;
};

VELMORAN_TEST_MAIN(TestCompletions)
#include "tst_completions.moc"
