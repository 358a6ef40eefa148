#include "RunningApp.h"
#include "XTestClient.h"

#include "ui/main/MidViewController.h"
#include "ui/main/RightViewController.h"

#include <QProcess>
#include <QScreen>
#include <QSplitter>
#include <QStandardPaths>

using namespace TestFiles;

// The main window's frame under a real window manager that decorates it: saved and restored
// (where a restored window used to open a title bar's height higher than it was left), and
// kept on the screen when a side pane opens. This suite runs under xvfb-run (a screen of 1280
// by 800) and starts openbox on that display itself.
class TestWindowFrame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("openbox").isEmpty())
            QFAIL("openbox is not installed (scripts/install-deps.sh installs it)");
        m_windowManager.start("openbox", {"--sm-disable"});
        QVERIFY(m_windowManager.waitForStarted(5000));
        // Started is not yet managing: on a busy machine the first window was shown before
        // openbox had taken the screen, and was never decorated.
        const XTestClient display;
        QVERIFY(display.isConnected());
        QTRY_VERIFY_WITH_TIMEOUT(display.hasWindowManager(), 10000);

        m_store.clock.setNow(QDateTime::currentDateTime());
        m_store.addList("work", "Work");
        writeFile(m_store.root() + "/work/a.ics", todo("a", "Report"));
        QVERIFY(m_store.build());
    }

    void cleanupTestCase()
    {
        m_windowManager.terminate();
        m_windowManager.waitForFinished(5000);
    }

    // Saved, closed and opened again three times, the window stays where the user left it,
    // title bar included, and keeps its size.
    void aRestoredWindowOpensWhereItWasLeft()
    {
        QPoint place;
        QSize size;
        {
            WindowController first(*m_store.manager, *m_store.modes, m_store.services->services());
            first.resize(1000, 640);
            first.move(120, 90);
            showDecorated(first);
            QVERIFY2(first.frameGeometry().top() < first.geometry().top(),
                     "the window manager did not decorate the window");
            place = first.pos();
            size = first.size();
            first.viewController()->saveSplitViewFrame();
        }
        for (int round = 0; round < 3; ++round) {
            WindowController again(*m_store.manager, *m_store.modes, m_store.services->services());
            again.viewController()->loadSplitViewFrame();
            showDecorated(again);
            QTRY_COMPARE(again.pos(), place);
            QCOMPARE(again.size(), size);
            again.viewController()->saveSplitViewFrame();
        }
    }

    void theDetailPaneOpensWithinTheScreen_data()
    {
        QTest::addColumn<bool>("atRightEdge");
        QTest::newRow("room beside the window") << false;
        QTest::newRow("at the right edge of the screen") << true;
    }

    // Opening the detail pane widens the window as far as the screen has room and narrows the
    // task list for the rest; the pane is whole and inside the window, and closing it puts the
    // window and the list back as they were.
    void theDetailPaneOpensWithinTheScreen()
    {
        QFETCH(bool, atRightEdge);
        WindowController window(*m_store.manager, *m_store.modes, m_store.services->services());
        ViewController& view = *window.viewController();
        view.setAnimationDuration(0);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        window.resize(900, 600);
        window.move(screen.topLeft());
        showDecorated(window);
        if (atRightEdge) {
            window.move(screen.right() + 1 - window.frameGeometry().width(), screen.top());
            QTRY_COMPARE(window.frameGeometry().right(), screen.right());
        }
        const QRect closed = window.geometry();
        const int listWidth = view.mvc()->width();
        const int sidebarWidth = view.splitView()->sizes().at(0);

        QVERIFY(!view.isDetailsShown());
        view.showHideDetails();
        QTRY_VERIFY(view.isDetailsShown());
        QVERIFY(view.mvc()->presenter().showingDetail());
        QTRY_COMPARE(view.splitView()->sizes().at(2), ViewController::kRightOpenWidth);
        QTRY_COMPARE(window.width(),
                     closed.width() + (atRightEdge ? 0 : ViewController::kRightOpenWidth));
        QVERIFY2(screen.contains(window.frameGeometry()),
                 qPrintable(QString("%1 wide at %2").arg(window.width()).arg(window.x())));
        const QRect pane(view.rvc()->mapTo(&window, QPoint()), view.rvc()->size());
        QVERIFY(window.rect().contains(pane));
        QCOMPARE(view.splitView()->sizes().at(0), sidebarWidth);
        QCOMPARE(view.mvc()->width(),
                 listWidth - (atRightEdge ? ViewController::kRightOpenWidth : 0));

        view.showHideDetails();
        QTRY_VERIFY(!view.isDetailsShown());
        QTRY_COMPARE(window.geometry(), closed);
        QTRY_COMPARE(view.mvc()->width(), listWidth);
        QVERIFY(!view.mvc()->presenter().showingDetail());
    }

private:
    static void showDecorated(QWidget& window)
    {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The frame arrives from the window manager after the window is mapped.
        QTRY_VERIFY_WITH_TIMEOUT(window.frameGeometry().top() < window.geometry().top(), 10000);
    }

    QProcess m_windowManager;
    RunningApp m_store;
};

QTEST_MAIN(TestWindowFrame)
#include "tst_windowframe.moc"
