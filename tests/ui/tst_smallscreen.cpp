#include "LoadedStore.h"
#include "TestEnvironment.h"

#include "platform/desktop/GnomeInterfaceSettings.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "presentation/detail/DetailServices.h"
#include "ui/common/Motion.h"
#include "ui/common/WindowPlacement.h"
#include "ui/entry/NoticeLabel.h"
#include "ui/main/ViewController.h"
#include "ui/main/WindowController.h"

#include <gio/gio.h>

#include <QApplication>
#include <QGraphicsOpacityEffect>
#include <QScreen>

namespace {

// The offscreen platform's screen, as its configuration file gives it: 1280 by 800 pixels at
// 144 dots per inch, which Qt scales by 1.5 as it does an X11 screen with that Xft.dpi: 853 by
// 533 logical pixels.
constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 800;
constexpr qreal kScale = 1.5;

} // namespace

// The windows on a small screen at a high scale, and the desktop asking for slower animations
// and then for none: no window opens larger than the screen's free area, and no fade waits.
class TestSmallScreen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fittedSize_data()
    {
        QTest::addColumn<QSize>("wanted");
        QTest::addColumn<QMargins>("frame");
        QTest::addColumn<QSize>("expected");
        const QMargins titleBar(1, 30, 1, 1);
        QTest::newRow("fits") << QSize(600, 400) << titleBar << QSize(600, 400);
        QTest::newRow("too tall") << QSize(600, 640) << QMargins() << QSize(600, 500);
        QTest::newRow("too wide and tall, with a title bar")
            << QSize(1000, 640) << titleBar << QSize(798, 469);
    }

    // On an area of 800 by 500.
    void fittedSize()
    {
        QFETCH(QSize, wanted);
        QFETCH(QMargins, frame);
        QFETCH(QSize, expected);
        QCOMPARE(WindowPlacement::fittedSize(wanted, QRect(100, 0, 800, 500), frame), expected);
    }

    // The main window's 1000 by 640 was 1500 by 960 device pixels on this screen; now it
    // opens within the screen, and a frame saved on a larger screen comes back within it too.
    // (The window manager's frame is not known before a window is first shown: the window
    // itself fits, and the window manager keeps its frame on the screen.)
    void theMainWindowOpensWithinTheScreen()
    {
        LoadedStore store;
        store.addList("work", "Work");
        QVERIFY(store.load());
        ModeManager modes(*store.defaults, [] { return false; });
        PreferredDetailServices services(*store.defaults);
        const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
        {
            WindowController window(*store.manager, modes, services.services());
            window.viewController()->loadSplitViewFrame();
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QCOMPARE(window.size(), QSize(available.width(), available.height()));
        }
        store.defaults->setString(WindowPlacement::stringFromFrame(QRect(40, 30, 1400, 900)),
                                  PrefKey::frameString);
        WindowController restored(*store.manager, modes, services.services());
        restored.viewController()->loadSplitViewFrame();
        restored.show();
        QVERIFY(QTest::qWaitForWindowExposed(&restored));
        QCOMPARE(restored.size(), available.size());
        QCOMPARE(restored.pos(), available.topLeft());
    }

    // Plasma's animation speed (its kdeglobals, read at start) lengthens every animation;
    // GNOME's Reduce Animation, switched on while the program runs, removes them: a notice is
    // at full strength at once, and Qt's own menu and combo box animations are off.
    void animationsFollowTheDesktop()
    {
        QCOMPARE(Motion::duration(200), 400);
        QVERIFY(!Motion::isReduced());
        NoticeLabel notice;
        notice.showNotice(QStringLiteral("Saved"));
        const auto* opacity = qobject_cast<QGraphicsOpacityEffect*>(notice.graphicsEffect());
        QVERIFY(opacity);
        QVERIFY(opacity->opacity() < 1);

        // A platform theme that animates menus.
        QApplication::setEffectEnabled(Qt::UI_General, true);
        QApplication::setEffectEnabled(Qt::UI_AnimateMenu, true);
        Motion::followDesktop();
        QVERIFY(QApplication::isEffectEnabled(Qt::UI_AnimateMenu));
        GSettings* gnome = g_settings_new(GnomeInterfaceSettings::kSchema);
        g_settings_set_boolean(gnome, "enable-animations", FALSE);
        QTRY_VERIFY(Motion::isReduced());
        QCOMPARE(Motion::duration(200), 0);
        QVERIFY(!QApplication::isEffectEnabled(Qt::UI_AnimateMenu));
        notice.showNotice(QStringLiteral("Saved again"));
        QCOMPARE(opacity->opacity(), 1.0);
        QCOMPARE(notice.text(), QStringLiteral("Saved again"));

        g_settings_reset(gnome, "enable-animations");
        QTRY_COMPARE(Motion::duration(200), 400);
        QVERIFY(QApplication::isEffectEnabled(Qt::UI_AnimateMenu));
        g_object_unref(gnome);
    }
};

int main(int argc, char* argv[])
{
    TestEnvironment::prepare();
    // The screen, and Plasma's animations at half speed, before the application reads them.
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    QDir().mkpath(config);
    QFile screens(config + "/offscreen.json");
    if (!screens.open(QIODevice::WriteOnly))
        return 1;
    screens.write(QStringLiteral(R"({"screens": [{"name": "small", "x": 0, "y": 0, "width": %1,
        "height": %2, "logicalDpi": %3, "logicalBpp": 32}]})")
                      .arg(kScreenWidth)
                      .arg(kScreenHeight)
                      .arg(96 * kScale)
                      .toUtf8());
    screens.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(screens.fileName()));
    QFile kdeglobals(config + "/kdeglobals");
    if (!kdeglobals.open(QIODevice::WriteOnly))
        return 1;
    kdeglobals.write("[KDE]\nAnimationDurationFactor=2\n");
    kdeglobals.close();
    QApplication app(argc, argv);
    TestEnvironment::prepareWidgets();
    TestSmallScreen tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}
#include "tst_smallscreen.moc"
