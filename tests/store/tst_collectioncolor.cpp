// A folder's "color" file reads as it did when the store kept a QColor: every form and name
// QColor takes gives the same red, green and blue (tst_eventstore sees it written back).

#include "TestEnvironment.h"

#include "platform/store/CollectionColor.h"

#include <QColor>
#include <QtTest>

using store::CollectionColor;

class TestCollectionColor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsWhatQColorReads_data()
    {
        QTest::addColumn<QString>("text");
        // One text a piece, separated by "|" (the empty text among them).
        const QString texts = QString::fromUtf8(
            "#1badf8|#1BADF8|#fa0|#801badf8|#123456789|#123412341234|red|Light "
            "Blue|DarkSlateGray|transparent| yellowgreen|#12345|#1badf||#|#ggg|1badf8|#1badf8 "
            "|notacolour|rebeccapurple|#\u00e9ab");
        for (const QString& text : texts.split(u'|'))
            QTest::newRow(qPrintable(text)) << text;
        for (const QString& name : QColor::colorNames())
            QTest::newRow(qPrintable(name)) << name;
    }

    void readsWhatQColorReads()
    {
        QFETCH(QString, text);
        const CollectionColor read = CollectionColor::fromText(text);
        QCOMPARE(read.isValid(), QColor::isValidColorName(text));
        if (read.isValid())
            QCOMPARE(read.name(), QColor::fromString(text).name(QColor::HexRgb));
        else
            QVERIFY(read.name().isEmpty());
    }
};

VELMORAN_TEST_MAIN(TestCollectionColor)
#include "tst_collectioncolor.moc"
