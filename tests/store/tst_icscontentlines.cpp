#include "TestEnvironment.h"

#include "platform/store/LibicalSetup.h"
#include "platform/store/ics/Component.h"

#include <QElapsedTimer>
#include <QGuiApplication>

using store::ics::Component;
using store::ics::Property;

namespace {

Component parsed(const QByteArray& bytes)
{
    QString error;
    std::optional<Component> document = Component::parseDocument(bytes, &error);
    if (!document)
        qWarning() << "refused:" << error;
    return document ? std::move(*document) : Component();
}

bool isValidUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

} // namespace

class TestIcsContentLines : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { store::LibicalSetup::initialize(); }

    void roundTripIsByteIdentical_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("crlf") << QByteArray("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n");
        QTest::newRow("lf, no final newline")
            << QByteArray("BEGIN:VCALENDAR\nVERSION:2.0\nEND:VCALENDAR");
        QTest::newRow("mixed endings") << QByteArray("BEGIN:A\r\nX:1\nY:2\r\nEND:A\n");
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF"
                                                       "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n");
        QTest::newRow("folds with space and tab")
            << QByteArray("BEGIN:VTODO\r\nSUMMARY:one\r\n  two\r\n\tthree\r\nEND:VTODO\r\n");
        QTest::newRow("lone CR, NUL and invalid UTF-8")
            << QByteArray("BEGIN:VTODO\nSUMMARY:a\rb\0c\xff\xfe\nEND:VTODO\n", 38);
        QTest::newRow("blank and junk lines inside")
            << QByteArray("BEGIN:VTODO\r\n\r\nno colon here\r\n;;;\r\nEND:VTODO\r\n\r\n");
        QTest::newRow("several top-level components")
            << QByteArray("BEGIN:VEVENT\nEND:VEVENT\nBEGIN:X-THING\nA:b\nEND:X-THING\n");
        QTest::newRow("lower-case names, END with trailing blank")
            << QByteArray("begin:vtodo\r\nsummary:x\r\nend:VTODO \r\n");
        QTest::newRow("comment after the calendar")
            << QByteArray("BEGIN:VCALENDAR\nEND:VCALENDAR\nX-COMMENT:Cached\n");
        QTest::newRow("deep nesting") << QByteArray("BEGIN:A\nBEGIN:B\nBEGIN:C\nBEGIN:D\nZ:1\n"
                                                    "END:D\nEND:C\nEND:B\nEND:A\n");
    }
    void roundTripIsByteIdentical()
    {
        QFETCH(QByteArray, bytes);
        std::optional<Component> document = Component::parseDocument(bytes, nullptr);
        QVERIFY(document);
        QCOMPARE(document->serialize(), bytes);
        QCOMPARE(document->serializedSize(), bytes.size());
        const Component copy = *document; // deep copies serialize the same
        QCOMPARE(copy.serialize(), bytes);
    }

    void refusesWhatIsNoCalendar_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("only blank lines") << QByteArray("\r\n\r\n");
        QTest::newRow("missing END")
            << QByteArray("BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nEND:VTODO\r\n");
        QTest::newRow("mismatched END") << QByteArray("BEGIN:VTODO\nEND:VEVENT\n");
        QTest::newRow("END first") << QByteArray("END:VTODO\n");
        QTest::newRow("text before") << QByteArray("hello\nBEGIN:VTODO\nEND:VTODO\n");
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
        QTest::newRow("hostile nesting")
            << QByteArray("BEGIN:X\n").repeated(1000) + QByteArray("END:X\n").repeated(1000);
    }
    void refusesWhatIsNoCalendar()
    {
        QFETCH(QByteArray, bytes);
        QString error;
        QVERIFY(!Component::parseDocument(bytes, &error));
        QVERIFY(!error.isEmpty());
    }

    void readsNamesParametersAndValues()
    {
        const Component document =
            parsed("BEGIN:VTODO\r\n"
                   "ATTENDEE;CN=\"Doe; John: Jr, "
                   "III\";ROLE=REQ-PARTICIPANT;X-LIST=a,\"b,c\",d:mailto:j@x\r\n"
                   "X-PARAM;NEWLINE=^n;ALL=^^^'^n;UNKNOWN=^a^ :v\r\n"
                   "DESCRIPTION:line\\none\\, two\\; three \\\\ four\\:five\r\n"
                   "X-EMPTY;A=:\r\n"
                   "X-NOCOLON;A=\"unterminated:value\r\n"
                   "END:VTODO\r\n");
        const Component& todo = *document.child("VTODO");
        const Property* attendee = todo.property("attendee");
        QVERIFY(attendee);
        QCOMPARE(attendee->value(), QByteArrayView("mailto:j@x"));
        QCOMPARE(attendee->parameter("cn"), QByteArray("Doe; John: Jr, III"));
        QCOMPARE(attendee->parameter("ROLE"), QByteArray("REQ-PARTICIPANT"));
        QVERIFY(!attendee->parameter("RSVP"));
        const auto parameters = attendee->parameters();
        QCOMPARE(parameters.size(), 3);
        QCOMPARE(parameters.at(2).values, (QList<QByteArray>{"a", "b,c", "d"}));

        const Property* escaped = todo.property("X-PARAM");
        QCOMPARE(escaped->parameter("NEWLINE"), QByteArray("\n"));
        QCOMPARE(escaped->parameter("ALL"), QByteArray("^\"\n"));
        QCOMPARE(escaped->parameter("UNKNOWN"), QByteArray("^a^ "));

        QCOMPARE(todo.property("DESCRIPTION")->text(),
                 QStringLiteral("line\none, two; three \\ four:five"));
        QCOMPARE(todo.property("X-EMPTY")->parameter("A"), QByteArray());
        QCOMPARE(todo.property("X-EMPTY")->value(), QByteArrayView(""));
        // A line whose quote never closes has no value; it is kept, not read.
        QVERIFY(!todo.property("X-NOCOLON"));
        QCOMPARE(document.serialize().count("X-NOCOLON"), 1);
    }

    void writesFoldedEscapedLines()
    {
        const QString text = QStringLiteral("Grüße, Kollegen; \\ Zeile\r\nzwei\nund ") +
                             QString(40, QChar(0x20AC)) + QStringLiteral(" 😀 Ende");
        const Property line = Property::text("DESCRIPTION", text, "\r\n");
        const QList<QByteArray> physical = line.raw().split('\n');
        QVERIFY(physical.size() > 3);
        QVERIFY(physical.last().isEmpty());
        for (qsizetype i = 0; i + 1 < physical.size(); ++i) {
            QByteArray one = physical.at(i);
            QVERIFY(one.endsWith('\r'));
            one.chop(1);
            QVERIFY2(one.size() <= 75, one.constData());
            if (i > 0) {
                QVERIFY(one.startsWith(' '));
                one.remove(0, 1);
            }
            QVERIFY2(isValidUtf8(one), "a fold split a UTF-8 sequence");
        }
        QVERIFY(line.raw().startsWith("DESCRIPTION:Grüße\\, Kollegen\\; \\\\ Zeile\\nzwei\\nund "));
        QCOMPARE(line.text(), QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));

        // Parameter values are quoted and ^-escaped as needed, and read back the same.
        const Property built = Property::build(
            "X-APPLE-STRUCTURED-LOCATION",
            {{"VALUE", {"URI"}}, {"X-TITLE", {"Home: \"Main\", 2^nd\nfloor"}}}, "geo:1,2", "\n");
        QCOMPARE(built.content(),
                 QByteArrayView("X-APPLE-STRUCTURED-LOCATION;VALUE=URI;X-TITLE=\"Home: ^'Main^', "
                                "2^^nd^nfloor\":geo:1,2"));
        QCOMPARE(built.raw().count('\n'), 2);
        QCOMPARE(built.parameter("X-TITLE"), QByteArray("Home: \"Main\", 2^nd\nfloor"));
        QCOMPARE(Property::build("X", {}, "", "\n").raw(), QByteArray("X:\n"));
    }

    // What a TEXT value reads as is what writing it back keeps, so a task written to a file
    // reads back as it was: control characters, which TEXT cannot carry, are not read, and a
    // bare CR is the line break it becomes when written.
    void textReadsAsItWritesBack_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("NUL bytes") << QByteArray("a\0b\0c", 5) << QStringLiteral("abc");
        QTest::newRow("other control bytes")
            << QByteArray("bell\x07 esc\x1b end") << QStringLiteral("bell esc end");
        QTest::newRow("escaped control byte") << QByteArray("a\\\x01z") << QStringLiteral("az");
        QTest::newRow("bare CR") << QByteArray("one\rtwo") << QStringLiteral("one\ntwo");
        QTest::newRow("leading zero-width no-break space")
            << QByteArray("\xEF\xBB\xBFtitle, \\n") << QStringLiteral("\uFEFFtitle, \n");
        QTest::newRow("tab and escaped break")
            << QByteArray("a\tb\\nc") << QStringLiteral("a\tb\nc");
    }
    void textReadsAsItWritesBack()
    {
        QFETCH(QByteArray, value);
        QFETCH(QString, text);
        const Component document = parsed("BEGIN:VTODO\r\nSUMMARY:" + value + "\r\nEND:VTODO\r\n");
        const Property* summary = document.child("VTODO")->property("SUMMARY");
        QVERIFY(summary);
        QCOMPARE(summary->text(), text);
        QCOMPARE(Property::text("SUMMARY", summary->text(), "\r\n").text(), text);
    }

    void largeFilesParseInLinearTime()
    {
        // 5 MB of small events, and one 5 MB property folded 70 000 times.
        QByteArray many = "BEGIN:VCALENDAR\r\n";
        while (many.size() < 5 * 1024 * 1024) {
            many += "BEGIN:VEVENT\r\nUID:" + QByteArray::number(many.size()) +
                    "\r\nDTSTART;TZID=Europe/Berlin:20260101T100000\r\nSUMMARY:An event with a "
                    "long enough title to be realistic\r\nEND:VEVENT\r\n";
        }
        many += "END:VCALENDAR\r\n";
        const qsizetype folds = 70'000;
        const QByteArray folded =
            "BEGIN:VTODO\r\nDESCRIPTION:" + (QByteArray(73, 'x') + "\r\n ").repeated(folds) +
            "end\r\nEND:VTODO\r\n";
        QByteArray unbroken =
            "BEGIN:VTODO\r\nDESCRIPTION:" + QByteArray(5 * 1024 * 1024, 'y') + "\r\nEND:VTODO\r\n";

        for (const QByteArray& bytes : {many, folded, unbroken}) {
            QElapsedTimer timer;
            timer.start();
            std::optional<Component> document = Component::parseDocument(bytes, nullptr);
            QVERIFY(document);
            QCOMPARE(document->serialize(), bytes);
            QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
        }
        const Component document = parsed(folded);
        QCOMPARE(document.child("VTODO")->property("DESCRIPTION")->text().size(), folds * 73 + 3);
    }
};

VELMORAN_TEST_MAIN(TestIcsContentLines)
#include "tst_icscontentlines.moc"
