#pragma once

#include "prefs/PreferenceSync.h"
#include "ui/prefs/PreferenceContext.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QTreeWidget;
class UbiquitousKeyValueStore;

// The "Sync Preferences" tab: the preference sets saved in the sync folder (device and date),
// saving the current preferences as a new set, loading one after the user confirms, deleting
// one, and choosing the sync folder ("syncFolder") that a file-sync service carries between
// machines. It owns the synced store of the chosen folder.
class SyncTab : public QWidget
{
    Q_OBJECT

public:
    // The delay after a load before the windows re-read the new preferences.
    static constexpr int kRefreshDelayMs = 200;

    // `refreshWindows` redraws the preferences window and the main window from the loaded set.
    SyncTab(const PreferenceContext& context, std::function<void()> refreshWindows,
            QWidget* parent = nullptr);
    ~SyncTab() override;

    // The folder in use: $VELMORAN_SYNC_DIR, else "syncFolder", else the default folder.
    QString syncFolder() const;
    void setupSyncPreferences();
    void addSyncPreferences();
    void deleteSyncPreferences();
    // Asks, then loads the set of `row`.
    void loadSyncPreferences(int row);
    void chooseSyncFolder();

    const QList<SyncedPreferenceSet>& sets() const { return m_sets; }
    QTreeWidget* table() const { return m_table; }
    QPushButton* saveButton() const { return m_saveButton; }
    QPushButton* loadButton() const { return m_loadButton; }
    QPushButton* deleteButton() const { return m_deleteButton; }
    QPushButton* folderButton() const { return m_folderButton; }
    QLabel* folderLabel() const { return m_folderLabel; }
    QLabel* reportLabel() const { return m_report; }
    PreferenceSync& preferenceSync() const { return *m_sync; }

Q_SIGNALS:
    // A loaded set has been applied and the windows were asked to redraw.
    void preferencesLoaded();

private:
    void openStore();
    void changeControlEnableStatus();
    int selectedRow() const;

    PreferenceContext m_context;
    std::function<void()> m_refreshWindows;
    std::unique_ptr<UbiquitousKeyValueStore> m_cloud;
    std::unique_ptr<PreferenceSync> m_sync;
    QList<SyncedPreferenceSet> m_sets;
    QStringList m_missing;
    QTreeWidget* m_table;
    QPushButton* m_saveButton;
    QPushButton* m_loadButton;
    QPushButton* m_deleteButton;
    QPushButton* m_folderButton;
    QLabel* m_folderLabel;
    QLabel* m_report;
};
