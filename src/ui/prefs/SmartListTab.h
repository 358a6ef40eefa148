#pragma once

#include "data/SmartListSettings.h"
#include "ui/common/ListRowActions.h"
#include "ui/main/lists/ListWindowDelegates.h"
#include "ui/prefs/PreferenceContext.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class AddMergedListWindowController;
class AddTagListWindowController;
class AccessibleListView;
class QListView;
class QToolButton;
class SmartListRowsModel;

// The "Smart List" tab: which preset lists the sidebar shows, and the user's tag lists, merged
// lists and saved searches, added and changed through the sidebar's own sheets, reordered and
// deleted. Every change is written to "listNavArray" at once and the sidebar and menus follow.
// A screen reader toggles a preset list's box through its row's "Toggle".
class SmartListTab : public QWidget, public SmartListWindowDelegate, private ListRowActions
{
    Q_OBJECT

public:
    SmartListTab(const PreferenceContext& context, std::function<void()> blockRefresh,
                 QWidget* parent = nullptr);

    // Reads "listNavArray" afresh.
    void setupSmartList();
    void checkSmartList(int row);
    // Row `from` above row `to`, both table rows; false when the move is refused.
    bool moveSmartList(int from, int to);
    void showAddTagList();
    void showAddMergedList();
    void doubleClickSmartList(int row);
    void deleteSmartList();

    void addTagListDone() override;
    void addMergedListDone() override;

    const SmartListSettings& settings() const { return m_settings; }
    QListView* table() const;
    SmartListRowsModel* model() const { return m_model; }
    QToolButton* addButton() const { return m_addButton; }
    QToolButton* deleteButton() const { return m_deleteButton; }
    AddTagListWindowController* tagListWindow() const;
    AddMergedListWindowController* mergedListWindow() const;

private:
    void saveSmartList();
    void smartListChanged();
    void changeSmartListControlEnableStatus();
    void afterSheet();
    int selectedRow() const;

    QStringList rowActionNames(int row) const override;
    QString localizedRowActionName(const QString& name) const override;
    QString rowActionDescription(const QString& name) const override;
    void doRowAction(int row, const QString& name) override;

    PreferenceContext m_context;
    std::function<void()> m_blockRefresh;
    SmartListSettings m_settings;
    SmartListRowsModel* m_model;
    AccessibleListView* m_table;
    QToolButton* m_addButton;
    QToolButton* m_deleteButton;
    QPointer<AddTagListWindowController> m_tagListWC;
    QPointer<AddMergedListWindowController> m_mergedListWC;
    bool m_writing = false;
};
