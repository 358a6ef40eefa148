#include "TestEnvironment.h"
#include "app/ListMenus.h"
#include "app/MinuteTimer.h"
#include "platform/Clock.h"

#include <QApplication>
#include <QMenu>
#include <QSignalSpy>

using TestEnvironment::local;

// The minute timer under a set clock, and the list menus it keeps company with in the shell.
class TestMinuteTimer : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Started at 12:00:07, the timer waits through the rest of the minute and switches to
    // minute ticks at the first alignment check early in a new minute.
    void alignsToTheStartOfAMinute()
    {
        Clock clock;
        clock.setNow(local(2026, 12, 6, 12, 0, 7));
        MinuteTimer timer(clock);
        QSignalSpy minutes(&timer, &MinuteTimer::minuteChanged);
        timer.start();
        QCOMPARE(timer.state(), MinuteTimer::State::Aligning);
        QCOMPARE(timer.currentInterval(), MinuteTimer::kAlignmentIntervalMs);
        QCOMPARE(timer.savedDate(), local(2026, 12, 6, 12, 0, 7));

        for (int second : {12, 17, 22, 27, 32, 37, 42, 47, 52, 57}) {
            clock.setNow(local(2026, 12, 6, 12, 0, second));
            timer.initialTimeCheck();
            QCOMPARE(timer.state(), MinuteTimer::State::Aligning);
        }
        QCOMPARE(minutes.count(), 0);

        clock.setNow(local(2026, 12, 6, 12, 1, 2));
        timer.initialTimeCheck();
        QCOMPARE(timer.state(), MinuteTimer::State::EveryMinute);
        QCOMPARE(timer.currentInterval(), MinuteTimer::kMinuteIntervalMs);
        QCOMPARE(minutes.count(), 1);
        QCOMPARE(timer.savedDate(), local(2026, 12, 6, 12, 1, 2));

        // Once a minute from then on.
        clock.setNow(local(2026, 12, 6, 12, 2, 2));
        timer.timeCheck();
        clock.setNow(local(2026, 12, 6, 12, 3, 3));
        timer.timeCheck();
        QCOMPARE(minutes.count(), 3);
        QCOMPARE(timer.state(), MinuteTimer::State::EveryMinute);
    }

    // A new minute seen too late in its course (second 11 or later) does not switch yet.
    void ignoresANewMinuteSeenLate()
    {
        Clock clock;
        clock.setNow(local(2026, 12, 6, 12, 0, 58));
        MinuteTimer timer(clock);
        timer.start();
        clock.setNow(local(2026, 12, 6, 12, 1, 11));
        timer.initialTimeCheck();
        QCOMPARE(timer.state(), MinuteTimer::State::Aligning);
        clock.setNow(local(2026, 12, 6, 12, 2, 1));
        timer.initialTimeCheck();
        QCOMPARE(timer.state(), MinuteTimer::State::EveryMinute);
    }

    // A minute tick at second 11 or later has drifted: back to aligning, while the minute it
    // saw still counts once.
    void aDriftedTickRealigns()
    {
        Clock clock;
        clock.setNow(local(2026, 12, 6, 12, 0, 30));
        MinuteTimer timer(clock);
        QSignalSpy minutes(&timer, &MinuteTimer::minuteChanged);
        timer.start();
        clock.setNow(local(2026, 12, 6, 12, 1, 4));
        timer.initialTimeCheck();
        QCOMPARE(minutes.count(), 1);

        clock.setNow(local(2026, 12, 6, 12, 2, 15));
        timer.timeCheck();
        QCOMPARE(timer.state(), MinuteTimer::State::Aligning);
        QCOMPARE(timer.currentInterval(), MinuteTimer::kAlignmentIntervalMs);
        QCOMPARE(minutes.count(), 2);
        // The same minute is not announced again by the next alignment checks.
        clock.setNow(local(2026, 12, 6, 12, 2, 20));
        timer.initialTimeCheck();
        QCOMPARE(minutes.count(), 2);
        clock.setNow(local(2026, 12, 6, 12, 3, 0));
        timer.initialTimeCheck();
        QCOMPARE(timer.state(), MinuteTimer::State::EveryMinute);
        QCOMPARE(minutes.count(), 3);
    }

    // Across the change to winter time the local minute still moves on one at a time.
    void countsMinutesAcrossTheClockChange()
    {
        Clock clock;
        clock.setNow(local(2026, 10, 25, 2, 59, 30));
        MinuteTimer timer(clock);
        QSignalSpy minutes(&timer, &MinuteTimer::minuteChanged);
        timer.start();
        clock.advanceSeconds(35); // 02:00:05 winter time
        timer.initialTimeCheck();
        QCOMPARE(minutes.count(), 1);
        QCOMPARE(timer.savedDate().time().minute(), 0);
    }

    // Ten user lists: the first nine get Ctrl+Alt+1 to 9, the tenth no item.
    void listMenusHoldNineEntries()
    {
        QList<ListEntry> lists;
        for (int i = 1; i <= 10; ++i)
            lists.append(ListEntry::fromStored(
                QVariantMap{{"type", 10}, {"title", QStringLiteral("List %1").arg(i)}}));
        QMenu menu;
        int chosen = 0;
        ListMenus::setupListsMenu(&menu, lists, [&chosen](int position) { chosen = position; });
        const QList<QAction*> actions = menu.actions();
        QCOMPARE(actions.size(), 9);
        QCOMPARE(actions.at(0)->text().remove('&'), QStringLiteral("List 1"));
        QCOMPARE(actions.at(8)->shortcut(), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_9));
        actions.at(4)->trigger();
        QCOMPARE(chosen, 5);

        // Rebuilding replaces the items instead of adding to them.
        lists.removeFirst();
        ListMenus::setupListsMenu(&menu, lists, {});
        QCOMPARE(menu.actions().size(), 9);
        QCOMPARE(menu.actions().at(0)->text().remove('&'), QStringLiteral("List 2"));
    }

    void smartAndPresetTitles()
    {
        QMenu smart;
        ListMenus::setupSmartListsMenu(
            &smart,
            ListEntry::fromStoredArray({QVariantMap{{"type", 8}, {"tag", "Home"}},
                                        QVariantMap{{"type", 9}, {"tag", "Work mix"}},
                                        QVariantMap{{"type", 15}, {"tag", "milk"}}}),
            {});
        QCOMPARE(smart.actions().at(0)->text().remove('&'), QStringLiteral("#Home"));
        QCOMPARE(smart.actions().at(1)->text().remove('&'), QStringLiteral("Work mix"));
        QCOMPARE(smart.actions().at(2)->text().remove('&'), QStringLiteral("milk"));
        QCOMPARE(smart.actions().at(0)->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_1));

        QMenu preset;
        ListMenus::setupPresetListsMenu(
            &preset,
            ListEntry::fromStoredArray({QVariantMap{{"type", 4}}, QVariantMap{{"type", 12}}}), {});
        QCOMPARE(preset.actions().at(0)->text().remove('&'), QStringLiteral("Overdue Tasks"));
        QCOMPARE(preset.actions().at(1)->text().remove('&'), QString());
        QCOMPARE(preset.actions().at(0)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_1));
    }
};

VELMORAN_WIDGET_TEST_MAIN(TestMinuteTimer)
#include "tst_minutetimer.moc"
