#include "ui/main/ViewController.h"

#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "platform/Sound.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "text/Global.h"
#include "text/ListExport.h"
#include "ui/common/Motion.h"
#include "ui/common/WindowPlacement.h"
#include "ui/main/ApplicationShell.h"
#include "ui/main/MidViewController.h"
#include "ui/main/RightViewController.h"
#include "ui/main/ShareMenu.h"
#include "ui/main/sidebar/LeftViewController.h"
#include "ui/main/sidebar/SidebarTaskDrop.h"
#include "ui/main/tasklist/TaskListModel.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <QVariantAnimation>

namespace {

constexpr int kLeft = 0;
constexpr int kMiddle = 1;
constexpr int kRight = 2;

} // namespace

ViewController::ViewController(DataManager& manager, ModeManager& modeManager,
                               const DetailServices& services, QWidget* parent)
    : QWidget(parent)
    , m_manager(manager)
    , m_modeManager(modeManager)
    , m_shareMenu(new ShareMenu(this))
{
    // The store opens first: the panes read lists as they are built.
    m_manager.initStore();

    m_splitView = new QSplitter(Qt::Horizontal, this);
    m_splitView->setChildrenCollapsible(true);
    m_splitView->setHandleWidth(1);
    m_lvc = new LeftViewController(manager, modeManager, m_splitView);
    m_mvc = new MidViewController(manager, modeManager, m_splitView);
    m_rvc = new RightViewController(manager, modeManager, services, m_splitView);
    m_lvc->setDelegate(this);
    m_mvc->setDelegate(this);
    m_rvc->setDelegate(this);
    auto* taskDrop = new SidebarTaskDrop(m_lvc->tableView(), m_lvc->presenter(), manager);
    connect(taskDrop, &SidebarTaskDrop::moveFailed, this, [this](const QString& reason) {
        changeFailed(tr("The task could not be moved"), reason);
    });
    m_splitView->addWidget(m_lvc);
    m_splitView->addWidget(m_mvc);
    m_splitView->addWidget(m_rvc);
    m_splitView->setCollapsible(kMiddle, false);
    m_splitView->setStretchFactor(kLeft, 0);
    m_splitView->setStretchFactor(kMiddle, 1);
    m_splitView->setStretchFactor(kRight, 0);
    m_lvc->setMinimumWidth(kLeftMinimumWidth);
    // The task list is at least as wide as a month's seven day columns and its title buttons.
    m_mvc->setMinimumWidth(qMax(300, m_mvc->minimumSizeHint().width()));
    m_rvc->setMinimumWidth(0);
    m_splitView->setSizes({m_lvc->preferredWidth(), 550, 0});
    // A closed pane is hidden, not only narrowed to nothing: nothing in it may take the
    // keyboard (Tab would go on into an invisible pane).
    m_rvc->hide();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitView);

    // The task list offers its own button to bring the sidebar back once it is closed.
    connect(m_splitView, &QSplitter::splitterMoved, this, [this] {
        const QList<int> sizes = m_splitView->sizes();
        if (sizes.value(kLeft) == 0)
            m_lvc->hide();
        if (sizes.value(kRight) == 0)
            m_rvc->hide();
        m_mvc->setReopenButtonHidden(isListsShown());
        m_mvc->presenter().setShowingDetail(isDetailsShown());
        m_splitView->handle(1)->setVisible(isListsShown());
        m_splitView->handle(2)->setVisible(isDetailsShown());
    });
    setupTabOrder();
    m_mvc->setReopenButtonHidden(isListsShown());
    m_mvc->presenter().setShowingDetail(isDetailsShown());
    m_splitView->handle(2)->setVisible(false);

    connect(&m_manager, &DataManager::remindersRefreshed, this, &ViewController::fetchData);
    connect(&m_modeManager, &ModeManager::fontChanged, this, &ViewController::fontChanged);
    connect(m_shareMenu, &ShareMenu::failed, this,
            [this](const QString& message) { showWarning(tr("Share List"), message); });
    QTimer::singleShot(300, this, &ViewController::setupPinSettings);
}

void ViewController::showWarning(const QString& title, const QString& message)
{
    auto* box = new QMessageBox(QMessageBox::Warning, title, title, QMessageBox::Ok, window());
    box->setInformativeText(message);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

void ViewController::changeFailed(const QString& title, const QString& reason)
{
    showWarning(title, reason.isEmpty() ? tr("The task store refused the change.") : reason);
}

void ViewController::setHelpOpener(HelpOpener opener)
{
    m_helpOpener = std::move(opener);
    // The update notes show once, so the flag is cleared only when there is a window to show
    // them in.
    UserDefaults& defaults = m_manager.defaults();
    if (m_helpOpener && defaults.boolForKey(PrefKey::updateNote)) {
        defaults.setBool(false, PrefKey::updateNote);
        defaults.synchronize();
        QTimer::singleShot(500, this, &ViewController::openUpdateIntro);
    }
}

ViewController::~ViewController() = default;

void ViewController::setApplicationShell(ApplicationShell* shell)
{
    m_shell = shell;
    m_lvc->setApplicationShell(shell);
}

// --- pane delegates --------------------------------------------------------------------------

void ViewController::selectedRowChangedWithDictionary(const ListEntry& listDictionary)
{
    m_mvc->changeViewToDict(listDictionary);
    m_rvc->changeViewWithReminder(m_mvc->presenter().selectedReminder());
}

void ViewController::selectedRowChangedWithReminder(const store::ReminderPtr& reminder)
{
    m_rvc->changeViewWithReminder(reminder);
}

void ViewController::selectedRowChangedWithEvent(const store::EventPtr& event)
{
    m_rvc->changeViewWithEvent(event);
}

void ViewController::toggleLeftView()
{
    collapseLeftSplitView();
}

void ViewController::toggleRightView()
{
    collapseRightSplitView();
}

void ViewController::setQuickAddOpener(QuickAddOpener opener, SubtaskAddOpener forSubtasks)
{
    m_quickAddOpener = std::move(opener);
    m_subtaskAddOpener = std::move(forSubtasks);
    m_rvc->setAddSubtaskEnabled(bool(m_subtaskAddOpener));
    m_mvc->setAddButtonEnabled(hasQuickAddOpener());
    Q_EMIT quickAddAvailabilityChanged(hasQuickAddOpener());
}

void ViewController::addSubtask(const store::ReminderPtr& parent)
{
    if (!m_subtaskAddOpener || !parent)
        return;
    Sound::soundEffect(Sound::AddPull);
    m_subtaskAddOpener(parent->calendarItemIdentifier);
}

void ViewController::addNewTask()
{
    if (!m_quickAddOpener)
        return;
    Sound::soundEffect(Sound::AddPull);
    const store::CalendarPtr list = m_lvc->presenter().selectedList();
    m_quickAddOpener(m_lvc->presenter().presetDateForNewTask(),
                     list ? list->calendarIdentifier : QString());
}

void ViewController::editSelectedReminder()
{
    if (!m_mvc->presenter().selectedReminder() && !m_mvc->presenter().selectedEvent())
        return;
    openRightView();
    m_rvc->focusTitle();
}

void ViewController::returnToTaskList()
{
    m_mvc->tableView()->setFocus(Qt::ShortcutFocusReason);
}

void ViewController::refreshLeftTableView()
{
    m_lvc->presenter().reloadShowingSearch();
}

void ViewController::pinButtonOn(bool on)
{
    m_rvc->setupVisualEffectStateActiveAlways(on);
}

void ViewController::shareListWithRect(const QRect& rect)
{
    m_shareMenu->share(m_mvc->presenter().view().title, m_mvc->presenter().sharedListText(), this,
                       m_lvc->mapToGlobal(rect.bottomLeft()));
}

void ViewController::keyLeftTapped()
{
    m_mvc->presenter().movePeriod(-1);
}

void ViewController::keyRightTapped()
{
    m_mvc->presenter().movePeriod(1);
}

// --- application requests --------------------------------------------------------------------

void ViewController::fetchData()
{
    m_mvc->refreshView();
    if (m_shell) {
        m_shell->refreshPanel();
        m_shell->scheduleNotifications();
    }
}

void ViewController::moveToToday()
{
    m_lvc->presenter().goToToday();
    // A list or the search shows no dates: there the command would change nothing on screen
    // and leave the keyboard where it was (typing on into the search field), so it opens
    // today's day view instead.
    if (!isPeriodMode(m_mvc->presenter().view().mode))
        m_lvc->presenter().select(0);
}

void ViewController::showHideCompleted()
{
    m_mvc->presenter().toggleShowCompleted();
}

void ViewController::showHideLists()
{
    if (!isListsShown())
        m_mvc->setReopenButtonHidden(true);
    collapseLeftSplitView();
}

void ViewController::showHideDetails()
{
    collapseRightSplitView();
}

bool ViewController::isPaneOpen(int index) const
{
    const QList<int> sizes = m_splitView->sizes();
    return index < sizes.size() && !m_splitView->widget(index)->isHidden() && sizes.at(index) > 0;
}

bool ViewController::isListsShown() const
{
    return isPaneOpen(kLeft);
}

bool ViewController::isDetailsShown() const
{
    return isPaneOpen(kRight);
}

void ViewController::openRightView()
{
    if (!isDetailsShown())
        collapseRightSplitView();
}

void ViewController::refreshOnMidnight()
{
    if (m_manager.nightMode().resetNightMode())
        m_modeManager.resetValues();
    // Overdue colours and ended events follow the moving present.
    m_mvc->model()->refreshParts();
    const QDateTime now = m_manager.clock().now();
    const QDateTime startOfToday = now.date().startOfDay();
    if (startOfToday == m_manager.dates().today())
        return;
    m_manager.dates().setToday(startOfToday);
    m_manager.dates().setStandardEventsDate(startOfToday);
    m_manager.dates().setSelectedDate(startOfToday);
    m_lvc->setupTodayTextField();
}

void ViewController::refreshLeftTableViewFromPreferences()
{
    m_lvc->presenter().reloadShowingDay();
    selectedRowChangedWithDictionary(ListEntry::dateView(ListKind::Day));
}

void ViewController::fontChanged()
{
    m_manager.refreshRemindersArray();
    m_lvc->resetAppearance();
    m_mvc->resetAppearance();
    m_rvc->resetAppearance();
}

void ViewController::resetAppearanceFromPreferences()
{
    // The window itself (its menu bar, the lines between the panes) takes the mode's colours
    // too, so that night mode is dark from edge to edge.
    window()->setPalette(m_modeManager.vibrantAppearance());
    m_lvc->resetAppearance();
    m_mvc->resetAppearance();
    m_rvc->resetAppearance();
    update();
}

void ViewController::setupTabOrder()
{
    // Tab goes through the panes from left to right and each from top to bottom, and from the
    // last control of the window back to the first.
    const QList<QWidget*> chain =
        m_lvc->keyboardChain() + m_mvc->keyboardChain() + m_rvc->keyboardChain();
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain.at(i - 1), chain.at(i));
}

void ViewController::setupPinSettings()
{
    if (window()->isFullScreen())
        return;
    m_lvc->setupPinSettings();
    pinButtonOn(m_manager.defaults().boolForKey(PrefKey::alwaysOnTop));
}

void ViewController::addNewTaskWithTitle(const QString& title, const QString& mailLink)
{
    const QDateTime due = m_lvc->presenter().presetDateForNewTask();
    store::CalendarPtr list = m_lvc->presenter().selectedList();
    if (!list)
        list = m_manager.lists().defaultList();
    const std::optional<int> priority = m_lvc->presenter().selectedPriority();

    // Mail programs differ in whether they write the slashes after the scheme; links work
    // only with them.
    QString notes = mailLink;
    const int scheme = notes.indexOf(QLatin1String("message:"), 0, Qt::CaseInsensitive);
    if (scheme >= 0) {
        const int after = scheme + 8;
        if (notes.mid(after, 2) != QLatin1String("//"))
            notes.insert(after, QLatin1String("//"));
    }
    QString taskTitle = title;
    const QString tag = m_lvc->presenter().selectedTag();
    if (!tag.isEmpty()) {
        if (m_manager.defaults().boolForKey(PrefKey::tagOnNotes))
            notes += QLatin1Char(' ') + tag;
        else
            taskTitle += QLatin1Char(' ') + tag;
    }
    m_manager.tasks().addReminderWithTitle(taskTitle, list, priority, due, std::nullopt, QString(),
                                           notes, m_manager.defaults().boolForKey(PrefKey::alarmOn),
                                           std::nullopt,
                                           [this](bool saved, const store::ReminderPtr& reminder) {
                                               if (saved && reminder) {
                                                   Q_EMIT reminderAdded(reminder);
                                                   if (m_shell)
                                                       m_shell->selectReminder(reminder);
                                               }
                                           });
}

void ViewController::showHelp()
{
    if (m_helpOpener)
        m_helpOpener(QStringLiteral("Help"));
}

void ViewController::openUpdateIntro()
{
    if (m_helpOpener)
        m_helpOpener(QStringLiteral("Update"));
}

// --- the window frame ------------------------------------------------------------------------

void ViewController::saveSplitViewFrame()
{
    // The window's position with its title bar and its size without: pos() and move() both
    // take the frame into account, so a window restored from it opens where it was rather than
    // a title bar's height higher (which setGeometry of the inner rectangle would do).
    UserDefaults& defaults = m_manager.defaults();
    defaults.setString(WindowPlacement::stringFromFrame(QRect(window()->pos(), window()->size())),
                       PrefKey::frameString);
    defaults.synchronize();
}

void ViewController::loadSplitViewFrame()
{
    const QRect frame =
        WindowPlacement::frameFromString(m_manager.defaults().stringForKey(PrefKey::frameString));
    // Kept on a screen that is there, and no larger than it: the screen may have become
    // smaller since.
    if (frame.isValid())
        WindowPlacement::restore(window(), frame, nullptr);
}

// --- opening and closing the side panes ------------------------------------------------------

void ViewController::applySizes(int leftWidth, int rightWidth)
{
    const QList<int> sizes = m_splitView->sizes();
    const int handles = (leftWidth > 0 ? 1 : 0) + (rightWidth > 0 ? 1 : 0);
    const int middle =
        qMax(m_mvc->minimumWidth(), m_splitView->width() - leftWidth - rightWidth - handles);
    m_splitView->setSizes({leftWidth, middle, rightWidth});
    m_splitView->handle(1)->setVisible(leftWidth > 0);
    m_splitView->handle(2)->setVisible(rightWidth > 0);
}

PaneRoom ViewController::roomForOpening(PaneRoom::Side side, int paneWidth) const
{
    const QWidget* top = window();
    const QRect frame = top->frameGeometry();
    // A maximised or full-screen window has no room to grow into: the list makes the room.
    const QScreen* screen = top->screen();
    const QRect available =
        top->isMaximized() || top->isFullScreen() || !screen ? frame : screen->availableGeometry();
    const QList<int> sizes = m_splitView->sizes();
    const int listSpare = sizes.value(kMiddle) - m_mvc->minimumWidth();
    const int otherPaneSpare = side == PaneRoom::Side::Left
                                   ? sizes.value(kRight) - kRightMinimumWidth
                                   : sizes.value(kLeft) - kLeftMinimumWidth;
    return PaneRoom::forOpening(
        side, paneWidth, frame, available, listSpare,
        isPaneOpen(side == PaneRoom::Side::Left ? kRight : kLeft) ? otherPaneSpare : 0);
}

PaneRoom ViewController::roomWhenOpened(PaneRoom::Side side, int paneWidth) const
{
    const std::optional<PaneRoom>& room = side == PaneRoom::Side::Left ? m_leftRoom : m_rightRoom;
    if (room)
        return *room;
    // Open from the start: the window was made wide enough for it.
    PaneRoom whole;
    (side == PaneRoom::Side::Left ? whole.growLeft : whole.growRight) = paneWidth;
    return whole;
}

void ViewController::resizeWindowBy(int left, int right, int leftPane, int rightPane,
                                    const std::function<void()>& done)
{
    if (m_resizing)
        m_resizing->stop();
    QWidget* top = window();
    const QRect start = top->geometry();
    const QList<int> startSizes = m_splitView->sizes();
    auto apply = [this, top, start, startSizes, left, right, leftPane, rightPane](qreal progress) {
        const int dl = qRound(left * progress);
        const int dr = qRound(right * progress);
        const int leftWidth = qMax(0, startSizes.value(kLeft) + qRound(leftPane * progress));
        const int rightWidth = qMax(0, startSizes.value(kRight) + qRound(rightPane * progress));
        // The list takes what the window's growth leaves after the panes, which is nothing
        // while the screen has room.
        const int middleWidth = startSizes.value(kMiddle) + dl + dr -
                                (leftWidth - startSizes.value(kLeft)) -
                                (rightWidth - startSizes.value(kRight));
        top->setGeometry(start.adjusted(-dl, 0, dr, 0));
        m_splitView->setSizes({leftWidth, middleWidth, rightWidth});
    };
    const int duration = Motion::duration(m_animationDuration);
    if (duration <= 0 || !top->isVisible()) {
        apply(1.0);
        done();
        return;
    }
    auto* animation = new QVariantAnimation(this);
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    animation->setDuration(duration);
    animation->setEasingCurve(QEasingCurve::InOutQuad);
    connect(animation, &QVariantAnimation::valueChanged, this,
            [apply](const QVariant& value) { apply(value.toReal()); });
    connect(animation, &QVariantAnimation::finished, this, [apply, done] {
        apply(1.0);
        done();
    });
    m_resizing = animation;
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void ViewController::takeKeyboardFrom(QWidget* pane)
{
    // A pane that closes with the keyboard in it hands it to the task list, rather than to
    // whatever happens to follow it in the Tab order.
    if (pane->isAncestorOf(QApplication::focusWidget()))
        m_mvc->tableView()->setFocus(Qt::OtherFocusReason);
}

void ViewController::showCollapsedPane(QWidget* pane)
{
    // Shown at no width, so that the window's growth is what opens it.
    const QList<int> sizes = m_splitView->sizes();
    pane->show();
    m_splitView->setSizes(sizes);
}

void ViewController::collapseLeftSplitView()
{
    if (isListsShown()) {
        const int width = m_splitView->sizes().value(kLeft);
        const PaneRoom back =
            roomWhenOpened(PaneRoom::Side::Left, width).forClosing(PaneRoom::Side::Left, width);
        m_leftRoom.reset();
        m_lvc->setMinimumWidth(0);
        takeKeyboardFrom(m_lvc);
        resizeWindowBy(-back.growLeft, -back.growRight, -width, back.fromOtherPane, [this] {
            applySizes(0, m_splitView->sizes().value(kRight));
            m_lvc->hide();
            m_mvc->setReopenButtonHidden(false);
        });
    } else {
        m_lvc->setMinimumWidth(0);
        showCollapsedPane(m_lvc);
        const int width = m_lvc->preferredWidth();
        const PaneRoom room = roomForOpening(PaneRoom::Side::Left, width);
        m_leftRoom = room;
        resizeWindowBy(room.growLeft, room.growRight, width, -room.fromOtherPane, [this, width] {
            m_lvc->setMinimumWidth(kLeftMinimumWidth);
            applySizes(width, m_splitView->sizes().value(kRight));
            m_mvc->setReopenButtonHidden(true);
        });
    }
}

void ViewController::collapseRightSplitView()
{
    if (isDetailsShown()) {
        const int width = m_splitView->sizes().value(kRight);
        const PaneRoom back =
            roomWhenOpened(PaneRoom::Side::Right, width).forClosing(PaneRoom::Side::Right, width);
        m_rightRoom.reset();
        m_mvc->presenter().setShowingDetail(false);
        m_rvc->setMinimumWidth(0);
        takeKeyboardFrom(m_rvc);
        resizeWindowBy(-back.growLeft, -back.growRight, back.fromOtherPane, -width, [this] {
            applySizes(m_splitView->sizes().value(kLeft), 0);
            m_rvc->hide();
        });
    } else {
        m_mvc->presenter().setShowingDetail(true);
        m_rvc->setMinimumWidth(0);
        showCollapsedPane(m_rvc);
        const PaneRoom room = roomForOpening(PaneRoom::Side::Right, kRightOpenWidth);
        m_rightRoom = room;
        resizeWindowBy(room.growLeft, room.growRight, -room.fromOtherPane, kRightOpenWidth, [this] {
            m_rvc->setMinimumWidth(kRightMinimumWidth);
            applySizes(m_splitView->sizes().value(kLeft), kRightOpenWidth);
        });
    }
}
