#include "ui/main/lists/SmartListWindow.h"

#include "data/DataManager.h"
#include "data/SmartLists.h"

#include <QPushButton>

SmartListWindow::SmartListWindow(DataManager& manager, SmartListWindowDelegate* delegate,
                                 QWidget* parent)
    : QDialog(parent)
    , m_manager(manager)
    , m_delegate(delegate)
    , m_doneButton(new QPushButton(this))
    , m_cancelButton(new QPushButton(tr("Cancel"), this))
{
    setWindowModality(Qt::WindowModal);
    m_doneButton->setDefault(true);
    m_cancelButton->setAutoDefault(false);
    connect(m_cancelButton, &QPushButton::clicked, this, &SmartListWindow::cancelButtonAction);
}

void SmartListWindow::storeSmartList(ListKind type, const QString& title, const QStringList& lists,
                                     const QList<qint64>& priorities)
{
    if (m_editingSmartList)
        SmartLists::replaceSmartList(m_manager.defaults(), *m_editingSmartList, type, title, lists,
                                     priorities);
    else
        SmartLists::addSmartListType(m_manager.defaults(), type, title, lists, priorities);
    closeSheet(QDialog::Accepted);
}

void SmartListWindow::cancelButtonAction()
{
    m_editingSmartList.reset();
    closeSheet(QDialog::Rejected);
}

void SmartListWindow::reject()
{
    cancelButtonAction();
}

void SmartListWindow::closeSheet(DialogCode result)
{
    QDialog::done(result);
    m_doneButton->setText(tr("Add Smart List"));
}
