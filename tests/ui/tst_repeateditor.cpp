#include "ComboInput.h"
#include "DetailPaneUnderTest.h"
#include "IcsLines.h"

#include "data/SharedDates.h"
#include "data/TaskOperations.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "presentation/detail/DetailEditSession.h"
#include "ui/common/DescribedComboBox.h"
#include "ui/main/RightViewController.h"
#include "ui/main/detail/CustomRepeatSheet.h"
#include "ui/main/detail/DatePickerButton.h"
#include "ui/main/detail/RepeatEditor.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QToolButton>

// The repeat rows driven through their widgets: each preset, the custom sheet's rules, the end
// after a number of times or on a date, whether an end is kept when the rule changes, and the
// user's week start. The rule checked is the RRULE on disk.
class TestRepeatEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The task due on Tuesday 31 March 2026, the day before at 11:20.
    void init()
    {
        QVERIFY(m_f.emplace().setUp());
        m_f->clock.setNow(TestEnvironment::local(2026, 3, 30, 11, 20));
        m_defaults = m_f->defaults.get();
        m_defaults->setBool(false, PrefKey::sundayFirst);
        m_manager = m_f->manager.get();
        m_f->store->rewrite(*m_manager, {}, "DUE;VALUE=DATE-TIME:20260328T080000Z",
                            "DUE;TZID=Europe/Berlin:20260331T090000");
        m_manager->dates().resetThisWeekDate();
        m_modes = std::make_unique<ModeManager>(*m_defaults, [] { return false; });
        QVERIFY(showDetailPane(m_pane, *m_manager, *m_modes, m_f->services->services()));
    }

    void cleanup()
    {
        m_pane.reset();
        m_modes.reset();
        m_f.reset();
    }

    // The selectors save what they show.
    void endingAfterACount()
    {
        chooseItem(repeat()->repeatBox(), 4);
        chooseItem(repeat()->endRepeatBox(), 2);
        QCOMPARE(rule(), QByteArray("FREQ=WEEKLY;COUNT=1"));
        QLineEdit* count = repeat()->countField();
        count->setFocus();
        count->selectAll();
        QTest::keyClicks(count, "5");
        QTest::keyClick(count, Qt::Key_Return);
        QCOMPARE(rule(), QByteArray("FREQ=WEEKLY;COUNT=5"));
        QCOMPARE(repeat()->countField()->text(), QStringLiteral("5"));

        // Never takes the rule away, and the end-repeat rows with it.
        chooseItem(repeat()->repeatBox(), 0);
        QVERIFY(!file().contains("RRULE"));
        QVERIFY(!repeat()->endRepeatBox()->isEnabled());
        QCOMPARE(m_pane->session().rows().size(), 22);
    }

    void endingOnADate()
    {
        chooseItem(repeat()->repeatBox(), 4);
        chooseItem(repeat()->endRepeatBox(), 1);
        DatePickerButton* picker = repeat()->endDatePicker();
        QVERIFY(!repeat()->countField()->isVisible());
        DatePopover* popover = openPicker(picker);
        QVERIFY(popover);
        // Not before the due date.
        QCOMPARE(popover->calendar()->minimumDate(), QDate(2026, 3, 31));
        QWidget* days = calendarView(popover);
        for (int i = 0; i < 14; ++i)
            QTest::keyClick(days, Qt::Key_Right);
        QTest::keyClick(days, Qt::Key_Return);
        QTRY_VERIFY(!picker->popover());
        // Two weeks after the first day it offers (the due date, as no earlier one is allowed),
        // at the hour it offered (noon), as UTC.
        QCOMPARE(rule(), QByteArray("FREQ=WEEKLY;UNTIL=20260414T100000Z"));
    }

    // The sheet starts on the due date's weekday (a Tuesday), wherever the week starts; the row
    // then reads the rule in words rather than "Custom".
    void aCustomWeeklyRuleFollowsTheWeekStart()
    {
        openCustom();
        // Monday first: the segments run Mon … Sun.
        QCOMPARE(sheet()->weekdaySegment(0)->text(), QStringLiteral("Mon"));
        QCOMPARE(checkedWeekdaySegments(), QList<int>{1});
        chooseItem(sheet()->frequencyBox(), 1);
        QTest::mouseClick(sheet()->weekdaySegment(3), Qt::LeftButton);
        QLineEdit* interval = sheet()->intervalField(1);
        interval->setFocus();
        interval->selectAll();
        QTest::keyClicks(interval, "2");
        QTest::mouseClick(sheet()->okButton(), Qt::LeftButton);
        QCOMPARE(rule(), QByteArray("FREQ=WEEKLY;INTERVAL=2;BYDAY=TU,TH;WKST=MO"));
        QCOMPARE(repeat()->repeatBox()->currentIndex(), 8);
        QVERIFY(repeat()->isHoverShown());
        QCOMPARE(repeat()->repeatBox()->shownText(),
                 QStringLiteral("Every 2 Weeks on Tuesday and Thursday"));
        QCOMPARE(repeat()->repeatBox()->currentText(), QStringLiteral("Custom"));

        // Sunday first: the first segment is Sunday, the due Tuesday the third.
        m_defaults->setBool(true, PrefKey::sundayFirst);
        m_manager->dates().resetThisWeekDate();
        openCustom();
        QCOMPARE(sheet()->weekdaySegment(0)->text(), QStringLiteral("Sun"));
        QCOMPARE(checkedWeekdaySegments(), QList<int>{2});
        chooseItem(sheet()->frequencyBox(), 1);
        // Taking the only day away brings the week's first day.
        QTest::mouseClick(sheet()->weekdaySegment(2), Qt::LeftButton);
        QCOMPARE(checkedWeekdaySegments(), QList<int>{0});
        QTest::mouseClick(sheet()->weekdaySegment(6), Qt::LeftButton);
        QTest::mouseClick(sheet()->okButton(), Qt::LeftButton);
        QCOMPARE(rule(), QByteArray("FREQ=WEEKLY;BYDAY=SU,SA"));
        // The days of "Weekends": shown as that preset, by its own title.
        QCOMPARE(repeat()->repeatBox()->currentIndex(), 2);
        QCOMPARE(repeat()->repeatBox()->shownText(), repeat()->repeatBox()->currentText());
    }

    void customMonthlyAndYearlyRules()
    {
        openCustom();
        chooseItem(sheet()->frequencyBox(), 2);
        QVERIFY(sheet()->monthDaySegment(1)->isChecked());
        QTest::mouseClick(sheet()->monthDaySegment(31), Qt::LeftButton);
        QTest::mouseClick(sheet()->monthDaySegment(-1), Qt::LeftButton);
        QTest::mouseClick(sheet()->monthDaySegment(1), Qt::LeftButton);
        QTest::mouseClick(sheet()->okButton(), Qt::LeftButton);
        QCOMPARE(rule(), QByteArray("FREQ=MONTHLY;BYMONTHDAY=31,-1"));
        // "The last Friday".
        openCustom();
        chooseItem(sheet()->frequencyBox(), 2);
        QTRY_COMPARE(sheet()->size(), CustomRepeatSheet::sizeForFrequency(2));
        clickRadio(sheet()->onWeekButton());
        QVERIFY(!sheet()->monthDaySegment(1)->isEnabled());
        chooseItem(sheet()->weekNumberBox(), 5);
        chooseItem(sheet()->weekdayBox(), 5);
        QTest::mouseClick(sheet()->okButton(), Qt::LeftButton);
        QCOMPARE(rule(), QByteArray("FREQ=MONTHLY;BYDAY=-1FR"));
        // Yearly, in the due date's month to begin with, and another.
        openCustom();
        chooseItem(sheet()->frequencyBox(), 3);
        QVERIFY(sheet()->monthSegment(3)->isChecked());
        QTest::mouseClick(sheet()->monthSegment(9), Qt::LeftButton);
        QTest::mouseClick(sheet()->okButton(), Qt::LeftButton);
        QCOMPARE(rule(), QByteArray("FREQ=YEARLY;BYMONTH=3,9"));
    }

    void cancellingTheSheet()
    {
        chooseItem(repeat()->repeatBox(), 6);
        const QByteArray before = file();
        openCustom();
        chooseItem(sheet()->frequencyBox(), 1);
        QTest::mouseClick(sheet()->cancelButton(), Qt::LeftButton);
        QCOMPARE(repeat()->repeatBox()->currentIndex(), 6);
        QVERIFY(!repeat()->isHoverShown());
        QCOMPARE(file(), before);
    }

private:
    QByteArray rule() const { return IcsLines::value(m_f->store->file(), "RRULE"); }
    QByteArray file() const { return m_f->store->file(); }
    RepeatEditor* repeat() const { return m_pane->repeatEditor(); }
    CustomRepeatSheet* sheet() const { return repeat()->sheet(); }

    // On its circle: a radio button takes clicks on its circle and its text only.
    static void clickRadio(QRadioButton* button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    }

    QList<int> checkedWeekdaySegments() const
    {
        QList<int> checked;
        for (int i = 0; i < 7; ++i) {
            if (sheet()->weekdaySegment(i)->isChecked())
                checked << i;
        }
        return checked;
    }

    void openCustom()
    {
        chooseItem(repeat()->repeatBox(), 8);
        QTRY_VERIFY(sheet() && sheet()->isVisible());
    }

    std::optional<DetailFixture> m_f;
    UserDefaults* m_defaults = nullptr;
    DataManager* m_manager = nullptr;
    std::unique_ptr<ModeManager> m_modes;
    std::unique_ptr<RightViewController> m_pane;
};

VELMORAN_WIDGET_TEST_MAIN(TestRepeatEditor)
#include "tst_repeateditor.moc"
