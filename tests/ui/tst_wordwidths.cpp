#include "TestEnvironment.h"

#include "ui/main/tasklist/WordWidths.h"

#include <QApplication>

// The word-width table must answer every word with its own width after any number of words
// were added (the table grows under them) and never answer a word it was not given: a longer
// or shorter word with the same start, or one that differs only in case or in a last letter.
class TestWordWidths : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answersEveryWordAndNoOther_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("a few") << 10;
        QTest::newRow("past several growths") << 20000;
    }
    void answersEveryWordAndNoOther()
    {
        QFETCH(int, count);
        const auto wordOf = [](int i) {
            return (i % 3 == 0 ? QStringLiteral("Wört") : QStringLiteral("word")) +
                   QString::number(i);
        };
        WordWidths widths;
        for (int i = 0; i < count; ++i) {
            const QString word = wordOf(i);
            QVERIFY(!widths.find(word.constData(), word.size()));
            widths.insert(word.constData(), word.size(), float(i) + 0.5f);
        }
        QCOMPARE(widths.size(), qsizetype(count));
        for (int i = 0; i < count; ++i) {
            const QString word = wordOf(i);
            QCOMPARE(widths.find(word.constData(), word.size()).value_or(-1), float(i) + 0.5f);
            // Words end in a digit and are spelt in lower case after their first letter.
            for (const QString& other :
                 {word + QLatin1Char('x'), word.chopped(1) + QLatin1Char('x'), word.toUpper()})
                QVERIFY2(!widths.find(other.constData(), other.size()), qPrintable(other));
        }
        QVERIFY(!widths.find(nullptr, 0));
        widths.clear();
        const QString first = wordOf(0);
        QVERIFY(!widths.find(first.constData(), first.size()));
    }
};

VELMORAN_WIDGET_TEST_MAIN(TestWordWidths)
#include "tst_wordwidths.moc"
