#include "app/ExchangeWindows.h"

#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "data/exchange/IcsExport.h"
#include "platform/Clock.h"
#include "platform/store/EventStore.h"
#include "presentation/sidebar/SidebarPresenter.h"
#include "ui/common/WindowPlacement.h"
#include "ui/main/ViewController.h"
#include "ui/main/WindowController.h"
#include "ui/main/sidebar/LeftViewController.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>

ExchangeWindows::ExchangeWindows(DataManager& manager, AppDelegate& delegate, QObject* parent)
    : QObject(parent)
    , m_manager(manager)
    , m_delegate(delegate)
    , m_chooseImportFiles([](QWidget* window) {
        return QFileDialog::getOpenFileNames(
            window, tr("Import Calendar Files"),
            QStandardPaths::writableLocation(QStandardPaths::HomeLocation),
            tr("Calendar files (*.ics *.ical *.ifb *.icalendar);;All files (*)"));
    })
    , m_chooseExportFile([](QWidget* window) {
        return QFileDialog::getSaveFileName(
            window, tr("Export Tasks"),
            QStandardPaths::writableLocation(QStandardPaths::HomeLocation) +
                QStringLiteral("/tasks.ics"),
            tr("Calendar files (*.ics)"));
    })
    , m_alert([](QWidget* window, const QString& message) {
        QMessageBox::warning(window, tr("Import"), message);
    })
{}

ExchangeWindows::~ExchangeWindows()
{
    delete m_import.data();
    delete m_export.data();
}

QWidget* ExchangeWindows::mainWindow() const
{
    return m_delegate.windowController();
}

bool ExchangeWindows::openImport()
{
    if (m_import) {
        WindowPlacement::bringToFront(m_import);
        return true;
    }
    const QStringList files = m_chooseImportFiles(mainWindow());
    if (files.isEmpty())
        return false;
    store::EventStore* eventStore = m_manager.eventStore();
    exchange::ImportPlan plan;
    QString error;
    if (!exchange::planImport(files, exchange::storedItems(eventStore->calendars()),
                              m_manager.clock().now().date().year(), &plan, &error)) {
        m_alert(mainWindow(), tr("Nothing was imported: %1.").arg(error));
        return false;
    }
    m_import = new ImportDialog(std::move(plan), m_manager.lists().allCalendars(),
                                eventStore->calendarsForEntityType(store::EntityType::Event),
                                m_manager.lists().defaultList(), mainWindow());
    m_import->setAttribute(Qt::WA_DeleteOnClose);
    // The folders changed behind the store's back: the window shows the new items at once
    // rather than when the folder watch next looks.
    connect(m_import, &ImportDialog::imported, &m_manager, &DataManager::refreshRemindersArray);
    WindowPlacement::bringToFront(m_import);
    return true;
}

bool ExchangeWindows::openExport()
{
    if (m_export) {
        WindowPlacement::bringToFront(m_export);
        return true;
    }
    const QList<store::CalendarPtr> lists = m_manager.lists().allCalendars();
    store::CalendarPtr selected;
    if (WindowController* window = m_delegate.windowController())
        selected = window->viewController()->lvc()->presenter().selectedList();
    auto exporter = [this](const QList<store::CalendarPtr>& chosen, bool withCompleted) {
        store::ReminderPredicate predicate = store::predicateForRemindersInCalendars(chosen);
        if (!withCompleted)
            predicate.kind = store::ReminderPredicate::Kind::Incomplete;
        const exchange::ExportResult result =
            exchange::exportTasks(m_manager.eventStore()->remindersMatchingPredicate(predicate),
                                  m_manager.clock().now().date().year());
        return std::pair{result.calendar, result.tasks};
    };
    m_export = new ExportDialog(lists, selected, exporter, m_chooseExportFile, mainWindow());
    m_export->setAttribute(Qt::WA_DeleteOnClose);
    WindowPlacement::bringToFront(m_export);
    return true;
}
