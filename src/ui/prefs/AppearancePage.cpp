#include "ui/prefs/AppearancePage.h"

#include "data/DataManager.h"
#include "platform/UserDefaults.h"
#include "prefs/ModeManager.h"
#include "prefs/NightModeSchedule.h"
#include "prefs/PreferenceKeys.h"
#include "ui/common/ExplanationLabel.h"
#include "ui/prefs/PageLayout.h"
#include "ui/prefs/PreferenceBinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimeEdit>

using PageLayout::fieldLabel;

AppearancePage::AppearancePage(const PreferenceContext& context, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_font(new QComboBox)
    , m_fontSize(new QComboBox)
    , m_manual(new QCheckBox(tr("Manual")))
    , m_scheduled(new QCheckBox(tr("Scheduled")))
    , m_from(new QTimeEdit)
    , m_to(new QTimeEdit)
{
    setObjectName(QStringLiteral("appearancePanel"));
    QFormLayout* form = PageLayout::newForm(this);
    m_font->addItems({tr("Default"), QStringLiteral("Helvetica Neue Light"),
                      QStringLiteral("Avenir"), QStringLiteral("Arial")});
    m_fontSize->addItems({tr("Default"), tr("Large"), tr("Huge")});
    form->addRow(fieldLabel(tr("Font")), m_font);
    form->addRow(fieldLabel(tr("Font Size")), m_fontSize);
    form->addRow(fieldLabel(tr("Night Mode")), m_manual);
    form->addRow(QString(), m_scheduled);
    auto* times = new QHBoxLayout;
    auto* from = new QLabel(fieldLabel(tr("From")));
    from->setBuddy(m_from);
    times->addWidget(from);
    times->addWidget(m_from);
    times->addSpacing(12);
    auto* to = new QLabel(fieldLabel(tr("To")));
    to->setBuddy(m_to);
    times->addWidget(to);
    times->addWidget(m_to);
    times->addStretch();
    form->addRow(QString(), times);
    auto* useEnglish = new QCheckBox(tr("Use English Instead of the Desktop's Language"));
    form->addRow(fieldLabel(tr("Language")), useEnglish);
    form->addRow(QString(),
                 new ExplanationLabel(tr("Takes effect the next time Velmoran starts.")));

    PreferenceBinder& binder = context.binder;
    binder.bindSwitch(useEnglish, PrefKey::useEnglishInterface);
    // The windows follow the font through the mode manager, which reads the keys itself.
    binder.bindChoice(m_font, PrefKey::defaultFont);
    binder.bindChoice(m_fontSize, PrefKey::fontSize);
    binder.bindSwitch(m_manual, PrefKey::nightMode, [this] { nightModeChanged(); });
    binder.bindSwitch(m_scheduled, PrefKey::nightModeAuto, [this] { nightModeChanged(); });
    // New times take effect at the next minute's look at the schedule.
    binder.bindTime(m_from, PrefKey::nightModeAutoStartTime);
    binder.bindTime(m_to, PrefKey::nightModeAutoEndTime);
    connect(&context.defaults, &UserDefaults::changed, this, [this](const QString& key) {
        if (key == PrefKey::nightMode || key == PrefKey::nightModeAuto)
            resetEnabledForAutoNightMode();
    });
}

void AppearancePage::nightModeChanged()
{
    m_context.manager.nightMode().resetNightMode();
    m_context.modeManager.resetValues();
    resetEnabledForAutoNightMode();
}

void AppearancePage::resetEnabledForAutoNightMode()
{
    const bool manual = m_manual->isChecked();
    m_scheduled->setEnabled(!manual);
    const bool times = !manual && m_scheduled->isChecked();
    m_from->setEnabled(times);
    m_to->setEnabled(times);
}
