#include "LoadedStore.h"
#include "TestEnvironment.h"

#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "data/views/TaskViewMode.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "ui/common/CollectionColors.h"
#include "ui/main/strip/MonthDateDayView.h"
#include "ui/main/strip/MonthDateView.h"
#include "ui/main/strip/WeekDateDayView.h"
#include "ui/main/strip/WeekDateView.h"

using TestEnvironment::local;

namespace {

CalendarDot reminderDot(const QColor& color)
{
    return {CalendarDot::Kind::Reminder, collectionColor(color)};
}

bool near(const QColor& a, const QColor& b)
{
    return qAbs(a.red() - b.red()) <= 8 && qAbs(a.green() - b.green()) <= 8 &&
           qAbs(a.blue() - b.blue()) <= 8 && a.alpha() > 200;
}

// The share of the disc's bounding square painted in `color`: a full disc covers about 78%.
double shareOfDiscIn(DateDayView& cell, const QColor& color)
{
    const QImage image = cell.grab().toImage();
    const QRect disc = cell.discRect();
    int hits = 0;
    for (int y = disc.top(); y <= disc.bottom(); ++y) {
        for (int x = disc.left(); x <= disc.right(); ++x)
            hits += near(image.pixelColor(x, y), color);
    }
    return double(hits) / (disc.width() * disc.height());
}

} // namespace

class TestCalendarStrip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store.emplace();
        m_store->defaults->setBool(false, PrefKey::sundayFirst);
        m_store->clock.setNow(local(2026, 12, 9, 10, 30)); // a Wednesday
        m_store->addList("home", "Home");
        QVERIFY(m_store->load());
        m_manager = m_store->manager.get();
        m_defaults = m_store->defaults.get();
        m_mode = std::make_unique<ModeManager>(*m_defaults, [] { return false; });
    }

    void cleanup()
    {
        if (m_store->manager)
            QTRY_VERIFY(!m_manager->isRefreshRunning());
        m_mode.reset();
        m_store.reset();
    }

    void todayAndSelectionMarks()
    {
        WeekDateView week(*m_manager, *m_mode);
        QVERIFY(shown(week, 420, 64));
        WeekDateDayView* today = week.daysViewArray().at(2);
        WeekDateDayView* friday = week.daysViewArray().at(4);
        WeekDateDayView* monday = week.daysViewArray().at(0);
        QVERIFY(today->isToday() && today->isSelected());
        QCOMPARE(today->dayNumberColor(), m_mode->calendarSelectedTodayColor());
        QVERIFY(shareOfDiscIn(*today, m_mode->calendarTodayColor()) > 0.5);

        m_manager->dates().setSelectedDate(local(2026, 12, 11));
        QVERIFY(today->isToday() && !today->isSelected());
        QVERIFY(!today->selectionColor().isValid());
        QCOMPARE(today->dayNumberColor(), m_mode->calendarTodayColor());
        QVERIFY(shareOfDiscIn(*today, m_mode->calendarTodayColor()) < 0.2);
        QVERIFY(friday->isSelected() && !friday->isToday());
        QCOMPARE(friday->dayNumberColor(), m_mode->calendarSelectedColor());
        QVERIFY(shareOfDiscIn(*friday, m_mode->calendarDotColor()) > 0.5);
        QCOMPARE(monday->dayNumberColor(), m_mode->subTextColor());

        // A new day moves the today mark once the strip re-checks.
        m_manager->dates().setToday(local(2026, 12, 11));
        week.refreshDays();
        QVERIFY(!today->isToday());
        QVERIFY(friday->isToday());
        QCOMPARE(friday->selectionColor(), m_mode->calendarTodayColor());
    }

    // The days tile the strip, one pixel apart at most also at a width that does not divide by
    // seven; each draws its first three dots.
    void weekCellsAndTheirDots()
    {
        WeekDateView week(*m_manager, *m_mode);
        const int height = stripHeightForMode(TaskViewMode::Week);
        QCOMPARE(week.minimumSizeHint().height(), height);
        const int width = 703;
        QVERIFY(shown(week, width, height));
        int left = 0;
        for (WeekDateDayView* day : week.daysViewArray()) {
            QCOMPARE(day->geometry().left(), left);
            QVERIFY(day->width() == width / 7 || day->width() == width / 7 + 1);
            QCOMPARE(day->height(), week.height());
            left = day->geometry().right() + 1;
            QCOMPARE(day->focusPolicy(), Qt::NoFocus);
        }
        QCOMPARE(left, width);

        const QList<QColor> colors{Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan};
        CalendarDots dots;
        for (const QColor& color : colors)
            dots[3].append(reminderDot(color));
        dots[1].append({CalendarDot::Kind::Event, collectionColor(Qt::magenta)});
        dots[8].append(reminderDot(Qt::black)); // no eighth day in a week
        week.addCalendarDots(dots);

        const QList<WeekDateDayView*>& days = week.daysViewArray();
        QCOMPARE(days.at(0)->drawnDotCount(), 1);
        const QSize oneDot = days.at(0)->dotsRect().size();
        QVERIFY(!oneDot.isEmpty());
        QCOMPARE(days.at(1)->drawnDotCount(), 0);
        WeekDateDayView* busy = days.at(2);
        QCOMPARE(busy->drawnDotCount(), 3);
        // Three dots side by side, centred at the foot of the cell and inside it.
        const QRect container = busy->dotsRect();
        QCOMPARE(container.size(), QSize(3 * oneDot.width(), oneDot.height()));
        QVERIFY(busy->rect().contains(container));
        QCOMPARE(container.bottom(), busy->height() - 1);
        QCOMPARE(container.left() + container.width() / 2, busy->width() / 2);
        for (int index = 3; index < 7; ++index)
            QCOMPARE(days.at(index)->drawnDotCount(), 0);

        // The first three, in order, each at its own place and in its own colour, as dark as
        // it must be to be seen (the green is darker).
        const QImage image = busy->grab().toImage();
        for (int index = 0; index < 3; ++index) {
            const QColor painted =
                image.pixelColor(container.left() + index * oneDot.width() + oneDot.width() / 2,
                                 container.top() + oneDot.height() / 2);
            QVERIFY2(near(painted, m_mode->contrast().visibleMark(colors.at(index))),
                     qPrintable(painted.name()));
        }

        week.addCalendarDots({});
        QCOMPARE(busy->drawnDotCount(), 0);
    }

    void monthGridShowsOnlyTheDaysOfItsMonth_data()
    {
        QTest::addColumn<QDateTime>("date");
        QTest::addColumn<bool>("sundayFirst");
        QTest::addColumn<int>("firstVisible");
        QTest::addColumn<int>("dayCount");
        QTest::addColumn<int>("rowHeight");
        QTest::addColumn<QString>("firstWeekday");

        QTest::newRow("four rows") << local(2027, 2, 20) << false << 0 << 28 << 40 << "Mon";
        QTest::newRow("five rows, Sunday first")
            << local(2027, 2, 20) << true << 1 << 28 << 34 << "Sun";
        QTest::newRow("six rows") << local(2026, 11, 3) << false << 6 << 30 << 28 << "Mon";
    }

    void monthGridShowsOnlyTheDaysOfItsMonth()
    {
        QFETCH(QDateTime, date);
        QFETCH(bool, sundayFirst);
        QFETCH(int, firstVisible);
        QFETCH(int, dayCount);
        QFETCH(int, rowHeight);
        QFETCH(QString, firstWeekday);

        MonthDateView month(*m_manager, *m_mode);
        QVERIFY(shown(month, 420, 200));
        // The first weekday is read again on every reload.
        m_defaults->setBool(sundayFirst, PrefKey::sundayFirst);
        month.reloadDaysWithDate(date);

        QCOMPARE(month.weekdayNames().first(), firstWeekday);
        const QList<MonthDateDayView*>& days = month.daysViewArray();
        for (int index = 0; index < days.size(); ++index) {
            const bool visible = index >= firstVisible && index < firstVisible + dayCount;
            QCOMPARE(days.at(index)->isVisible(), visible);
            if (visible)
                QCOMPARE(days.at(index)->dayNumberText(),
                         QString::number(index - firstVisible + 1));
        }
        const int last = firstVisible + dayCount - 1;
        QCOMPARE(days.at(last)->geometry().top(),
                 MonthDateView::kHeaderHeight + (last / 7) * rowHeight);
        QCOMPARE(days.at(last)->height(), qMin(rowHeight, MonthDateView::kCellHeight));
        QVERIFY(days.at(last)->geometry().bottom() < MonthDateView::kHeight);
        QVERIFY(days.at(last)->width() >= 45);
        // Whatever the rows, the selection disc holds a two-digit number.
        const MonthDateDayView* day = days.at(last);
        const QRect disc = day->discRect();
        const QFontMetricsF metrics(day->dayNumberFontForDisc());
        QVERIFY2(metrics.horizontalAdvance(QStringLiteral("30")) <= disc.width() - 2 &&
                     metrics.capHeight() <= disc.height() - 2,
                 qPrintable(QStringLiteral("a disc of %1 pixels").arg(disc.width())));

        // The dots go to the days of the month, none to a day it does not have; a new month
        // does not keep them on its days.
        CalendarDots dots;
        dots[1] = {reminderDot(Qt::red)};
        dots[dayCount] = {reminderDot(Qt::blue), reminderDot(Qt::green)};
        dots[31] = {reminderDot(Qt::black)};
        month.addCalendarDots(dots);
        QCOMPARE(days.at(firstVisible)->calendarDots(), dots[1]);
        QCOMPARE(days.at(last)->calendarDots(), dots[dayCount]);
        const QSize oneDot = days.at(firstVisible)->dotsRect().size();
        QCOMPARE(days.at(last)->dotsRect().size(), QSize(2 * oneDot.width(), oneDot.height()));
        for (int index = 0; index < days.size(); ++index)
            QCOMPARE(days.at(index)->drawnDotCount() > 0, index == firstVisible || index == last);
        month.reloadDaysWithDate(date.addMonths(1));
        for (MonthDateDayView* shown : days)
            QCOMPARE(shown->drawnDotCount(), 0);
    }

    // Reached with Tab, the strip moves the selected day with the arrow keys: a day with Left
    // and Right, a week with Up and Down, on into the next week, midnight to midnight across
    // the change of the clocks (25 October 2026). (Its focus ring is checked with every other
    // stop of the main window in tst_mainwindow.)
    void theArrowKeysMoveTheSelectedDay()
    {
        WeekDateView week(*m_manager, *m_mode);
        week.resize(420, 64);
        week.reloadDaysWithDate(local(2026, 10, 19));
        m_manager->dates().setSelectedDate(local(2026, 10, 24));
        week.show();
        week.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&week));
        QVERIFY(week.focusPolicy() & Qt::TabFocus);
        // The week that ends on the day the clocks go back: still seven midnights.
        for (int index = 0; index < 7; ++index)
            QCOMPARE(week.daysViewArray().at(index)->date(), local(2026, 10, 19 + index));
        WeekDateDayView* saturday = week.daysViewArray().at(5);
        QVERIFY(saturday->isSelected());
        week.setFocus(Qt::TabFocusReason);
        QVERIFY(week.hasFocus());

        const QList<std::pair<Qt::Key, QDateTime>> steps{
            {Qt::Key_Right, local(2026, 10, 25)}, {Qt::Key_Right, local(2026, 10, 26)},
            {Qt::Key_Up, local(2026, 10, 19)},    {Qt::Key_Left, local(2026, 10, 18)},
            {Qt::Key_Down, local(2026, 10, 25)},  {Qt::Key_Home, local(2026, 10, 25)}};
        for (const auto& [key, selected] : steps) {
            QTest::keyClick(&week, key);
            QCOMPARE(m_manager->dates().selectedDate(), selected);
        }
        QVERIFY(week.daysViewArray().at(6)->isSelected());
    }

private:
    static bool shown(QWidget& strip, int width, int height)
    {
        strip.resize(width, height);
        strip.show();
        return QTest::qWaitForWindowExposed(&strip);
    }

    std::optional<LoadedStore> m_store;
    DataManager* m_manager = nullptr;
    UserDefaults* m_defaults = nullptr;
    std::unique_ptr<ModeManager> m_mode;
};

VELMORAN_WIDGET_TEST_MAIN(TestCalendarStrip)
#include "tst_calendarstrip.moc"
