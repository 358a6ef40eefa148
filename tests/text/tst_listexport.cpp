#include "TestEnvironment.h"

#include "../data/ReminderBuilder.h"
#include "text/DateFormatters.h"
#include "text/ListExport.h"

#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>

using TestEnvironment::local;
using Style = StyledText::Style;
using Run = StyledText::Run;

class TestListExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void remindersInRowOrderRichAndPlain()
    {
        const QDateTime completedAt = local(2030, 3, 4, 18, 5);
        const QDateTime dueAtNineThirty = local(2030, 3, 5, 9, 30);
        const StyledText text = ListExport::attributedStringsForSharingListWithTitle(
            "Home", "4 Tasks", m_reminders, {}, m_formatters);

        const DateFormatter& medium = m_formatters.dateTimeMediumFormatter();
        const QList<Run> expected = {
            {"Home    ", Style::Heading},
            {"4 Tasks\n\n\n", Style::Subheading},
            {"\u25C9 Pay rent\n", Style::Item},
            {QStringLiteral("     Completed : ") + medium.stringFromDate(completedAt) +
                 QStringLiteral("    Home\n\n"),
             Style::Detail},
            {"\u25EF Call mum\n", Style::Item},
            {"     Due Date : Mar 5, 2030    Home\n\n", Style::Detail},
            {"\u25EF Dentist\n", Style::Item},
            {QStringLiteral("     Due Date : ") + medium.stringFromDate(dueAtNineThirty) +
                 QStringLiteral("    Work\n\n"),
             Style::Detail},
            {"Bring the 50%@ voucher\nand the card\n\n", Style::Detail},
            {"\u25EF Buy milk %@\n", Style::Item},
            {"     Work\n\n", Style::Detail},
        };
        QCOMPARE(text.runs(), expected);

        // Rich and plain, the text is the same.
        const QString plain = text.toPlainText();
        const std::unique_ptr<QTextDocument> document = text.toDocument();
        QCOMPARE(document->toPlainText(), plain);

        // Every character carries the style of the run it came from. A line break is one
        // position in the document as in the text, so positions match offsets.
        QTextCursor cursor(document.get());
        qsizetype offset = 0;
        for (const Run& run : text.runs()) {
            const QTextCharFormat style = StyledText::charFormat(run.style);
            for (qsizetype i = 0; i < run.text.size(); ++i) {
                if (run.text.at(i) == u'\n')
                    continue;
                cursor.setPosition(int(offset + i + 1));
                QCOMPARE(cursor.charFormat().font().pixelSize(), style.font().pixelSize());
                QCOMPARE(cursor.charFormat().foreground().color(), style.foreground().color());
            }
            offset += run.text.size();
        }

        // The clipboard gets both forms, and the HTML keeps the runs of spaces.
        const std::unique_ptr<QMimeData> mime = text.toMimeData();
        QCOMPARE(mime->text(), plain);
        QTextDocument reread;
        reread.setHtml(mime->html());
        QCOMPARE(reread.toPlainText(), plain);
    }

    void eventsFollowTheReminders()
    {
        const QDateTime start = local(2030, 6, 12, 14, 0);
        const store::EventPtr review = eventOf("Review", start, local(2030, 6, 12, 15, 30));
        review->location = "Room 4";
        const QList<store::EventPtr> events = {
            review,
            eventOf("Holiday", local(2030, 6, 13), local(2030, 6, 14), true),
            eventOf("Trip", local(2030, 6, 13), local(2030, 6, 16), true),
            eventOf("Night shift", local(2030, 6, 12, 22, 0), local(2030, 6, 13, 6, 0)),
        };
        const StyledText text = ListExport::attributedStringsForSharingListWithTitle(
            "Wednesday", "One Task", {m_reminders.last()}, events, m_formatters);

        const DateFormatter& day = m_formatters.dateOnlyFormatter();
        const DateFormatter& time = m_formatters.hourTimeAMPMFormatter();
        const DateFormatter& dateTime = m_formatters.dateTimeFormatter();
        const QString expected =
            QStringLiteral("Wednesday    One Task\n\n\n\u25EF Buy milk %@\n     Work\n\n"
                           "\n\nCalendar Events\n\n\u25A3 Review\n     %1, %2 ~ %3    Room 4\n\n"
                           "\u25A3 Holiday\n     %4\n\n\u25A3 Trip\n     %4 ~ %5\n\n"
                           "\u25A3 Night shift\n     %6 ~ %7\n\n")
                .arg(day.stringFromDate(start), time.stringFromDate(start),
                     time.stringFromDate(local(2030, 6, 12, 15, 30)),
                     day.stringFromDate(local(2030, 6, 13)), day.stringFromDate(local(2030, 6, 15)),
                     dateTime.stringFromDate(local(2030, 6, 12, 22, 0)),
                     dateTime.stringFromDate(local(2030, 6, 13, 6, 0)));
        QCOMPARE(text.toPlainText(), expected);

        // The events' heading is a heading; their lines are items and details.
        QCOMPARE(text.runs().at(4), (Run{"\n\nCalendar Events\n\n", Style::Heading}));
    }

private:
    const DateFormatters m_formatters{QLocale(QLocale::English, QLocale::UnitedStates)};
    const store::CalendarPtr m_home = makeList("home", "Home");
    const store::CalendarPtr m_work = makeList("work", "Work");
    const QList<store::ReminderPtr> m_reminders = {
        ReminderBuilder("Pay rent")
            .in(m_home)
            .dueOn(QDate(2030, 3, 1))
            .completedAt(local(2030, 3, 4, 18, 5))
            .build(),
        ReminderBuilder("Call mum").in(m_home).dueOn(QDate(2030, 3, 5)).build(),
        ReminderBuilder("Dentist")
            .in(m_work)
            .dueAt(local(2030, 3, 5, 9, 30))
            .notes("Bring the 50%@ voucher\nand the card")
            .build(),
        ReminderBuilder("Buy milk %@").in(m_work).build(),
    };
};

VELMORAN_TEST_MAIN(TestListExport)
#include "tst_listexport.moc"
