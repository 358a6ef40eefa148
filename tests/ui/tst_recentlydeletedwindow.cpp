#include "LoadedStore.h"
#include "TestEnvironment.h"
#include "TestFiles.h"

#include "data/RecentlyDeletedItems.h"
#include "platform/UserDefaults.h"
#include "platform/trash/RecentlyDeleted.h"
#include "prefs/ModeManager.h"
#include "ui/deleted/RecentlyDeletedWindow.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include <memory>

using namespace TestFiles;
using TestEnvironment::local;

// The Recently Deleted window used from the keyboard alone, over a real store and trash.
class TestRecentlyDeletedWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_store = std::make_unique<LoadedStore>();
        trash::RecentlyDeleted().empty();
        writeFile(root() + "/home/displayname", "Home");
        writeFile(root() + "/home/keep.ics", todo("keep", "Water plants"));
        const QList<QPair<QString, QString>> tasks = {
            {"a", "Buy milk"}, {"b", "Pay rent"}, {"c", "Call Sam"}};
        trash::RecentlyDeleted trash;
        for (int i = 0; i < tasks.size(); ++i) {
            const QString path = root() + "/home/" + tasks[i].first + ".ics";
            writeFile(path, todo(tasks[i].first.toUtf8(), tasks[i].second.toUtf8()));
            m_bytes[tasks[i].second] = readFile(path);
            QString error;
            // Deleted a day apart, before the store opens: Call Sam is the newest.
            QVERIFY2(trash.moveTask(path, {tasks[i].second, "Home", tasks[i].first, {}, {}},
                                    trash::DeletedBy::Velmoran, local(2026, 12, 1 + i, 9), nullptr,
                                    &error),
                     qPrintable(error));
        }
        m_store->clock.setNow(local(2026, 12, 9, 10, 30));
        QVERIFY(m_store->load());
        m_modes = std::make_unique<ModeManager>(*m_store->defaults, [this] { return m_night; });
        m_window = std::make_unique<RecentlyDeletedWindow>(*m_store->manager, *m_modes);
        m_window->setConfirmation(
            [this](const QString& question, const QString&, std::function<void(bool)> answer) {
                m_questions << question;
                answer(m_answer);
            });
        m_window->setReport([](const QString&, bool) {}); // no message box over the test
    }

    void cleanup()
    {
        m_window.reset();
        m_modes.reset();
        m_store.reset();
        trash::RecentlyDeleted().empty();
        m_questions.clear();
    }

    void keyboardOnlyFlow()
    {
        open();
        QTableView* table = m_window->table();
        QTRY_COMPARE(QApplication::focusWidget(), table);
        QCOMPARE(selectedTitles(), QStringList({"Call Sam"}));

        QTest::keyClick(table, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(selectedTitles(), QStringList({"Call Sam", "Pay rent"}));
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(readFile(root() + "/home/c.ics"), m_bytes["Call Sam"]);
        QCOMPARE(readFile(root() + "/home/b.ics"), m_bytes["Pay rent"]);
        QTRY_COMPARE(m_window->items()->rowCount(), 1);
        // What is left is selected, ready for the next key.
        QCOMPARE(selectedTitles(), QStringList({"Buy milk"}));
        QCOMPARE(QApplication::focusWidget(), table);

        m_answer = false;
        QTest::keyClick(table, Qt::Key_Delete);
        QCOMPARE(m_questions, QStringList({"Delete 1 item for good?"}));
        QCOMPARE(m_window->items()->rowCount(), 1);
        m_answer = true;
        QTest::keyClick(table, Qt::Key_Delete);
        QVERIFY(trash::RecentlyDeleted().entries().isEmpty());
        QVERIFY(!QFile::exists(root() + "/home/a.ics"));
        QVERIFY(m_window->emptyLabel()->isVisible());
        QVERIFY(!m_window->restoreButton()->isEnabled());

        // With the list gone the key goes wherever the focus went, or to the window itself.
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : m_window.get(), Qt::Key_Escape);
        QTRY_VERIFY(!m_window->isVisible());
    }

    // Another program deletes while the window is open: the row arrives by itself, and the
    // selection the user made stays.
    void showsWhatOthersDeleteWhileOpen()
    {
        open();
        QTest::keyClick(m_window->table(), Qt::Key_Down);
        QCOMPARE(selectedTitles(), QStringList({"Pay rent"}));
        QVERIFY(QFile::remove(root() + "/home/keep.ics"));
        QTRY_COMPARE(m_window->items()->rowCount(), 4);
        QCOMPARE(m_window->items()->index(0, RecentlyDeletedItems::ByColumn).data().toString(),
                 QString("Another program"));
        QCOMPARE(selectedTitles(), QStringList({"Pay rent"}));
    }

    void followsNightMode()
    {
        open();
        const QColor day = m_window->palette().color(QPalette::Window);
        m_night = true;
        m_modes->resetValues();
        QCOMPARE(m_window->palette().color(QPalette::Window),
                 m_modes->vibrantAppearance().color(QPalette::Window));
        QVERIFY(m_window->palette().color(QPalette::Window) != day);
        QVERIFY(m_window->table()->palette().color(QPalette::Text).lightness() > 128);
    }

private:
    void open()
    {
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    QStringList selectedTitles() const
    {
        QList<QModelIndex> rows = m_window->table()->selectionModel()->selectedRows();
        std::sort(rows.begin(), rows.end());
        QStringList titles;
        for (const QModelIndex& index : rows)
            titles << index.data().toString();
        return titles;
    }

    QString root() const { return m_store->root(); }

    std::unique_ptr<LoadedStore> m_store;
    std::unique_ptr<ModeManager> m_modes;
    std::unique_ptr<RecentlyDeletedWindow> m_window;
    bool m_night = false;
    bool m_answer = true;
    QStringList m_questions;
    QMap<QString, QByteArray> m_bytes;
};

VELMORAN_WIDGET_TEST_MAIN(TestRecentlyDeletedWindow)
#include "tst_recentlydeletedwindow.moc"
