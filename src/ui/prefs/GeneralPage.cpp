#include "ui/prefs/GeneralPage.h"

#include "data/DataManager.h"
#include "data/SharedDates.h"
#include "data/SidebarCounts.h"
#include "platform/UserDefaults.h"
#include "platform/UserNotificationCenter.h"
#include "prefs/PreferenceKeys.h"
#include "ui/common/ExplanationLabel.h"
#include "ui/prefs/AccountsGroup.h"
#include "ui/prefs/DesktopShortcutHelp.h"
#include "ui/prefs/DesktopShortcutNote.h"
#include "ui/prefs/OnOffButton.h"
#include "ui/prefs/PageLayout.h"
#include "ui/prefs/PreferenceBinder.h"
#include "ui/prefs/ShortcutRecorder.h"
#include "ui/prefs/StoreFoldersGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

using PageLayout::fieldLabel;

GeneralPage::GeneralPage(const PreferenceContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("generalPanel"));
    QFormLayout* form = PageLayout::newForm(this);
    PreferenceBinder& binder = context.binder;
    DataManager& manager = context.manager;

    PageLayout::addSection(form, tr("Tray"));
    m_menuBarShortcut =
        new ShortcutRecorder(context.defaults, PrefKey::shortcut2, context.relays.registerHotKey2);
    form->addRow(fieldLabel(tr("Tray panel shortcut")), m_menuBarShortcut);
    if (context.relays.desktopShortcuts) {
        m_menuBarShortcutNote = new DesktopShortcutNote(*context.relays.desktopShortcuts,
                                                        context.relays.desktopShortcutId2);
        form->addRow(QString(), m_menuBarShortcutNote);
    }
    m_keyboardShortcut =
        new ShortcutRecorder(context.defaults, PrefKey::shortcut, context.relays.registerHotKey);
    form->addRow(fieldLabel(tr("Keyboard shortcut")), m_keyboardShortcut);
    if (context.relays.desktopShortcuts) {
        m_keyboardShortcutNote = new DesktopShortcutNote(*context.relays.desktopShortcuts,
                                                         context.relays.desktopShortcutId);
        form->addRow(QString(), m_keyboardShortcutNote);
        form->addRow(QString(), new ExplanationLabel(DesktopShortcutNote::settingsHint()));
    }
    addDesktopHelp(form);

    PageLayout::addSection(form, tr("Preferences"));
    m_showMenuBar = new QCheckBox(tr("Show Velmoran in the Tray"));
    m_sundayFirst = new QCheckBox(tr("Show Sunday First on Calendar"));
    m_sound = new QCheckBox(tr("Sound Effects"));
    form->addRow(QString(), m_showMenuBar);
    form->addRow(QString(), m_sundayFirst);
    form->addRow(QString(), m_sound);
    const PreferenceRelays& relays = context.relays;
    binder.bindSwitch(m_showMenuBar, PrefKey::showMenuBar, [&relays] {
        if (relays.showHideMenuBar)
            relays.showHideMenuBar();
    });
    binder.bindSwitch(m_sundayFirst, PrefKey::sundayFirst, [this] { sundayFirstChanged(); });
    binder.bindSwitch(m_sound, PrefKey::soundOn);

    m_overdue = new QComboBox;
    m_overdue->addItems({tr("Current Date"), tr("Due Date")});
    form->addRow(fieldLabel(tr("Overdue tasks on")), m_overdue);
    // Item 0 stands for true: a task is overdue from its due day on, measured against now.
    binder.bindSwitchChoice(m_overdue, PrefKey::overdueNow,
                            [&manager] { manager.refreshRemindersArray(); });

    // The question's "Remember my choice" is undone here, by choosing to be asked again.
    m_subtaskCompletion = new QComboBox;
    m_subtaskCompletion->addItem(tr("Ask"), QString());
    m_subtaskCompletion->addItem(tr("Complete All"), QString(PrefKey::kSubtaskCompletionAll));
    m_subtaskCompletion->addItem(tr("Complete Only This"),
                                 QString(PrefKey::kSubtaskCompletionOnly));
    const QString subtaskCompletion = tr("When completing a task with open subtasks");
    m_subtaskCompletion->setAccessibleName(subtaskCompletion);
    // A label this long would widen the page's label column for every row: the row spans both.
    auto* subtaskRow = new QHBoxLayout;
    auto* subtaskLabel = new QLabel(fieldLabel(subtaskCompletion));
    subtaskLabel->setBuddy(m_subtaskCompletion);
    subtaskRow->addWidget(subtaskLabel);
    subtaskRow->addWidget(m_subtaskCompletion);
    subtaskRow->addStretch();
    form->addRow(subtaskRow);
    binder.bindWordChoice(m_subtaskCompletion, PrefKey::subtaskCompletion);

    m_badge = new QComboBox;
    m_badge->addItems(
        {tr("Off"), QStringLiteral("%1+%2").arg(tr("Base"), tr("Include")), tr("Total Tasks")});
    form->addRow(fieldLabel(tr("Launcher badge")), m_badge);
    m_badgeBase = new QComboBox;
    m_badgeBase->addItems({tr("None"), tr("Today"), tr("This Week"), tr("This Month")});
    form->addRow(fieldLabel(tr("Base")), m_badgeBase);
    m_includeOverdue = new QCheckBox(tr("Overdue Tasks"));
    m_includeUndated = new QCheckBox(tr("Undated Tasks"));
    auto* include = new QHBoxLayout;
    include->addWidget(m_includeOverdue);
    include->addWidget(m_includeUndated);
    form->addRow(fieldLabel(tr("Include")), include);
    const auto refreshCounts = [&manager] { manager.counts().refreshCounts(); };
    binder.bindChoice(m_badge, PrefKey::appIconBadge, refreshCounts);
    binder.bindChoice(m_badgeBase, PrefKey::appIconBadgeType, refreshCounts);
    binder.bindSwitch(m_includeOverdue, PrefKey::appIconBadgeOverdue, refreshCounts);
    binder.bindSwitch(m_includeUndated, PrefKey::appIconBadgeUndated, refreshCounts);

    m_notifications = new OnOffButton;
    form->addRow(fieldLabel(tr("Notifications")), m_notifications);
    binder.bindSwitch(m_notifications, PrefKey::notifications, [this] { notificationChanged(); });

    m_snooze = new QLineEdit;
    m_snooze->setMaximumWidth(60);
    m_snooze->setAlignment(Qt::AlignRight);
    auto* snooze = new QHBoxLayout;
    snooze->addWidget(m_snooze);
    snooze->addWidget(new QLabel(tr("Minutes")));
    snooze->addStretch();
    form->addRow(fieldLabel(tr("Snooze")), snooze);
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(snooze)))
        label->setBuddy(m_snooze);
    form->addRow(QString(), new ExplanationLabel(
                                tr("How long a snoozed reminder waits before it shows again.")));
    binder.bindMinutes(m_snooze, PrefKey::snooze);

    PageLayout::addSection(form, tr("Store"));
    m_storeFolders = new StoreFoldersGroup(context);
    form->addRow(m_storeFolders);

    if (context.relays.accounts && context.relays.accountSync) {
        PageLayout::addSection(form, tr("Accounts"));
        m_accounts =
            new AccountsGroup(context, *context.relays.accounts, *context.relays.accountSync);
        m_accounts->addStoreFolder = [this](const QString& folder) {
            return m_storeFolders->addFolder(folder);
        };
        m_accounts->removeStoreFolder = [this](const QString& folder) {
            m_storeFolders->removeFolder(folder);
        };
        form->addRow(m_accounts);
    }
}

void GeneralPage::addDesktopHelp(QFormLayout* form)
{
    if (!m_context.relays.desktopSession)
        return;
    DesktopShortcutSupport support(m_context.relays.desktopSession());
    if (!support.session().wayland)
        return;
    m_desktopHelp = new DesktopShortcutHelp(m_context, std::move(support));
    form->addRow(QString(), m_desktopHelp);
    const auto showRow = [this, form] {
        form->setRowVisible(m_desktopHelp, m_desktopHelp->hasHelp());
    };
    connect(m_desktopHelp, &DesktopShortcutHelp::helpChanged, this, showRow);
    showRow();
}

void GeneralPage::sundayFirstChanged()
{
    m_context.manager.dates().resetThisWeekDate();
    m_context.manager.refreshRemindersArray();
}

void GeneralPage::notificationChanged()
{
    if (m_context.defaults.boolForKey(PrefKey::notifications)) {
        if (m_context.relays.scheduleNotifications)
            m_context.relays.scheduleNotifications();
    } else {
        m_context.notificationCenter.removeAllDeliveredNotifications();
        m_context.notificationCenter.setScheduledNotifications({});
    }
}

// The page opens with the focus on its first check box: not in the snooze field, whose every
// edit is stored, nor in a recorder, which would take the next key for a shortcut. (A focus
// proxy would do the same, but Tab coming round to the page would then jump to the check box
// past the recorders above it.)
void GeneralPage::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    m_showMenuBar->setFocus(event->reason());
}
