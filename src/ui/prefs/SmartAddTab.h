#pragma once

#include "entry/SmartAddSettings.h"
#include "ui/prefs/PreferenceContext.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QToolButton;
class QTreeWidget;
class SmartAddRuleSheet;

// The "Smart Add" tab: the master switch, ten switches for the built-in rules, the user's word
// rules with their sheet, and a sample line showing what the stored rules make of it. Every
// change is written to "smartAddRules" at once, so the quick-add window and the command line
// use it on their next line.
class SmartAddTab : public QWidget
{
    Q_OBJECT

public:
    SmartAddTab(const PreferenceContext& context, std::function<void()> blockRefresh,
                QWidget* parent = nullptr);

    // Reads "smartAddRules" afresh.
    void setupSmartAdd();
    void checkSmartAdd(int index);
    void addSmartAdd();
    // A row of the user's rules; a record the sheet cannot edit opens nothing.
    void doubleClickSmartAdd(int row);
    // Stores the sheet's rule; false (the sheet stays open) when its word is refused.
    bool addSmartAddDone();
    void deleteSmartAdd();
    void updatePreview();

    const SmartAddSettings& settings() const { return m_settings; }
    QCheckBox* masterSwitch() const { return m_master; }
    QCheckBox* repeatsSwitch() const { return m_repeats; }
    QListWidget* switchTable() const { return m_switchTable; }
    QTreeWidget* ruleTable() const { return m_ruleTable; }
    QToolButton* addButton() const { return m_addButton; }
    QToolButton* deleteButton() const { return m_deleteButton; }
    QLineEdit* sampleField() const { return m_sample; }
    QLabel* previewLabel() const { return m_preview; }
    SmartAddRuleSheet* ruleSheet() const;

private:
    void saveSmartAdd();
    void smartAddOnOffChecked();
    void reloadSwitches();
    void reloadRules();
    void changeControlEnableStatus();
    void openSheet(qsizetype editing);

    PreferenceContext m_context;
    std::function<void()> m_blockRefresh;
    SmartAddSettings m_settings;
    // Index in the stored array of each row of the rule table.
    QList<qsizetype> m_storedIndexOfRow;
    qsizetype m_editing = -1;
    QCheckBox* m_master;
    QWidget* m_rulesArea;
    QListWidget* m_switchTable;
    QTreeWidget* m_ruleTable;
    QToolButton* m_addButton;
    QToolButton* m_deleteButton;
    QCheckBox* m_repeats;
    QLineEdit* m_sample;
    QLabel* m_preview;
    QPointer<SmartAddRuleSheet> m_sheet;
    QTimer m_previewDelay;
    bool m_writing = false;
};
