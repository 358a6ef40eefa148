#pragma once

#include "data/ListEntry.h"
#include <QDialog>

#include <optional>

class DataManager;
class QPushButton;
class SmartListWindowDelegate;

// What the two smart-list sheets (tag list or saved search, merged list) share: the list being
// edited, the done and cancel buttons, and storing the entry, new or in place of the edited one.
class SmartListWindow : public QDialog
{
    Q_OBJECT

public:
    const std::optional<ListEntry>& editingSmartList() const { return m_editingSmartList; }
    QPushButton* doneButton() const { return m_doneButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }

    void cancelButtonAction();
    void reject() override;

protected:
    SmartListWindow(DataManager& manager, SmartListWindowDelegate* delegate, QWidget* parent);

    // Adds the entry, or replaces the one being edited, then closes the sheet.
    void storeSmartList(ListKind type, const QString& title, const QStringList& lists,
                        const QList<qint64>& priorities);
    // Closes the sheet; the done button reads "Add Smart List" again for the next use.
    void closeSheet(DialogCode result);

    DataManager& m_manager;
    SmartListWindowDelegate* m_delegate;
    std::optional<ListEntry> m_editingSmartList;
    QPushButton* m_doneButton;
    QPushButton* m_cancelButton;
};
