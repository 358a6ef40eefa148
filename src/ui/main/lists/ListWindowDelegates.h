#pragma once

#include <QString>

// Who hears from the list windows when they are done: the lists sidebar, or the preferences
// window's list pages.

class AddListWindowDelegate
{
public:
    virtual ~AddListWindowDelegate() = default;
    // `edited` after a change of an existing list; otherwise `identifier` is the new list's,
    // "" when the store could not create it.
    virtual void addListDoneEditing(bool edited, const QString& identifier) = 0;
};

class SmartListWindowDelegate
{
public:
    virtual ~SmartListWindowDelegate() = default;
    virtual void addTagListDone() {}
    virtual void addMergedListDone() {}
};
