#pragma once

#include "data/ListChoice.h"
#include "ui/main/lists/AddListWindowController.h"
#include "ui/main/lists/ListWindowDelegates.h"
#include "ui/prefs/PreferenceContext.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

class ListRowsModel;
class QCheckBox;
class QListView;
class QToolButton;

// The Lists page: which task lists are shown and in what order, which event calendars are
// shown, and adding, changing, deleting and emptying lists. A hidden list is shown only after
// the store has answered for it, within a few seconds.
class ListsPage : public QWidget, public AddListWindowDelegate
{
    Q_OBJECT

public:
    static constexpr int kValidationTimeoutMs = 5000;
    enum Segment { AddSegment = 0, DeleteSegment = 1, DeleteCompletedSegment = 2 };

    ListsPage(const PreferenceContext& context, ListChoice& choice, QWidget* parent = nullptr);

    // Reads the lists and calendars afresh from the data manager.
    void setupListAndCalendar();
    // What a click on a row's box does.
    void checkList(int row);
    void checkCalendar(int row);
    void moveList(int from, int to);
    void manageListControl(int segment);
    void doubleClick(int row);
    void changeManageListControlEnableStatus();

    // Runs after the shown lists changed (the New Task page rebuilds its default list).
    void setShownListsChanged(std::function<void()> changed)
    {
        m_shownListsChanged = std::move(changed);
    }
    // Set by the page's own sheets: the next activation of the window re-reads nothing.
    bool takeBlockRefresh();
    bool isValidating() const { return m_validating; }
    void setValidationTimeout(int ms) { m_validateTimer.setInterval(ms); }

    QListView* listTable() const { return m_listTable; }
    QListView* calendarTable() const { return m_calendarTable; }
    ListRowsModel* listModel() const { return m_listModel; }
    ListRowsModel* calendarModel() const { return m_calendarModel; }
    QToolButton* segment(int index) const { return m_segments.at(index); }
    qsizetype segmentCount() const { return m_segments.size(); }
    QCheckBox* viewEventsButton() const { return m_viewEvents; }
    QCheckBox* showDotsButton() const { return m_showDots; }
    QCheckBox* autoAddButton() const { return m_autoAdd; }
    AddListWindowController* addListWindow() const { return m_addListWC; }

    void addListDoneEditing(bool edited, const QString& identifier) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Alt+Up and Alt+Down: the keyboard's way to drag the current row.
    void moveCurrentList(int step);
    void refreshLists();
    void refreshCalendars();
    void storeListChoice();
    void validationAnswered(const QString& identifier);
    void validateFailed();
    void viewCalendarEvents();
    void deleteSelectedList();
    void deleteCompletedOfSelectedList();
    QList<int> selectedRows() const;
    void openListWindow(const store::CalendarPtr& list);

    PreferenceContext m_context;
    ListChoice& m_choice;
    ListRowsModel* m_listModel;
    ListRowsModel* m_calendarModel;
    QListView* m_listTable;
    QListView* m_calendarTable;
    QList<QToolButton*> m_segments;
    QCheckBox* m_viewEvents;
    QCheckBox* m_showDots;
    QCheckBox* m_autoAdd;
    QPointer<AddListWindowController> m_addListWC;
    std::function<void()> m_shownListsChanged;
    bool m_blockRefresh = false;
    bool m_validating = false;
    bool m_writing = false;
    QString m_validatingList;
    QTimer m_validateTimer;
};
