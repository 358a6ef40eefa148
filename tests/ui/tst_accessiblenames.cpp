// runs inside dbus-run-session (the preferences' notification centre).
#include "AccessibleNames.h"
#include "KeyboardFocus.h"
#include "WindowWalks.h"

#include "ui/main/RightViewController.h"
#include "ui/main/detail/PriorityRow.h"
#include "ui/prefs/AdvancedPage.h"
#include "ui/prefs/GeneralPage.h"
#include "ui/prefs/OnOffButton.h"
#include "ui/prefs/ShortcutRecorder.h"

#include <QApplication>
#include <QComboBox>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>

// Every window as a screen reader reads it: each control shown has a name, nothing that takes
// the focus calls itself a container, each window is a named window. AccessibleNames reads the
// same interfaces the desktop's accessibility bridge hands on. The onboarding's Tab chain is
// walked here: every stop shown, of a size and named (tst_screenreader walks the tray panel and
// Recently Deleted over the real accessibility bus).
class TestAccessibleNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { qputenv("GSETTINGS_BACKEND", "memory"); }

    void init()
    {
        QVERIFY(PreferenceFixture::makeCollection(m_fixture.root() + "/work", "Work"));
        QVERIFY(m_fixture.setUp());
    }

    void cleanup() { m_fixture.tearDown(); }

    // In each view, with the details of a task that fills their rows.
    void mainWindow()
    {
        MainWindowWithFullTask main(m_fixture);
        QVERIFY(main.open());
        // The priority row: four radio buttons, the task's priority the checked one.
        QStringList priorities;
        for (int button = 0; button < 4; ++button)
            priorities << reading(main.view().rvc()->priorityRow()->button(button));
        QCOMPARE(priorities,
                 QStringList({"RadioButton \"No Priority\"", "RadioButton \"Low Priority\"",
                              "RadioButton \"Medium Priority\"",
                              "RadioButton \"High Priority\" checked"}));
        const QStringList faults = main.faultsInEveryView(&AccessibleNames::faults);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // Every page and every tab of the Advanced page of the preferences; the quick-add window;
    // every page of the onboarding, its Tab chain walked too.
    void preferencesQuickAddAndOnboarding()
    {
        m_fixture.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_fixture.window.get()));
        const QStringList faults = m_fixture.faultsOnEveryPage(&AccessibleNames::faults) +
                                   faultsInQuickAdd(m_fixture, &AccessibleNames::faults) +
                                   faultsOnEveryOnboardingPage(m_fixture, [](QWidget* window) {
                                       return AccessibleNames::faults(window) + chainFaults(window);
                                   });
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // The controls drawn as buttons say what they are: the page bar's and the Advanced page's
    // buttons are page tabs, the shown one selected; a switch is a check box named by its label
    // with its state; a shortcut recorder is a field named by its label, its keys the value; a
    // pop-up is named by its label, its choice the value.
    void preferenceControlsSayWhatTheyAre()
    {
        PreferenceWindowController& window = *m_fixture.window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto pageTab = [&window](int page) {
            return reading(window.toolbar()->widgetForAction(window.items().at(page)));
        };
        QCOMPARE(pageTab(PreferenceObject::General), QString("PageTab \"General\" selected"));
        QCOMPARE(pageTab(PreferenceObject::Advanced), QString("PageTab \"Advanced\""));

        GeneralPage* general = m_fixture.object->generalPage();
        general->keyboardShortcut()->propose(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R));
        QCOMPARE(reading(general->keyboardShortcut()->editor()),
                 QString("EditableText \"Keyboard shortcut:\" = Ctrl+Alt+R"));
        QCOMPARE(reading(general->snoozeField()).section(" = ", 0, 0),
                 QString("EditableText \"Snooze:\""));
        OnOffButton* notifications = general->notificationButton();
        const bool wasOn = notifications->isChecked();
        for (const bool on : {wasOn, !wasOn}) {
            QCOMPARE(reading(notifications),
                     QString("CheckBox \"Notifications:\"") + (on ? " checked" : ""));
            notifications->click();
        }
        general->badgePopUp()->setCurrentIndex(2);
        QCOMPARE(reading(general->badgePopUp()),
                 QString("ComboBox \"Launcher badge:\" = Total Tasks"));

        window.selectPanelAtIndex(PreferenceObject::Advanced);
        QCOMPARE(pageTab(PreferenceObject::Advanced), QString("PageTab \"Advanced\" selected"));
        AdvancedPage* advanced = m_fixture.object->advancedPage();
        advanced->smartTabTapped(2);
        QStringList tabs;
        for (QPushButton* button : advanced->findChildren<QPushButton*>()) {
            if (QAccessible::queryAccessibleInterface(button)->role() == QAccessible::PageTab)
                tabs << reading(button);
        }
        QCOMPARE(tabs,
                 QStringList({"PageTab \"Smart List\"", "PageTab \"Quick Actions\"",
                              "PageTab \"Smart Add\" selected", "PageTab \"Sync Preferences\""}));
    }

private:
    // "Role "name" checked selected = value", as a screen reader reads `widget`.
    static QString reading(QWidget* widget)
    {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
        if (!iface)
            return QStringLiteral("nothing");
        QString text = AccessibleNames::roleName(iface->role()) + QStringLiteral(" \"") +
                       iface->text(QAccessible::Name) + QLatin1Char('"');
        if (iface->state().checked)
            text += QStringLiteral(" checked");
        if (iface->state().selected)
            text += QStringLiteral(" selected");
        if (const QString value = iface->text(QAccessible::Value); !value.isEmpty())
            text += QStringLiteral(" = ") + value;
        return text;
    }

    // Once round the Tab chain of `window`, from its first control when nothing in it has the
    // focus yet.
    static QStringList chainFaults(QWidget* window)
    {
        QApplication::setActiveWindow(window);
        if (!QTest::qWaitForWindowActive(window))
            return {QStringLiteral("the window does not become active")};
        QWidgetList stops;
        for (QWidget* widget : window->findChildren<QWidget*>()) {
            if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisible() &&
                widget->isEnabled() && !widget->focusProxy())
                stops << widget;
        }
        // A page with one control: Tab has nowhere else to go.
        if (stops.size() == 1) {
            const QString fault = KeyboardFocus::stopFault(stops.constFirst(), window);
            return fault.isEmpty() ? QStringList() : QStringList{fault};
        }
        QWidget* focus = QApplication::focusWidget();
        for (QWidget* next = window->nextInFocusChain();
             (!focus || focus->window() != window) && next != window;
             next = next->nextInFocusChain()) {
            if ((next->focusPolicy() & Qt::TabFocus) && next->isVisible() && next->isEnabled()) {
                next->setFocus(Qt::TabFocusReason);
                focus = next;
            }
        }
        return KeyboardFocus::walkTabChain(window).faults;
    }

    PreferenceFixture m_fixture;
};

VELMORAN_WIDGET_TEST_MAIN(TestAccessibleNames)
#include "tst_accessiblenames.moc"
