#include "TestEnvironment.h"
#include "platform/i18n/InterfaceLanguage.h"
#include "prefs/PreferenceKeys.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

QStringList catalogues()
{
    const QDir folder(TestEnvironment::sourceDir() + QStringLiteral("/translations"));
    QStringList paths;
    for (const QString& name : folder.entryList({QStringLiteral("velmoran_*.ts")}, QDir::Files))
        paths << folder.filePath(name);
    return paths;
}

// One entry of a catalogue, as far as a check needs it.
struct Entry
{
    QString context;
    QString source;
    QString state; // "unfinished", "vanished", "obsolete" or empty for a finished entry
    QStringList translations;
};

QList<Entry> entriesOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QList<Entry> entries;
    QString context;
    while (!xml.atEnd()) {
        if (!xml.readNextStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            entries.append({context, {}, {}, {}});
        } else if (xml.name() == QLatin1String("source")) {
            entries.last().source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            entries.last().state = xml.attributes().value(QLatin1String("type")).toString();
            if (xml.readNext() == QXmlStreamReader::Characters && !xml.isWhitespace())
                entries.last().translations << xml.text().toString();
        } else if (xml.name() == QLatin1String("numerusform")) {
            entries.last().translations << xml.readElementText();
        }
    }
    return entries;
}

// The placeholders a text fills in: %1 … %99 and the plural count %n.
QStringList placeholdersOf(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("%(?:L?\\d{1,2}|n)"));
    QStringList found;
    for (auto it = placeholder.globalMatch(text); it.hasNext();)
        found << it.next().captured().remove(QLatin1Char('L'));
    found.sort();
    found.removeDuplicates();
    return found;
}

QString runProgram(const QString& program, const QStringList& arguments,
                   const QStringList& environment, int* exitCode = nullptr)
{
    QProcess process;
    QProcessEnvironment processEnvironment = QProcessEnvironment::systemEnvironment();
    for (const QString& setting : environment)
        processEnvironment.insert(setting.section(QLatin1Char('='), 0, 0),
                                  setting.section(QLatin1Char('='), 1));
    process.setProcessEnvironment(processEnvironment);
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        return {};
    if (exitCode)
        *exitCode = process.exitCode();
    return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QVERIFY2(catalogues().size() >= 3, "no catalogues found"); }

    // A shipped language has no unfinished and no left-over entry, and every translation fills
    // in the placeholders its source does: a lost "%1" shows the user a hole, a lost "%n" a
    // wrong count.
    void cataloguesAreComplete()
    {
        for (const QString& path : catalogues()) {
            QStringList faults;
            const QList<Entry> entries = entriesOf(path);
            QVERIFY2(!entries.isEmpty(), qPrintable(path));
            for (const Entry& entry : entries) {
                const QString where = entry.context + QStringLiteral(": ") + entry.source;
                if (!entry.state.isEmpty()) {
                    faults << entry.state + QStringLiteral(" – ") + where;
                    continue;
                }
                for (const QString& translation : entry.translations) {
                    if (translation.isEmpty() ||
                        placeholdersOf(translation) != placeholdersOf(entry.source))
                        faults << QStringLiteral("placeholders – ") + where +
                                      QStringLiteral(" → ") + translation;
                }
            }
            QVERIFY2(faults.isEmpty(),
                     qPrintable(QFileInfo(path).fileName() + QStringLiteral(":\n") +
                                faults.mid(0, 30).join(QLatin1Char('\n'))));
        }
    }

    // lupdate reads only literals: a text handed to tr() or translate() in a variable (a small
    // helper taking "const char*") never reaches a catalogue unless it is marked where it is
    // written. A file that translates a variable marks its texts with QT_TRANSLATE_NOOP.
    void textsTranslatedFromVariablesAreMarked()
    {
        static const QRegularExpression variableText(
            QStringLiteral("(?<![\\w.>])(?:tr\\(|translate\\(\\s*\"[^\"]*\"\\s*,)\\s*[A-Za-z_(]"));
        QStringList unmarked;
        QDirIterator files(TestEnvironment::sourceDir() + QStringLiteral("/src"),
                           {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(file.readAll());
            if (text.contains(variableText) &&
                !text.contains(QStringLiteral("QT_TRANSLATE_NOOP")) &&
                !text.contains(QStringLiteral("QT_TR_NOOP")))
                unmarked << file.fileName();
        }
        QVERIFY2(unmarked.isEmpty(), qPrintable(unmarked.join(QLatin1Char('\n'))));
    }

    // Bringing a copy of each catalogue up to date with the sources changes nothing: every
    // text of the program is in it, and none that the program no longer has.
    void cataloguesAreUpToDate()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString sources = TestEnvironment::sourceDir() + QStringLiteral("/src");
        for (const QString& path : catalogues()) {
            const QString copy = folder.filePath(QFileInfo(path).fileName());
            QVERIFY(QFile::copy(path, copy));
            QStringList arguments{QStringLiteral("-locations"),
                                  QStringLiteral("none"),
                                  QStringLiteral("-no-ui-lines"),
                                  QStringLiteral("-no-obsolete"),
                                  QStringLiteral("-silent"),
                                  QStringLiteral("-I"),
                                  sources,
                                  sources,
                                  QStringLiteral("-ts"),
                                  copy};
            if (path.endsWith(QLatin1String("_en.ts")))
                arguments.prepend(QStringLiteral("-pluralonly"));
            int exitCode = -1;
            const QString output =
                runProgram(QStringLiteral(VELMORAN_LUPDATE_PATH), arguments, {}, &exitCode);
            QVERIFY2(exitCode == 0, qPrintable(output));
            QFile original(path);
            QFile updated(copy);
            QVERIFY(original.open(QIODevice::ReadOnly) && updated.open(QIODevice::ReadOnly));
            QVERIFY2(original.readAll() == updated.readAll(),
                     qPrintable(QFileInfo(path).fileName() +
                                QStringLiteral(" is out of date with the sources; run "
                                               "`make -C build update_translations`")));
        }
    }

    void languageFollowsTheUsersLanguages_data()
    {
        QTest::addColumn<QStringList>("preferred");
        QTest::addColumn<QString>("language");
        QTest::newRow("German") << QStringList{QStringLiteral("de-DE"), QStringLiteral("de")}
                                << QStringLiteral("de");
        QTest::newRow("French as LANG writes it")
            << QStringList{QStringLiteral("fr_CA.UTF-8")} << QStringLiteral("fr");
        QTest::newRow("first language without a catalogue is passed over")
            << QStringList{QStringLiteral("pt-BR"), QStringLiteral("fr-FR")}
            << QStringLiteral("fr");
        QTest::newRow("English asked before German")
            << QStringList{QStringLiteral("en-GB"), QStringLiteral("de-DE")}
            << QStringLiteral("en");
        QTest::newRow("no catalogue at all")
            << QStringList{QStringLiteral("ja-JP")} << QStringLiteral("en");
        QTest::newRow("the C locale") << QStringList{QStringLiteral("C")} << QStringLiteral("en");
        QTest::newRow("nothing set") << QStringList{} << QStringLiteral("en");
        QTest::newRow("the pseudo-language when named")
            << QStringList{QStringLiteral("en-XA"), QStringLiteral("en")}
            << QStringLiteral("en_XA");
        QTest::newRow("the pseudo-language as LANG writes it")
            << QStringList{QStringLiteral("en_XA.UTF-8")} << QStringLiteral("en_XA");
    }

    // The pseudo-language is for looking at the windows: no user gets it unasked.
    void pseudoLanguageIsNoLanguageOfItsOwn()
    {
        QVERIFY(!InterfaceLanguage::available().contains(InterfaceLanguage::kPseudoLanguage));
        QCOMPARE(InterfaceLanguage::chooseFor({QStringLiteral("en-US"), QStringLiteral("en")}),
                 QStringLiteral("en"));
    }

    // Every text of the program has a pseudo translation at least 40 % longer, with the
    // placeholders, the mnemonic and the line breaks of its source: the windows seen in it show
    // the program's real behaviour with longer texts.
    void pseudoLanguageLengthensEveryText()
    {
        QTranslator pseudo;
        QVERIFY(pseudo.load(QStringLiteral(":/velmoran/i18n/velmoran_en_XA")));
        static const QRegularExpression mnemonic(QStringLiteral("&[^&\\s]"));
        QStringList faults;
        const QList<Entry> entries = entriesOf(TestEnvironment::sourceDir() +
                                               QStringLiteral("/translations/velmoran_de.ts"));
        QVERIFY(!entries.isEmpty());
        for (const Entry& entry : entries) {
            // Only a plural text is looked up with a count.
            const bool plural = entry.source.contains(QLatin1String("%n"));
            for (const int count : plural ? QList<int>{1, 2} : QList<int>{-1}) {
                const QString shown = pseudo.translate(qPrintable(entry.context),
                                                       qPrintable(entry.source), nullptr, count);
                const QString source = QString(entry.source)
                                           .replace(QStringLiteral("(s)"),
                                                    count == 1 ? QString() : QStringLiteral("s"));
                const bool hasWords = source.contains(QRegularExpression(QStringLiteral("[a-z]")));
                if (shown.isEmpty() || (hasWords && shown.size() < source.size() * 1.4) ||
                    placeholdersOf(shown) != placeholdersOf(source) ||
                    shown.count(QLatin1Char('\n')) != source.count(QLatin1Char('\n')) ||
                    mnemonic.match(shown).captured() != mnemonic.match(source).captured())
                    faults << entry.context + QStringLiteral(": ") + source +
                                  QStringLiteral(" → ") + shown;
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.mid(0, 20).join(QLatin1Char('\n'))));
    }

    void languageFollowsTheUsersLanguages()
    {
        QFETCH(QStringList, preferred);
        QFETCH(QString, language);
        QCOMPARE(InterfaceLanguage::chooseFor(preferred), language);
    }

    // The command line speaks the language LANGUAGE asks for, then LC_MESSAGES and LANG; the
    // preference keeps it in English.
    void commandLineSpeaksTheUsersLanguage()
    {
        const QString source = QStringLiteral("unknown command \"%1\"; see --help");
        QTranslator german;
        QVERIFY(german.load(QStringLiteral(":/velmoran/i18n/velmoran_de")));
        const QString expected =
            german.translate("CliText", qPrintable(source)).arg(QStringLiteral("frobnicate"));
        QVERIFY(!expected.isEmpty());
        const QString cli = QStringLiteral(VELMORAN_CLI_PATH);
        const QStringList frobnicate{QStringLiteral("frobnicate")};

        QVERIFY(runProgram(cli, frobnicate, {QStringLiteral("LANGUAGE=de")}).contains(expected));
        QVERIFY(runProgram(cli, frobnicate,
                           {QStringLiteral("LANGUAGE="), QStringLiteral("LC_ALL="),
                            QStringLiteral("LC_MESSAGES=de_DE.UTF-8"), QStringLiteral("LANG=C")})
                    .contains(expected));

        const QString key = QString(PrefKey::useEnglishInterface);
        runProgram(
            cli, {QStringLiteral("prefs"), QStringLiteral("set"), key, QStringLiteral("true")}, {});
        const QString english = runProgram(cli, frobnicate, {QStringLiteral("LANGUAGE=de")});
        runProgram(cli,
                   {QStringLiteral("prefs"), QStringLiteral("set"), key, QStringLiteral("false")},
                   {});
        QVERIFY2(english.contains(source.arg(QStringLiteral("frobnicate"))), qPrintable(english));
    }
};

VELMORAN_TEST_MAIN(TestTranslations)
#include "tst_translations.moc"
