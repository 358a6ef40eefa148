#include "LoopbackHttpServer.h"
#include "TestEnvironment.h"

#include "data/location/ContactPlaces.h"
#include "data/location/LocationSearch.h"

#include <QSignalSpy>

using contacts::Contact;
using contacts::PostalAddress;

namespace {

PostalAddress address(const QString& label, const QString& street, const QString& city)
{
    PostalAddress postal;
    postal.label = label;
    postal.street = street;
    postal.locality = city;
    return postal;
}

QList<Contact> addressBook()
{
    Contact anna{"Anna Schmidt", "Anna", "Schmidt", "", {}};
    anna.addresses << address("home", "Hauptstr. 5", "Berlin")
                   << address("work", "Unter den Linden 1", "Berlin")
                   << address("X-holiday", "Strandweg 2", "Nowhere");
    Contact acme{"Acme", "", "", "Acme Ltd", {address("WORK", "1 Road", "Town")}};
    Contact empty{"Nobody", "No", "Body", "", {address("home", "", "")}};
    Contact homeOnly{"Hal", "Hal", "Home", "", {address("", "Weg 3", "Kiel")}};
    Contact onlyFormatted{"Just A Name", "", "", "", {address("other", "Gasse 4", "Wien")}};
    return {anna, acme, empty, homeOnly, onlyFormatted};
}

// A geocoder service: free text finds a station, addresses in Berlin and Kiel are found,
// any other place is not.
LoopbackHttpServer::Answer serviceAnswer(const LoopbackHttpServer::Request& request)
{
    LoopbackHttpServer::Answer answer{200, "application/json", "[]"};
    const QString q = request.queryItem("q");
    const QString city = request.queryItem("city");
    if (q.contains(QLatin1String("fail")) || q == QLatin1String("work"))
        answer.status = 500;
    else if (!q.isEmpty())
        answer.body = "[{\"lat\":\"52.5249\",\"lon\":\"13.3696\",\"display_name\":\"" + q.toUtf8() +
                      " Station\"}]";
    else if (city == QLatin1String("Berlin"))
        answer.body = "[{\"lat\":\"52.5170\",\"lon\":\"13.3889\",\"display_name\":\"x\"}]";
    else if (city == QLatin1String("Kiel"))
        answer.delayMs = 300,
        answer.body = "[{\"lat\":\"54.3233\",\"lon\":\"10.1228\",\"display_name\":\"y\"}]";
    return answer;
}

} // namespace

// The place search of the location pop-over: the address book's entries and how a typed text
// matches them, map places behind them, and the alarm a chosen result prepares.
class TestLocationSearch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void entriesOfTheAddressBook()
    {
        const QList<ContactPlace> places = ContactPlaces::fromContacts(addressBook(), false);
        QStringList strings;
        for (const ContactPlace& place : places)
            strings << place.string;
        // No entry for an address without text; the organisation for a card without names.
        QCOMPARE(strings, (QStringList{"Anna Schmidt (Home)", "Anna Schmidt (Work)",
                                       "Anna Schmidt (Holiday)", "Acme Ltd (Work)", "Hal Home",
                                       "Just A Name (Other)"}));
        QCOMPARE(places.first().address, QStringLiteral("Hauptstr. 5, Berlin"));
        QCOMPARE(ContactPlaces::fromContacts(addressBook(), true).first().name,
                 QStringLiteral("Schmidt Anna"));
        QVERIFY(ContactPlaces::lastNameFirst(QLocale(QLocale::Hungarian)));
        QVERIFY(!ContactPlaces::lastNameFirst(QLocale(QLocale::German)));
    }

    void matchingWords_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("matches");
        QTest::newRow("one word, any case")
            << "home" << QStringList{"Anna Schmidt (Home)", "Hal Home"};
        QTest::newRow("two words") << "anna WORK" << QStringList{"Anna Schmidt (Work)"};
        QTest::newRow("two spaces match nothing") << "anna  work" << QStringList{};
        QTest::newRow("a space at the end") << "anna " << QStringList{};
        QTest::newRow("inside words")
            << "mid"
            << QStringList{"Anna Schmidt (Home)", "Anna Schmidt (Work)", "Anna Schmidt (Holiday)"};
    }

    void matchingWords()
    {
        QFETCH(QString, text);
        QStringList strings;
        for (const ContactPlace& place :
             ContactPlaces::matching(ContactPlaces::fromContacts(addressBook(), false), text))
            strings << place.string;
        QTEST(strings, "matches");
    }

    void init()
    {
        m_server = std::make_unique<LoopbackHttpServer>(serviceAnswer);
        m_geocoder = std::make_unique<geo::Geocoder>([this] { return m_server->baseAddress(); });
        m_geocoder->setMinimumInterval(0);
        m_search = std::make_unique<LocationSearch>(*m_geocoder);
        m_search->setSearchDelay(0);
        m_search->prepare(ContactPlaces::fromContacts(addressBook(), false));
    }

    void cleanup()
    {
        m_search.reset();
        m_geocoder.reset();
        m_server.reset();
    }

    void contactsFirstThenMapPlaces()
    {
        QSignalSpy changed(m_search.get(), &LocationSearch::resultsChanged);
        m_search->textChanged(QStringLiteral("home"));
        // The address book answers at once, the map later.
        QCOMPARE(m_search->resultTexts(), (QStringList{"Anna Schmidt (Home)", "Hal Home"}));
        QTRY_COMPARE(m_search->resultTexts().size(), 3);
        QCOMPARE(m_search->resultTexts().last(), QStringLiteral("home Station"));
        QCOMPARE(changed.last().first().toBool(), true);
        QCOMPARE(m_search->completedString(QStringLiteral("ANNA s")),
                 QStringLiteral("Anna Schmidt (Home)"));
        QVERIFY(m_search->completedString(QStringLiteral("Zed")).isEmpty());

        // A failed map search keeps the address book's entries. The service answers one
        // request at a time, so a check asked for after the search is answered after it.
        m_search->textChanged(QStringLiteral("work"));
        QTRY_VERIFY(!m_server->requests().isEmpty() &&
                    m_server->requests().last().queryItem("q") == "work");
        m_search->checkValidLocation(QStringLiteral("Anna Schmidt (Work)"));
        QTRY_VERIFY(m_search->validityText().isEmpty());
        QCOMPARE(m_search->resultTexts(), (QStringList{"Anna Schmidt (Work)", "Acme Ltd (Work)"}));

        m_search->textChanged(QString());
        QVERIFY(m_search->resultTexts().isEmpty());
        QCOMPARE(changed.last().first().toBool(), false);
    }

    void aMapPlaceIsReadyAtOnce()
    {
        m_search->textChanged(QStringLiteral("Hbf"));
        QTRY_COMPARE(m_search->resultTexts(), QStringList{"Hbf Station"});
        m_search->chooseDeparture(QStringLiteral("Hbf Station"));
        QVERIFY(m_search->validityText().isEmpty());
        const std::optional<store::Alarm> alarm =
            m_search->alarmToSave(QStringLiteral("Hbf Station"));
        QVERIFY(alarm && alarm->proximity == store::Alarm::Proximity::Leave);
        QCOMPARE(alarm->structuredLocation->latitude, 52.5249);
        QCOMPARE(alarm->structuredLocation->radius, 106.68);
        // The field edited after the check: nothing to save until it is checked again.
        QVERIFY(!m_search->alarmToSave(QStringLiteral("Hbf Stationx")));
        m_search->checkValidLocation(QStringLiteral("Hbf Stationx"));
        QCOMPARE(m_search->validityText(), QStringLiteral("Location is not valid"));
        QVERIFY(!m_search->alarmToSave(QStringLiteral("Hbf Station")));
    }

    void anAddressIsGeocodedFirst()
    {
        m_search->textChanged(QStringLiteral("home"));
        m_search->chooseArrival(QStringLiteral("Hal Home"));
        QCOMPARE(m_search->validityText(), QStringLiteral("validating.."));
        QVERIFY(!m_search->alarmToSave(QStringLiteral("Hal Home")));
        QTRY_VERIFY(m_search->validityText().isEmpty());
        const std::optional<store::Alarm> alarm = m_search->alarmToSave(QStringLiteral("Hal Home"));
        QVERIFY(alarm && alarm->proximity == store::Alarm::Proximity::Enter);
        QCOMPARE(alarm->structuredLocation->latitude, 54.3233);

        // An address the service does not know.
        m_search->textChanged(QStringLiteral("holiday"));
        m_search->checkValidLocation(QStringLiteral("Anna Schmidt (Holiday)"));
        QTRY_COMPARE(m_search->validityText(), QStringLiteral("Location is not valid"));
        QVERIFY(!m_search->hasPreparedAlarm());
    }

    void aLateAnswerForAnOlderCheckIsDropped()
    {
        m_search->textChanged(QStringLiteral("a"));
        QTRY_VERIFY(m_search->resultTexts().contains(QStringLiteral("Hal Home")));
        // Kiel answers late; Berlin is asked after it and wins. Requests go out one at a
        // time, so Kiel's answer has come when Berlin's does.
        m_search->checkValidLocation(QStringLiteral("Hal Home"));
        m_search->checkValidLocation(QStringLiteral("Anna Schmidt (Work)"));
        QTRY_VERIFY(m_search->validityText().isEmpty());
        const auto alarm = m_search->alarmToSave(QStringLiteral("Anna Schmidt (Work)"));
        QVERIFY(alarm);
        QCOMPARE(alarm->structuredLocation->latitude, 52.5170);
    }

    void emptyFieldDropsTheAlarm()
    {
        m_search->textChanged(QStringLiteral("Hbf"));
        QTRY_COMPARE(m_search->resultTexts().size(), 1);
        m_search->checkValidLocation(QStringLiteral("Hbf Station"));
        QVERIFY(m_search->hasPreparedAlarm());
        m_search->textChanged(QString());
        QVERIFY(!m_search->hasPreparedAlarm());
        // Opening again starts afresh with arrival.
        m_search->chooseDeparture(QString());
        m_search->prepare({});
        QVERIFY(m_search->arrivalChosen());
        QVERIFY(m_search->validityText().isEmpty());
    }

private:
    std::unique_ptr<LoopbackHttpServer> m_server;
    std::unique_ptr<geo::Geocoder> m_geocoder;
    std::unique_ptr<LocationSearch> m_search;
};

VELMORAN_TEST_MAIN(TestLocationSearch)
#include "tst_locationsearch.moc"
