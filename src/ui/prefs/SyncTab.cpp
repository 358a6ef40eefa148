#include "ui/prefs/SyncTab.h"

#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "platform/UbiquitousKeyValueStore.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"
#include "ui/prefs/PageLayout.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

SyncTab::SyncTab(const PreferenceContext& context, std::function<void()> refreshWindows,
                 QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_refreshWindows(std::move(refreshWindows))
    , m_table(new QTreeWidget(this))
    , m_saveButton(new QPushButton(tr("Save Current Preferences"), this))
    , m_loadButton(new QPushButton(tr("Load…"), this))
    , m_deleteButton(new QPushButton(tr("Delete"), this))
    , m_folderButton(new QPushButton(tr("Choose…"), this))
    , m_folderLabel(new QLabel(this))
    , m_report(new QLabel(this))
{
    setObjectName(QStringLiteral("syncTab"));
    m_table->setAccessibleName(tr("Saved Sets"));
    m_table->setColumnCount(2);
    m_table->setHeaderLabels({tr("Device"), tr("Date")});
    m_table->setRootIsDecorated(false);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_table->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    m_folderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_folderLabel->setWordWrap(true);
    m_report->setWordWrap(true);
    auto* about = new QLabel(tr("Sets are kept in one file in the sync folder. Point it at a "
                                "folder that Nextcloud, Syncthing or another file-sync service "
                                "carries, and load a set saved on another computer."),
                             this);
    about->setWordWrap(true);
    about->setEnabled(false);

    auto* folder = new QHBoxLayout;
    folder->addWidget(new QLabel(PageLayout::fieldLabel(tr("Sync Folder")), this));
    folder->addWidget(m_folderLabel, 1);
    folder->addWidget(m_folderButton);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_saveButton);
    buttons->addStretch(1);
    buttons->addWidget(m_deleteButton);
    buttons->addWidget(m_loadButton);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(folder);
    column->addWidget(m_table, 1);
    column->addLayout(buttons);
    column->addWidget(m_report);
    column->addWidget(about);

    connect(m_saveButton, &QPushButton::clicked, this, &SyncTab::addSyncPreferences);
    connect(m_deleteButton, &QPushButton::clicked, this, &SyncTab::deleteSyncPreferences);
    connect(m_loadButton, &QPushButton::clicked, this,
            [this] { loadSyncPreferences(selectedRow()); });
    connect(m_folderButton, &QPushButton::clicked, this, &SyncTab::chooseSyncFolder);
    connect(m_table, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        loadSyncPreferences(m_table->indexOfTopLevelItem(item));
    });
    connect(m_table, &QTreeWidget::itemSelectionChanged, this, &SyncTab::changeControlEnableStatus);
    connect(&context.defaults, &UserDefaults::changed, this, [this](const QString& key) {
        if (key == PrefKey::syncFolder && (!m_cloud || m_cloud->folder() != syncFolder()))
            openStore();
    });
    openStore();
}

SyncTab::~SyncTab() = default;

QString SyncTab::syncFolder() const
{
    const QString fromEnvironment = qEnvironmentVariable("VELMORAN_SYNC_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QString chosen = m_context.defaults.stringForKey(PrefKey::syncFolder);
    return chosen.isEmpty() ? UbiquitousKeyValueStore::defaultFolder() : chosen;
}

void SyncTab::openStore()
{
    m_sync.reset();
    m_cloud = std::make_unique<UbiquitousKeyValueStore>(syncFolder());
    DataManager& manager = m_context.manager;
    m_sync = std::make_unique<PreferenceSync>(
        m_context.defaults, UserDefaults::suite(PrefKey::suiteName), *m_cloud,
        manager.lists().listDirectory(), m_context.modeManager, manager.clock(), [this] {
            // A loaded set may bring another list order; the task lists sort by it.
            m_context.manager.lists().resetSortDescriptors();
            QTimer::singleShot(kRefreshDelayMs, this, [this] {
                if (m_refreshWindows)
                    m_refreshWindows();
                Q_EMIT preferencesLoaded();
            });
        });
    connect(m_sync.get(), &PreferenceSync::syncedPreferenceSetsChanged, this,
            &SyncTab::setupSyncPreferences);
    m_folderLabel->setText(QDir::toNativeSeparators(m_cloud->folder()));
    m_folderButton->setEnabled(qEnvironmentVariableIsEmpty("VELMORAN_SYNC_DIR"));
    m_folderButton->setToolTip(m_folderButton->isEnabled()
                                   ? QString()
                                   : tr("VELMORAN_SYNC_DIR names the folder for this run"));
    m_report->clear();
    setupSyncPreferences();
}

void SyncTab::setupSyncPreferences()
{
    const int selected = selectedRow();
    m_sets = m_sync->syncedPreferenceSets();
    m_table->clear();
    const DateFormatter& format = m_context.manager.formatters().dateTimeFormatter();
    for (const SyncedPreferenceSet& set : m_sets) {
        auto* item = new QTreeWidgetItem(m_table);
        item->setText(0, set.device.isEmpty() ? tr("Unknown device") : set.device);
        item->setText(1, set.date.isValid() ? format.stringFromDate(set.date) : QString());
    }
    if (selected >= 0 && selected < m_sets.size())
        m_table->setCurrentItem(m_table->topLevelItem(selected));
    changeControlEnableStatus();
}

void SyncTab::addSyncPreferences()
{
    m_sync->uploadPreferences();
    m_table->setCurrentItem(m_table->topLevelItem(0));
}

void SyncTab::deleteSyncPreferences()
{
    const int row = selectedRow();
    if (row < 0 || row >= m_sets.size())
        return;
    // Removed from the file as it is now: sets other machines added meanwhile stay.
    m_sync->removeSyncedPreferenceSet(m_sets.at(row).values);
    m_table->clearSelection();
    setupSyncPreferences();
}

void SyncTab::loadSyncPreferences(int row)
{
    if (row < 0 || row >= m_sets.size())
        return;
    const SyncedPreferenceSet set = m_sets.at(row);
    PreferenceRelays::Alert alert;
    alert.message = tr("Are you sure you want to change preferences to this one?");
    alert.informativeText = tr("%1 - %2").arg(
        set.device,
        set.date.isValid()
            ? m_context.manager.formatters().dateTimeFormatter().stringFromDate(set.date)
            : QString());
    alert.actionTitle = tr("Yes");
    if (!m_context.relays.confirm || !m_context.relays.confirm(window(), alert))
        return;
    m_missing =
        PreferenceSync::missingListTitles(set.values, m_context.manager.lists().listDirectory());
    m_report->setText(
        m_missing.isEmpty()
            ? tr("Loaded the preferences saved on %1.").arg(set.device)
            : tr("Loaded the preferences saved on %1. Not found here, so left out: %2.")
                  .arg(set.device, m_missing.join(QStringLiteral(", "))));
    m_sync->loadPreferencesWithDict(set.values);
}

void SyncTab::chooseSyncFolder()
{
    if (!m_context.relays.chooseFolder)
        return;
    const QString folder = m_context.relays.chooseFolder(window(), tr("Choose the Sync Folder"));
    if (folder.isEmpty())
        return;
    m_context.defaults.setString(QDir::cleanPath(folder), PrefKey::syncFolder);
    m_context.defaults.synchronize();
    if (m_cloud->folder() != syncFolder())
        openStore();
}

void SyncTab::changeControlEnableStatus()
{
    const bool selected = selectedRow() >= 0;
    m_deleteButton->setEnabled(selected);
    m_loadButton->setEnabled(selected);
}

int SyncTab::selectedRow() const
{
    const QList<QTreeWidgetItem*> items = m_table->selectedItems();
    return items.isEmpty() ? -1 : m_table->indexOfTopLevelItem(items.first());
}
