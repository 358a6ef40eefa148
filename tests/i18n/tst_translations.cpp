#include "CliRun.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "platform/i18n/InterfaceLanguage.h"
#include "prefs/PreferenceKeys.h"

#include <QTranslator>

namespace {

QStringList catalogues()
{
    const QDir folder(TestEnvironment::sourceDir() + "/translations");
    QStringList paths;
    for (const QString& name : folder.entryList({"velmoran_*.ts"}, QDir::Files))
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
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            entries.append({context, {}, {}, {}});
        } else if (xml.name() == u"source") {
            entries.last().source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            entries.last().state = xml.attributes().value("type").toString();
            if (xml.readNext() == QXmlStreamReader::Characters && !xml.isWhitespace())
                entries.last().translations << xml.text().toString();
        } else if (xml.name() == u"numerusform") {
            entries.last().translations << xml.readElementText();
        }
    }
    return entries;
}

// The placeholders a text fills in: %1 … %99 and the plural count %n.
QStringList placeholdersOf(const QString& text)
{
    static const QRegularExpression placeholder("%(?:L?\\d{1,2}|n)");
    QStringList found;
    for (auto it = placeholder.globalMatch(text); it.hasNext();)
        found << it.next().captured().remove('L');
    found.sort();
    found.removeDuplicates();
    return found;
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
                const QString where = entry.context + ": " + entry.source;
                if (!entry.state.isEmpty()) {
                    faults << entry.state + " – " + where;
                    continue;
                }
                for (const QString& translation : entry.translations) {
                    if (translation.isEmpty() ||
                        placeholdersOf(translation) != placeholdersOf(entry.source))
                        faults << "placeholders – " + where + " → " + translation;
                }
            }
            QVERIFY2(faults.isEmpty(),
                     qPrintable(QFileInfo(path).fileName() + ":\n" + faults.mid(0, 30).join('\n')));
        }
    }

    // lupdate reads only literals: a text handed to tr() or translate() in a variable (a small
    // helper taking "const char*") never reaches a catalogue unless it is marked where it is
    // written. A file that translates a variable marks its texts with QT_TRANSLATE_NOOP.
    void textsTranslatedFromVariablesAreMarked()
    {
        static const QRegularExpression variableText(
            "(?<![\\w.>])(?:tr\\(|translate\\(\\s*\"[^\"]*\"\\s*,)\\s*[A-Za-z_(]");
        QStringList unmarked;
        QDirIterator files(TestEnvironment::sourceDir() + "/src", {"*.cpp", "*.h"}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(file.readAll());
            if (text.contains(variableText) && !text.contains("QT_TRANSLATE_NOOP") &&
                !text.contains("QT_TR_NOOP"))
                unmarked << file.fileName();
        }
        QVERIFY2(unmarked.isEmpty(), qPrintable(unmarked.join('\n')));
    }

    // Bringing a copy of each catalogue up to date with the sources changes nothing: every
    // text of the program is in it, and none that the program no longer has.
    void cataloguesAreUpToDate()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const QString sources = TestEnvironment::sourceDir() + "/src";
        for (const QString& path : catalogues()) {
            const QString copy = folder.filePath(QFileInfo(path).fileName());
            QVERIFY(QFile::copy(path, copy));
            QStringList arguments{"-locations", "none",  "-no-ui-lines", "-no-obsolete", "-silent",
                                  "-I",         sources, sources,        "-ts",          copy};
            if (path.endsWith("_en.ts"))
                arguments.prepend("-pluralonly");
            QProcess lupdate;
            lupdate.setProcessChannelMode(QProcess::MergedChannels);
            lupdate.start(VELMORAN_LUPDATE_PATH, arguments);
            QVERIFY(lupdate.waitForFinished(30000));
            QVERIFY2(lupdate.exitCode() == 0, lupdate.readAll().constData());
            QVERIFY2(TestFiles::readFile(path) == TestFiles::readFile(copy),
                     qPrintable(path + " is out of date with the sources; run "
                                       "`make -C build update_translations`"));
        }
    }

    void languageFollowsTheUsersLanguages_data()
    {
        QTest::addColumn<QStringList>("preferred");
        QTest::addColumn<QString>("language");
        const auto row = [](const char* name, const QStringList& preferred, const char* language) {
            QTest::newRow(name) << preferred << QString(language);
        };
        row("German", {"de-DE", "de"}, "de");
        row("French as LANG writes it", {"fr_CA.UTF-8"}, "fr");
        row("first language without a catalogue is passed over", {"pt-BR", "fr-FR"}, "fr");
        row("English asked before German", {"en-GB", "de-DE"}, "en");
        row("no catalogue at all", {"ja-JP"}, "en");
        row("the C locale", {"C"}, "en");
        row("nothing set", {}, "en");
        // The pseudo-language is for looking at the windows: no user gets it unasked.
        row("English, not the pseudo-language", {"en-US", "en"}, "en");
        row("the pseudo-language when named", {"en-XA", "en"}, "en_XA");
        row("the pseudo-language as LANG writes it", {"en_XA.UTF-8"}, "en_XA");
    }

    // Every text of the program has a pseudo translation at least 40 % longer, with the
    // placeholders, the mnemonic and the line breaks of its source: the windows seen in it show
    // the program's real behaviour with longer texts.
    void pseudoLanguageLengthensEveryText()
    {
        QTranslator pseudo;
        QVERIFY(pseudo.load(":/velmoran/i18n/velmoran_en_XA"));
        static const QRegularExpression mnemonic("&[^&\\s]");
        QStringList faults;
        const QList<Entry> entries =
            entriesOf(TestEnvironment::sourceDir() + "/translations/velmoran_de.ts");
        QVERIFY(!entries.isEmpty());
        for (const Entry& entry : entries) {
            // Only a plural text is looked up with a count.
            const bool plural = entry.source.contains("%n");
            for (const int count : plural ? QList<int>{1, 2} : QList<int>{-1}) {
                const QString shown = pseudo.translate(qPrintable(entry.context),
                                                       qPrintable(entry.source), nullptr, count);
                const QString source = QString(entry.source).replace("(s)", count == 1 ? "" : "s");
                const bool hasWords = source.contains(QRegularExpression("[a-z]"));
                if (shown.isEmpty() || (hasWords && shown.size() < source.size() * 1.4) ||
                    placeholdersOf(shown) != placeholdersOf(source) ||
                    shown.count('\n') != source.count('\n') ||
                    mnemonic.match(shown).captured() != mnemonic.match(source).captured())
                    faults << entry.context + ": " + source + " → " + shown;
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.mid(0, 20).join('\n')));
    }

    void languageFollowsTheUsersLanguages()
    {
        QFETCH(QStringList, preferred);
        QFETCH(QString, language);
        QCOMPARE(InterfaceLanguage::chooseFor(preferred), language);
        QVERIFY(!InterfaceLanguage::available().contains(InterfaceLanguage::kPseudoLanguage));
    }

    // The command line speaks the language LANGUAGE asks for, then LC_MESSAGES and LANG; the
    // preference keeps it in English.
    void commandLineSpeaksTheUsersLanguage()
    {
        const QString source = "unknown command \"%1\"; see --help";
        QTranslator german;
        QVERIFY(german.load(":/velmoran/i18n/velmoran_de"));
        const QString expected = german.translate("CliText", qPrintable(source)).arg("frobnicate");
        QVERIFY(!expected.isEmpty());
        CliRun cli(QStringLiteral("2026-12-09T10:00"));
        // What the command says with these variables set in its environment.
        const auto said = [&cli](const QStringList& variables) {
            for (const QString& setting : variables)
                cli.setVariable(setting.section('=', 0, 0), setting.section('=', 1));
            const CliRun::Result run = cli({"frobnicate"});
            return QString::fromUtf8(run.out + run.err);
        };
        QVERIFY(said({"LANGUAGE=de"}).contains(expected));
        QVERIFY(
            said({"LANGUAGE=", "LC_ALL=", "LC_MESSAGES=de_DE.UTF-8", "LANG=C"}).contains(expected));
        cli.ok({"prefs", "set", QString(PrefKey::useEnglishInterface), "true"});
        const QString english = said({"LANGUAGE=de"});
        QVERIFY2(english.contains(source.arg("frobnicate")), qPrintable(english));
    }
};

VELMORAN_TEST_MAIN(TestTranslations)
#include "tst_translations.moc"
