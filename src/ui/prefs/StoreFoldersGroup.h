#pragma once

#include "ui/prefs/PreferenceContext.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

// The store's folders on the General page: the folders in use and where that choice comes
// from, each with a word on whether the store can use it; adding an existing collection root
// (a vdirsyncer, khal or todoman folder) or removing one re-opens the store at once.
class StoreFoldersGroup : public QWidget
{
    Q_OBJECT

public:
    explicit StoreFoldersGroup(const PreferenceContext& context, QWidget* parent = nullptr);

    // Shows the folders in use again.
    void load();
    // What "Add Folder…" does once a folder was chosen; false (and an alert) when the store
    // could not use it.
    bool addFolder(const QString& folder);
    void removeFolder(const QString& folder);

    QListWidget* folderList() const { return m_list; }
    QPushButton* addButton() const { return m_add; }
    QPushButton* removeButton() const { return m_remove; }
    QLabel* sourceLabel() const { return m_source; }

private:
    void chooseFolder();
    void useFolders(const QStringList& folders);
    void updateButtons();

    PreferenceContext m_context;
    QListWidget* m_list;
    QLabel* m_source;
    QPushButton* m_add;
    QPushButton* m_remove;
};
