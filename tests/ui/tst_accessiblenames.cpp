// runs inside dbus-run-session (the preferences' notification centre).
#include "AccessibleNames.h"
#include "WindowWalks.h"

#include "ui/main/RightViewController.h"
#include "ui/main/detail/PriorityRow.h"
#include "ui/prefs/AdvancedPage.h"
#include "ui/prefs/GeneralPage.h"
#include "ui/prefs/OnOffButton.h"
#include "ui/prefs/ShortcutRecorder.h"

#include <QComboBox>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>

// What a screen reader reads of the controls whose role, state or value matters, through the
// interfaces the desktop's accessibility bridge hands on. Whether every control of every window
// has a name is walked by tst_textfit, beside the texts that fit; tst_screenreader walks the
// windows over the real accessibility bus.
class TestAccessibleNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QVERIFY(PreferenceFixture::makeCollection(m_fixture.root() + "/work", "Work"));
        QVERIFY(m_fixture.setUp());
    }

    void cleanup() { m_fixture.tearDown(); }

    // The details of a task that fills their rows (every view of the main window is walked by
    // tst_textfit, which checks the names too).
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

    PreferenceFixture m_fixture;
};

VELMORAN_WIDGET_TEST_MAIN(TestAccessibleNames)
#include "tst_accessiblenames.moc"
