#include "LoadedStore.h"
#include "TestEnvironment.h"

#include "prefs/ColorContrast.h"
#include "prefs/ModeManager.h"
#include "text/ClockReferenceDates.h"
#include "text/DateFormatters.h"
#include "ui/common/CollectionColors.h"
#include "ui/common/TintedIcon.h"
#include "ui/main/tasklist/TaskListDelegate.h"
#include "ui/main/tasklist/TaskListModel.h"
#include "ui/main/tasklist/TaskRowContent.h"
#include "ui/main/tasklist/TaskRowHeights.h"
#include "ui/main/tasklist/WordWidths.h"

#include <QAbstractItemModelTester>
#include <QElapsedTimer>
#include <QImage>
#include <QListView>
#include <QPainter>
#include <QSignalSpy>
#include <QTextLayout>
#include <QTimer>

using namespace store;
using TestEnvironment::local;

namespace {

CalendarPtr list(const QString& title, const QColor& color)
{
    auto calendar = std::make_shared<Calendar>();
    calendar->calendarIdentifier = title.toLower();
    calendar->title = title;
    calendar->color = collectionColor(color);
    return calendar;
}

DateComponents due(int year, int month, int day, int hour = 0, int minute = 0)
{
    DateComponents components = DateComponents::fromDate(QDate(year, month, day));
    components.hour = hour;
    components.minute = minute;
    return components;
}

ReminderPtr task(const QString& title, const CalendarPtr& calendar,
                 std::optional<DateComponents> dueDate = std::nullopt)
{
    auto reminder = std::make_shared<Reminder>();
    reminder->calendarItemIdentifier = QStringLiteral("id-") + title;
    reminder->title = title;
    reminder->calendar = calendar;
    reminder->dueDateComponents = dueDate;
    return reminder;
}

EventPtr calendarEvent(const QString& title, const CalendarPtr& calendar, const QDateTime& start,
                       const QDateTime& end, bool allDay = false)
{
    auto e = std::make_shared<Event>();
    e->eventIdentifier = QStringLiteral("ev-") + title;
    e->title = title;
    e->calendar = calendar;
    e->startDate = start;
    e->endDate = end;
    e->isAllDay = allDay;
    return e;
}

QStringList words(int count, int seed)
{
    static const QStringList vocabulary = {"call", "the",    "dentist",   "about",  "Tuesday's",
                                           "bill", "review", "quarterly", "report", "garden",
                                           "e.g.", "milk,",  "Zoë",       "plan",   "trip!"};
    QStringList picked;
    for (int i = 0; i < count; ++i)
        picked.append(vocabulary.at((seed * 7 + i * 13) % vocabulary.size()));
    return picked;
}

} // namespace

class TestTaskRows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store.emplace();
        m_store->clock.setNow(local(2026, 3, 11, 10, 30)); // a Wednesday
        m_references = std::make_unique<ClockReferenceDates>(m_store->clock);
        m_store->context.emplace(m_store->defaults.get(), m_references.get());
        m_mode = std::make_unique<ModeManager>(*m_store->defaults, [] { return false; });
        m_work = list("Work", QColor(200, 40, 40));
    }

    void cleanup() { m_store.reset(); }

    // --- what a task row says ---

    void dueDateTextAgainstTheShownDay_data()
    {
        QTest::addColumn<QDateTime>("currentDate");
        QTest::addColumn<DateComponents>("dueDate");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("past");

        // ICU's English times put a narrow no-break space before AM and PM.
        const QDateTime today = local(2026, 3, 11);
        QTest::newRow("due yesterday, today's view")
            << today << due(2026, 3, 10) << "Overdue : Yesterday  " << true;
        QTest::newRow("due yesterday, yesterday's view")
            << today.addDays(-1) << due(2026, 3, 10) << "3/10/26  " << true;
        QTest::newRow("earlier today, today's view")
            << today << due(2026, 3, 11, 9, 0) << "3/11/26, 9:00\u202FAM  " << true;
        QTest::newRow("tomorrow at 00:00") << today << due(2026, 3, 12) << "3/12/26  " << false;
        QTest::newRow("tomorrow at 00:01")
            << today << due(2026, 3, 12, 0, 1) << "3/12/26, 12:01\u202FAM  " << false;
        QTest::newRow("no shown day (search)")
            << QDateTime() << due(2026, 3, 2) << "3/2/26  " << true;
    }

    void dueDateTextAgainstTheShownDay()
    {
        QFETCH(QDateTime, currentDate);
        QFETCH(DateComponents, dueDate);
        QFETCH(bool, past);
        const ReminderPtr reminder = task("Pay rent", m_work, dueDate);
        const RowContext rowContext{currentDate, m_store->clock.now(), *m_mode, m_formatters, 0};
        const TaskRowParts parts = TaskRowContent::forReminder(*reminder, rowContext);
        QTEST(parts.dateText, "text");
        QCOMPARE(parts.dateColor, past ? qColor(m_work->color) : m_mode->menuTextColor());
        QCOMPARE(parts.informationLine(), parts.dateText);
    }

    void completedTaskIsDimmed()
    {
        const ReminderPtr reminder = task("Ship release", m_work, due(2026, 3, 12, 9, 0));
        reminder->priority = 4; // the last of the high ones
        reminder->addRecurrenceRule(RecurrenceRule{});
        reminder->setCompleted(true, local(2026, 3, 9, 17, 45));

        const TaskRowParts parts = TaskRowContent::forReminder(*reminder, context());
        const QColor dim = m_mode->subTextColor();
        QCOMPARE(parts.leadingImage, QString("CellCheckOn"));
        QCOMPARE(parts.leadingTint, qColor(m_work->color)); // the button keeps the list's colour
        QCOMPARE(parts.priorityMark, QString("!!!  "));
        QCOMPARE(parts.dateText, QString("3/9/26, 5:45\u202FPM  "));
        for (const QColor& colour : {parts.markColor, parts.titleColor, parts.subtitleColor,
                                     parts.dateColor, parts.iconColor})
            QCOMPARE(colour, dim);
    }

    void openTaskMarksAndUndated()
    {
        ReminderPtr reminder = task("Someday", m_work);
        reminder->priority = 5;
        TaskRowParts parts = TaskRowContent::forReminder(*reminder, context());
        QCOMPARE(parts.informationLine(), QString("!!  "));
        QCOMPARE(parts.markColor, m_mode->alertTextColor());

        // A list without a colour still tints its rows visibly.
        reminder->calendar = list("Plain", QColor());
        parts = TaskRowContent::forReminder(*reminder, context());
        QCOMPARE(parts.leadingTint, m_mode->iconColor());
    }

    void notesLine_data()
    {
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("taskLine"); // an event shows a mail link as it is written
        QTest::addColumn<bool>("mailLink");
        QTest::newRow("empty") << QString() << QString() << false;
        QTest::newRow("angle mail link") << QString("message:<abc@host>") << QString() << true;
        QTest::newRow("slash mail link") << QString("message://%3cabc%3e") << QString() << true;
        QTest::newRow("escaped mail link") << QString("message:%3Cabc%3E") << QString() << true;
        QTest::newRow("message and a blank")
            << QString("message: call back") << QString("message: call back") << false;
        QTest::newRow("line breaks") << QString("first\nsecond\r\nthird\rfourth")
                                     << QString("first second third fourth") << false;
    }

    void notesLine()
    {
        QFETCH(QString, notes);
        QFETCH(QString, taskLine);
        QFETCH(bool, mailLink);

        const ReminderPtr reminder = task("Reply", m_work);
        reminder->notes = notes;
        const TaskRowParts taskParts = TaskRowContent::forReminder(*reminder, context());
        QCOMPARE(taskParts.notes, mailLink ? QString("Mail Link") : taskLine);
        QCOMPARE(taskParts.notesShown, !notes.isEmpty());

        const EventPtr meeting =
            calendarEvent("Meeting", m_work, local(2026, 3, 11, 14, 0), local(2026, 3, 11, 15, 0));
        meeting->notes = notes;
        const TaskRowParts eventParts = TaskRowContent::forEvent(*meeting, context());
        QCOMPARE(eventParts.notes, mailLink ? notes : taskLine);
        QCOMPARE(eventParts.notesShown, !notes.isEmpty());
    }

    void icons_data()
    {
        QTest::addColumn<bool>("repeats");
        QTest::addColumn<QList<Alarm>>("alarms");
        QTest::addColumn<QStringList>("icons");

        StructuredLocation office;
        office.title = "Office";
        const QDateTime dueTime = local(2026, 3, 12, 9, 0);
        const Alarm atDue = Alarm::withAbsoluteDate(dueTime);
        const Alarm earlier = Alarm::withAbsoluteDate(dueTime.addSecs(-600));
        const Alarm arriving = Alarm::withLocation(office, Alarm::Proximity::Enter);

        QTest::newRow("nothing") << false << QList<Alarm>{} << QStringList{};
        QTest::newRow("repeat and alarm at the due time")
            << true << QList<Alarm>{atDue} << QStringList{"IconRepeat", "IconAlarm"};
        QTest::newRow("alarm before the due time")
            << false << QList<Alarm>{atDue, earlier} << QStringList{"IconAlarmDiff"};
        QTest::newRow("relative alarm counts as different")
            << false << QList<Alarm>{Alarm::withRelativeOffset(0)} << QStringList{"IconAlarmDiff"};
        QTest::newRow("all three") << true << QList<Alarm>{arriving, atDue}
                                   << QStringList{"IconRepeat", "IconLocation", "IconAlarm"};
        QTest::newRow("location alone")
            << false << QList<Alarm>{arriving} << QStringList{"IconLocation"};
    }

    void icons()
    {
        QFETCH(bool, repeats);
        QFETCH(QList<Alarm>, alarms);
        QFETCH(QStringList, icons);

        const ReminderPtr reminder = task("Stand-up", m_work, due(2026, 3, 12, 9, 0));
        if (repeats)
            reminder->addRecurrenceRule(RecurrenceRule{});
        reminder->alarms = alarms;
        const TaskRowParts parts = TaskRowContent::forReminder(*reminder, context());
        QCOMPARE(parts.icons, icons);
        QCOMPARE(parts.iconColor, qColor(m_work->color));
    }

    // --- what an event row says ---

    void eventRows_data()
    {
        QTest::addColumn<QDateTime>("start");
        QTest::addColumn<QDateTime>("end");
        QTest::addColumn<bool>("allDay");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("state");

        const QDateTime now = local(2026, 3, 11, 10, 30);
        QTest::newRow("all day, one day")
            << local(2026, 3, 13) << local(2026, 3, 14) << true << now << "3/13/26  "
            << "ahead";
        QTest::newRow("all day, three days")
            << local(2026, 3, 13) << local(2026, 3, 16) << true << now << "3/13/26 ~ 3/15/26  "
            << "ahead";
        QTest::newRow("timed, across midnight")
            << local(2026, 3, 13, 22) << local(2026, 3, 14, 1) << false << now
            << "3/13/26, 10:00\u202FPM ~ 3/14/26, 1:00\u202FAM  "
            << "ahead";
        // Colours follow the clock: ahead, running from its start, ended at its end.
        const QDateTime start = local(2026, 3, 11, 14, 0);
        const QDateTime end = local(2026, 3, 11, 15, 0);
        const QString today = "3/11/26, 2:00\u202FPM ~ 3:00\u202FPM  ";
        QTest::newRow("not started")
            << start << end << false << local(2026, 3, 11, 13, 59) << today << "ahead";
        QTest::newRow("at its start") << start << end << false << start << today << "running";
        QTest::newRow("at its end") << start << end << false << end << today << "ended";
    }

    void eventRows()
    {
        QFETCH(QDateTime, start);
        QFETCH(QDateTime, end);
        QFETCH(bool, allDay);
        QFETCH(QDateTime, now);
        QFETCH(QString, state);
        const EventPtr e = calendarEvent("Review", m_work, start, end, allDay);
        e->location = "Room 4\nSecond floor";
        RowContext rowContext = context();
        rowContext.now = now;
        const TaskRowParts parts = TaskRowContent::forEvent(*e, rowContext);
        QTEST(parts.dateText, "text");
        QCOMPARE(parts.leadingImage, QString("CellEvent"));
        QCOMPARE(parts.subtitle, QString("Room 4 Second floor"));
        const QColor dim = m_mode->subTextColor();
        const QColor text = m_mode->menuTextColor();
        const bool ended = state == "ended";
        const QColor detail = ended ? dim : state == "running" ? qColor(m_work->color) : text;
        QCOMPARE(parts.leadingTint, ended ? dim : qColor(m_work->color));
        QCOMPARE(parts.titleColor, ended ? dim : text);
        QCOMPARE(parts.subtitleColor, detail);
        QCOMPARE(parts.dateColor, detail);
    }

    // --- heights ---

    void heights()
    {
        TaskRowHeights rule;
        rule.setFont(m_mode->fontWithSize(m_mode->fontSize()));
        const QString shortTitle = "Milk";
        const QString longTitle = words(30, 1).join(' ');
        const int oneLine = rule.rowHeight(shortTitle, false, 400);
        QVERIFY(oneLine > TaskRowHeights::kFixedHeight);
        QCOMPARE(rule.rowHeight(shortTitle, true, 400), oneLine + 18);
        QVERIFY(rule.rowHeight(longTitle, false, 400) > oneLine);
        QVERIFY(rule.rowHeight(longTitle, false, 200) > rule.rowHeight(longTitle, false, 400));
        QCOMPARE(rule.rowHeight(longTitle, false, 5000), oneLine);
        QCOMPARE(rule.rowHeight(QString(), false, 400), 32);
        // A table narrower than its margins still lays the title out, one word a line.
        QVERIFY(rule.rowHeight(longTitle, false, 10) > rule.rowHeight(longTitle, false, 200));
        const QString endless = QString("word ").repeated(20000);
        QCOMPARE(rule.titleHeight(endless, 40), TaskRowHeights::kMaxTitleHeight);
    }

    void aWordWiderThanTheRowIsBrokenInside_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("an address")
            << "Read https://example.org/docs/?token=" + QString("0123456789abcdef").repeated(6);
        QTest::newRow("one long word") << "Check " + QString("abcdefghij").repeated(40);
    }

    // A word wider than the row (an address, a pasted hash) is broken inside, so that no line
    // of the title runs past the text column into the icons or off the row; the row is as high
    // as the lines that are drawn.
    void aWordWiderThanTheRowIsBrokenInside()
    {
        QFETCH(QString, title);
        TaskRowHeights rule;
        rule.setFont(m_mode->fontWithSize(m_mode->fontSize()));
        const int width = 240;
        QTextLayout layout;
        layout.setFont(rule.font());
        const int height = int(std::ceil(TaskRowHeights::layOutTitle(layout, title, width)));
        QVERIFY(layout.lineCount() > 3);
        for (int i = 0; i < layout.lineCount(); ++i)
            QVERIFY2(layout.lineAt(i).naturalTextWidth() <= width, qPrintable(QString::number(i)));
        QCOMPARE(rule.titleHeight(title, width), height);
    }

    // The word-width shortcut must wrap exactly as the text engine does, including the titles
    // it hands to the engine (hyphens, slashes, brackets, hard breaks, other scripts).
    void fastHeightsMatchTheTextEngine()
    {
        TaskRowHeights rule;
        QStringList titles = {"Buy milk-and-bread tomorrow at the corner shop",
                              "well-known state-of-the-art follow-up for x-1 -dash dash- a--b",
                              "Check https://example.org/a/very/long/path/for/wrapping today",
                              "Call (urgent) about the 3.5% rate, e.g. tomorrow!",
                              "Line one\nline two",
                              "日本語のタイトルはスペースなしで折り返されるかどうか確かめる",
                              "  leading and trailing blanks   ",
                              "Supercalifragilisticexpialidocious-words overflowing the row",
                              ""};
        for (int i = 0; i < 200; ++i)
            titles.append(words(3 + i % 25, i).join(i % 7 == 0 ? "  " : (i % 5 ? " " : "-")));
        int mismatches = 0;
        for (const qreal pointSize : {13.0, 15.0, 18.0}) {
            rule.setFont(m_mode->fontWithSize(pointSize));
            TaskRowHeights::MeasuredTitles measured;
            for (const QString& title : titles)
                rule.measure(measured, title);
            QCOMPARE(measured.size(), titles.size());
            for (qsizetype i = 0; i < titles.size(); ++i) {
                const QString& title = titles.at(i);
                for (int width : {1, 40, 120, 233, 380, 641}) {
                    const int expected = rule.measuredTitleHeight(title, width);
                    if (rule.titleHeight(title, width) != expected ||
                        rule.titleHeight(measured, i, width) != expected) {
                        ++mismatches;
                        qWarning() << "differs at" << pointSize << width << title;
                    }
                }
            }
        }
        QCOMPARE(mismatches, 0);
    }

    // The word-width table must answer every word with its own width after any number of
    // words were added (the table grows under them) and never answer a word it was not given:
    // a longer or shorter word with the same start, or one that differs only in case or in a
    // last letter.
    void wordWidthsAnswerEveryWordAndNoOther_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("a few") << 10;
        QTest::newRow("past several growths") << 20000;
    }

    void wordWidthsAnswerEveryWordAndNoOther()
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

    // --- the model ---

    void modelRowsAndHeights()
    {
        TaskListModel model(*m_mode, m_formatters, m_store->clock, *m_store->defaults);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.data(model.index(0), Qt::SizeHintRole).toSize().height(), 200);
        QCOMPARE(model.data(model.index(0)).toString(), QString("No Tasks"));

        const ReminderPtr first = task("Short", m_work, due(2026, 3, 10));
        const ReminderPtr second = task(words(40, 3).join(' '), m_work);
        second->notes = "remember";
        const EventPtr meeting =
            calendarEvent("Meeting", m_work, local(2026, 3, 11, 14, 0), local(2026, 3, 11, 15, 0));
        model.setWidth(420);
        model.setContent({first, second}, {meeting});
        // The rows themselves are tst_tasklistrows'; here what they are drawn as.
        QCOMPARE(model.eventAt(4), meeting);
        QCOMPARE(model.data(model.index(3)).toString(), QString("Calendar Events"));
        for (const int spacerOrHeader : {2, 3, 5})
            QCOMPARE(model.rowHeight(spacerOrHeader), 30);
        QVERIFY(model.flags(model.index(4)) & Qt::ItemIsSelectable);

        TaskRowHeights rule;
        rule.setFont(m_mode->fontWithSize(m_mode->fontSize()));
        QCOMPARE(model.rowHeight(0), rule.rowHeight("Short", false, 420));
        QCOMPARE(model.rowHeight(1), rule.rowHeight(second->title, true, 420));
        const int wide = model.rowHeight(1);

        QSignalSpy layouts(&model, &QAbstractItemModel::layoutChanged);
        model.setWidth(220);
        QCOMPARE(layouts.count(), 1);
        QVERIFY(model.rowHeight(1) > wide);
        QCOMPARE(model.data(model.index(1), Qt::SizeHintRole).toSize(),
                 QSize(220, model.rowHeight(1)));
        model.setWidth(220);
        QCOMPARE(layouts.count(), 1);

        // The texts against the shown day are dueDateTextAgainstTheShownDay's; here the model
        // redraws its rows when the day changes.
        model.setCurrentDate(local(2026, 3, 11));
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.setCurrentDate(local(2026, 3, 10));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(model.partsAt(0)->dateText, QString("3/10/26  "));
    }

    // --- the delegate ---

    void checkButtonClickIsReported()
    {
        ListUnderTest list(*this);
        auto& [model, view, delegate] = list;
        view.resize(400, 500);
        model.setWidth(view.viewport()->width());
        model.setContent({task("One", m_work), task("Two", m_work)}, {});
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));

        QSignalSpy clicked(delegate, &TaskListDelegate::checkButtonClicked);
        const QRect second = view.visualRect(model.index(1));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {},
                          delegate->checkButtonRect(second).center());
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).value<QModelIndex>().row(), 1);

        // The title is not the button, and neither is another button's release.
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, second.center());
        QTest::mouseClick(view.viewport(), Qt::RightButton, {},
                          delegate->checkButtonRect(second).center());
        QCOMPARE(clicked.count(), 1);
    }

    void bounceShowsTheNextStateAndEndsWithTheCallback()
    {
        ListUnderTest list(*this);
        auto& [model, view, delegate] = list;
        const ReminderPtr open = task("Open", m_work);
        const ReminderPtr done = task("Done", m_work);
        done->setCompleted(true, local(2026, 3, 10, 12, 0));
        model.setContent({open, done}, {});
        view.show();

        int calls = 0;
        QElapsedTimer timer;
        timer.start();
        QVERIFY(delegate->startBounce(0, [&] { ++calls; }));
        QVERIFY(delegate->startBounce(1, [] {}));
        QCOMPARE(delegate->checkImage(0, *model.partsAt(0)), QString("CellCheckOn"));
        QCOMPARE(delegate->checkImage(1, *model.partsAt(1)), QString("CellCheck"));
        QVERIFY(delegate->isBouncing(0));
        QVERIFY(!delegate->startBounce(0, [&] { calls += 100; })); // one toggle per bounce

        qreal largest = 0;
        QTimer sampler;
        connect(&sampler, &QTimer::timeout, this,
                [&] { largest = std::max(largest, delegate->bounceScale(0)); });
        sampler.start(5);
        QTRY_VERIFY_WITH_TIMEOUT(!delegate->isBouncing(0), 2000);
        sampler.stop();
        QCOMPARE(calls, 1);
        QVERIFY2(timer.elapsed() >= 280, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(largest > 1.1 && largest <= 1.2);
        QCOMPARE(delegate->bounceScale(0), 1.0);
        // The new image stays until the task's new state arrives with the next content.
        QCOMPARE(delegate->checkImage(0, *model.partsAt(0)), QString("CellCheckOn"));
        QTRY_VERIFY(!delegate->isBouncing(1));
        model.setContent({open, done}, {});
        QCOMPARE(delegate->checkImage(0, *model.partsAt(0)), QString("CellCheck"));
    }

    // A selected row has the focus ring around it while the list has the keyboard, standing
    // out from the selection's background at 3:1.
    void selectedRowsShowTheFocusRing()
    {
        ListUnderTest list(*this);
        auto& [model, view, delegate] = list;
        model.setContent({task("One", m_work)}, {});

        QImage image(300, 60, QImage::Format_ARGB32);
        QStyleOptionViewItem option;
        option.rect = QRect(0, 0, 300, 60);
        option.state = QStyle::State_Selected | QStyle::State_Enabled;
        option.palette = view.palette();
        const auto paint = [&] {
            image.fill(Qt::transparent);
            QPainter painter(&image);
            delegate->paint(&painter, option, model.index(0));
        };
        paint();
        const QRgb selected = m_mode->selectedBackgroundColor().rgb();
        QCOMPARE(image.pixelColor(0, 30).rgb(), selected);
        QCOMPARE(image.pixelColor(150, 59).rgb(), selected);

        view.show();
        view.activateWindow();
        view.setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&view));
        QTRY_VERIFY(view.hasFocus());
        paint();
        // The ring, the same colour all round, inside the row.
        const QColor ring = image.pixelColor(0, 30);
        for (const QPoint& edge : {QPoint(1, 30), QPoint(150, 0), QPoint(150, 59), QPoint(299, 30)})
            QCOMPARE(image.pixelColor(edge), ring);
        QVERIFY(ColorContrast::ratio(ring, m_mode->selectedBackgroundColor()) >= 3.0);
        QCOMPARE(image.pixelColor(8, 50).rgb(), selected);
        // The check button is drawn in the list's colour somewhere inside its square.
        const QRect button = delegate->checkButtonRect(option.rect);
        bool tinted = false;
        for (int x = button.left(); x <= button.right() && !tinted; ++x)
            for (int y = button.top(); y <= button.bottom() && !tinted; ++y)
                tinted = image.pixelColor(x, y).rgb() == qColor(m_work->color).rgb();
        QVERIFY(tinted);
    }

    // The icons' dark parts take the colour, their white details stay white, and what is
    // outside the drawing stays transparent; sharp on high-density screens, with the asked
    // pixel ratio and as many pixels.
    void tintedIcons()
    {
        const QColor listColor(40, 120, 200);
        const QImage dot =
            TintedIcon::pixmap(QStringLiteral("DaySelected"), QSize(24, 24), listColor).toImage();
        QCOMPARE(dot.pixelColor(12, 12).rgb(), listColor.rgb());
        QCOMPARE(dot.pixelColor(0, 0).alpha(), 0);
        const QImage pin =
            TintedIcon::pixmap(QStringLiteral("IconLocation"), QSize(24, 24), listColor).toImage();
        QCOMPARE(pin.pixelColor(12, 10).rgb(), QColor(Qt::white).rgb());
        QCOMPARE(pin.pixelColor(12, 17).rgb(), listColor.rgb());
        QVERIFY(TintedIcon::pixmap(QStringLiteral("NoSuchImage"), QSize(16, 16), Qt::red).isNull());

        const QPixmap pixmap =
            TintedIcon::pixmap(QStringLiteral("CellCheck"), QSize(16, 16), Qt::blue, 2.0);
        QCOMPARE(pixmap.size(), QSize(32, 32));
        QCOMPARE(pixmap.devicePixelRatio(), 2.0);
        const QIcon icon = TintedIcon::icon(QStringLiteral("ButtonAdd"), Qt::darkGray);
        QCOMPARE(icon.pixmap(QSize(20, 20), 2.0).size(), QSize(40, 40));
    }

private:
    // A list view drawing the rows with the delegate under test.
    struct ListUnderTest
    {
        explicit ListUnderTest(TestTaskRows& t)
            : model(*t.m_mode, t.m_formatters, t.m_store->clock, *t.m_store->defaults)
            , delegate(new TaskListDelegate(*t.m_mode, &view))
        {
            view.setItemDelegate(delegate);
            view.setModel(&model);
        }
        TaskListModel model;
        QListView view;
        TaskListDelegate* delegate;
    };

    // Today's day view.
    RowContext context() const
    {
        return RowContext{local(2026, 3, 11), m_store->clock.now(), *m_mode, m_formatters, 0};
    }

    std::optional<LoadedStore> m_store;
    std::unique_ptr<ModeManager> m_mode;
    std::unique_ptr<ClockReferenceDates> m_references;
    DateFormatters m_formatters{QLocale(QLocale::English, QLocale::UnitedStates)};
    CalendarPtr m_work;
};

VELMORAN_WIDGET_TEST_MAIN(TestTaskRows)
#include "tst_taskrows.moc"
