#include "LaunchedProgram.h"
#include "TestEnvironment.h"
#include "TestFiles.h"
#include "XTestClient.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

using namespace TestFiles;

// The first launch of the real program on a fresh configuration home, driven with the
// keyboard alone through a second X client that types as a person does.
// This suite runs under xvfb-run.
// It runs inside dbus-run-session: the program's single-instance name needs a session bus.
// After the onboarding, the suite runs velmoran-cli over the same preferences and store; it
// says which lists the main window shows.
class TestFirstLaunch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_keyboard.isConnected());
        m_return = m_keyboard.keyCode(0xFF0D);
        m_down = m_keyboard.keyCode(0xFF54);
        m_space = m_keyboard.keyCode(0x0020);
        QVERIFY(m_return && m_down && m_space);
    }

    void init()
    {
        m_home = std::make_unique<QTemporaryDir>();
        QVERIFY(m_home->isValid());
        const QString home = m_home->path();
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.remove("VELMORAN_STORE");
        for (const auto& [name, path] : {std::pair{"HOME", ""},
                                         {"XDG_CONFIG_HOME", "/.config"},
                                         {"XDG_DATA_HOME", "/.local/share"},
                                         {"XDG_STATE_HOME", "/.local/state"},
                                         {"XDG_CACHE_HOME", "/.cache"}})
            m_env.insert(name, home + path);
        m_env.insert("QT_QPA_PLATFORM", "xcb");
    }

    void cleanup() { LaunchedProgram::stop(m_app); }

    // No data anywhere: Velmoran's own folder with its list "Reminders". (What is found in the
    // folders other programs are set up with is tst_collectionfinder's.)
    void withNoExistingData()
    {
        runOnboarding({});
        const QJsonArray lists = shownLists();
        QCOMPARE(titles(lists, true), QStringList{"Reminders"});
        QCOMPARE(titles(lists, false), QStringList{});
        QVERIFY(!preferences().contains("storeFolders"));
        QVERIFY(QFileInfo::exists(m_home->path() + "/.local/share/velmoran/store"));
    }

    // A vdirsyncer configuration with two filesystem storages: both are found and used, and
    // the list unchecked on the list page is the one the main window leaves out.
    void withTwoVdirsyncerStorages()
    {
        const QString home = m_home->path();
        writeFile(home + "/.config/vdirsyncer/config",
                  "[general]\nstatus_path = \"~/.vdirsyncer/status/\"\n"
                  "[storage work_local]\ntype = \"filesystem\"\npath = \"~/sync/work/\"\n"
                  "fileext = \".ics\"\n"
                  "[storage private_local]\ntype = \"filesystem\"\npath = \"~/sync/private/\"\n"
                  "fileext = \".ics\"\n"
                  "[storage contacts]\ntype = \"filesystem\"\npath = \"~/sync/contacts/\"\n"
                  "fileext = \".vcf\"\n");
        writeFile(home + "/sync/work/projects/displayname", "Projects");
        writeFile(home + "/sync/work/projects/p1.ics", todo("p1", "Plan"));
        writeFile(home + "/sync/work/office/displayname", "Office");
        writeFile(home + "/sync/work/office/o1.ics", todo("o1", "Chairs"));
        writeFile(home + "/sync/private/home/displayname", "Home");
        writeFile(home + "/sync/private/home/h1.ics", todo("h1", "Plants"));
        const QByteArray config = readFile(home + "/.config/vdirsyncer/config");

        // On the list page: down to the second list and uncheck it.
        runOnboarding({m_down, m_space});
        QCOMPARE(preferences().value("storeFolders").toArray().size(), 2);
        const QJsonArray lists = shownLists();
        QCOMPARE(titles(lists, true).size() + titles(lists, false).size(), 3);
        QCOMPARE(titles(lists, false).size(), 1);
        const QStringList visible = preferences().value("visibleLists").toVariant().toStringList();
        QCOMPARE(visible.size(), 2);
        QCOMPARE(readFile(home + "/.config/vdirsyncer/config"), config);
    }

    // Closing the window half way ends the program cleanly, and the next start asks again.
    void closingHalfWayAsksAgain()
    {
        startApp();
        const xcb_window_t intro = waitForWindow("Welcome to Velmoran");
        QVERIFY(intro);
        focus(intro);
        tap(m_return);
        // Escape closes the window, as the window manager's close button would, also while the
        // next page fades in.
        tap(m_keyboard.keyCode(0xFF1B));
        QVERIFY(m_app.waitForFinished(10000));
        // The services go down in order: the store session the root made ends cleanly too.
        QCOMPARE(m_app.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_app.exitCode(), 0);
        // What it leaves written is read in tst_introwindow; here: the next start asks again.
        QVERIFY(preferences().value("initialLaunch").toBool());
        startApp();
        QVERIFY(waitForWindow("Welcome to Velmoran"));
    }

private:
    void startApp()
    {
        LaunchedProgram::start(m_app, m_env);
        QVERIFY(m_app.waitForStarted(10000));
    }

    // The top-level window with this title, once it is mapped.
    xcb_window_t waitForWindow(const QByteArray& title, int timeoutMs = 15000)
    {
        xcb_window_t found = 0;
        return QTest::qWaitFor([&] { return (found = findWindow(title)) != 0; }, timeoutMs) ? found
                                                                                            : 0;
    }

    // The mapped top-level window titled `title`; 0 when there is none.
    xcb_window_t findWindow(const QByteArray& title)
    {
        xcb_connection_t* x = m_keyboard.connection();
        const auto owned = [](auto* reply) {
            return std::unique_ptr<std::remove_pointer_t<decltype(reply)>, void (*)(void*)>(
                reply, std::free);
        };
        const auto tree =
            owned(xcb_query_tree_reply(x, xcb_query_tree(x, m_keyboard.root()), nullptr));
        for (int i = 0; tree && i < xcb_query_tree_children_length(tree.get()); ++i) {
            const xcb_window_t child = xcb_query_tree_children(tree.get())[i];
            const auto state = owned(
                xcb_get_window_attributes_reply(x, xcb_get_window_attributes(x, child), nullptr));
            const auto name = owned(xcb_get_property_reply(
                x,
                xcb_get_property(x, 0, child, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
                nullptr));
            if (state && state->map_state == XCB_MAP_STATE_VIEWABLE && name &&
                QByteArray(static_cast<const char*>(xcb_get_property_value(name.get())),
                           xcb_get_property_value_length(name.get())) == title)
                return child;
        }
        return 0;
    }

    void focus(xcb_window_t window)
    {
        xcb_set_input_focus(m_keyboard.connection(), XCB_INPUT_FOCUS_POINTER_ROOT, window,
                            XCB_CURRENT_TIME);
        m_keyboard.sync();
        QTest::qWait(300);
    }

    void tap(int key) { m_keyboard.tap(key, 5); }

    // Return on each page, with `onListPage` typed on the fourth, then waits for the main
    // window. The keys go at typing speed: what is typed while a page fades in, or while the
    // second one searches for folders, acts on the page that comes next.
    void runOnboarding(const QList<int>& onListPage)
    {
        startApp();
        const xcb_window_t intro = waitForWindow("Welcome to Velmoran");
        QVERIFY2(intro, "the onboarding window did not open");
        focus(intro);
        for (int page = 1; page <= 5; ++page) {
            if (page == 4) {
                for (int key : onListPage)
                    tap(key);
            }
            tap(m_return);
        }
        QVERIFY2(waitForWindow("Velmoran", 15000), "the main window did not open");
        QTRY_VERIFY_WITH_TIMEOUT(!findWindow("Welcome to Velmoran"), 5000);
        QVERIFY(!preferences().value("initialLaunch").toBool());
        QVERIFY(preferences().value("soundOn").toBool());
    }

    QJsonObject preferences() const
    {
        return QJsonDocument::fromJson(
                   readFile(m_home->path() + "/.config/velmoran/preferences.json"))
            .object();
    }

    // The lists as the command-line front end reports them over the same store.
    QJsonArray shownLists()
    {
        const LaunchedProgram::Launch run =
            LaunchedProgram::launch(m_env, {"lists", "--json"}, {}, VELMORAN_CLI_PATH);
        if (run.exitCode != 0)
            QTest::qFail(run.err.constData(), __FILE__, __LINE__);
        return QJsonDocument::fromJson(run.out).array();
    }

    static QStringList titles(const QJsonArray& lists, bool shown)
    {
        QStringList result;
        for (const QJsonValue& list : lists) {
            if (list.toObject().value("visible").toBool() == shown)
                result << list.toObject().value("title").toString();
        }
        return result;
    }

    XTestClient m_keyboard;
    int m_return = 0, m_down = 0, m_space = 0;
    std::unique_ptr<QTemporaryDir> m_home;
    QProcessEnvironment m_env;
    QProcess m_app;
};

VELMORAN_WIDGET_TEST_MAIN(TestFirstLaunch)
#include "tst_firstlaunch.moc"
