#include "AdvancedScreenshots.h"
#include "KeptPreferences.h"
#include "ScreenshotFiles.h"

#include "data/DataManager.h"
#include "platform/UserDefaults.h"
#include "platform/UserNotificationCenter.h"
#include "prefs/PreferenceKeys.h"
#include "ui/prefs/AdvancedPage.h"
#include "ui/prefs/PreferenceObject.h"
#include "ui/prefs/PreferenceWindowController.h"
#include "ui/prefs/QuickActionSheet.h"
#include "ui/prefs/QuickActionsTab.h"
#include "ui/prefs/SmartAddRuleSheet.h"
#include "ui/prefs/SmartAddTab.h"
#include "ui/prefs/SyncTab.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

namespace {

bool write(QWidget* window, const QString& path)
{
    return ScreenshotFiles::writeWindow(window, path, 400);
}

QVariantMap rule(const QString& word, const QString& result, const QString& unit = {})
{
    QVariantMap map{{"type", 0}, {"word", word}, {"result", result}};
    map.insert("resultType", unit.isEmpty() ? 1 : 2);
    if (!unit.isEmpty())
        map.insert("resultUnit", unit);
    return map;
}

} // namespace

int saveAdvancedPage(DataManager& manager, ModeManager& modes, const QString& output,
                     const QString& suffix)
{
    UserDefaults& defaults = manager.defaults();
    const KeptPreferences kept(defaults, {PrefKey::listNavArray, PrefKey::smartAddRules});

    QVariantList nav = defaults.arrayForKey(PrefKey::listNavArray);
    nav << QVariantMap{{"type", 8}, {"tag", "home"}}
        << QVariantMap{{"type", 9},
                       {"tag", "Urgent everywhere"},
                       {"lists", QVariantList{}},
                       {"priorities", QVariantList{0}}}
        << QVariantMap{{"type", 15}, {"tag", "invoice"}};
    defaults.setObject(nav, PrefKey::listNavArray);
    QVariantList rules = defaults.arrayForKey(PrefKey::smartAddRules);
    rules << rule("fortnight", "+14", "Day") << rule("standup", "09:15")
          << QVariantMap{{"type", 0}, {"resultType", 9}, {"word", "payday"}, {"result", "fri"}};
    defaults.setObject(rules, PrefKey::smartAddRules);

    int failures = 0;
    {
        PreferenceObject object(manager, modes, defaults,
                                UserNotificationCenter::defaultUserNotificationCenter(), {});
        PreferenceWindowController window(&object);
        window.setPalette(object.palette());
        window.show();
        window.selectPanelAtIndex(PreferenceObject::Advanced);
        AdvancedPage* page = object.advancedPage();
        if (page->syncTab()->sets().isEmpty())
            page->syncTab()->addSyncPreferences();
        page->smartAddTab()->sampleField()->setText("!! Call Anna fortnight 3p /Work");
        page->smartAddTab()->updatePreview();
        const QStringList names{"smart-list", "quick-actions", "smart-add", "sync"};
        for (int tab = 0; tab < AdvancedPage::TabCount; ++tab) {
            page->smartTabTapped(tab);
            failures +=
                !write(&window, output + "/prefs-advanced-" + names.at(tab) + suffix + ".png");
        }

        page->smartTabTapped(AdvancedPage::SmartAddTabIndex);
        QTreeWidget* table = page->smartAddTab()->ruleTable();
        page->smartAddTab()->doubleClickSmartAdd(table->topLevelItemCount() - 3);
        if (SmartAddRuleSheet* sheet = page->smartAddTab()->ruleSheet()) {
            sheet->setPalette(object.palette());
            failures += !write(sheet, output + "/prefs-smart-add-rule" + suffix + ".png");
            sheet->reject();
        }

        page->smartTabTapped(AdvancedPage::QuickActionsTabIndex);
        page->quickActionsTab()->addQuickActions();
        if (QuickActionSheet* sheet = page->quickActionsTab()->sheet()) {
            sheet->setPalette(object.palette());
            sheet->kindChooser()->setCurrentIndex(QuickActionSheet::Switch);
            sheet->switchField(0)->setText("#high");
            sheet->switchField(1)->setText("#mid");
            sheet->switchField(2)->setText("#low");
            failures += !write(sheet, output + "/prefs-quick-action" + suffix + ".png");
            sheet->reject();
        }
    }

    return failures;
}
