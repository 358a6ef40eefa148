#include "presentation/detail/DetailRepeatEdit.h"

#include "data/detail/TaskDetailEdits.h"

void DetailRepeatEdit::showReminder(const store::Reminder& reminder)
{
    m_due = TaskDetailEdits::dueDate(reminder);
    if (reminder.hasRecurrenceRules())
        m_rule = reminder.recurrenceRules.first();
    else
        m_rule.reset();
    m_preset = RepeatChoices::presetForRule(m_rule ? &*m_rule : nullptr, m_due.date());
    m_shownPreset = m_preset;
}

RepeatChoices::EndChoice DetailRepeatEdit::endChoice() const
{
    // Without a rule there is nothing to end.
    if (m_preset == RepeatChoices::Never)
        return RepeatChoices::EndChoice::Never;
    return RepeatChoices::endChoiceForRule(m_rule ? &*m_rule : nullptr);
}

QString DetailRepeatEdit::description() const
{
    return RepeatChoices::description(m_rule ? &*m_rule : nullptr, m_due.date());
}

bool DetailRepeatEdit::endsBeforeDue() const
{
    return m_rule && RepeatChoices::endsBeforeDue(*m_rule, m_due);
}

bool DetailRepeatEdit::choosePreset(int preset)
{
    m_savedEnd = m_rule ? m_rule->recurrenceEnd : std::nullopt;
    m_preset = preset;
    if (preset == RepeatChoices::Custom)
        return false;
    m_rule = RepeatChoices::presetRule(preset, m_savedEnd);
    save();
    return true;
}

void DetailRepeatEdit::chooseCustom(const RepeatChoices::CustomChoices& choices)
{
    m_rule = RepeatChoices::customRule(choices, m_savedEnd);
    m_preset = RepeatChoices::Custom;
    save();
}

void DetailRepeatEdit::cancelCustom()
{
    m_preset = m_shownPreset;
}

void DetailRepeatEdit::chooseEnd(RepeatChoices::EndChoice choice, const QDateTime& date, int count)
{
    if (!m_rule)
        return;
    m_rule->recurrenceEnd = RepeatChoices::endFor(choice, date, count);
    save();
}

void DetailRepeatEdit::save()
{
    if (m_save)
        m_save(m_rule);
}
