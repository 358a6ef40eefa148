// runs inside dbus-run-session (the preferences' notification centre).
#include "TextFit.h"
#include "WindowWalks.h"

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
        MainWindowWithFullTask main(m_fixture);
        QVERIFY(main.open());
        QStringList faults = main.faultsInEveryView(&TextFit::faults);
        main.window.resize(800, 600);
        faults += main.faultsInEveryView(&TextFit::faults);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    // Every page, and every tab of the Advanced page, where the screen has room for the window;
    // the quick-add window; every page of the onboarding.
    void everyOtherWindow()
    {
        m_fixture.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_fixture.window.get()));
        const QStringList faults = m_fixture.faultsOnEveryPage(&TextFit::faults) +
                                   faultsInQuickAdd(m_fixture, &TextFit::faults) +
                                   faultsOnEveryOnboardingPage(m_fixture, &TextFit::faults);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

private:
    QTranslator m_pseudo;
    PreferenceFixture m_fixture;
};

VELMORAN_WIDGET_TEST_MAIN(TestTextFit)
#include "tst_textfit.moc"
