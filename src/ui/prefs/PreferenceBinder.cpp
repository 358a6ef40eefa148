#include "ui/prefs/PreferenceBinder.h"

#include "platform/UserDefaults.h"
#include "ui/common/LocaleTimeFormat.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimeEdit>

#include <algorithm>

PreferenceBinder::PreferenceBinder(UserDefaults& defaults, QObject* parent)
    : QObject(parent)
    , m_defaults(defaults)
{
    // Another process's write (velmoran-cli, a synced set) shows in the open window.
    connect(&m_defaults, &UserDefaults::changed, this, [this](const QString& key) {
        if (!m_loading)
            load(key);
    });
}

void PreferenceBinder::bindSwitch(QAbstractButton* control, QLatin1StringView key, Effect effect)
{
    control->setCheckable(true);
    m_rows.append({control, PreferenceField::switchField(key), std::move(effect)});
    const Row row = m_rows.last();
    connect(control, &QAbstractButton::toggled, this, [this, row](bool on) { store(row, on); });
}

void PreferenceBinder::bindSwitchChoice(QComboBox* control, QLatin1StringView key, Effect effect)
{
    m_rows.append({control, PreferenceField::switchField(key), std::move(effect)});
    const Row row = m_rows.last();
    connect(control, &QComboBox::activated, this,
            [this, row](int index) { store(row, index == 0); });
}

void PreferenceBinder::bindChoice(QComboBox* control, QLatin1StringView key, Effect effect)
{
    m_rows.append(
        {control, PreferenceField::choiceField(key, control->count()), std::move(effect)});
    const Row row = m_rows.last();
    connect(control, &QComboBox::activated, this,
            [this, row](int index) { store(row, QVariant::fromValue(qint64(index))); });
}

void PreferenceBinder::bindWordChoice(QComboBox* control, QLatin1StringView key, Effect effect)
{
    QStringList words;
    for (int index = 0; index < control->count(); ++index)
        words << control->itemData(index).toString();
    m_rows.append({control, PreferenceField::wordField(key, words), std::move(effect)});
    const Row row = m_rows.last();
    connect(control, &QComboBox::activated, this, [this, row, control](int index) {
        const QString word = control->itemData(index).toString();
        store(row, word.isEmpty() ? QVariant() : QVariant(word));
    });
}

void PreferenceBinder::bindTime(QTimeEdit* control, QLatin1StringView key, Effect effect)
{
    control->setDisplayFormat(localeTimeEditFormat());
    m_rows.append({control, PreferenceField::timeField(key), std::move(effect)});
    const Row row = m_rows.last();
    connect(control, &QTimeEdit::timeChanged, this,
            [this, row](QTime time) { store(row, PreferenceField::textFromTime(time)); });
}

void PreferenceBinder::bindMinutes(QLineEdit* control, QLatin1StringView key, Effect effect)
{
    m_rows.append({control, PreferenceField::minutesField(key), std::move(effect)});
    const Row row = m_rows.last();
    // Every edit is stored at once, so a field left half typed still holds a usable number:
    // what does not read as one becomes 1 and the field says so.
    const auto enter = [this, row, control] {
        const qint64 minutes = PreferenceField::minutesFromText(control->text());
        const QString text = QString::number(minutes);
        if (control->text() != text) {
            const QSignalBlocker blocker(control);
            control->setText(text);
        }
        store(row, QVariant::fromValue(minutes));
    };
    connect(control, &QLineEdit::textEdited, this, enter);
    connect(control, &QLineEdit::returnPressed, this, enter);
}

void PreferenceBinder::loadAll()
{
    for (const Row& row : std::as_const(m_rows))
        show(row);
}

void PreferenceBinder::load(const QString& key)
{
    for (const Row& row : std::as_const(m_rows))
        if (row.field.key == key)
            show(row);
}

bool PreferenceBinder::binds(const QString& key) const
{
    return std::any_of(m_rows.begin(), m_rows.end(),
                       [&key](const Row& row) { return row.field.key == key; });
}

void PreferenceBinder::repairAll()
{
    m_loading = true;
    for (const Row& row : std::as_const(m_rows))
        row.field.repair(m_defaults);
    m_loading = false;
}

void PreferenceBinder::show(const Row& row)
{
    const QSignalBlocker blocker(row.control);
    switch (row.field.kind) {
    case PreferenceField::Kind::Switch:
        if (auto* popUp = qobject_cast<QComboBox*>(row.control))
            popUp->setCurrentIndex(row.field.boolValue(m_defaults) ? 0 : 1);
        else
            static_cast<QAbstractButton*>(row.control)->setChecked(row.field.boolValue(m_defaults));
        break;
    case PreferenceField::Kind::Choice:
        static_cast<QComboBox*>(row.control)->setCurrentIndex(row.field.choiceValue(m_defaults));
        break;
    case PreferenceField::Kind::TimeOfDay:
        static_cast<QTimeEdit*>(row.control)->setTime(row.field.timeValue(m_defaults));
        break;
    case PreferenceField::Kind::Minutes:
        static_cast<QLineEdit*>(row.control)
            ->setText(QString::number(row.field.minutesValue(m_defaults)));
        break;
    case PreferenceField::Kind::Word: {
        auto* popUp = static_cast<QComboBox*>(row.control);
        popUp->setCurrentIndex(std::max(0, popUp->findData(row.field.wordValue(m_defaults))));
        break;
    }
    }
}

void PreferenceBinder::store(const Row& row, const QVariant& value)
{
    m_loading = true;
    m_defaults.setObject(value, QString(row.field.key));
    m_loading = false;
    if (row.effect)
        row.effect();
}
