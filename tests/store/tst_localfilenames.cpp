// Names that are not UTF-8 (a Latin-1 locale's file names, a server's href): the store finds,
// edits, deletes and restores such files and folders under their exact bytes, and shows them
// readably. Files and folders are made with byte names through the C library, as another
// program would make them.

#include "StoreLookups.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/Clock.h"
#include "platform/store/EventStore.h"
#include "platform/store/LocalFileName.h"

#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace store;
using namespace StoreQueries;
using namespace StoreLookups;
using namespace TestFiles;
using namespace Qt::StringLiterals;

namespace {

// A name's bytes that are not UTF-8, as LocalFileName carries them.
QString escaped(std::initializer_list<int> bytes)
{
    QString text;
    for (int byte : bytes)
        text += QChar(char16_t(0xDC00 + byte));
    return text;
}

QString replaced(int count)
{
    return QString(count, QChar(char16_t(0xFFFD)));
}

void makeFolder(const QByteArray& path)
{
    QVERIFY2(::mkdir(path.constData(), 0755) == 0, path.constData());
}

void writeBytes(const QByteArray& path, const QByteArray& bytes)
{
    std::ofstream out(path.constData(), std::ios::binary);
    QVERIFY2(out.write(bytes.constData(), bytes.size()).flush(), path.constData());
}

QByteArray readBytes(const QByteArray& path)
{
    std::ifstream in(path.constData(), std::ios::binary);
    return QByteArray::fromStdString({std::istreambuf_iterator<char>(in), {}});
}

// The names in a folder as the file system has them, without hidden ones; empty when it
// does not exist.
QList<QByteArray> namesIn(const QByteArray& folder)
{
    QList<QByteArray> names;
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.')
            names << QByteArray(entry->d_name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

class TestLocalFileNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_clock.setNow(TestEnvironment::local(2026, 12, 9, 10, 30));
        m_root = m_dir->path().toUtf8() + "/store";
        makeFolder(m_root);
        makeFolder(m_root + "/home");
        writeBytes(m_root + "/home/displayname", "Home");
        trash::RecentlyDeleted().empty();
    }

    void namesDecodeReversibly_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("decoded");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ascii") << QByteArray("t-1.ics") << u"t-1.ics"_s << u"t-1.ics"_s;
        QTest::newRow("utf-8 nfc") << QByteArray("caf\xc3\xa9") << u"café"_s << u"café"_s;
        QTest::newRow("utf-8 nfd")
            << QByteArray("cafe\xcc\x81") << u"cafe\u0301"_s << u"cafe\u0301"_s;
        QTest::newRow("beyond the BMP") << QByteArray("\xf0\x9f\x98\x80") << u"😀"_s << u"😀"_s;
        QTest::newRow("latin-1") << QByteArray("caf\xe9.ics") << "caf" + escaped({0xe9}) + ".ics"
                                 << "caf" + replaced(1) + ".ics";
        QTest::newRow("cut short")
            << QByteArray("a\xe2\x82") << "a" + escaped({0xe2, 0x82}) << "a" + replaced(2);
        QTest::newRow("overlong") << QByteArray("\xc0\xaf") << escaped({0xc0, 0xaf}) << replaced(2);
        QTest::newRow("surrogate")
            << QByteArray("\xed\xa0\x80") << escaped({0xed, 0xa0, 0x80}) << replaced(3);
        QTest::newRow("above U+10FFFF")
            << QByteArray("\xf4\x90\x80\x80x") << escaped({0xf4, 0x90, 0x80, 0x80}) + "x"
            << replaced(4) + "x";
        // U+10080 is written in UTF-16 with U+DC80, which is no escaped byte here.
        QTest::newRow("pair ending in an escape's unit")
            << QByteArray("\xf0\x90\x82\x80") << u"\U00010080"_s << u"\U00010080"_s;
    }

    void namesDecodeReversibly()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, decoded);
        QFETCH(QString, shown);
        QCOMPARE(LocalFileName::decode(bytes), decoded);
        QCOMPARE(LocalFileName::encode(decoded), bytes);
        QCOMPARE(LocalFileName::forDisplay(decoded), shown);
        QCOMPARE(LocalFileName::hasEscapedBytes(decoded), decoded != shown);
        QVERIFY(QUtf8StringView(shown.toUtf8()).isValidUtf8());
    }

    void anyBytesComeBackExactly()
    {
        QRandomGenerator random(7);
        for (int round = 0; round < 2000; ++round) {
            QByteArray bytes(random.bounded(1, 12), Qt::Uninitialized);
            for (char& c : bytes)
                c = char(random.bounded(1, 256));
            QCOMPARE(LocalFileName::encode(LocalFileName::decode(bytes)), bytes);
        }
    }

    // Such a file is found, also by the parse cache on the next start (its key is the same
    // name), and edited, deleted and restored under its own name.
    void aTaskInAFileNamedInLatin1IsEditedDeletedAndRestored()
    {
        const QByteArray path = m_root + "/home/caf\xe9.ics";
        writeBytes(path, todo("cafe-1", "Buy coffee"));
        // Long ago, as files are between runs: a parse cache keeps only those.
        const timespec longAgo[2] = {{kLongAgo, 0}, {kLongAgo, 0}};
        QCOMPARE(::utimensat(AT_FDCWD, path.constData(), longAgo, 0), 0);
        const QString cache = m_dir->filePath("parse.cache");
        {
            EventStore first({root()}, m_clock);
            first.setParseCacheFile(cache);
            QCOMPARE(titles(allReminders(first)), QStringList{"Buy coffee"});
            first.waitForParseCache();
        }
        EventStore store({root()}, m_clock);
        store.setParseCacheFile(cache);
        ReminderPtr task = taskTitled(store, "Buy coffee");
        QVERIFY(task);
        QCOMPARE(store.parsedFileCount(), 0u);
        QCOMPARE(LocalFileName::encode(task->origin->path()), path);

        QString error;
        task->title = "Buy beans";
        QVERIFY2(store.saveReminder(task, true, &error), qPrintable(error));
        QCOMPARE(namesIn(m_root + "/home"), (QList<QByteArray>{"caf\xe9.ics", "displayname"}));
        const QByteArray saved = readBytes(path);
        QVERIFY(saved.contains("SUMMARY:Buy beans"));

        QString id;
        QVERIFY2(store.removeReminder(taskTitled(store, "Buy beans"), true, &error, &id),
                 qPrintable(error));
        QCOMPARE(namesIn(m_root + "/home"), QList<QByteArray>{"displayname"});
        QVERIFY(allReminders(store).isEmpty());
        QVERIFY2(store.restoreDeleted(id, nullptr, &error), qPrintable(error));
        QCOMPARE(readBytes(path), saved);

        // Removed by another program, it reaches Recently Deleted too, and comes back as it was.
        QCOMPARE(::unlink(path.constData()), 0);
        QVERIFY(allReminders(store).isEmpty());
        const QList<trash::DeletedEntry> entries = store.recentlyDeleted().entries();
        QVERIFY(entries.size() == 1 && entries.first().deletedBy == trash::DeletedBy::OtherProgram);
        QVERIFY2(store.restoreDeleted(entries.first().id, nullptr, &error), qPrintable(error));
        QCOMPARE(readBytes(path), saved);

        // Deleted for good, the entry leaves nothing behind in the trash.
        QVERIFY(store.removeReminder(taskTitled(store, "Buy beans"), true, &error, &id));
        QVERIFY2(store.recentlyDeleted().remove(id, &error), qPrintable(error));
        QCOMPARE(namesIn(store.recentlyDeleted().folder().toUtf8()), QList<QByteArray>());
    }

    void aListFolderNamedInLatin1IsUsedRenamedDeletedAndRestored()
    {
        const QByteArray folder = m_root + "/Eink\xe4ufe";
        makeFolder(folder);
        writeBytes(folder + "/milk.ics", todo("milk", "Milk"));
        EventStore store({root()}, m_clock);
        store.setParseCacheFile({});
        const QString shown = "Eink" + replaced(1) + "ufe";
        CalendarPtr list = listTitled(store, shown);
        QVERIFY(list);
        // Its identifier travels as text (preferences, D-Bus, JSON): no escaped bytes in it.
        QVERIFY(!LocalFileName::hasEscapedBytes(list->calendarIdentifier));
        QVERIFY(list->calendarIdentifier.startsWith(shown + "@"));

        ReminderPtr bread = store.reminderWithEventStore();
        bread->title = "Bread";
        bread->calendar = list;
        QString error;
        QVERIFY2(store.saveReminder(bread, true, &error), qPrintable(error));
        QCOMPARE(taskTitled(store, "Bread")->calendar->calendarIdentifier,
                 list->calendarIdentifier);

        list->title = "Shopping";
        QVERIFY2(store.saveCalendar(list, true, &error), qPrintable(error));
        QCOMPARE(readBytes(folder + "/displayname"), QByteArray("Shopping"));
        list = listTitled(store, "Shopping");
        QVERIFY(list);

        QString id;
        QVERIFY2(store.removeCalendar(list, true, &error, &id), qPrintable(error));
        QCOMPARE(namesIn(m_root), QList<QByteArray>{"home"});
        EventStore::RestoreOutcome outcome;
        QVERIFY2(store.restoreDeleted(id, &outcome, &error), qPrintable(error));
        QVERIFY(!outcome.intoDefaultList);
        QCOMPARE(namesIn(m_root), (QList<QByteArray>{"Eink\xe4ufe", "home"}));
        QCOMPARE(namesIn(folder).size(), 3);
        QVERIFY(listTitled(store, "Shopping"));
    }

    // Composed and decomposed forms of one word are two names to the file system, and stay two.
    void composedAndDecomposedNamesStayApart()
    {
        const QByteArray composed = "caf\xc3\xa9";
        const QByteArray decomposed = "cafe\xcc\x81";
        for (const QByteArray& name : {composed, decomposed}) {
            makeFolder(m_root + "/" + name);
            writeBytes(m_root + "/" + name + "/" + name + ".ics", todo(name, "In " + name));
        }
        EventStore store({root()}, m_clock);
        store.setParseCacheFile({});
        ReminderPtr task = taskTitled(store, QString::fromUtf8("In " + decomposed));
        QVERIFY(task);
        QCOMPARE(task->calendar->calendarIdentifier, QString::fromUtf8(decomposed));
        task->title = "Changed";
        QString error;
        QVERIFY2(store.saveReminder(task, true, &error), qPrintable(error));
        QVERIFY(readBytes(m_root + "/" + decomposed + "/" + decomposed + ".ics")
                    .contains("SUMMARY:Changed"));
        QCOMPARE(readBytes(m_root + "/" + composed + "/" + composed + ".ics"),
                 todo(composed, "In " + composed));
    }

private:
    QString root() const { return QString::fromUtf8(m_root); }

    Clock m_clock;
    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_root;
};

VELMORAN_TEST_MAIN(TestLocalFileNames)
#include "tst_localfilenames.moc"
