#include "KeyboardFocus.h"
#include "QuickAddStore.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "WindowFit.h"

#include "data/DataManager.h"
#include "entry/SmartAddEntry.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "ui/common/ElidedLabel.h"
#include "ui/entry/AddViewController.h"
#include "ui/entry/DueDateControl.h"
#include "ui/entry/NoticeLabel.h"
#include "ui/entry/QuickAddForm.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace TestFiles;
using TestEnvironment::local;

namespace {

// Key presses carrying any text, as an input method delivers them (QTest::keyClicks takes
// Latin-1 only).
void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

} // namespace

// The quick-add window driven by real key events over a temporary store: Smart Add while typing
// and its undo, Return, Ctrl-Return and Escape, the due-date buttons, the list chooser, the
// notice line, and pasted junk (the refusals, and no list at all, are tst_quickaddsession's).
class TestQuickAddWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<QuickAddStore>();
        QVERIFY(m_store->load());
        m_night = false;
        m_modes = std::make_unique<ModeManager>(*m_store->defaults, [this] { return m_night; });
    }

    void cleanup()
    {
        m_window.reset();
        m_modes.reset();
        m_store.reset();
    }

    // Words are taken as they are typed: the due date moves at once, a priority word is
    // recorded on the label, and undo takes the rule back while the word stays cut.
    void smartAddWhileTyping()
    {
        openWindow();
        QTest::keyClicks(field(), "! ");
        QCOMPARE(field()->text(), QString());
        QCOMPARE(form()->smartRuleLabel()->text(), QStringLiteral("!"));
        QVERIFY(form()->undoRuleButton()->isVisibleTo(m_window.get()));

        QTest::keyClicks(field(), "buy milk tomorrow ");
        QCOMPARE(field()->text(), QStringLiteral("buy milk "));
        QVERIFY(!form()->noDueDateButton()->isVisibleTo(m_window.get()));
        QTest::keyClicks(field(), "3pm ");
        QCOMPARE(field()->text(), QStringLiteral("buy milk "));
        QCOMPARE(form()->dueDateControl()->dateTime(), local(2026, 12, 10, 15, 0));

        QTest::mouseClick(form()->undoRuleButton(), Qt::LeftButton);
        QCOMPARE(form()->smartRuleLabel()->text(), QString());
        QVERIFY(!form()->undoRuleButton()->isVisibleTo(m_window.get()));

        QSignalSpy added(m_window.get(), &AddViewController::taskAdded);
        QTest::keyClick(field(), Qt::Key_Return);
        QCOMPARE(added.size(), 1);
        QVERIFY(!m_window->isVisible());
        const store::ReminderPtr stored = storedTask("buy milk");
        QCOMPARE(stored->dueDateComponents->toDateTime(), local(2026, 12, 10, 15, 0));
        QCOMPARE(stored->priority, 0);
        QVERIFY(readFile(stored->origin->path()).contains("SUMMARY:buy milk\r\n"));
    }

    // A repeat phrase stays in the field while it can still grow, shows beside the rule label
    // with the undo button, and goes into the file as the task's rule.
    void aRepeatShowsBesideTheRuleLabel()
    {
        openWindow();
        QTest::keyClicks(field(), "water plants every Monday ");
        QCOMPARE(field()->text(), QStringLiteral("water plants every Monday "));
        QCOMPARE(form()->repeatLabel()->fullText(), QStringLiteral("↻ Every Week on Monday"));
        QVERIFY(form()->undoRuleButton()->isVisibleTo(m_window.get()));

        QTest::keyClick(field(), Qt::Key_Return);
        const store::ReminderPtr stored = storedTask("water plants");
        QCOMPARE(stored->dueDateComponents->toDateTime(), local(2026, 12, 14, 8, 0));
        QVERIFY(readFile(stored->origin->path()).contains("RRULE:FREQ=WEEKLY;BYDAY=MO\r\n"));
    }

    void everythingFits_data()
    {
        QTest::addColumn<bool>("night");
        QTest::newRow("day") << false;
        QTest::newRow("night") << true;
    }

    // Day and night, with a rule recorded, a repeat, a due date, a notice and a long title, every
    // control of the window is inside it and at its full size.
    void everythingFits()
    {
        QFETCH(bool, night);
        m_night = night;
        m_modes->resetValues();
        openWindow();
        m_window->resetAppearance();
        QTest::keyClicks(field(), "! " + QString("Prepare the quarterly review ").repeated(6) +
                                      "every last Friday until 31 Dec ");
        QTest::mouseClick(form()->noDueDateButton(), Qt::LeftButton);
        QVERIFY(form()->dueDateControl()->isVisibleTo(m_window.get()));
        QVERIFY(form()->undoRuleButton()->isVisibleTo(m_window.get()));
        form()->showNotice(QStringLiteral("New Task Added"));
        QTRY_VERIFY(m_window->width() <= 800 && m_window->height() <= 600);
        QCoreApplication::processEvents();
        const QStringList faults = WindowFit::faults(m_window.get());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // Typed as an input method delivers right-to-left text; Return takes the trailing word.
    void aRightToLeftLineBecomesATask()
    {
        openWindow();
        typeText(field(), "להתקשר לאמא tomorrow");
        QTest::keyClick(field(), Qt::Key_Return);
        QVERIFY(!m_window->isVisible());
        const store::ReminderPtr stored = storedTask("להתקשר לאמא");
        QVERIFY(stored);
        QCOMPARE(stored->dueDateComponents->toDateTime(), local(2026, 12, 10, 8, 0));
    }

    // Ctrl-Return adds and keeps the window, its list, due date and rules for the next task;
    // the notice shows once per add and goes two seconds after the last.
    void ctrlReturnKeepsTheWindowOpen()
    {
        openWindow();
        form()->changeToList(listId("Work"));
        QTest::keyClicks(field(), "!! first tomorrow ");
        QTest::keyClick(field(), Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(m_window->isVisible());
        QCOMPARE(form()->noticeLabel()->notice(), QStringLiteral("New Task Added"));
        QTRY_VERIFY(form()->noticeLabel()->remainingMs() >= 0 &&
                    form()->noticeLabel()->remainingMs() < NoticeLabel::kShownMs / 2);
        QTest::keyClicks(field(), "second");
        QTest::keyClick(field(), Qt::Key_Return, Qt::ControlModifier);
        QElapsedTimer sinceSecond;
        sinceSecond.start();
        QCOMPARE(form()->noticeLabel()->notice(), QStringLiteral("New Task Added"));
        // Gone two seconds after the second add, not after the first.
        QTRY_COMPARE_WITH_TIMEOUT(form()->noticeLabel()->notice(), QString(), 4000);
        QVERIFY2(sinceSecond.elapsed() >= NoticeLabel::kShownMs,
                 qPrintable(QString::number(sinceSecond.elapsed())));

        for (const QString& title : {QStringLiteral("first"), QStringLiteral("second")}) {
            const store::ReminderPtr stored = storedTask(title);
            QVERIFY2(stored, qPrintable(title));
            QCOMPARE(stored->calendar->title, QStringLiteral("Work"));
            QCOMPARE(stored->priority, 5);
            QCOMPARE(stored->dueDateComponents->toDateTime(), local(2026, 12, 10, 8, 0));
        }
        QTest::keyClick(field(), Qt::Key_Escape);
        QVERIFY(!m_window->isVisible());
    }

    // The buttons show and hide the date control, its day without a time under "noDueTime"
    // (the dates and the cleared date are tst_quickaddsession's).
    void dueDateButtons()
    {
        m_store->defaults->setBool(true, PrefKey::noDueTime);
        openWindow();
        QTest::mouseClick(form()->noDueDateButton(), Qt::LeftButton);
        QVERIFY(form()->dueDateControl()->isVisibleTo(m_window.get()));
        QVERIFY(!form()->dueDateControl()->hasTimeOfDay());
        QTest::mouseClick(form()->clearDueDateButton(), Qt::LeftButton);
        QVERIFY(!form()->dueDateControl()->isVisibleTo(m_window.get()));
        QVERIFY(form()->noDueDateButton()->isVisibleTo(m_window.get()));
    }

    // The date control's own edits are the task's due date; "No Time" makes it a day; its
    // calendar pop-up holds the list chooser while it is open.
    void editingTheDueDate()
    {
        openWindow();
        form()->setupDueDate(local(2026, 12, 14));
        QCOMPARE(form()->dueDateControl()->dateTime(), local(2026, 12, 14, 8, 0));
        // Opening the control's calendar keeps the list chooser still.
        QWidget* calendar = form()->dueDateControl()->editor()->calendarWidget();
        QVERIFY(calendar);
        calendar->window()->show();
        QTRY_VERIFY(form()->dueDateControl()->isCalendarShown());
        QVERIFY(!form()->listChooser()->isEnabled());
        calendar->window()->hide();
        QTRY_VERIFY(form()->listChooser()->isEnabled());
        QDateTimeEdit* editor = form()->dueDateControl()->editor();
        editor->setDateTime(local(2026, 12, 15, 17, 45));
        QCOMPARE(form()->entry().dueDate(), local(2026, 12, 15, 17, 45));
        form()->dueDateControl()->noTimeButton()->click();
        QCOMPARE(form()->entry().dueDate(), local(2026, 12, 15, 0, 0));
        form()->dueDateControl()->noTimeButton()->click();
        QTest::keyClicks(field(), "edited");
        QTest::keyClick(field(), Qt::Key_Return);
        QCOMPARE(storedTask("edited")->dueDateComponents->toDateTime(),
                 local(2026, 12, 15, 17, 45));
    }

    // Ten thousand pasted characters neither hang nor crash the field.
    void pastedTextIsTamed()
    {
        openWindow();
        QString huge;
        for (int i = 0; i < 1000; ++i)
            huge += QStringLiteral("word%1 ").arg(i % 10, 4, 10, QChar('0'));
        huge = huge.left(10000);
        QElapsedTimer timer;
        timer.start();
        field()->insert(huge);
        Q_EMIT field()->textEdited(field()->text());
        QTest::keyClick(field(), Qt::Key_Return);
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(!m_window->isVisible());
        QCOMPARE(allTasks().size(), 1);
        QCOMPARE(allTasks().constFirst()->title, huge.trimmed());
    }

    // Tab goes round the window and back, every stop on screen and marked by the focus ring,
    // with a due date and without one, by day and by night.
    void tabGoesRoundTheWindow_data()
    {
        QTest::addColumn<bool>("dated");
        QTest::addColumn<bool>("night");
        QTest::newRow("dated, day") << true << false;
        QTest::newRow("undated, day") << false << false;
        QTest::newRow("dated, night") << true << true;
    }

    void tabGoesRoundTheWindow()
    {
        QFETCH(bool, dated);
        QFETCH(bool, night);
        m_modes = std::make_unique<ModeManager>(*m_store->defaults, [night] { return night; });
        openWindow();
        if (dated)
            form()->setupDueDate(local(2026, 12, 14, 9));
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        field()->setFocus(Qt::TabFocusReason);

        const KeyboardFocus::Chain chain = KeyboardFocus::walkTabChain(m_window.get());
        QVERIFY2(chain.faults.isEmpty(), qPrintable(chain.report()));
        QCOMPARE(chain.indexOf(form()->dueDateControl()->editor()) > 0, dated);
        QCOMPARE(chain.indexOf(form()->noDueDateButton()) > 0, !dated);
        const QStringList faint = KeyboardFocus::stopsWithoutRing();
        QVERIFY2(faint.isEmpty(), qPrintable(faint.join("; ")));
    }

private:
    QuickAddForm* form() const { return m_window->form(); }
    QLineEdit* field() const { return m_window->form()->titleField(); }

    void openWindow()
    {
        m_window = std::make_unique<AddViewController>(*m_store->manager, *m_modes);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    QString listId(const QString& title) const { return m_store->listId(title); }
    QList<store::ReminderPtr> allTasks() { return m_store->tasksOnDisk(); }
    store::ReminderPtr storedTask(const QString& title) { return m_store->taskOnDisk(title); }

    bool m_night = false;
    std::unique_ptr<QuickAddStore> m_store;
    std::unique_ptr<ModeManager> m_modes;
    std::unique_ptr<AddViewController> m_window;
};

VELMORAN_WIDGET_TEST_MAIN(TestQuickAddWindow)
#include "tst_quickaddwindow.moc"
