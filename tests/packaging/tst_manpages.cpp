#include "TestEnvironment.h"
#include "TestFiles.h"

namespace {

QString helpOf(const QString& program)
{
    QProcess process;
    process.start(program, {"--help"});
    if (!process.waitForFinished(20000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Every text the expression's groups catch in the text, backslashes dropped.
QSet<QString> caught(const QString& pattern, const QString& text)
{
    const QRegularExpression expression(pattern, QRegularExpression::MultilineOption);
    QSet<QString> words;
    for (const QRegularExpressionMatch& match : expression.globalMatch(text))
        for (int group = 1; group <= expression.captureCount(); ++group)
            if (match.hasCaptured(group))
                words << match.captured(group).remove('\\');
    return words;
}

// One part of a text, from its heading to the next one ("\n.SH " for a man page's sections).
QString part(const QString& text, const QString& heading, const QString& next)
{
    const qsizetype start = text.indexOf(heading);
    return text.mid(start, text.indexOf(next, start + 1) - start);
}

// The long options a --help text lists: "  -v, --version".
QSet<QString> helpOptions(const QString& help)
{
    return caught("^\\s+(?:-\\w, )?--([\\w-]+)(?:, --([\\w-]+))?", help);
}

// The long options a man page describes: those in the tags of its OPTIONS section's items
// (\-\-list with its backslashes dropped).
QSet<QString> manOptions(const QString& page)
{
    QSet<QString> options;
    for (const QString& tag :
         caught("^\\.TP\\n\\.B[IR]? ([^\\n]*)", part(page, "\n.SH OPTIONS", "\n.SH ")))
        options += caught("--([\\w-]+)", tag);
    return options;
}

QString listed(const QSet<QString>& words)
{
    QStringList sorted(words.cbegin(), words.cend());
    sorted.sort();
    return sorted.join(", ");
}

} // namespace

// The manual pages describe exactly what the programs' --help lists, and groff renders them
// without a warning.
class TestManPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pagesMatchTheHelp()
    {
        for (const auto& [page, program] : {std::pair{QString("velmoran.1"), VELMORAN_APP_PATH},
                                            {"velmoran-cli.1", VELMORAN_CLI_PATH}}) {
            const QString text = QString::fromUtf8(
                TestFiles::readFile(TestEnvironment::sourceDir() + "/man/" + page));
            QVERIFY2(!text.isEmpty(), qPrintable(page));
            const QString help = helpOf(program);
            QVERIFY2(help.contains("--version"), qPrintable(help));

            QSet<QString> expected = helpOptions(help);
            expected.remove("help-all");
            QSet<QString> described = manOptions(text);
            described.remove("help-all");
            QVERIFY2(expected.size() >= 6, qPrintable(listed(expected)));
            QVERIFY2(described - expected == QSet<QString>(),
                     qPrintable("in the page only: " + listed(described - expected)));
            QVERIFY2(expected - described == QSet<QString>(),
                     qPrintable("in --help only: " + listed(expected - described)));

            if (page == "velmoran-cli.1") {
                const QSet<QString> commands =
                    caught("^  (\\w+)", part(help, "Commands:\n", "\n\n"));
                QVERIFY2(commands.size() >= 10, qPrintable(listed(commands)));
                QCOMPARE(listed(caught("^\\.TP\n\\.B[IR]? \"?(\\w+)",
                                       part(text, "\n.SH COMMANDS", "\n.SH "))),
                         listed(commands));
            }
            for (const char* section : {"NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "ENVIRONMENT",
                                        "FILES", "EXIT STATUS", "EXAMPLES"})
                QVERIFY2(text.contains(QStringLiteral("\n.SH ") + QLatin1String(section)),
                         qPrintable(page + ": " + section));
            QVERIFY2(text.contains(QStringLiteral("\"Velmoran ") +
                                   QStringLiteral(VELMORAN_VERSION) + '"'),
                     "the page names another version than the build");

            QProcess groff;
            groff.start("groff",
                        {"-ww", "-man", "-Tutf8", TestEnvironment::sourceDir() + "/man/" + page});
            QVERIFY(groff.waitForFinished(20000));
            QCOMPARE(groff.exitCode(), 0);
            QCOMPARE(QString::fromUtf8(groff.readAllStandardError()), QString());
            QVERIFY(groff.readAllStandardOutput().size() > 1000);
        }
    }
};

VELMORAN_TEST_MAIN(TestManPages)
#include "tst_manpages.moc"
