#include "TestEnvironment.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

namespace {

QString manPage(const QString& name)
{
    QFile file(TestEnvironment::sourceDir() + QStringLiteral("/man/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QString helpOf(const QString& program)
{
    QProcess process;
    process.start(program, {QStringLiteral("--help")});
    if (!process.waitForFinished(20000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The long options a --help text lists, without Qt's own.
QSet<QString> helpOptions(const QString& help)
{
    static const QRegularExpression option(
        QStringLiteral("^\\s+(?:-\\w, )?--([\\w-]+)(?:, --([\\w-]+))?"),
        QRegularExpression::MultilineOption);
    QSet<QString> options;
    for (auto it = option.globalMatch(help); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        options << match.captured(1);
        if (match.hasCaptured(2))
            options << match.captured(2);
    }
    return options;
}

// One section of a man page, from its heading to the next.
QString manSection(const QString& page, const QString& heading)
{
    const qsizetype start = page.indexOf(QStringLiteral("\n.SH ") + heading);
    return page.mid(start, page.indexOf(QStringLiteral("\n.SH "), start + 1) - start);
}

// The long options a man page describes: the tags of the items of its OPTIONS section.
QSet<QString> manOptions(const QString& page)
{
    const QString section = manSection(page, QStringLiteral("OPTIONS"));
    static const QRegularExpression tag(QStringLiteral("^\\.TP\\n\\.B[IR]? ([^\\n]*)"),
                                        QRegularExpression::MultilineOption);
    static const QRegularExpression option(QStringLiteral("\\\\-\\\\-([\\w\\\\-]+)"));
    QSet<QString> options;
    for (auto items = tag.globalMatch(section); items.hasNext();) {
        const QString line = items.next().captured(1);
        for (auto it = option.globalMatch(line); it.hasNext();)
            options << it.next().captured(1).remove(QLatin1Char('\\'));
    }
    return options;
}

// The command words of the "Commands:" part of the command-line program's help.
QSet<QString> helpCommands(const QString& help)
{
    const qsizetype start = help.indexOf(QStringLiteral("Commands:\n"));
    const QString part = help.mid(start, help.indexOf(QStringLiteral("\n\n"), start) - start);
    static const QRegularExpression command(QStringLiteral("^  (\\w+)"),
                                            QRegularExpression::MultilineOption);
    QSet<QString> commands;
    for (auto it = command.globalMatch(part); it.hasNext();)
        commands << it.next().captured(1);
    return commands;
}

QSet<QString> manCommands(const QString& page)
{
    const QString section = manSection(page, QStringLiteral("COMMANDS"));
    static const QRegularExpression tag(QStringLiteral("^\\.TP\\n\\.B[IR]? \"?(\\w+)"),
                                        QRegularExpression::MultilineOption);
    QSet<QString> commands;
    for (auto it = tag.globalMatch(section); it.hasNext();)
        commands << it.next().captured(1);
    return commands;
}

QString listed(const QSet<QString>& words)
{
    QStringList sorted(words.cbegin(), words.cend());
    sorted.sort();
    return sorted.join(QStringLiteral(", "));
}

} // namespace

// The manual pages describe exactly what the programs' --help lists, and groff renders them
// without a warning.
class TestManPages : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pagesMatchTheHelp_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("program");
        QTest::newRow("velmoran") << "velmoran.1" << VELMORAN_APP_PATH;
        QTest::newRow("velmoran-cli") << "velmoran-cli.1" << VELMORAN_CLI_PATH;
    }

    void pagesMatchTheHelp()
    {
        QFETCH(QString, page);
        QFETCH(QString, program);
        const QString text = manPage(page);
        QVERIFY2(!text.isEmpty(), qPrintable(page));
        const QString help = helpOf(program);
        QVERIFY2(help.contains(QStringLiteral("--version")), qPrintable(help));

        QSet<QString> expected = helpOptions(help);
        expected.remove(QStringLiteral("help-all"));
        QSet<QString> described = manOptions(text);
        described.remove(QStringLiteral("help-all"));
        QVERIFY2(expected.size() >= 6, qPrintable(listed(expected)));
        QVERIFY2(described - expected == QSet<QString>(),
                 qPrintable("in the page only: " + listed(described - expected)));
        QVERIFY2(expected - described == QSet<QString>(),
                 qPrintable("in --help only: " + listed(expected - described)));

        if (page == QStringLiteral("velmoran-cli.1")) {
            const QSet<QString> commands = helpCommands(help);
            QVERIFY2(commands.size() >= 10, qPrintable(listed(commands)));
            QCOMPARE(listed(manCommands(text)), listed(commands));
        }
        for (const char* section : {"NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "ENVIRONMENT",
                                    "FILES", "EXIT STATUS", "EXAMPLES"})
            QVERIFY2(text.contains(QStringLiteral("\n.SH ") + QLatin1String(section)), section);
        QVERIFY2(text.contains(QStringLiteral("\"Velmoran ") + QStringLiteral(VELMORAN_VERSION) +
                               QLatin1Char('"')),
                 "the page names another version than the build");
    }

    void groffRendersWithoutWarnings()
    {
        for (const QString& page :
             {QStringLiteral("velmoran.1"), QStringLiteral("velmoran-cli.1")}) {
            QProcess groff;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
            groff.setProcessEnvironment(environment);
            groff.start(QStringLiteral("groff"),
                        {QStringLiteral("-ww"), QStringLiteral("-man"), QStringLiteral("-Tutf8"),
                         TestEnvironment::sourceDir() + QStringLiteral("/man/") + page});
            QVERIFY(groff.waitForFinished(20000));
            QCOMPARE(groff.exitCode(), 0);
            QCOMPARE(QString::fromUtf8(groff.readAllStandardError()), QString());
            QVERIFY(groff.readAllStandardOutput().size() > 1000);
        }
    }
};

VELMORAN_TEST_MAIN(TestManPages)
#include "tst_manpages.moc"
