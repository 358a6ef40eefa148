#pragma once

#include <QObject>

class QAction;
class QMenu;
class UserDefaults;
class WindowController;
struct ShellWindows;

// The main window's menu bar: File, Edit, View, Window and Help, their items' states and the
// three list submenus of the View menu, rebuilt from the sidebar. Items that open a window go
// to the shell's windows; those that concern the program as a whole are signals.
class MainMenuBar : public QObject
{
    Q_OBJECT

public:
    // `windows` must outlive the menu bar.
    MainMenuBar(WindowController& window, UserDefaults& defaults, const ShellWindows& windows);

    QMenu* viewMenu() const { return m_viewMenu; }
    QMenu* presetListsMenu() const { return m_presetListsMenu; }
    QMenu* smartListsMenu() const { return m_smartListsMenu; }
    QMenu* listsMenu() const { return m_listsMenu; }

    // The menus' shortcuts work while the menus are closed, so they follow every change of the
    // sidebar, not only the opening of a menu.
    void rebuildListMenus();
    void updateViewMenu();

Q_SIGNALS:
    void quitRequested();
    void mainWindowRequested();
    void reviewRequested();

private:
    void addFileMenu();
    void addEditMenu();
    void addSubtaskItems(QMenu* edit);
    void addViewMenu();
    void addWindowAndHelpMenus();
    void setupPresetListsMenu();
    void setupSmartListsMenu();
    void setupListsMenu();
    bool sidebarHasFocus() const;

    WindowController& m_window;
    UserDefaults& m_defaults;
    const ShellWindows& m_windows;
    QMenu* m_viewMenu = nullptr;
    QMenu* m_presetListsMenu = nullptr;
    QMenu* m_smartListsMenu = nullptr;
    QMenu* m_listsMenu = nullptr;
    QAction* m_showHideCompletedAction = nullptr;
    QAction* m_showHideListsAction = nullptr;
    QAction* m_showHideDetailsAction = nullptr;
};
