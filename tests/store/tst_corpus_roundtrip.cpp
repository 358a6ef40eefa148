#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/store/IcsItem.h"
#include "platform/store/LibicalSetup.h"
#include "platform/store/ics/Component.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRandomGenerator>

using namespace store;
using ics::Component;
using TestFiles::readFile;

namespace {

// Every line of a document in file order, each with the names of the components around it
// ("VCALENDAR/VTODO SUMMARY:..."), so that a line moved to another component counts as
// changed.
void flatten(const Component& component, const QByteArray& path, QList<QByteArray>& out)
{
    for (const Component::Node& node : component.nodes()) {
        if (node.component) {
            const QByteArray inner = path + '/' + node.component->name().toByteArray();
            out << inner + " BEGIN";
            flatten(*node.component, inner, out);
            out << inner + " END";
        } else {
            out << path + ' ' + node.property.content().toByteArray();
        }
    }
}

QList<QByteArray> linesOf(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    if (std::optional<Component> document = Component::parseDocument(bytes, nullptr))
        flatten(*document, {}, lines);
    return lines;
}

// Whether a flattened line is a SUMMARY directly inside a component of that name.
bool isTitleOf(const QByteArray& line, const QByteArray& component)
{
    const qsizetype space = line.indexOf(' ');
    if (space < 0 || !line.first(space).endsWith('/' + component))
        return false;
    const QByteArray content = line.mid(space + 1);
    return content.size() > 7 && content.first(7).toUpper() == "SUMMARY" &&
           (content.at(7) == ':' || content.at(7) == ';');
}

// Removes the first line that is the title of a `component`; false when there is none.
bool removeFirstTitle(QList<QByteArray>& lines, const QByteArray& component)
{
    const auto found = std::find_if(lines.begin(), lines.end(), [&](const QByteArray& line) {
        return isTitleOf(line, component);
    });
    if (found == lines.end())
        return false;
    lines.erase(found);
    return true;
}

bool isStampLine(const QByteArray& line)
{
    const QByteArray content = line.mid(line.indexOf(' ') + 1);
    for (const char* name : {"DTSTAMP:", "LAST-MODIFIED:", "SEQUENCE:"}) {
        if (content.startsWith(name))
            return true;
    }
    return false;
}

bool firstTodoHasTitle(const QByteArray& bytes)
{
    std::optional<Component> document = Component::parseDocument(bytes, nullptr);
    for (const Component::Node& node : document->nodes()) {
        if (!node.component)
            continue;
        const Component* todo =
            node.component->is("VTODO") ? node.component.get() : node.component->child("VTODO");
        if (todo)
            return todo->property("SUMMARY") != nullptr;
    }
    return false;
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
            item->events(QDateTime(QDate(1995, 1, 1), QTime(0, 0)),
                         QDateTime(QDate(2000, 1, 1), QTime(0, 0)));
            item->events(QDateTime(QDate(2026, 6, 1), QTime(0, 0)),
                         QDateTime(QDate(2027, 6, 1), QTime(0, 0)));
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

            QList<QByteArray> before = linesOf(it.value());
            QList<QByteArray> now = linesOf(after);
            const qsizetype titles = now.removeIf([](const QByteArray& line) {
                return line.endsWith("/VTODO SUMMARY:Edited title\\, with\\; specials");
            });
            QCOMPARE(titles, 1);
            if (firstTodoHasTitle(it.value()))
                QVERIFY(removeFirstTitle(before, "VTODO"));
            before.removeIf(isStampLine);
            now.removeIf(isStampLine);
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
                item->events(QDateTime(QDate(2000, 1, 1), QTime(0, 0)),
                             QDateTime(QDate(2030, 1, 1), QTime(0, 0)));
                reminder.title += QStringLiteral(" (damaged)");
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
