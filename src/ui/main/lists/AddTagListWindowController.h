#pragma once

#include "ui/main/lists/SmartListWindow.h"

#include <optional>

class DataManager;
class ModeManager;
class SmartListWindowDelegate;
class QLineEdit;
class QPushButton;

// The sheet that adds or changes a tag list ("#word") or a saved search (any other text).
class AddTagListWindowController : public SmartListWindow
{
    Q_OBJECT

public:
    AddTagListWindowController(DataManager& manager, ModeManager& modeManager,
                               SmartListWindowDelegate* delegate, QWidget* parent = nullptr);

    // A new entry; the text starts as "#" when `isTag` is set.
    void makeNewList();
    // A new tag list.
    void addTag();
    // A stored tag list or saved search.
    void editList(const ListEntry& smartList);
    bool isTag() const { return m_isTag; }
    void setIsTag(bool isTag) { m_isTag = isTag; }

    void doneButtonAction();

    QLineEdit* textField() const { return m_textField; }

private:
    bool m_isTag = false;
    QLineEdit* m_textField;
};
