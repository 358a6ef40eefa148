#pragma once

#include "ui/intro/IntroListChoice.h"

#include <QDialog>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class DataManager;
class IntroStorePage;
class ModeManager;
class QLabel;
class QListWidget;
class QKeyEvent;
class QListWidgetItem;
class QPushButton;
class QStackedWidget;
class UserDefaults;

namespace store {
class CollectionFinder;
}

// The first launch's window of five pages: a welcome, where the tasks live (the folders found
// on this machine or Velmoran's own), the default list, the lists to show, and a closing page.
// The choices are written when the user finishes; closing the window before that puts the
// store back as it was and writes nothing.
class IntroWindowController : public QDialog
{
    Q_OBJECT

public:
    static constexpr int kFadeMs = 200;
    static constexpr int kValidateTimeoutMs = 5000;

    IntroWindowController(DataManager& manager, ModeManager& modeManager,
                          QWidget* parent = nullptr);
    ~IntroWindowController() override;

    // Runs after the last page's button; `cancelled` after the window closed before that.
    void setFinished(std::function<void()> finished) { m_finished = std::move(finished); }
    void setCancelled(std::function<void()> cancelled) { m_cancelled = std::move(cancelled); }
    // Where page 2 looks for existing folders (tests give their own home).
    using FinderFactory = std::function<store::CollectionFinder()>;
    void setFinderFactory(FinderFactory factory);
    // The "Can't access the list" alert; tests answer it.
    void setAlert(std::function<void(const QString& title, const QString& text)> alert)
    {
        m_alert = std::move(alert);
    }

    void selectPageAtIndex(int index);
    int currentPage() const { return m_currentPage; }
    QWidget* pageViewForPageAt(int index) const;
    void nextButton1();
    void nextButton2();
    void nextButton3();
    void nextButton4();
    void nextButton5();
    // Every page after the first goes back one page; the choices made so far stay.
    void goBack();

    // Page 4: a click on a list's check box.
    void check(int row);
    void validateFailedOnButton();
    const IntroListChoice& listChoice() const { return m_choice; }

    QPushButton* nextButton(int page) const { return m_nextButtons.at(page - 1); }
    // Pages 2 to 5; the first page has none.
    QPushButton* backButton(int page) const { return m_backButtons.at(page - 1); }
    IntroStorePage* storePage() const { return m_storePage; }
    QLabel* defaultTitle() const { return m_defaultTitle; }
    QLabel* pageLabel(int page) const;
    QListWidget* tableView() const { return m_tableView; }
    bool isFinished() const { return m_completed; }

Q_SIGNALS:
    // A page has been made current (its fade-in has started).
    void pageShown(int index);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void setupView();
    QWidget* makePage(QLabel* title, QLabel* text, QWidget* content, int page);
    void goToPage(int index);
    void beginTurn();
    void replayKeysTypedDuringTurn();
    void fadeOutView(QWidget* view);
    void fadeInView(QWidget* view);
    void searchExistingFolders();
    void storeChosen();
    void setupDefaultListView();
    void setupVisibleLists();
    void fillTable();
    void setRowChecked(int row, bool checked);
    void itemChanged(QListWidgetItem* item);
    void finishValidation(const QString& identifier, bool ok);
    void finish();
    void cancel();

    DataManager& m_manager;
    ModeManager& m_modeManager;
    UserDefaults& m_defaults;
    std::function<void()> m_finished;
    std::function<void()> m_cancelled;
    FinderFactory m_finderFactory;
    std::function<void(const QString&, const QString&)> m_alert;

    QStackedWidget* m_pages;
    std::array<QPushButton*, 5> m_nextButtons{};
    std::array<QPushButton*, 5> m_backButtons{};
    QLabel* m_velmoranLabel1;
    QLabel* m_velmoranLabel2;
    IntroStorePage* m_storePage;
    QLabel* m_velmoranPage3Label;
    QLabel* m_createdNote;
    QLabel* m_defaultDot;
    QLabel* m_defaultTitle;
    QLabel* m_velmoranPage4Label;
    QListWidget* m_tableView;
    QLabel* m_velmoranPage5Label;
    int m_currentPage = 1;
    bool m_searched = false;
    bool m_done = false;
    bool m_completed = false;
    bool m_turning = false;
    // Typed while a page was turning; they act on the page that comes next.
    std::vector<std::unique_ptr<QKeyEvent>> m_keysDuringTurn;

    IntroListChoice m_choice;
    QString m_defaultIdentifier;
    bool m_validating = false;
    QString m_validatingList;
    QTimer m_validateTimer;
    // The store folders before this window changed them, put back on cancelling.
    std::optional<QStringList> m_previousFolders;
    bool m_foldersChanged = false;
};
