#include "ReminderBuilder.h"
#include "TestEnvironment.h"

#include "data/SearchWords.h"

#include <QGuiApplication>

// A search asked of the store folds each task's texts as it goes; it must find what the
// snapshot's folded copies find, whatever the script of the text.
class TestSearchWords : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matchesLikeTheFoldedTexts_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("words");
        QTest::addColumn<bool>("expected");

        QTest::newRow("ascii, any case") << "Buy MILK"
                                         << ""
                                         << "milk buy" << true;
        QTest::newRow("words in notes") << "Shopping"
                                        << "Fresh Bread"
                                        << "bread fresh" << true;
        QTest::newRow("spread over both") << "milk"
                                          << "bread"
                                          << "milk bread" << false;
        QTest::newRow("accent after ascii") << "Call Müller"
                                            << ""
                                            << "MÜLLER" << true;
        QTest::newRow("capital accent") << "ÉCOLE"
                                        << ""
                                        << "école" << true;
        QTest::newRow("sharp s stays") << "Straße"
                                       << ""
                                       << "strasse" << false;
        QTest::newRow("kelvin sign") << "5 \u212A"
                                     << ""
                                     << "k" << true;
        QTest::newRow("surrogate pair") << QString::fromUcs4(U"note \U00010400") << ""
                                        << QString::fromUcs4(U"\U00010428") << true;
        QTest::newRow("final sigma") << "ΟΔΟΣ"
                                     << ""
                                     << "οδοσ" << true;
        QTest::newRow("empty word") << "milk"
                                    << ""
                                    << "milk " << false;
    }

    void matchesLikeTheFoldedTexts()
    {
        QFETCH(QString, title);
        QFETCH(QString, notes);
        QFETCH(QString, words);
        QFETCH(bool, expected);

        const std::optional<SearchWords> search = SearchWords::of(words);
        QVERIFY(search);
        const QString foldedTitle = title.toCaseFolded();
        const QString foldedNotes = notes.toCaseFolded();
        QCOMPARE(search->matchFolded(foldedTitle, ReminderSnapshot::signatureOf(foldedTitle),
                                     foldedNotes, ReminderSnapshot::signatureOf(foldedNotes)),
                 expected);
        // After a longer text, so that the buffers it folds into hold something to overwrite.
        search->matches(*ReminderBuilder(QString(200, u'x')).notes(QString(300, u'y')).build());
        QCOMPARE(search->matches(*ReminderBuilder(title).notes(notes).build()), expected);
    }
};

VELMORAN_TEST_MAIN(TestSearchWords)
#include "tst_searchwords.moc"
