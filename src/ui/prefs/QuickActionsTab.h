#pragma once

#include "ui/prefs/PreferenceContext.h"

#include <QPointer>
#include <QVariantList>
#include <QWidget>

#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QListView;
class QToolButton;
class QuickActionRowsModel;
class QuickActionSheet;

// The "Quick Actions" tab: the actions of a task's context menu, in menu order, added and
// changed in a sheet, reordered and deleted, and where tags and switch words go ("tagOnNotes").
// Every change is written to "quickActionsMac" at once; the menu reads it on its next opening.
class QuickActionsTab : public QWidget
{
    Q_OBJECT

public:
    QuickActionsTab(const PreferenceContext& context, std::function<void()> blockRefresh,
                    QWidget* parent = nullptr);

    // Reads "quickActionsMac" and "tagOnNotes" afresh.
    void setupQuickActions();
    void addQuickActions();
    // A record this version cannot perform opens nothing.
    void doubleClickQuickActions(int row);
    void addQuickActionsDone();
    void deleteQuickActions();
    bool moveQuickAction(int from, int to);

    const QVariantList& records() const { return m_records; }
    QListView* table() const { return m_table; }
    QuickActionRowsModel* model() const { return m_model; }
    QToolButton* addButton() const { return m_addButton; }
    QToolButton* deleteButton() const { return m_deleteButton; }
    QComboBox* tagOnNotesButton() const { return m_tagOnNotes; }
    QLabel* descriptionLabel() const { return m_description; }
    QuickActionSheet* sheet() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void saveQuickActions();
    void changeQuickActionsControlEnableStatus();
    int selectedRow() const;

    PreferenceContext m_context;
    std::function<void()> m_blockRefresh;
    QVariantList m_records;
    std::optional<QVariant> m_editing;
    QuickActionRowsModel* m_model;
    QListView* m_table;
    QToolButton* m_addButton;
    QToolButton* m_deleteButton;
    QComboBox* m_tagOnNotes;
    QLabel* m_description;
    QPointer<QuickActionSheet> m_sheet;
    bool m_writing = false;
};
