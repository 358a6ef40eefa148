// runs inside dbus-run-session (the preferences' notification centre).
#include "FullTaskInDetails.h"
#include "PreferenceFixture.h"
#include "TextFit.h"

#include "data/TaskOperations.h"
#include "platform/store/CollectionFinder.h"
#include "presentation/detail/DetailEditSession.h"
#include "presentation/detail/DetailServices.h"
#include "ui/entry/AddViewController.h"
#include "ui/intro/IntroWindowController.h"
#include "ui/main/MidViewController.h"
#include "ui/main/RightViewController.h"
#include "ui/main/ViewController.h"
#include "ui/main/WindowController.h"
#include "ui/main/sidebar/LeftViewController.h"
#include "ui/prefs/AdvancedPage.h"

#include <QTranslator>

// The windows in the pseudo-language, whose every text is accented and 40 % longer than the
// English: a window that has room for it has room for the languages it stands for. Each
// window is checked with TextFit for texts cut short.
class TestTextFit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("GSETTINGS_BACKEND", "memory");
        QVERIFY(m_pseudo.load(QStringLiteral(":/velmoran/i18n/velmoran_en_XA")));
        QCoreApplication::installTranslator(&m_pseudo);
    }

    void init()
    {
        QVERIFY(PreferenceFixture::makeCollection(m_fixture.root() + "/work", "Work"));
        QVERIFY(m_fixture.setUp());
    }

    void cleanup() { m_fixture.tearDown(); }

    // At its first size and at 800 by 600, with the details of a task that fills their rows.
    void mainWindow()
    {
        PreferredDetailServices services(*m_fixture.defaults);
        WindowController window(*m_fixture.manager, *m_fixture.modes, services.services());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ViewController& view = *window.viewController();
        view.setAnimationDuration(0);
        QVERIFY(showFullTaskInDetails(m_fixture, view));

        const QList<std::pair<QString, std::function<void()>>> views = {
            {"All Tasks", [&view] { view.lvc()->presenter().selectPresetList(1); }},
            {"the day", [&view] { view.lvc()->presenter().selectDayView(); }},
            {"the week", [&view] { view.lvc()->presenter().selectWeekView(); }},
            {"the month", [&view] { view.lvc()->presenter().selectMonthView(); }}};
        QStringList faults;
        for (const QSize& size : {window.size(), QSize(800, 600)}) {
            window.resize(size);
            for (const auto& [name, show] : views) {
                show();
                view.mvc()->presenter().selectReminder(
                    m_fixture.manager->tasks().reminderWithIdentifier("a"));
                QCoreApplication::processEvents();
                for (const QString& fault : TextFit::faults(&window))
                    faults << QStringLiteral("%1 at %2 by %3: ")
                                      .arg(name)
                                      .arg(window.width())
                                      .arg(window.height()) +
                                  fault;
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // Every page, and every tab of the Advanced page, where the screen has room for the window.
    void preferencesWindow()
    {
        PreferenceWindowController& window = *m_fixture.window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QStringList faults =
            m_fixture.faultsOnEveryPage([](QWidget* shown) { return TextFit::faults(shown); });
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void quickAddWindow()
    {
        AddViewController window(*m_fixture.manager, *m_fixture.modes);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QStringList faults = TextFit::faults(&window);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void onboarding()
    {
        IntroWindowController window(*m_fixture.manager, *m_fixture.modes);
        const QString home = m_fixture.dir.path();
        window.setFinderFactory([home] { return store::CollectionFinder(home, {}); });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QStringList faults;
        for (int page = 1; page <= 5; ++page) {
            window.selectPageAtIndex(page);
            QCOMPARE(window.currentPage(), page);
            QCoreApplication::processEvents();
            for (const QString& fault : TextFit::faults(&window))
                faults << QStringLiteral("page %1: ").arg(page) + fault;
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

private:
    QTranslator m_pseudo;
    PreferenceFixture m_fixture;
};

VELMORAN_WIDGET_TEST_MAIN(TestTextFit)
#include "tst_textfit.moc"
