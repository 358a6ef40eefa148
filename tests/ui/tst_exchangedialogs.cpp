#include "TestEnvironment.h"
#include "TestFiles.h"

#include "data/exchange/IcsExport.h"
#include "platform/store/EventStore.h"
#include "platform/store/VdirCollections.h"
#include "ui/exchange/ExportDialog.h"
#include "ui/exchange/ImportDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace TestFiles;
using namespace exchange;

namespace {

QByteArray calendar(const QByteArray& body)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Elsewhere//EN\r\n" + body +
           "END:VCALENDAR\r\n";
}

QPushButton* buttonNamed(QWidget* dialog, const QString& text)
{
    for (QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->text() == text && button->isVisible())
            return button;
    return nullptr;
}

} // namespace

// The choices of the import and export windows reach the store: where new items go, whether
// present ones are updated, which lists are written out.
class TestExchangeDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_dir.emplace();
        for (const auto& [folder, kind] :
             {std::pair{"home", "VTODO"}, {"work", "VTODO"}, {"cal", "VEVENT"}}) {
            writeFile(root() + '/' + folder + "/displayname", folder);
            writeFile(root() + '/' + folder + '/' + store::VdirCollections::createdForFileName(),
                      kind);
        }
        writeFile(root() + "/home/present.ics",
                  calendar("BEGIN:VTODO\r\nUID:present\r\nSUMMARY:Old\r\nEND:VTODO\r\n"));
        m_store.emplace(QStringList{root()});
    }

    void importGoesWhereChosen()
    {
        const QString file = m_dir->filePath("in.ics");
        writeFile(file, calendar("BEGIN:VTODO\r\nUID:present\r\nSUMMARY:New\r\nEND:VTODO\r\n"
                                 "BEGIN:VTODO\r\nUID:fresh\r\nSUMMARY:Fresh\r\nEND:VTODO\r\n"
                                 "BEGIN:VTODO\r\nUID:broken\r\nSUMMARY:Broken\r\nDUE:x\r\n"
                                 "END:VTODO\r\n"
                                 "BEGIN:VEVENT\r\nUID:party\r\nSUMMARY:Party\r\n"
                                 "DTSTART:20261219T180000Z\r\nEND:VEVENT\r\n"));
        ImportPlan plan;
        QString error;
        QVERIFY(planImport({file}, storedItems(m_store->calendars()), 2026, &plan, &error));
        ImportDialog dialog(plan, lists("VTODO"),
                            m_store->calendarsForEntityType(store::EntityType::Event),
                            lists("VTODO").constFirst());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.summaryLabel()->text(),
                 QString("Tasks: 2. Events: 1. Already in Velmoran: 1."));
        QCOMPARE(dialog.taskListBox()->currentText(), QString("home"));
        QCOMPARE(dialog.eventCalendarBox()->currentText(), QString("cal"));
        dialog.taskListBox()->setCurrentIndex(dialog.taskListBox()->findText("work"));
        QTest::mouseClick(dialog.updateButton(), Qt::LeftButton);
        QSignalSpy imported(&dialog, &ImportDialog::imported);
        QTest::mouseClick(buttonNamed(&dialog, "&Import"), Qt::LeftButton);
        QCOMPARE(imported.count(), 1);

        QCOMPARE(dialog.summaryLabel()->text(),
                 QString("Added: 2. Updated: 1. Left as they were: 0. Not imported: 1."));
        QCOMPARE(dialog.findChild<QProgressBar*>()->value(), 3);
        QVERIFY(readFile(root() + "/home/present.ics").contains("SUMMARY:New"));
        QVERIFY(QFileInfo::exists(root() + "/work/fresh.ics"));
        QVERIFY(QFileInfo::exists(root() + "/cal/party.ics"));
        QVERIFY(!buttonNamed(&dialog, "&Import"));
        QPushButton* close = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close);
        QVERIFY(close && close->isVisible());
    }

    void exportWritesTheCheckedLists()
    {
        writeFile(root() + "/work/done.ics",
                  calendar("BEGIN:VTODO\r\nUID:done\r\nSUMMARY:Done\r\nSTATUS:COMPLETED\r\n"
                           "COMPLETED:20261201T100000Z\r\nEND:VTODO\r\n"));
        writeFile(root() + "/work/open.ics",
                  calendar("BEGIN:VTODO\r\nUID:open\r\nSUMMARY:Open\r\nEND:VTODO\r\n"));
        int asked = 0;
        const QString out = m_dir->filePath("out.ics");
        auto exporter = [this](const QList<store::CalendarPtr>& chosen, bool withCompleted) {
            store::ReminderPredicate predicate = store::predicateForRemindersInCalendars(chosen);
            if (!withCompleted)
                predicate.kind = store::ReminderPredicate::Kind::Incomplete;
            const ExportResult result =
                exportTasks(m_store->remindersMatchingPredicate(predicate), 2026);
            return std::pair{result.calendar, result.tasks};
        };
        ExportDialog dialog(lists("VTODO"), nullptr, exporter, [&](QWidget*) {
            ++asked;
            return out;
        });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (int row = 0; row < dialog.listsView()->count(); ++row)
            dialog.listsView()->item(row)->setCheckState(Qt::Unchecked);
        QVERIFY(!dialog.exportChosen());
        QCOMPARE(asked, 0);
        QCOMPARE(dialog.messageLabel()->text(), QString("Choose at least one list."));

        dialog.listsView()
            ->findItems("work", Qt::MatchExactly)
            .constFirst()
            ->setCheckState(Qt::Checked);
        QTest::mouseClick(dialog.completedBox(), Qt::LeftButton);
        QSignalSpy exported(&dialog, &ExportDialog::exported);
        QTest::mouseClick(buttonNamed(&dialog, "&Export…"), Qt::LeftButton);
        QCOMPARE(exported.count(), 1);
        QCOMPARE(exported.first().at(1).value<qsizetype>(), 2);
        const QByteArray written = readFile(out);
        QVERIFY(written.contains("SUMMARY:Done") && written.contains("SUMMARY:Open"));
        QVERIFY(!written.contains("SUMMARY:Old"));
    }

private:
    QString root() const { return m_dir->filePath("store"); }

    QList<store::CalendarPtr> lists(const char* kind)
    {
        QList<store::CalendarPtr> found;
        for (const store::CalendarPtr& calendar : m_store->calendars())
            if (QByteArray(kind) == "VTODO" ? calendar->holdsReminders : calendar->holdsEvents)
                found << calendar;
        std::sort(found.begin(), found.end(),
                  [](const auto& a, const auto& b) { return a->title < b->title; });
        return found;
    }

    std::optional<QTemporaryDir> m_dir;
    std::optional<store::EventStore> m_store;
};

VELMORAN_WIDGET_TEST_MAIN(TestExchangeDialogs)
#include "tst_exchangedialogs.moc"
