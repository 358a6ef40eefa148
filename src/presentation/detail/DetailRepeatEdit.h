#pragma once

#include "data/detail/RepeatChoices.h"
#include "platform/store/Reminder.h"

#include <functional>
#include <optional>

// The repeat rows' state: the rule being edited (read from the task at every redraw), which
// item of the repeat selector shows it, and what a change of rule keeps. An end outlives the
// rule: picking another rule (or a custom one) keeps the end of the rule it replaces. A new
// rule is handed to the detail session, which saves it.
class DetailRepeatEdit
{
public:
    // Saves `rule` as the task's repeat rule (none: no rule); answers whether it was saved.
    using SaveRule = std::function<bool(const std::optional<store::RecurrenceRule>& rule)>;

    explicit DetailRepeatEdit(SaveRule save)
        : m_save(std::move(save))
    {}

    // Takes the task's first rule as the one being edited.
    void showReminder(const store::Reminder& reminder);

    const std::optional<store::RecurrenceRule>& rule() const { return m_rule; }
    // The task's due date, which presets and the custom sheet start from.
    QDateTime due() const { return m_due; }
    // The item of the repeat selector (RepeatChoices::Preset), and the end's choice.
    int preset() const { return m_preset; }
    RepeatChoices::EndChoice endChoice() const;
    // What the rule says in words; a custom rule is read this way in its row.
    QString description() const;
    // Whether the end comes before the due date, so that the task never repeats.
    bool endsBeforeDue() const;

    // The user's choices. Choosing Custom saves nothing until the sheet hands its choices
    // (answers false then); a cancelled sheet goes back to the item before unless the rule
    // already was a custom one.
    bool choosePreset(int preset);
    void chooseCustom(const RepeatChoices::CustomChoices& choices);
    void cancelCustom();
    void chooseEnd(RepeatChoices::EndChoice choice, const QDateTime& date, int count);

private:
    void save();

    SaveRule m_save;
    std::optional<store::RecurrenceRule> m_rule;
    // The end of the rule a change replaced, for the rule that replaces it.
    std::optional<store::RecurrenceEnd> m_savedEnd;
    QDateTime m_due;
    int m_preset = RepeatChoices::Never;
    int m_shownPreset = RepeatChoices::Never;
};
