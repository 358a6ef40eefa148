#include "TestEnvironment.h"
#include "TestFiles.h"

namespace {

// Words of another desktop that name things this one calls the tray, the tray panel and the
// launcher badge. A user who meets them looks for a place that is not there.
QStringList foreignWordsIn(const QString& text)
{
    static const QRegularExpression words("menu\\s*bar|app\\s*icon|\\bdock\\b",
                                          QRegularExpression::CaseInsensitiveOption);
    QStringList found;
    for (const QRegularExpressionMatch& match : words.globalMatch(text))
        found << match.captured();
    return found;
}

QString sourceFile(const QString& relative)
{
    return QString::fromUtf8(TestFiles::readFile(TestEnvironment::sourceDir() + '/' + relative));
}

} // namespace

// The interface speaks this desktop's words: the texts of the windows and menus, and the help
// documents shown in the Help window.
class TestDesktopWords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every text of src/ handed to the translator, as the catalogue holds it (the translation
    // suite keeps the catalogues up to date with the sources), and every help document.
    void textsUseThisDesktopsWords()
    {
        static const QRegularExpression source("<source>(.*?)</source>",
                                               QRegularExpression::DotMatchesEverythingOption);
        QStringList texts;
        for (const QRegularExpressionMatch& match :
             source.globalMatch(sourceFile("translations/velmoran_de.ts")))
            texts << match.captured(1);
        // The scan reads the program's texts, not an empty list that would pass anything.
        QVERIFY(texts.size() > 500 && texts.contains("Sound Effects"));
        const QStringList documents =
            QDir(TestEnvironment::sourceDir() + "/resources/help").entryList({"*.html"});
        QVERIFY(documents.size() >= 5);
        for (const QString& name : documents)
            texts << name + ": " + sourceFile("resources/help/" + name);
        QStringList offenders;
        for (const QString& text : texts)
            for (const QString& word : foreignWordsIn(text))
                offenders << text.left(80) + " … " + word;
        QVERIFY2(offenders.isEmpty(), qPrintable(offenders.join('\n')));
    }
};

VELMORAN_TEST_MAIN(TestDesktopWords)
#include "tst_desktopwords.moc"
