#pragma once

#include "ui/main/lists/SmartListWindow.h"

#include <QList>

#include <optional>

class DataManager;
class ModeManager;
class SmartListWindowDelegate;
class QAbstractButton;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The sheet that adds or changes a merged list: a name, some of the visible lists and some
// priority classes.
class AddMergedListWindowController : public SmartListWindow
{
    Q_OBJECT

public:
    AddMergedListWindowController(DataManager& manager, ModeManager& modeManager,
                                  SmartListWindowDelegate* delegate, QWidget* parent = nullptr);

    // The stored priority class of each segment, "None" first and "!!!" last.
    static qint64 priorityForSegment(int segment) { return 3 - segment; }

    void makeNewList();
    void editList(const ListEntry& mergedList);

    void doneButtonAction();

    QLineEdit* nameField() const { return m_nameField; }
    QLabel* warningLabel() const { return m_warningLabel; }
    QListWidget* listTable() const { return m_listTable; }
    QAbstractButton* segment(int index) const { return m_segments.value(index); }

private:
    void loadVisibleLists();

    QLineEdit* m_nameField;
    QLabel* m_warningLabel;
    QListWidget* m_listTable;
    QList<QAbstractButton*> m_segments;
};
