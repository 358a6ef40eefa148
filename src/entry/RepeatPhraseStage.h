#pragma once

#include "entry/RepeatPhrases.h"

#include <QDateTime>
#include <QString>

class Clock;
class UserDefaults;

// The built-in Smart Add stage that reads a repeat ("every Monday", "alle 2 Wochen") from a
// typed line. It stands apart from the user's rules: "smartAddRules" travels to other devices
// in synced preference sets and its format stays as it is, so the stage has its own switch
// ("smartAddRepeats") and its own words, those of the language the default rules were chosen
// in. The phrase is hidden from the user's rules, which then run as always: a weekday inside
// "every Monday" is not taken for a due date. The repeat itself is applied after them.
class RepeatPhraseStage
{
public:
    RepeatPhraseStage(const UserDefaults& defaults, const Clock& clock, QString language);

    bool isEnabled() const;
    const QString& language() const { return m_language; }
    void setLanguage(const QString& language) { m_language = language; }

    // Nothing while the stage is switched off.
    std::optional<RepeatPhrase> find(const QString& line) const;

    // The line as the user's rules see it: the phrase's characters hidden, every other one in
    // its place, so a range the rules find is a range of the line.
    static QString hide(const QString& line, const RepeatPhrase& phrase);
    // A line that went through the rules hidden, with the hidden phrase cut out.
    static QString cutHidden(const QString& line);
    // The line without the phrase; one space stays between the words around it.
    static QString cut(const QString& line, const RepeatPhrase& phrase);

    // The due date of a task that repeats by `rule`: its first day from the due date the rules
    // gave (kept at its time), or from today at the time a new due date gets.
    QDateTime firstDueDate(const store::RecurrenceRule& rule, const QDateTime& dueDate) const;

    // "Every Week on Monday, until 31/12/2026": the label beside the rule label.
    static QString describe(const store::RecurrenceRule& rule);

private:
    QTime presetTime() const;

    const UserDefaults& m_defaults;
    const Clock& m_clock;
    QString m_language;
};
