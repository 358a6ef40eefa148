#include "ui/prefs/NewTaskPage.h"

#include "data/ListChoice.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"
#include "ui/common/AlertLabel.h"
#include "ui/common/CollectionColors.h"
#include "ui/common/ExplanationLabel.h"
#include "ui/common/TintedIcon.h"
#include "ui/prefs/OnOffButton.h"
#include "ui/prefs/PageLayout.h"
#include "ui/prefs/PreferenceBinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QVBoxLayout>

using PageLayout::fieldLabel;

NewTaskPage::NewTaskPage(const PreferenceContext& context, const ListChoice& choice,
                         QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_choice(choice)
    , m_defaultList(new QComboBox)
    , m_alarm(new OnOffButton)
    , m_alarmTime(new QTimeEdit)
    , m_noTime(new QCheckBox(tr("No Time")))
{
    setObjectName(QStringLiteral("myNewTaskPanel"));
    QFormLayout* form = PageLayout::newForm(this);
    m_defaultList->setMinimumWidth(200);
    form->addRow(fieldLabel(tr("Default List")), m_defaultList);
    connect(m_defaultList, &QComboBox::activated, this, &NewTaskPage::defaultListChanged);

    auto* alarm = new QHBoxLayout;
    alarm->addWidget(m_alarm);
    alarm->addWidget(m_alarmTime);
    alarm->addStretch();
    form->addRow(fieldLabel(tr("Alarm")), alarm);
    // The switch is named by the row's label, the time beside it by what it sets.
    if (auto* label = qobject_cast<QLabel*>(form->labelForField(alarm)))
        label->setBuddy(m_alarm);
    m_alarmTime->setAccessibleName(tr("Alarm Time"));
    context.binder.bindSwitch(m_alarm, PrefKey::alarmOn);
    context.binder.bindTime(m_alarmTime, PrefKey::alarmTime);

    form->addRow(fieldLabel(tr("Preset Time")), m_noTime);
    context.binder.bindSwitch(m_noTime, PrefKey::noDueTime);

    // Two labels rather than one text in two colours: each takes its colour from the window's
    // palette, by day and by night.
    auto* description = new QVBoxLayout;
    description->setSpacing(fontMetrics().height());
    description->addWidget(new ExplanationLabel(
        tr("'No Time' is for due date only. If alarm is turned on, it'll follow preset time.")));
    auto* recurring =
        new AlertLabel(tr("If you set 'No Time' with alarm on RECURRING tasks, alarm will change "
                          "to 12AM on next task if it's completed on other devices."));
    recurring->setWordWrap(true);
    description->addWidget(recurring);
    form->addRow(QString(), description);

    connect(&context.defaults, &UserDefaults::changed, this, [this](const QString& key) {
        if (key == PrefKey::defaultList)
            resetDefaultListItems();
    });
}

void NewTaskPage::resetDefaultListItems()
{
    const QSignalBlocker blocker(m_defaultList);
    m_defaultList->clear();
    const QString stored = m_context.defaults.stringForKey(PrefKey::defaultList);
    for (const store::CalendarPtr& list : m_choice.shownLists()) {
        m_defaultList->addItem(TintedIcon::icon(QStringLiteral("MenuItemDot"), qColor(list->color)),
                               list->title, list->calendarIdentifier);
        if (list->calendarIdentifier == stored)
            m_defaultList->setCurrentIndex(m_defaultList->count() - 1);
    }
    // A default that is no longer shown (hidden, deleted, or a stored value of the wrong
    // kind) shows the first list, which a write then stores.
    if (m_defaultList->findData(stored) < 0 && m_defaultList->count() > 0)
        m_defaultList->setCurrentIndex(0);
}

void NewTaskPage::defaultListChanged()
{
    const QString identifier = m_defaultList->currentData().toString();
    if (!identifier.isEmpty() &&
        identifier != m_context.defaults.objectForKey(PrefKey::defaultList))
        m_context.defaults.setString(identifier, PrefKey::defaultList);
}
