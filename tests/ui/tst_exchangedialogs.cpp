#include "TestEnvironment.h"
#include "TestFiles.h"

#include "platform/store/EventStore.h"
#include "platform/store/VdirCollections.h"
#include "ui/exchange/ImportDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
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

// The choices of the import window reach the store: where new items go, and whether those
// present already are updated.
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
        const QList<store::CalendarPtr> lists =
            m_store->calendarsForEntityType(store::EntityType::Reminder);
        ImportDialog dialog(plan, lists, m_store->calendarsForEntityType(store::EntityType::Event),
                            lists.constFirst());
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

private:
    QString root() const { return m_dir->filePath("store"); }

    std::optional<QTemporaryDir> m_dir;
    std::optional<store::EventStore> m_store;
};

VELMORAN_WIDGET_TEST_MAIN(TestExchangeDialogs)
#include "tst_exchangedialogs.moc"
