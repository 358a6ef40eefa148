#include "ui/intro/IntroWindowController.h"

#include "platform/store/StoreFolders.h"
#include "ui/common/CollectionColors.h"
#include "ui/common/Motion.h"

#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"
#include "platform/UserDefaults.h"
#include "platform/store/CollectionFinder.h"
#include "platform/store/EventStore.h"
#include "prefs/ModeManager.h"
#include "prefs/PreferenceKeys.h"
#include "ui/common/ColorDot.h"
#include "ui/intro/IntroStorePage.h"
#include "ui/intro/IntroStyle.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <unistd.h>

namespace {

constexpr int kRowHeight = 24;
constexpr int kIdentifierRole = Qt::UserRole + 1;
// Read by the store itself (StoreFolders::configuredRoots).
const QString kStoreFolders = QStringLiteral("storeFolders");

QLabel* wrappingLabel(QWidget* parent, qreal pointSize = 0)
{
    auto* label = new QLabel(parent);
    label->setWordWrap(true);
    if (pointSize > 0) {
        QFont font = label->font();
        font.setPointSizeF(pointSize);
        label->setFont(font);
    }
    return label;
}

} // namespace

IntroWindowController::IntroWindowController(DataManager& manager, ModeManager& modeManager,
                                             QWidget* parent)
    : QDialog(parent)
    , m_manager(manager)
    , m_modeManager(modeManager)
    , m_defaults(manager.defaults())
    , m_finderFactory([] { return store::CollectionFinder::forThisUser(); })
    , m_alert([this](const QString& title, const QString& text) {
        auto* box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    })
    , m_pages(new QStackedWidget(this))
    , m_velmoranLabel1(wrappingLabel(this, 22))
    , m_velmoranLabel2(wrappingLabel(this, 13))
    , m_storePage(new IntroStorePage(this))
    , m_velmoranPage3Label(wrappingLabel(this, 13))
    , m_createdNote(wrappingLabel(this))
    , m_defaultDot(new QLabel(this))
    , m_defaultTitle(new QLabel(this))
    , m_velmoranPage4Label(wrappingLabel(this, 13))
    , m_tableView(new QListWidget(this))
    , m_velmoranPage5Label(wrappingLabel(this, 16))
{
    m_validateTimer.setSingleShot(true);
    m_validateTimer.setInterval(kValidateTimeoutMs);
    connect(&m_validateTimer, &QTimer::timeout, this,
            &IntroWindowController::validateFailedOnButton);
    m_storePage->setInspect(
        [this](const QString& folder) { return m_finderFactory().inspect(folder); });
    setupView();
    selectPageAtIndex(1);
}

IntroWindowController::~IntroWindowController() = default;

void IntroWindowController::setFinderFactory(FinderFactory factory)
{
    m_finderFactory = std::move(factory);
}

void IntroWindowController::setupView()
{
    setWindowTitle(tr("Welcome to Velmoran"));
    setPalette(m_modeManager.vibrantAppearance());
    setFixedSize(600, 480);

    m_velmoranLabel1->setText(tr("Welcome to Velmoran"));
    m_velmoranLabel1->setAlignment(Qt::AlignCenter);
    m_velmoranLabel2->setText(tr("Velmoran extends your iCalendar task lists to a Powerful Task "
                                 "Manager. Your tasks become much more powerful and visible with "
                                 "Velmoran."));
    m_velmoranLabel2->setAlignment(Qt::AlignCenter);
    auto* welcome = new QWidget(this);
    auto* welcomeLayout = new QVBoxLayout(welcome);
    auto* icon = new QLabel(welcome);
    icon->setPixmap(QIcon(QStringLiteral(":/velmoran/icons/velmoran.svg")).pixmap(112, 112));
    icon->setAlignment(Qt::AlignCenter);
    welcomeLayout->addStretch();
    welcomeLayout->addWidget(icon);
    welcomeLayout->addWidget(m_velmoranLabel1);
    welcomeLayout->addWidget(m_velmoranLabel2);
    welcomeLayout->addStretch();
    m_pages->addWidget(makePage(nullptr, nullptr, welcome, 1));

    auto* storeTitle = wrappingLabel(this, 18);
    storeTitle->setText(tr("Where are your tasks?"));
    m_pages->addWidget(makePage(storeTitle, nullptr, m_storePage, 2));

    auto* defaultRow = new QWidget(this);
    auto* defaultLayout = new QHBoxLayout(defaultRow);
    QFont big = m_defaultTitle->font();
    big.setPointSizeF(20);
    m_defaultDot->setFont(big);
    m_defaultDot->setText(QStringLiteral("●"));
    m_defaultTitle->setFont(big);
    defaultLayout->addStretch();
    defaultLayout->addWidget(m_defaultDot);
    defaultLayout->addWidget(m_defaultTitle);
    defaultLayout->addStretch();
    auto* defaultPage = new QWidget(this);
    auto* defaultPageLayout = new QVBoxLayout(defaultPage);
    defaultPageLayout->addStretch();
    defaultPageLayout->addWidget(defaultRow);
    defaultPageLayout->addWidget(m_velmoranPage3Label);
    defaultPageLayout->addWidget(m_createdNote);
    defaultPageLayout->addStretch();
    m_velmoranPage3Label->setAlignment(Qt::AlignCenter);
    m_createdNote->setAlignment(Qt::AlignCenter);
    m_createdNote->setVisible(false);
    m_pages->addWidget(makePage(nullptr, nullptr, defaultPage, 3));

    m_velmoranPage4Label->setText(tr("Choose the lists you want to see in 'Velmoran'"));
    m_tableView->setAccessibleName(tr("Lists"));
    m_tableView->setUniformItemSizes(true);
    connect(m_tableView, &QListWidget::itemChanged, this, &IntroWindowController::itemChanged);
    m_pages->addWidget(makePage(m_velmoranPage4Label, nullptr, m_tableView, 4));

    m_velmoranPage5Label->setText(
        QStringLiteral("%1\n\n%2").arg(tr("All Done!"), tr("Are you ready?")));
    m_velmoranPage5Label->setAlignment(Qt::AlignCenter);
    m_pages->addWidget(makePage(nullptr, m_velmoranPage5Label, nullptr, 5));

    connect(m_nextButtons[0], &QPushButton::clicked, this, &IntroWindowController::nextButton1);
    connect(m_nextButtons[1], &QPushButton::clicked, this, &IntroWindowController::nextButton2);
    connect(m_nextButtons[2], &QPushButton::clicked, this, &IntroWindowController::nextButton3);
    connect(m_nextButtons[3], &QPushButton::clicked, this, &IntroWindowController::nextButton4);
    connect(m_nextButtons[4], &QPushButton::clicked, this, &IntroWindowController::nextButton5);
    for (QPushButton* back : m_backButtons) {
        if (back)
            connect(back, &QPushButton::clicked, this, &IntroWindowController::goBack);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 24, 28, 20);
    layout->addWidget(m_pages);
}

QWidget* IntroWindowController::makePage(QLabel* title, QLabel* text, QWidget* content, int page)
{
    auto* view = new QWidget(this);
    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(0, 0, 0, 0);
    if (title)
        layout->addWidget(title);
    if (text) {
        layout->addStretch();
        layout->addWidget(text);
        layout->addStretch();
    }
    if (content)
        layout->addWidget(content, 1);
    auto* button = new QPushButton(page == 5 ? tr("Yes. Great!") : tr("Next"), view);
    IntroStyle::styleButton(button, 14);
    button->setAutoDefault(true);
    m_nextButtons[page - 1] = button;
    auto* buttons = new QHBoxLayout;
    QPushButton* back = nullptr;
    if (page > 1) {
        back = new QPushButton(tr("Back"), view);
        IntroStyle::styleButton(back, 14);
        back->setAutoDefault(true);
        m_backButtons[page - 1] = back;
        buttons->addWidget(back);
    }
    buttons->addStretch();
    buttons->addWidget(button);
    if (page == 5) {
        buttons->addStretch();
        // Keeps the last page's button in the middle with Back beside it.
        buttons->addSpacing(back->sizeHint().width());
    }
    layout->addLayout(buttons);
    // Tab reaches the way forward first, as Return does.
    if (back)
        QWidget::setTabOrder(button, back);
    return view;
}

QLabel* IntroWindowController::pageLabel(int page) const
{
    switch (page) {
    case 1:
        return m_velmoranLabel2;
    case 2:
        return m_storePage->findChild<QLabel*>();
    case 3:
        return m_velmoranPage3Label;
    case 4:
        return m_velmoranPage4Label;
    default:
        return m_velmoranPage5Label;
    }
}

QWidget* IntroWindowController::pageViewForPageAt(int index) const
{
    return m_pages->widget(index >= 2 && index <= 5 ? index - 1 : 0);
}

void IntroWindowController::selectPageAtIndex(int index)
{
    QWidget* page = pageViewForPageAt(index);
    m_currentPage = m_pages->indexOf(page) + 1;
    m_pages->setCurrentWidget(page);
    m_turning = false;
    QPushButton* button = m_nextButtons[m_currentPage - 1];
    button->setEnabled(true);
    button->setDefault(true);
    if (QPushButton* back = m_backButtons[m_currentPage - 1])
        back->setEnabled(true);
    fadeInView(page);
    // The keyboard starts where the page asks something.
    if (m_currentPage == 2)
        (m_storePage->chosenRoots().isEmpty() ? static_cast<QWidget*>(m_storePage->ownStoreButton())
                                              : m_storePage->foundList())
            ->setFocus();
    else if (m_currentPage == 4)
        m_tableView->setFocus();
    else
        button->setFocus();
    if (m_currentPage == 2 && !m_searched)
        QTimer::singleShot(Motion::duration(kFadeMs), this,
                           &IntroWindowController::searchExistingFolders);
    Q_EMIT pageShown(m_currentPage);
    replayKeysTypedDuringTurn();
}

void IntroWindowController::goToPage(int index)
{
    beginTurn();
    fadeOutView(m_pages->currentWidget());
    QTimer::singleShot(Motion::duration(kFadeMs), this,
                       [this, index] { selectPageAtIndex(index); });
}

void IntroWindowController::beginTurn()
{
    m_turning = true;
    // The window itself holds the focus while no page can take keys, so that event() sees
    // every key typed meanwhile (a disabled button's focus would move to a control of the
    // page that is going away).
    setFocus(Qt::OtherFocusReason);
    for (QPushButton* button : m_nextButtons)
        button->setEnabled(false);
    for (QPushButton* button : m_backButtons) {
        if (button)
            button->setEnabled(false);
    }
}

bool IntroWindowController::event(QEvent* event)
{
    if (m_turning && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Escape still closes at once; everything else waits for the page it was typed for.
        if (key->key() != Qt::Key_Escape) {
            m_keysDuringTurn.emplace_back(static_cast<QKeyEvent*>(key->clone()));
            return true;
        }
    }
    return QDialog::event(event);
}

void IntroWindowController::replayKeysTypedDuringTurn()
{
    QPointer<IntroWindowController> self(this);
    // One key may turn the page again; the keys after it then wait for the page after that.
    while (self && !m_turning && !m_keysDuringTurn.empty()) {
        std::unique_ptr<QKeyEvent> key = std::move(m_keysDuringTurn.front());
        m_keysDuringTurn.erase(m_keysDuringTurn.begin());
        QWidget* target = focusWidget() ? focusWidget() : this;
        QCoreApplication::sendEvent(target, key.get());
    }
}

void IntroWindowController::fadeOutView(QWidget* view)
{
    if (Motion::isReduced())
        return;
    auto* effect = new QGraphicsOpacityEffect(view);
    view->setGraphicsEffect(effect);
    auto* animation = new QPropertyAnimation(effect, "opacity", view);
    animation->setDuration(Motion::duration(kFadeMs));
    animation->setStartValue(1.0);
    animation->setEndValue(0.0);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void IntroWindowController::fadeInView(QWidget* view)
{
    if (Motion::isReduced())
        return;
    auto* effect = new QGraphicsOpacityEffect(view);
    effect->setOpacity(0.0);
    view->setGraphicsEffect(effect);
    auto* animation = new QPropertyAnimation(effect, "opacity", view);
    animation->setDuration(Motion::duration(kFadeMs));
    animation->setStartValue(0.0);
    animation->setEndValue(1.0);
    // A finished page is drawn without the effect, which would blur its text.
    connect(animation, &QPropertyAnimation::finished, view,
            [view] { view->setGraphicsEffect(nullptr); });
    animation->start(QAbstractAnimation::DeleteWhenStopped);
}

void IntroWindowController::nextButton1()
{
    goToPage(2);
}

void IntroWindowController::nextButton2()
{
    if (!m_searched)
        searchExistingFolders();
    beginTurn();
    storeChosen();
}

void IntroWindowController::nextButton3()
{
    goToPage(4);
}

void IntroWindowController::nextButton4()
{
    goToPage(5);
}

void IntroWindowController::nextButton5()
{
    finish();
}

void IntroWindowController::goBack()
{
    if (m_currentPage > 1 && !m_turning)
        goToPage(m_currentPage - 1);
}

void IntroWindowController::searchExistingFolders()
{
    if (m_searched)
        return;
    m_searched = true;
    m_storePage->setFound(m_finderFactory().find());
    if (m_currentPage == 2 && !m_storePage->chosenRoots().isEmpty())
        m_storePage->foundList()->setFocus();
}

void IntroWindowController::storeChosen()
{
    const QStringList roots = m_storePage->chosenRoots();
    // The counterpart of asking for access: a folder Velmoran cannot write keeps the user on
    // this page, before anything is written.
    for (const QString& root : roots) {
        const QByteArray name = QFile::encodeName(root);
        if (::access(name.constData(), R_OK | W_OK | X_OK) != 0) {
            m_alert(tr("Velmoran"), tr("Velmoran needs to read and write %1. Change the folder's "
                                       "permissions or choose another one.")
                                        .arg(root));
            // Keys typed after this Next would act on the alert's page, not the next one.
            m_keysDuringTurn.clear();
            selectPageAtIndex(2);
            return;
        }
    }
    const QString key = kStoreFolders;
    if (!m_foldersChanged && (roots.isEmpty() ? m_defaults.hasStoredValue(key)
                                              : roots != m_defaults.stringArrayForKey(key))) {
        if (m_defaults.hasStoredValue(key))
            m_previousFolders = m_defaults.stringArrayForKey(key);
        m_foldersChanged = true;
    }
    if (m_foldersChanged) {
        if (roots.isEmpty())
            m_defaults.removeObjectForKey(key);
        else
            m_defaults.setObject(roots, key);
    }
    // Access opens the store on the chosen folders; a folder without any collection gets the
    // first run's "Reminders" and "Calendar" there.
    QPointer<IntroWindowController> self(this);
    m_manager.initiallyInitStore([self] {
        if (!self)
            return;
        self->setupDefaultListView();
        self->setupVisibleLists();
        self->goToPage(3);
    });
}

void IntroWindowController::setupDefaultListView()
{
    m_createdNote->setVisible(false);
    if (m_manager.lists().allCalendars().isEmpty() && m_manager.eventStore()) {
        // Calendars only: tasks need a list, made as the first run makes one.
        const QString identifier = m_manager.tasks().addListWithTitle(
            tr("Reminders"), store::CollectionColor::fromRgb(0x1b, 0xad, 0xf8));
        const QStringList roots = m_manager.eventStore()->roots();
        m_createdNote->setText(identifier.isEmpty()
                                   ? tr("The chosen folders hold no task list, and none could be "
                                        "created in %1.")
                                         .arg(roots.value(0))
                                   : tr("The chosen folders held no task list, so Velmoran created "
                                        "the list \"Reminders\" in %1.")
                                         .arg(roots.value(0)));
        m_createdNote->setVisible(true);
    }
    const store::CalendarPtr list = m_manager.lists().defaultCalendar();
    m_defaultIdentifier = list ? list->calendarIdentifier : QString();
    const QString title = list ? list->title : QString();
    QPalette palette = m_defaultDot->palette();
    palette.setColor(QPalette::WindowText, list ? qColor(list->color) : QColor(Qt::gray));
    m_defaultDot->setPalette(palette);
    m_defaultTitle->setText(title);
    m_velmoranPage3Label->setText(tr("Default list has been set to '%1'. New tasks you add will go "
                                     "into this list. You can change anytime on settings.")
                                      .arg(title));
}

void IntroWindowController::setupVisibleLists()
{
    QList<IntroListChoice::List> all;
    IntroListChoice::List defaultList;
    for (const store::CalendarPtr& list : m_manager.lists().allCalendars()) {
        all << IntroListChoice::List{list->calendarIdentifier, list->title, qColor(list->color)};
        if (list->calendarIdentifier == m_defaultIdentifier)
            defaultList = all.last();
    }
    m_choice.setup(m_defaults.stringArrayForKey(PrefKey::visibleLists), defaultList, all);
    fillTable();
}

void IntroWindowController::fillTable()
{
    const QSignalBlocker blocker(m_tableView);
    m_tableView->clear();
    for (const IntroListChoice::List& list : m_choice.lists()) {
        auto* item = new QListWidgetItem(ColorDot::icon(list.color), list.title, m_tableView);
        item->setData(kIdentifierRole, list.identifier);
        item->setSizeHint(QSize(0, kRowHeight));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(m_choice.isVisible(list.identifier) ? Qt::Checked : Qt::Unchecked);
    }
    m_tableView->setCurrentRow(0);
}

void IntroWindowController::setRowChecked(int row, bool checked)
{
    const QSignalBlocker blocker(m_tableView);
    if (QListWidgetItem* item = m_tableView->item(row))
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void IntroWindowController::itemChanged(QListWidgetItem* item)
{
    check(m_tableView->row(item));
}

void IntroWindowController::check(int row)
{
    QListWidgetItem* item = m_tableView->item(row);
    if (!item)
        return;
    const QString identifier = item->data(kIdentifierRole).toString();
    if (m_validating) {
        setRowChecked(row, m_choice.isVisible(identifier));
        return;
    }
    if (m_choice.isVisible(identifier)) {
        m_choice.hide(identifier);
    } else if (m_choice.requestShow(identifier) == IntroListChoice::Change::NeedsCheck) {
        // Shown as half checked while the store is asked for the list's tasks.
        m_validating = true;
        m_validatingList = identifier;
        {
            const QSignalBlocker blocker(m_tableView);
            item->setCheckState(Qt::PartiallyChecked);
        }
        m_validateTimer.start();
        QPointer<IntroWindowController> self(this);
        m_manager.lists().validateRemindersList(
            m_manager.lists().calendarByUUID(identifier), [self, identifier](bool ok) {
                QMetaObject::invokeMethod(
                    qApp,
                    [self, identifier, ok] {
                        if (self)
                            self->finishValidation(identifier, ok);
                    },
                    Qt::QueuedConnection);
            });
        return;
    }
    setRowChecked(row, m_choice.isVisible(identifier));
}

void IntroWindowController::finishValidation(const QString& identifier, bool ok)
{
    if (!m_validating || identifier != m_validatingList)
        return;
    m_validateTimer.stop();
    m_validating = false;
    if (ok)
        m_choice.show(identifier);
    for (int row = 0; row < m_tableView->count(); ++row) {
        if (m_tableView->item(row)->data(kIdentifierRole).toString() == identifier)
            setRowChecked(row, m_choice.isVisible(identifier));
    }
}

void IntroWindowController::validateFailedOnButton()
{
    if (!m_validating)
        return;
    const QString identifier = m_validatingList;
    m_validating = false;
    for (int row = 0; row < m_tableView->count(); ++row) {
        if (m_tableView->item(row)->data(kIdentifierRole).toString() == identifier)
            setRowChecked(row, false);
    }
    if (isVisible() && m_alert)
        m_alert(tr("Can't access the list"),
                tr("Velmoran could not read the tasks of this list. Check that its folder can be "
                   "read."));
}

void IntroWindowController::finish()
{
    if (m_done)
        return;
    m_done = true;
    m_completed = true;
    m_validateTimer.stop();
    m_defaults.setString(m_defaultIdentifier, PrefKey::defaultList);
    m_defaults.setObject(m_choice.visibleInOrder(), PrefKey::visibleLists);
    m_defaults.setObject(m_choice.invisibleInOrder(), PrefKey::invisibleLists);
    m_defaults.setBool(true, PrefKey::soundOn);
    m_defaults.synchronize();
    m_manager.lists().matchPreferencesForTodayExtension();
    m_manager.lists().resetSortDescriptors();
    close();
    if (m_finished)
        m_finished();
}

void IntroWindowController::cancel()
{
    m_validateTimer.stop();
    if (m_foldersChanged) {
        const QString key = kStoreFolders;
        if (m_previousFolders)
            m_defaults.setObject(*m_previousFolders, key);
        else
            m_defaults.removeObjectForKey(key);
        m_defaults.synchronize();
        m_foldersChanged = false;
        m_manager.refreshStore();
    }
    if (m_cancelled)
        m_cancelled();
}

void IntroWindowController::reject()
{
    close();
}

void IntroWindowController::closeEvent(QCloseEvent* event)
{
    if (!m_done) {
        m_done = true;
        cancel();
    }
    event->accept();
}
