#include "ui/prefs/FiltersPage.h"

#include "data/DataManager.h"
#include "platform/UserDefaults.h"
#include "prefs/DefaultPreferences.h"
#include "prefs/PreferenceKeys.h"
#include "ui/prefs/PageLayout.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

// The entry each box stands for, in the order of the boxes.
constexpr std::array<QLatin1StringView, 9> kEntries{
    PrefKey::Filter::dayUndated,   PrefKey::Filter::dayCompleted,   PrefKey::Filter::dayEvents,
    PrefKey::Filter::weekUndated,  PrefKey::Filter::weekCompleted,  PrefKey::Filter::weekEvents,
    PrefKey::Filter::monthUndated, PrefKey::Filter::monthCompleted, PrefKey::Filter::monthEvents,
};

} // namespace

FiltersPage::FiltersPage(const PreferenceContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("filtersPanel"));
    QFormLayout* form = PageLayout::newForm(this);
    const QStringList rows{tr("Visible on Day View"), tr("Visible on Week View"),
                           tr("Visible on Month View")};
    for (int view = 0; view < 3; ++view) {
        auto* column = new QVBoxLayout;
        for (const QString& title : {tr("Undated Tasks"), tr("Completed Tasks on previous dates"),
                                     tr("Calendar Events")}) {
            auto* box = new QCheckBox(title);
            m_boxes[column->count() + view * 3] = box;
            column->addWidget(box);
            connect(box, &QCheckBox::toggled, this, &FiltersPage::resetFilter);
        }
        form->addRow(PageLayout::fieldLabel(rows.at(view)), column);
    }
    connect(&context.defaults, &UserDefaults::changed, this, [this](const QString& key) {
        if (key == PrefKey::filters)
            setupFilters();
    });
    setupFilters();
}

void FiltersPage::setupFilters()
{
    QVariantMap filters = m_context.defaults.dictionaryForKey(PrefKey::filters);
    const QVariantMap fallback = defaultFilters();
    for (size_t index = 0; index < kEntries.size(); ++index) {
        const QString entry(kEntries.at(index));
        // An entry that is missing or not a boolean shows its default.
        const QVariant value = filters.value(entry);
        const bool on = UserDefaults::isNumber(value)
                            ? UserDefaults::boolValue(value)
                            : UserDefaults::boolValue(fallback.value(entry));
        const QSignalBlocker blocker(m_boxes.at(index));
        m_boxes.at(index)->setChecked(on);
    }
}

void FiltersPage::resetFilter()
{
    QVariantMap filters{{PrefKey::Filter::listAll, true},
                        {PrefKey::Filter::listUndated, true},
                        {PrefKey::Filter::listRecurring, true}};
    for (size_t index = 0; index < kEntries.size(); ++index)
        filters.insert(QString(kEntries.at(index)), m_boxes.at(index)->isChecked());
    m_context.defaults.setObject(filters, PrefKey::filters);
    m_context.manager.refreshRemindersArray();
}
