// The lists sidebar's list management: the delete question, editing and sharing lists, and
// the list windows with their answers.

#include "ui/main/sidebar/LeftViewController.h"

#include "data/DataManager.h"
#include "data/RecentlyDeletedPolicy.h"
#include "ui/main/ApplicationShell.h"
#include "ui/main/PaneDelegates.h"
#include "ui/main/sidebar/SidebarModel.h"
#include "ui/main/sidebar/SidebarTableView.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int kShareAnchorX = 50;

} // namespace

void LeftViewController::showDeletionFailure(const QString& reason)
{
    auto* box =
        new QMessageBox(QMessageBox::Warning, tr("The list could not be deleted"),
                        tr("The list could not be deleted"), QMessageBox::Ok, sheetParent());
    box->setInformativeText(reason);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
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

void LeftViewController::editList(int row)
{
    const store::CalendarPtr list = m_presenter.editableListOnRow(row);
    if (!list)
        return;
    openAddListWindow();
    m_addListWindow->editList(list);
}

bool LeftViewController::canDeleteSelected() const
{
    return m_presenter.layout().canDeleteRow(m_presenter.selectedRow());
}

void LeftViewController::deleteSelected()
{
    m_presenter.deleteRow(m_presenter.selectedRow());
}

void LeftViewController::shareList(int row)
{
    if (m_presenter.layout().dictForRow(row).isEmpty())
        return;
    m_presenter.select(row, false);
    QTimer::singleShot(0, this, &LeftViewController::shareListShow);
}

void LeftViewController::shareListShow()
{
    m_presenter.announceSelection();
    const QRect row = m_table->visualRect(m_model->index(m_presenter.selectedRow()));
    const QPoint top = m_table->viewport()->mapTo(this, row.topLeft());
    if (m_delegate)
        m_delegate->shareListWithRect(QRect(kShareAnchorX, top.y(), 1, row.height()));
}

// --- List windows ------------------------------------------------------------------------

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
    m_presenter.listWindowDone(edited, identifier);
}

void LeftViewController::addTagListDone()
{
    if (!m_shell) {
        m_presenter.reloadShowingDay();
        return;
    }
    m_shell->panelRefreshOnListChange();
    m_shell->refreshLeftList();
}

void LeftViewController::addMergedListDone()
{
    addTagListDone();
}
