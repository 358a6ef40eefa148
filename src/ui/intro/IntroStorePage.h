#pragma once

#include "platform/store/CollectionFinder.h"

#include <QWidget>

#include <functional>

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

// The onboarding's second page: where the tasks live. It offers the folders of collections
// found on this machine, each with what it holds, beside Velmoran's own folder, and a folder
// chooser for any other one. Nothing is moved or copied; the choice is the list of folders.
class IntroStorePage : public QWidget
{
    Q_OBJECT

public:
    explicit IntroStorePage(QWidget* parent = nullptr);

    // Shows what a search found (bounded; see CollectionFinder). Found folders start chosen.
    void setFound(const QList<store::FoundRoot>& found);
    // The folder chooser; tests answer it in advance.
    using ChooseFolder = std::function<QString()>;
    void setChooseFolder(ChooseFolder choose) { m_chooseFolder = std::move(choose); }
    using Inspect = std::function<store::FoundRoot(const QString& folder)>;
    void setInspect(Inspect inspect) { m_inspect = std::move(inspect); }
    void addFolder();

    // The folders chosen, in the order shown; empty for Velmoran's own folder.
    QStringList chosenRoots() const;
    static QString describe(const store::FoundRoot& root);

    QLabel* textLabel() const { return m_text; }
    QRadioButton* ownStoreButton() const { return m_ownStore; }
    QRadioButton* foundStoresButton() const { return m_foundStores; }
    QListWidget* foundList() const { return m_foundList; }
    QPushButton* addFolderButton() const { return m_addFolder; }

private:
    void addRoot(const store::FoundRoot& root);
    void updateEnabled();

    ChooseFolder m_chooseFolder;
    Inspect m_inspect;
    QLabel* m_text;
    QRadioButton* m_ownStore;
    QRadioButton* m_foundStores;
    QListWidget* m_foundList;
    QPushButton* m_addFolder;
    QLabel* m_note;
};
