// A folder's "color" file reads as it did when the store kept a QColor: every form and name
// QColor takes gives the same red, green and blue, and a list's colour is written back as the
// same "#rrggbb".

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
        for (const char* text : {"#1badf8",
                                 "#1BADF8",
                                 "#fa0",
                                 "#801badf8",
                                 "#123456789",
                                 "#123412341234",
                                 "red",
                                 "Light Blue",
                                 "DarkSlateGray",
                                 "transparent",
                                 " yellowgreen",
                                 "#12345",
                                 "#1badf",
                                 "",
                                 "#",
                                 "#ggg",
                                 "1badf8",
                                 "#1badf8 ",
                                 "notacolour",
                                 "rebeccapurple",
                                 "#\u00e9ab"})
            QTest::newRow(text) << QString::fromUtf8(text);
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

    void writesWhatItRead()
    {
        const CollectionColor color = CollectionColor::fromRgb(0x0a, 0x14, 0x1e);
        QCOMPARE(color.name(), QStringLiteral("#0a141e"));
        QCOMPARE(CollectionColor::fromText(color.name()), color);
        QVERIFY(CollectionColor() != CollectionColor::fromRgb(0, 0, 0));
    }
};

VELMORAN_TEST_MAIN(TestCollectionColor)
#include "tst_collectioncolor.moc"
