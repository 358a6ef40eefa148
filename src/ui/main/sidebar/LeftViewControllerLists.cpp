// The lists sidebar's list management: deleting, editing and sharing lists, and the list
// windows with their answers.

#include "ui/main/sidebar/LeftViewController.h"

#include "data/DataManager.h"
#include "data/RecentlyDeletedPolicy.h"
#include "data/SmartLists.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "ui/main/ApplicationShell.h"
#include "ui/main/PaneDelegates.h"
#include "ui/main/lists/AddListWindowController.h"
#include "ui/main/lists/AddMergedListWindowController.h"
#include "ui/main/lists/AddTagListWindowController.h"
#include "ui/main/sidebar/SidebarModel.h"
#include "ui/main/sidebar/SidebarTableView.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

// Deleting a list makes the store change under the visible-list check; it stays off until
// the store has settled.
constexpr int kValidationPauseMs = 1000;
constexpr int kShareAnchorX = 50;

} // namespace

// --- Deleting, editing, sharing ----------------------------------------------------------

bool LeftViewController::canDeleteSelected() const
{
    return layout().canDeleteRow(m_selectedRow);
}

void LeftViewController::deleteSelected()
{
    deleteListOnRow(m_selectedRow);
}

void LeftViewController::deleteList()
{
    deleteListOnRow(m_clickedRow);
}

void LeftViewController::deleteListOnRow(int row)
{
    if (!layout().canDeleteRow(row))
        return;
    const ListEntry entry = dictForRow(row);
    if (layout().kindOfRow(row) == SidebarLayout::RowKind::Smart) {
        SmartLists::deleteSmartListFromDictionary(m_manager.defaults(), entry);
        reloadDataFromDelete();
        sendSelection();
        return;
    }
    const QString identifier = entry.identifier();
    QPointer<LeftViewController> self(this);
    confirmDeletion([self, identifier](bool confirmed) {
        if (!confirmed || !self)
            return;
        // The sidebar may have been rebuilt while the question was open: find the list again.
        const int current = self->layout().rowForListIdentifier(identifier);
        if (current >= 0 && self->layout().canDeleteRow(current))
            self->deleteUserListOnRow(current);
    });
}

void LeftViewController::deleteUserListOnRow(int row)
{
    const QString deleted = dictForRow(row).identifier();
    const QStringList all = m_manager.lists().allListIdentifiers();
    const QStringList oldVisible = m_manager.lists().visibleLists();
    // The store first: a list it keeps (a read-only folder) keeps its place in the sidebar.
    m_manager.lists().setDoNotValidate(true);
    DataManager* manager = &m_manager;
    QTimer::singleShot(kValidationPauseMs, manager,
                       [manager] { manager->lists().changeBackToValidate(); });
    QString error;
    if (!m_manager.tasks().deleteListWithUUID(deleted, &error)) {
        auto* box =
            new QMessageBox(QMessageBox::Warning, tr("The list could not be deleted"),
                            tr("The list could not be deleted"), QMessageBox::Ok, sheetParent());
        box->setInformativeText(error);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::WindowModal);
        box->open();
        return;
    }
    QStringList visible;
    for (const QString& identifier : oldVisible) {
        if (identifier != deleted && all.contains(identifier))
            visible << identifier;
    }
    QStringList invisible;
    for (const QString& identifier : all) {
        if (identifier != deleted && !oldVisible.contains(identifier))
            invisible << identifier;
    }
    UserDefaults& defaults = m_manager.defaults();
    defaults.setObject(visible, PrefKey::visibleLists);
    defaults.setObject(invisible, PrefKey::invisibleLists);
    defaults.synchronize();
    m_manager.lists().resetSortDescriptors();
    m_manager.lists().matchPreferencesForTodayExtension();
    reloadDataFromDelete();
    sendSelection();
}

void LeftViewController::confirmWithMessageBox(std::function<void(bool)> answer)
{
    // A destructive question: the desktop's warning look, the heading set apart from the
    // explanation, and the button named after what it does.
    auto* box = new QMessageBox(sheetParent());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->setIcon(QMessageBox::Warning);
    box->setWindowTitle(tr("Delete List"));
    box->setTextFormat(Qt::RichText);
    box->setText(QStringLiteral("<b>%1</b>").arg(tr("Delete this list?").toHtmlEscaped()));
    box->setInformativeText(RecentlyDeletedPolicy::whereDeletedItemsGo(
        RecentlyDeletedPolicy::Deletion::List, m_manager.defaults()));
    QPushButton* cancel = box->addButton(tr("Cancel"), QMessageBox::RejectRole);
    QPushButton* remove = box->addButton(tr("Delete List"), QMessageBox::DestructiveRole);
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);
    connect(box, &QMessageBox::finished, box,
            [box, remove, answer] { answer(box->clickedButton() == remove); });
    box->open();
}

void LeftViewController::editList()
{
    const ListEntry entry = dictForRow(m_clickedRow);
    if (!entry.is(ListKind::UserList))
        return;
    const store::CalendarPtr list = m_manager.lists().calendarByUUID(entry.identifier());
    if (!list || !list->allowsContentModifications())
        return;
    openAddListWindow();
    m_addListWindow->editList(list);
}

void LeftViewController::shareList()
{
    if (dictForRow(m_clickedRow).isEmpty())
        return;
    setSelectedRowSilently(m_clickedRow);
    QTimer::singleShot(0, this, &LeftViewController::shareListShow);
}

void LeftViewController::shareListShow()
{
    sendSelection();
    const QRect row = m_table->visualRect(m_model->index(m_selectedRow));
    const QPoint top = m_table->viewport()->mapTo(this, row.topLeft());
    if (m_delegate)
        m_delegate->shareListWithRect(QRect(kShareAnchorX, top.y(), 1, row.height()));
}

// --- List windows ------------------------------------------------------------------------

AddListWindowController* LeftViewController::addListWindow() const
{
    return m_addListWindow;
}

AddTagListWindowController* LeftViewController::addTagListWindow() const
{
    return m_addTagListWindow;
}

AddMergedListWindowController* LeftViewController::addMergedListWindow() const
{
    return m_addMergedListWindow;
}

QWidget* LeftViewController::sheetParent()
{
    return window();
}

void LeftViewController::openAddListWindow()
{
    delete m_addListWindow.data();
    m_addListWindow = new AddListWindowController(m_manager, m_modeManager, this, sheetParent());
    m_addListWindow->makeNewList();
    m_addListWindow->open();
}

void LeftViewController::openAddTagListWindow()
{
    delete m_addTagListWindow.data();
    m_addTagListWindow =
        new AddTagListWindowController(m_manager, m_modeManager, this, sheetParent());
    m_addTagListWindow->addTag();
    m_addTagListWindow->open();
}

void LeftViewController::openAddMergedListWindow()
{
    delete m_addMergedListWindow.data();
    m_addMergedListWindow =
        new AddMergedListWindowController(m_manager, m_modeManager, this, sheetParent());
    m_addMergedListWindow->makeNewList();
    m_addMergedListWindow->open();
}

void LeftViewController::addListDoneEditing(bool edited, const QString& identifier)
{
    if (!edited) {
        if (identifier.isEmpty())
            return;
        const QStringList all = m_manager.lists().allListIdentifiers();
        // An empty "visibleLists" stands for every list; appending to it would hide the rest.
        QStringList candidates = m_manager.lists().visibleLists();
        candidates.removeAll(identifier);
        candidates << identifier;
        QStringList visible;
        for (const QString& candidate : candidates) {
            if (all.contains(candidate))
                visible << candidate;
        }
        QStringList invisible;
        for (const QString& other : all) {
            if (!visible.contains(other))
                invisible << other;
        }
        UserDefaults& defaults = m_manager.defaults();
        defaults.setObject(visible, PrefKey::visibleLists);
        defaults.setObject(invisible, PrefKey::invisibleLists);
        defaults.synchronize();
        m_manager.lists().resetSortDescriptors();
        if (m_shell)
            m_shell->panelRefreshOnListChange();
        m_manager.lists().matchPreferencesForTodayExtension();
    }
    loadLists();
    selectDayView();
}

void LeftViewController::addTagListDone()
{
    if (!m_shell) {
        reloadDataFromPreference();
        return;
    }
    m_shell->panelRefreshOnListChange();
    m_shell->refreshLeftList();
}

void LeftViewController::addMergedListDone()
{
    addTagListDone();
}
