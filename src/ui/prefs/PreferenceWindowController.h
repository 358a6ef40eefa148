#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

class PreferencePanelDelegate;
class QAction;
class QActionGroup;
class QScrollArea;
class QToolBar;

// The preferences window: a toolbar with one button per page and the page shown below it, as
// tall as the page where the screen allows and scrolling it where the screen is smaller.
// It owns the toolbar and the page switching; the pages, their titles and what becomes of the
// settings belong to its delegate. Closing only hides it, so one window serves the whole run.
class PreferenceWindowController : public QMainWindow
{
    Q_OBJECT

public:
    explicit PreferenceWindowController(PreferencePanelDelegate* delegate,
                                        QWidget* parent = nullptr);
    ~PreferenceWindowController() override;

    QToolBar* toolbar() const { return m_toolbar; }
    // The page identifiers, asked of the delegate once and then kept.
    QStringList prefIdentifyAry();
    // The toolbar button of a page; null for an identifier that is not a page's.
    QAction* itemForItemIdentifier(const QString& identifier);
    QList<QAction*> items() const { return m_items; }

    void selectPanelAtIndex(int index);
    void switchPanel(QAction* item);
    // Asks the delegate for every page's image again (after a change of the day or night look).
    void reloadItemImages();
    // The index of the page shown; -1 before the first.
    int currentIndex() const;
    QWidget* currentPage() const;
    // What shows the page; it scrolls a page taller than the window.
    QScrollArea* pageArea() const { return m_pageArea; }

Q_SIGNALS:
    // The user closed the window (it is only hidden).
    void closing();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void windowDidLoad();
    // The available area of the window's screen, less the window manager's frame.
    QSize largestSize() const;
    void keepOnScreen();

    PreferencePanelDelegate* m_delegate;
    QToolBar* m_toolbar = nullptr;
    QScrollArea* m_pageArea = nullptr;
    QActionGroup* m_group = nullptr;
    QStringList m_identifiers;
    bool m_identifiersBuilt = false;
    QList<QAction*> m_items;
    QPointer<QWidget> m_current;
};
