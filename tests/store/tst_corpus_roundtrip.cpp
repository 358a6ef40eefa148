#include "IcsLines.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/store/IcsItem.h"
#include "platform/store/LibicalSetup.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRandomGenerator>

using namespace store;
using TestFiles::readFile;

namespace {

// A file's unfolded lines without the stamps that every save renews.
QList<QByteArray> unstamped(const QByteArray& file)
{
    QList<QByteArray> lines = IcsLines::unfolded(file);
    lines.removeIf([](const QByteArray& line) {
        const QByteArray name = IcsLines::nameOf(line).toUpper();
        return name == "DTSTAMP" || name == "LAST-MODIFIED" || name == "SEQUENCE";
    });
    return lines;
}

// The files of the corpus that are not complete iCalendar objects (an END missing, misspelt
// or garbled, text where the first component should begin), and must be refused as such.
const QStringList notCalendars =
    QStringLiteral(
        "icalendar-py/fuzzing__corpus__Index_Error.ics "
        "icalendar-py/fuzzing__corpus__Type_Error.ics "
        "icalendar-py/fuzzing__corpus__timezone_same_start_and_offset.ics "
        "icalendar-py/tests__calendars__big_bad_calendar.ics "
        "icalendar-py/tests__calendars__fuzz_testcase_0_char_in_component_name.ics "
        "icalendar-py/tests__calendars__fuzz_testcase_invalid_month.ics "
        "icalendar-py/tests__calendars__pr_480_summary_with_colon.ics "
        "icalendar-py/tests__calendars__small_bad_calendar.ics "
        "icalendar-py/tests__calendars__timezone_same_start_and_offset.ics libical/caltime.ics "
        "libical/crash.ics libical/get_char_test.ics libical/issue250.ics libical/issue251.ics "
        "libical/issue252.ics libical/issue253.ics libical/malloc.ics libical/zday.ics")
        .split(u' ');

} // namespace

class TestCorpusRoundTrip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        LibicalSetup::initialize();
        const QString corpus = TestEnvironment::corpusDir();
        for (const char* folder : {"icalendar-py", "khal", "libical"}) {
            QDirIterator files(corpus + QLatin1Char('/') + QLatin1String(folder),
                               {QStringLiteral("*.ics")}, QDir::Files);
            while (files.hasNext()) {
                const QString path = files.next();
                m_files.insert(QLatin1String(folder) + QLatin1Char('/') + files.fileName(),
                               readFile(path));
            }
        }
        QVERIFY2(m_files.size() > 250, qPrintable(corpus));
    }

    void everyCalendarRoundTripsByteForByte()
    {
        QStringList refused;
        for (auto it = m_files.cbegin(); it != m_files.cend(); ++it) {
            QElapsedTimer timer;
            timer.start();
            QString error;
            std::optional<IcsItem> item = IcsItem::parse(it.value(), &error);
            if (!item) {
                QVERIFY(!error.isEmpty());
                refused << it.key();
                continue;
            }
            QVERIFY2(item->serialize() == it.value(), qPrintable(it.key()));
            // Reading must neither crash nor hang, whatever the file holds: the files' own
            // years, and a year of today's, as the event window asks.
            item->toReminder();
            item->events(QDate(1995, 1, 1).startOfDay(), QDate(2000, 1, 1).startOfDay());
            item->events(QDate(2026, 6, 1).startOfDay(), QDate(2027, 6, 1).startOfDay());
            item->uid();
            QVERIFY2(timer.elapsed() < 5000, qPrintable(it.key()));
        }
        refused.sort();
        QCOMPARE(refused, notCalendars);
    }

    void titleEditChangesOnlyTheTitleAndStamps()
    {
        int edited = 0;
        for (auto it = m_files.cbegin(); it != m_files.cend(); ++it) {
            std::optional<IcsItem> item = IcsItem::parse(it.value());
            if (!item || !item->hasTodo())
                continue;
            ++edited;
            Reminder reminder = item->toReminder();
            reminder.title = QStringLiteral("Edited title, with; specials");
            item->applyReminder(reminder, QDateTime(QDate(2026, 12, 6), QTime(12, 0), Qt::UTC));
            const QByteArray after = item->serialize();
            QVERIFY2(!after.contains("X-LIC-ERROR") || it.value().contains("X-LIC-ERROR"),
                     qPrintable(it.key()));
            QCOMPARE(item->toReminder().title, reminder.title);

            // The first task's own title (not one of its alarm's) is the line replaced.
            QList<QByteArray> before = unstamped(it.value());
            QList<QByteArray> now = unstamped(after);
            QCOMPARE(now.removeAll("SUMMARY:Edited title\\, with\\; specials"), 1);
            const qsizetype todo = std::find_if(before.cbegin(), before.cend(),
                                                [](const QByteArray& line) {
                                                    return line.toUpper() == "BEGIN:VTODO";
                                                }) -
                                   before.cbegin();
            for (qsizetype i = todo + 1, depth = 0; depth >= 0 && i < before.size(); ++i) {
                const QByteArray name = IcsLines::nameOf(before.at(i)).toUpper();
                depth += name == "BEGIN" ? 1 : name == "END" ? -1 : 0;
                if (depth == 0 && name == "SUMMARY") {
                    before.removeAt(i);
                    break;
                }
            }
            QVERIFY2(before == now, qPrintable(it.key()));
        }
        QVERIFY(edited >= 8);
    }

    void damagedFilesNeverCrash()
    {
        QRandomGenerator random(20261206);
        int checked = 0;
        for (auto it = m_files.cbegin(); it != m_files.cend(); ++it) {
            const QByteArray original = it.value();
            if (original.size() > 100000)
                continue;
            for (int round = 0; round < 12; ++round) {
                QByteArray damaged = original;
                const qsizetype at = random.bounded(qMax<qsizetype>(1, damaged.size()));
                switch (round % 4) {
                case 0:
                    damaged.truncate(at);
                    break;
                case 1:
                    damaged[at] = char(random.bounded(256));
                    break;
                case 2:
                    damaged.insert(at, "\r\n ;:,\"^\\");
                    break;
                default:
                    damaged.remove(at, random.bounded(40));
                }
                std::optional<IcsItem> item = IcsItem::parse(damaged);
                if (!item)
                    continue;
                ++checked;
                QCOMPARE(item->serialize(), damaged);
                Reminder reminder = item->toReminder();
                item->events(QDate(2000, 1, 1).startOfDay(), QDate(2030, 1, 1).startOfDay());
                reminder.title = reminder.title.toString() + QStringLiteral(" (damaged)");
                item->applyReminder(reminder, QDateTime(QDate(2026, 12, 6), QTime(12, 0), Qt::UTC));
                QVERIFY(IcsItem::parse(item->serialize()));
            }
        }
        QVERIFY(checked > 500);
    }

private:
    QMap<QString, QByteArray> m_files;
};

VELMORAN_TEST_MAIN(TestCorpusRoundTrip)
#include "tst_corpus_roundtrip.moc"
