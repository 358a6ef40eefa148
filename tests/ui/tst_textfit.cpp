// runs inside dbus-run-session (the preferences' notification centre).
#include "AccessibleNames.h"
#include "KeyboardFocus.h"
#include "TextFit.h"
#include "WindowWalks.h"

#include <QApplication>
#include <QTranslator>

// The windows in the pseudo-language, whose every text is accented and 40 % longer than the
// English: a window that has room for it has room for the languages it stands for. Each
// window is checked with TextFit for texts cut short, and with AccessibleNames as a screen
// reader reads it: each control shown has a name, nothing that takes the focus calls itself a
// container, each window is a named window. The onboarding's Tab chain is walked too: every
// stop shown, of a size and named.
class TestTextFit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
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
        QStringList faults = main.faultsInEveryView(&fitAndNames);
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
        const QStringList faults = m_fixture.faultsOnEveryPage(&fitAndNames) +
                                   faultsInQuickAdd(m_fixture, &fitAndNames) +
                                   faultsOnEveryOnboardingPage(m_fixture, [](QWidget* window) {
                                       return fitAndNames(window) + chainFaults(window);
                                   });
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

private:
    static QStringList fitAndNames(QWidget* window)
    {
        return TextFit::faults(window) + AccessibleNames::faults(window);
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

    QTranslator m_pseudo;
    PreferenceFixture m_fixture;
};

VELMORAN_WIDGET_TEST_MAIN(TestTextFit)
#include "tst_textfit.moc"
