#include "ui/prefs/SmartAddTab.h"

#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "entry/RepeatPhraseStage.h"
#include "entry/SmartAddPreview.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"
#include "ui/prefs/PreferenceBinder.h"
#include "ui/prefs/SmartAddRuleSheet.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kPreviewDelayMs = 120;

QStringList switchTitles()
{
    const auto title = [](const QString& kind, const QString& example) {
        return SmartAddTab::tr("%1: %2").arg(kind, example);
    };
    return {
        title(SmartAddTab::tr("Due Date (M/dd)"), QStringLiteral("3/27, 12/1, 5/30, 10/22, ..")),
        title(SmartAddTab::tr("Due Date (dd/M)"), QStringLiteral("27/3, 1/12, 30/5, 22/10, ..")),
        title(SmartAddTab::tr("Due Time (24-hour)"), QStringLiteral("8:00, 14:20, 19:30, ..")),
        title(SmartAddTab::tr("Due Time (a/p)"), QStringLiteral("8:00a, 2:20p, 7:30p, ..")),
        title(SmartAddTab::tr("Due Time (hour)"), QStringLiteral("8, 14, 22, ..")),
        title(SmartAddTab::tr("Due Time (hour a/p)"), QStringLiteral("8a, 2p, 10p, ..")),
        title(SmartAddTab::tr("List"), QStringLiteral("/Velmoran, /V, /R, /Re, /Reminders..")),
        title(SmartAddTab::tr("Priority"), QStringLiteral("!, !!, !!!")),
        title(SmartAddTab::tr("Due Time (am/pm)"), QStringLiteral("8:00am, 2:20pm, 7:30pm, ..")),
        title(SmartAddTab::tr("Due Time (hour am/pm)"), QStringLiteral("8am, 2pm, 10pm, ..")),
        //: The examples are German dates; keep them as they are.
        title(SmartAddTab::tr("Due Date (d.M.)"), QStringLiteral("24.12., 1.3., ..")),
        //: The examples are German times; keep them as they are.
        title(SmartAddTab::tr("Due Time (German)"),
              QStringLiteral("um 9, 9 Uhr, um 14:30 Uhr, 14:30, ..")),
        //: The examples are French times; keep them as they are.
        title(SmartAddTab::tr("Due Time (French)"), QStringLiteral("à 9h, 9h, 14h30, à 14:30, ..")),
    };
}

QString priorityText(std::optional<int> priority)
{
    switch (priority.value_or(0)) {
    case 1:
        return SmartAddTab::tr("High");
    case 2:
        return SmartAddTab::tr("Medium");
    case 3:
        return SmartAddTab::tr("Low");
    default:
        return SmartAddTab::tr("None");
    }
}

} // namespace

SmartAddTab::SmartAddTab(const PreferenceContext& context, std::function<void()> blockRefresh,
                         QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_blockRefresh(std::move(blockRefresh))
    , m_master(new QCheckBox(tr("Smart Add"), this))
    , m_rulesArea(new QWidget(this))
    , m_switchTable(new QListWidget(m_rulesArea))
    , m_ruleTable(new QTreeWidget(m_rulesArea))
    , m_addButton(new QToolButton(m_rulesArea))
    , m_deleteButton(new QToolButton(m_rulesArea))
    , m_repeats(new QCheckBox(tr("Read repeats (“every Monday”)"), m_rulesArea))
    , m_sample(new QLineEdit(this))
    , m_preview(new QLabel(this))
{
    setObjectName(QStringLiteral("smartAddTab"));
    for (const QString& title : switchTitles()) {
        auto* item = new QListWidgetItem(title, m_switchTable);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    m_switchTable->setAccessibleName(tr("What Smart Add Reads"));
    m_switchTable->setSelectionMode(QAbstractItemView::NoSelection);
    m_ruleTable->setAccessibleName(tr("Word Rules"));
    m_sample->setAccessibleName(tr("Sample Line"));
    m_ruleTable->setColumnCount(2);
    m_ruleTable->setHeaderLabels({tr("Word"), tr("Sets")});
    m_ruleTable->setRootIsDecorated(false);
    m_ruleTable->setUniformRowHeights(true);
    m_ruleTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_ruleTable->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_addButton->setText(QStringLiteral("+"));
    m_addButton->setToolTip(tr("Add a word rule"));
    m_addButton->setAccessibleName(m_addButton->toolTip());
    m_deleteButton->setText(QStringLiteral("−"));
    m_deleteButton->setToolTip(tr("Delete the selected word rule"));
    m_deleteButton->setAccessibleName(m_deleteButton->toolTip());
    m_sample->setPlaceholderText(tr("Try a line, e.g. !! Call Anna tomorrow 3p"));
    m_sample->setClearButtonEnabled(true);
    m_preview->setWordWrap(true);
    m_preview->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* tables = new QHBoxLayout;
    tables->addWidget(m_switchTable, 1);
    auto* rules = new QVBoxLayout;
    rules->addWidget(m_ruleTable, 1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(0);
    buttons->addWidget(m_addButton);
    buttons->addWidget(m_deleteButton);
    buttons->addStretch(1);
    rules->addLayout(buttons);
    tables->addLayout(rules, 1);
    auto* area = new QVBoxLayout(m_rulesArea);
    area->setContentsMargins(0, 0, 0, 0);
    area->addLayout(tables);
    area->addWidget(m_repeats);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_master);
    column->addWidget(m_rulesArea, 1);
    column->addWidget(m_sample);
    column->addWidget(m_preview);

    context.binder.bindSwitch(m_master, PrefKey::smartAdd, [this] { smartAddOnOffChecked(); });
    context.binder.bindSwitch(m_repeats, PrefKey::smartAddRepeats, [this] { updatePreview(); });
    connect(m_switchTable, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const int index = m_switchTable->row(item);
        const bool shown = m_settings.switches[size_t(index)];
        if ((item->checkState() == Qt::Checked) != shown)
            checkSmartAdd(index);
    });
    connect(m_ruleTable, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        doubleClickSmartAdd(m_ruleTable->indexOfTopLevelItem(item));
    });
    connect(m_ruleTable, &QTreeWidget::itemSelectionChanged, this,
            &SmartAddTab::changeControlEnableStatus);
    connect(m_addButton, &QToolButton::clicked, this, &SmartAddTab::addSmartAdd);
    connect(m_deleteButton, &QToolButton::clicked, this, &SmartAddTab::deleteSmartAdd);
    m_previewDelay.setSingleShot(true);
    m_previewDelay.setInterval(kPreviewDelayMs);
    connect(&m_previewDelay, &QTimer::timeout, this, &SmartAddTab::updatePreview);
    connect(m_sample, &QLineEdit::textChanged, this, [this] { m_previewDelay.start(); });
    connect(&context.defaults, &UserDefaults::changed, this, [this](const QString& key) {
        if (!m_writing && key == PrefKey::smartAddRules)
            setupSmartAdd();
    });
    setupSmartAdd();
    smartAddOnOffChecked();
}

SmartAddRuleSheet* SmartAddTab::ruleSheet() const
{
    return m_sheet;
}

void SmartAddTab::setupSmartAdd()
{
    const QVariantList stored = m_context.defaults.arrayForKey(PrefKey::smartAddRules);
    m_settings = SmartAddSettings::fromStored(stored);
    m_storedIndexOfRow.clear();
    // Where each of the user's records stands in the stored array, for editing it in place.
    qsizetype custom = 0;
    for (qsizetype index = 0; index < stored.size() && custom < m_settings.customRecords.size();
         ++index) {
        if (stored.at(index) == m_settings.customRecords.at(custom)) {
            m_storedIndexOfRow << index;
            ++custom;
        }
    }
    reloadSwitches();
    reloadRules();
    updatePreview();
}

void SmartAddTab::reloadSwitches()
{
    const QSignalBlocker block(m_switchTable);
    for (int index = 0; index < SmartAddSettings::kSwitchCount; ++index)
        m_switchTable->item(index)->setCheckState(
            m_settings.switches[size_t(index)] ? Qt::Checked : Qt::Unchecked);
}

void SmartAddTab::reloadRules()
{
    const int selected = m_ruleTable->indexOfTopLevelItem(m_ruleTable->currentItem());
    m_ruleTable->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(m_settings.customRecords.size());
    for (const QVariant& record : m_settings.customRecords) {
        auto* item = new QTreeWidgetItem;
        if (SmartAddSettings::isEditable(record)) {
            const SmartAddRule rule = SmartAddRule::fromVariant(record);
            item->setText(0, rule.word);
            item->setText(1, SmartAddRuleChoice::describe(rule));
        } else {
            // Kept as it was stored (a newer version's rule, or a damaged one): shown greyed,
            // never edited, written back unchanged; it can still be deleted.
            const QVariant word = record.toMap().value(QStringLiteral("word"));
            item->setText(0, word.typeId() == QMetaType::QString ? word.toString()
                                                                 : QStringLiteral("?"));
            item->setText(1, tr("Not understood by this version; kept as stored"));
            const QBrush grey = palette().brush(QPalette::Disabled, QPalette::Text);
            item->setForeground(0, grey);
            item->setForeground(1, grey);
        }
        items << item;
    }
    m_ruleTable->addTopLevelItems(items);
    if (selected >= 0 && selected < items.size())
        m_ruleTable->setCurrentItem(items.at(selected));
    changeControlEnableStatus();
}

void SmartAddTab::smartAddOnOffChecked()
{
    m_rulesArea->setVisible(m_context.defaults.boolForKey(PrefKey::smartAdd));
    updatePreview();
}

void SmartAddTab::checkSmartAdd(int index)
{
    m_settings.toggleSwitch(index);
    saveSmartAdd();
    setupSmartAdd();
}

void SmartAddTab::saveSmartAdd()
{
    if (!m_context.defaults.boolForKey(PrefKey::smartAdd))
        return;
    m_writing = true;
    m_context.defaults.setObject(m_settings.toStored(), PrefKey::smartAddRules);
    m_context.defaults.synchronize();
    m_writing = false;
}

void SmartAddTab::addSmartAdd()
{
    openSheet(-1);
}

void SmartAddTab::doubleClickSmartAdd(int row)
{
    if (row < 0 || row >= m_settings.customRecords.size() ||
        !SmartAddSettings::isEditable(m_settings.customRecords.at(row)))
        return;
    openSheet(m_storedIndexOfRow.value(row, -1));
}

void SmartAddTab::openSheet(qsizetype editing)
{
    if (m_blockRefresh)
        m_blockRefresh();
    if (!m_sheet) {
        m_sheet = new SmartAddRuleSheet(window());
        m_sheet->setWindowModality(Qt::WindowModal);
        // The sheet stays open while its word is refused, so the user can change it.
        connect(m_sheet, &SmartAddRuleSheet::doneRequested, this, [this] {
            if (addSmartAddDone())
                m_sheet->accept();
        });
    }
    m_editing = editing;
    const QVariantList stored = m_context.defaults.arrayForKey(PrefKey::smartAddRules);
    if (editing >= 0 && editing < stored.size())
        m_sheet->setupEdit(SmartAddRule::fromVariant(stored.at(editing)));
    else
        m_sheet->setupNew();
    m_sheet->open();
}

bool SmartAddTab::addSmartAddDone()
{
    if (!m_sheet)
        return false;
    m_sheet->normaliseNumber();
    const QString word = m_sheet->word();
    const QVariantList stored = m_context.defaults.arrayForKey(PrefKey::smartAddRules);
    const SmartAddWordProblem problem = checkSmartAddWord(word, stored, m_editing);
    if (problem != SmartAddWordProblem::None) {
        PreferenceRelays::Alert alert;
        if (problem == SmartAddWordProblem::Empty) {
            alert.message = tr("Type in a word to trigger this rule");
            alert.informativeText = tr("A rule needs a word that is more than spaces.");
        } else {
            alert.message = tr("\"%1\" already triggers a rule").arg(word);
            alert.informativeText = tr("Change that rule, or choose another word.");
        }
        if (m_context.relays.inform)
            m_context.relays.inform(m_sheet, alert);
        return false;
    }
    m_writing = true;
    m_context.defaults.setObject(
        storeSmartAddRule(stored, m_sheet->choice().ruleWithWord(word), m_editing),
        PrefKey::smartAddRules);
    m_context.defaults.synchronize();
    m_writing = false;
    m_editing = -1;
    setupSmartAdd();
    return true;
}

void SmartAddTab::deleteSmartAdd()
{
    const int row = m_ruleTable->indexOfTopLevelItem(m_ruleTable->currentItem());
    if (row < 0 || row >= m_settings.customRecords.size())
        return;
    m_settings.customRecords.removeAt(row);
    m_writing = true;
    // Written even while Smart Add is off: a deletion is the user's clear wish.
    m_context.defaults.setObject(m_settings.toStored(), PrefKey::smartAddRules);
    m_context.defaults.synchronize();
    m_writing = false;
    setupSmartAdd();
}

void SmartAddTab::changeControlEnableStatus()
{
    const int row = m_ruleTable->indexOfTopLevelItem(m_ruleTable->currentItem());
    m_deleteButton->setEnabled(row >= 0 && m_ruleTable->currentItem()->isSelected());
}

void SmartAddTab::updatePreview()
{
    m_previewDelay.stop();
    const QString line = m_sample->text();
    if (line.trimmed().isEmpty()) {
        m_preview->setText(tr("Type a line above to see what Smart Add makes of it."));
        return;
    }
    const SmartAddPreview preview = SmartAddPreview::ofLine(m_context.manager.smartAdd(), line);
    if (!preview.accepted) {
        m_preview->setText(tr("Nothing would be added: no title is left."));
        return;
    }
    QStringList parts{tr("Title: %1").arg(preview.title)};
    const QLocale locale;
    if (preview.dueDate.isValid()) {
        const QTime time = preview.dueDate.time();
        const QString date = locale.toString(preview.dueDate.date(), QLocale::LongFormat);
        parts << (time == QTime(0, 0)
                      ? tr("Due: %1").arg(date)
                      : tr("Due: %1 at %2").arg(date, locale.toString(time, QLocale::ShortFormat)));
    } else {
        parts << tr("Due: none");
    }
    parts << tr("Priority: %1").arg(priorityText(preview.priority));
    if (!preview.listName.isEmpty()) {
        const store::CalendarPtr list =
            m_context.manager.lists().calendarFromNameOnlyFromSelectedCalendars(preview.listName);
        parts << (list ? tr("List: %1").arg(list->title)
                       : tr("List: \"%1\" matches no shown list").arg(preview.listName));
    }
    if (preview.repeat)
        parts << tr("Repeats: %1").arg(RepeatPhraseStage::describe(*preview.repeat));
    parts << (preview.alarm ? tr("Alarm: on") : tr("Alarm: off"));
    m_preview->setText(parts.join(QStringLiteral(" · ")));
}
