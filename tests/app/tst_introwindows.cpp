#include "RunningApp.h"
#include "TestEnvironment.h"

#include "app/IntroWindows.h"
#include "prefs/UpdateNote.h"
#include "ui/intro/HelpWindowController.h"

#include <QPushButton>
#include <QScopeGuard>

// The notes on what is new, plugged into the application delegate: a start after an update
// shows them once. (The Help menu's items are followed in tst_menuitems, the windows in their
// own suites.)
class TestIntroWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A start after an update shows the notes once, as a sheet on the main window.
    void notesAfterAnUpdate()
    {
        RunningApp app;
        app.addList("work", "Work");
        UserDefaults& defaults = *app.defaults;
        defaults.setBool(false, PrefKey::showMenuBar);
        QVERIFY(app.build());
        setupDefaultPreferences(defaults, &app.manager->lists());
        defaults.setBool(false, PrefKey::initialLaunch);
        defaults.setBool(false, PrefKey::updateNote);
        defaults.setString("0.0.1", UpdateNote::kVersionKey);
        // The main window goes after the windows made over it.
        const auto closeWindow = qScopeGuard([&app] { delete app.window(); });
        IntroWindows windows(*app.manager, *app.modes, defaults, *app.delegate);
        app.delegate->setWindows({.onboarding = &windows});
        app.delegate->applicationDidFinishLaunching();
        QVERIFY(app.window());
        QTRY_VERIFY(windows.helpWindow());
        QCOMPARE(windows.helpWindow()->currentFileName(), QString("Update"));
        QVERIFY(!defaults.boolForKey(PrefKey::updateNote));
        QPointer<HelpWindowController> sheet = windows.helpWindow();
        QCOMPARE(sheet->parentWidget(), app.window());
        sheet->startButton()->click();
        QTRY_VERIFY(!sheet);
    }
};

VELMORAN_WIDGET_TEST_MAIN(TestIntroWindows)
#include "tst_introwindows.moc"
