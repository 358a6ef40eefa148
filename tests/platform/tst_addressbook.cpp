#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/contacts/AddressBook.h"
#include "platform/contacts/VCardReader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using contacts::AddressBook;
using contacts::Contact;
using contacts::PostalAddress;
using contacts::VCardReader;

using TestFiles::writeFile;

namespace {

// A contact as khard creates it from a filled-in template of its own.
void khardNew(const QString& config, const QByteArray& yaml, const QString& version)
{
    QProcess khard;
    khard.start(QStringLiteral("khard"),
                {QStringLiteral("-c"), config, QStringLiteral("new"), QStringLiteral("-a"),
                 QStringLiteral("book"), QStringLiteral("--vcard-version"), version});
    QVERIFY(khard.waitForStarted());
    khard.write(yaml);
    khard.closeWriteChannel();
    QVERIFY(khard.waitForFinished(30000));
    QVERIFY2(khard.exitCode() == 0, khard.readAllStandardError().constData());
}

const Contact* byFormattedName(const QList<Contact>& list, const QString& name)
{
    for (const Contact& contact : list)
        if (contact.formattedName == name)
            return &contact;
    return nullptr;
}

} // namespace

// Reading the vCard files people have: what khard writes, and the shapes of older and stranger
// files (folding, escapes, quoted-printable in other character sets, broken cards).
class TestAddressBook : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each row expects "first|last|organisation|street|city|label|label text" of the one
    // address.
    void cardsAsWritten_data()
    {
        QTest::addColumn<QByteArray>("card");
        QTest::addColumn<QString>("expected");

        QTest::newRow("folded lines and escapes")
            << QByteArray(
                   "BEGIN:VCARD\r\nVERSION:3.0\r\nN:M\\;ller;Jo\r\n hanna;;;\r\nFN:Johanna\r\n"
                   "ADR;TYPE=HOME,PREF:;;Lange Str. 3\\, Hof\\nHaus B;Ber\r\n\tlin;;;\r\n"
                   "END:VCARD\r\n")
            << "Johanna|M;ller||Lange Str. 3, Hof\nHaus B|Berlin|HOME|";
        QTest::newRow("quoted-printable in Latin-1 with a soft break")
            << QByteArray(
                   "BEGIN:VCARD\nVERSION:2.1\n"
                   "N;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:M=FCller;J=F6rg\n"
                   "ADR;WORK;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:;;Stra=DFe 1 Hinte=\n"
                   "rhaus;K=F6ln;;;\nEND:VCARD\n")
            << QString::fromUtf8("Jörg|Müller||Straße 1 Hinterhaus|Köln|WORK|");
        QTest::newRow("grouped label overrides the type")
            << QByteArray("BEGIN:VCARD\r\nVERSION:4.0\r\nFN:A B\r\nN:B;A;;;\r\n"
                          "item1.ADR;TYPE=X-Holiday:;;Strandweg 2;Sylt;;;\r\n"
                          "item1.X-ABLABEL:_$!<Beach>!$_\r\nEND:VCARD\r\n")
            << "A|B||Strandweg 2|Sylt|Beach|";
        QTest::newRow("organisation only, label parameter quoted")
            << QByteArray(
                   "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Acme\r\nN:;;;;\r\nORG:Acme\\; Inc;Sales\r\n"
                   "ADR;LABEL=\"1 Road, Town^nUK\";TYPE=work:;;1 Road;Town;;;UK\r\nEND:VCARD\r\n")
            << "||Acme; Inc|1 Road|Town|work|1 Road, Town\nUK";
        QTest::newRow("not UTF-8 and no charset: the Windows code page")
            << QByteArray(
                   "BEGIN:VCARD\nVERSION:3.0\nN:G\xf6tz;Ren\xe9\nADR:;;Platz 1;Gen\xe8ve;;;\n"
                   "END:VCARD\n")
            << QString::fromUtf8("René|Götz||Platz 1|Genève||");
        QTest::newRow("label parameter with a comma")
            << QByteArray("BEGIN:VCARD\nVERSION:4.0\nFN:X\nADR;LABEL=\"Flat 2, 1 Road\":;;;;;;\n"
                          "END:VCARD\n")
            << "||||||Flat 2, 1 Road";
        QTest::newRow("a base64 photo of an old file")
            << QByteArray("BEGIN:VCARD\nVERSION:2.1\nFN:Pic\nPHOTO;ENCODING=BASE64;JPEG:/9j/4AAQ\n"
                          "AAAABBBBCCCC\n\nADR;HOME:;;Weg 1;Ort;;;\nEND:VCARD\n")
            << "|||Weg 1|Ort|HOME|";
    }

    void cardsAsWritten()
    {
        QFETCH(QByteArray, card);
        const VCardReader::Result result = VCardReader::read(card);
        QCOMPARE(result.brokenCards, 0);
        QCOMPARE(result.contacts.size(), 1);
        const Contact& contact = result.contacts.first();
        QCOMPARE(contact.addresses.size(), 1);
        const PostalAddress& address = contact.addresses.first();
        QTEST(QStringList({contact.firstName, contact.lastName, contact.organisation,
                           address.street, address.locality, address.label, address.labelText})
                  .join(u'|'),
              "expected");
    }

    void brokenCardsAreSkippedAndTheRestKept()
    {
        const QByteArray text = "BEGIN:VCARD\nVERSION:3.0\nFN:Good One\nEND:VCARD\n"
                                "BEGIN:VCARD\nVERSION:3.0\nFN:No colon\nthis line is no property\n"
                                "END:VCARD\n"
                                "BEGIN:VCARD\nVERSION:3.0\nFN:Cut short\n"
                                "BEGIN:VCARD\nVERSION:3.0\nFN:Good Two\nEND:VCARD\n"
                                "junk between cards\n"
                                "BEGIN:VCARD\nVERSION:3.0\nFN:At the end";
        const VCardReader::Result result = VCardReader::read(text);
        QCOMPARE(result.brokenCards, 3);
        QCOMPARE(result.contacts.size(), 2);
        QCOMPARE(result.contacts[0].formattedName + ", " + result.contacts[1].formattedName,
                 QStringLiteral("Good One, Good Two"));
        QCOMPARE(VCardReader::read(QByteArray("\0\xff\xfe garbage", 11)).contacts.size(), 0);
    }

    void tenMegabyteFile()
    {
        // Every fiftieth card carries a photo of 200 kB, folded as usual.
        const QByteArray photo = (' ' + QByteArray(74, 'A') + "\r\n").repeated(200 * 1024 / 74);
        QByteArray big;
        int cards = 0;
        while (big.size() < 10 * 1024 * 1024) {
            if (cards % 50 == 0)
                big += "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Photo\r\nPHOTO;ENCODING=b;TYPE=JPEG:\r\n" +
                       photo + "END:VCARD\r\n";
            big += "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Person " + QByteArray::number(cards) +
                   "\r\nN:Person;" + QByteArray::number(cards) + ";;;\r\nADR;TYPE=home:;;Street " +
                   QByteArray::number(cards) +
                   ";City;;12345;Country\r\nNOTE:" + QByteArray(300, 'x') + "\r\nEND:VCARD\r\n";
            ++cards;
        }
        QTemporaryDir dir;
        writeFile(dir.filePath(QStringLiteral("all.vcf")), big);
        AddressBook book({dir.path()});
        const QList<Contact> list = book.contacts();
        QCOMPARE(list.size(), cards + (cards + 49) / 50);
        QCOMPARE(list.last().addresses.value(0).street, QStringLiteral("Street %1").arg(cards - 1));
    }

    void contactsWrittenByKhard()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("contacts/book"));
        QDir().mkpath(folder);
        // khard's configuration where the reader looks for it: under XDG_CONFIG_HOME.
        const QString configHome = dir.filePath(QStringLiteral("config"));
        const QString config = configHome + QStringLiteral("/khard/khard.conf");
        writeFile(config, "[addressbooks]\n[[book]]\npath = " + folder.toUtf8() +
                              "\n\n[general]\ndefault_action = list\neditor = /bin/false\n"
                              "merge_editor = /bin/false\n");
        khardNew(config,
                 "First name : Anna\nLast name : Schmidt\nAddress :\n    home :\n"
                 "        Street : Hauptstraße 5, Hinterhaus\n        Code : 10115\n"
                 "        City : Berlin\n        Country : Germany\n    work :\n"
                 "        Street : Unter den Linden 1\n        City : Berlin\n"
                 "    Holiday :\n        Street : Strandweg 2\n        City : Sylt\n",
                 QStringLiteral("4.0"));
        khardNew(config,
                 "Organisation : Acme; Inc\nAddress :\n    work :\n        Street : 1 Road\n"
                 "        City : Town\n",
                 QStringLiteral("3.0"));
        khardNew(config, "First name : Nobody\nLast name : Homeless\n", QStringLiteral("3.0"));

        const QStringList folders = AddressBook::locateFolders(
            {}, dir.path(), {{QStringLiteral("XDG_CONFIG_HOME"), configHome}});
        QCOMPARE(folders, QStringList{folder});
        AddressBook book(folders);
        const QList<Contact> list = book.contacts();
        QCOMPARE(list.size(), 3);

        const Contact* anna = byFormattedName(list, QStringLiteral("Anna Schmidt"));
        QVERIFY(anna);
        QCOMPARE(anna->firstName + " " + anna->lastName, QStringLiteral("Anna Schmidt"));
        QStringList addresses;
        for (const PostalAddress& address : anna->addresses)
            addresses << QStringList{address.label, address.street, address.postalCode,
                                     address.country}
                             .join(u'|');
        addresses.sort();
        QCOMPARE(addresses, (QStringList{"Holiday|Strandweg 2||",
                                         "home|Hauptstraße 5, Hinterhaus|10115|Germany",
                                         "work|Unter den Linden 1||"}));

        const Contact* acme = byFormattedName(list, QStringLiteral("Acme; Inc"));
        QVERIFY(acme);
        QCOMPARE(acme->organisation + "|" + acme->firstName + "|" + acme->lastName,
                 QStringLiteral("Acme; Inc||"));
        const Contact* nobody = byFormattedName(list, QStringLiteral("Nobody Homeless"));
        QVERIFY(nobody && nobody->addresses.isEmpty());
    }

    void whereTheContactsAre()
    {
        QTemporaryDir dir;
        const QHash<QString, QString> noXdg;
        // No preference and no khard: no address book.
        QVERIFY(AddressBook::locateFolders({}, dir.path(), noXdg).isEmpty());
        // khard's default place, with "~" and a second book.
        writeFile(dir.filePath(QStringLiteral(".config/khard/khard.conf")),
                  "[general]\npath = /not/a/book\n[addressbooks]\n[[family]]\n"
                  "path = ~/.contacts/family/\n[[work]]\n  path = \"/srv/work\"  \n"
                  "[[relative]]\npath = books/mine\n"
                  "[contact table]\ndisplay = first_name\n");
        // Clean absolute paths only: a relative one would be read from wherever we run.
        QCOMPARE(AddressBook::locateFolders({}, dir.path(), noXdg),
                 (QStringList{dir.path() + "/.contacts/family", "/srv/work"}));
        // The preference wins over khard.
        QCOMPARE(AddressBook::locateFolders(QStringLiteral("~/cards"), dir.path(), noXdg),
                 QStringList{dir.path() + "/cards"});
        // Files in sub-folders (vdirsyncer's layout) and nothing but vCard files are read.
        writeFile(dir.filePath(QStringLiteral("root/account/a.vcf")),
                  "BEGIN:VCARD\nVERSION:3.0\nFN:Sub\nEND:VCARD\n");
        writeFile(dir.filePath(QStringLiteral("root/b.ics")),
                  "BEGIN:VCARD\nVERSION:3.0\nFN:Wrong\nEND:VCARD\n");
        AddressBook book({dir.filePath(QStringLiteral("root"))});
        QCOMPARE(book.contacts().size(), 1);
        QVERIFY(!AddressBook({}).isAvailable());
    }
};

VELMORAN_TEST_MAIN(TestAddressBook)
#include "tst_addressbook.moc"
