#pragma once

#include "entry/SmartAddRule.h"

#include <QTime>
#include <QVariantList>

#include <array>

// What the Smart Add tab of the preferences edits, read from "smartAddRules": thirteen switches
// for the built-in rules (date and time patterns, the list prefix, the priority marks) and the
// user's own rules. Written back, the switched-on built-in rules come first in a fixed order,
// then the user's rules in theirs. Records are carried as stored: a built-in record keeps keys
// this version does not know, and a record it cannot edit (an unknown kind, a value of the
// wrong type, a newer version's pattern) is kept in its place among the user's rules.
struct SmartAddSettings
{
    static constexpr int kSwitchCount = 13;
    static constexpr int kPriorityMarksSwitch = 7;

    std::array<bool, kSwitchCount> switches{};
    // The stored records that no switch stands for, in stored order.
    QVariantList customRecords;
    // The stored records a switch stands for, to write back as they were.
    QVariantList storedBuiltIns;

    // The fifteen built-in records.
    static const QList<SmartAddRule>& builtInRules();
    // Indexes into builtInRules() of the records switch `index` stands for.
    static QList<int> recordsOfSwitch(int index);

    static SmartAddSettings fromStored(const QVariantList& stored);
    QVariantList toStored() const;

    // Flips a switch; the two date orders exclude each other.
    void toggleSwitch(int index);

    // Whether the rule sheet can show and edit a stored record (a word rule of a kind it
    // offers, with values of the right types).
    static bool isEditable(const QVariant& record);
};

// One choice of the rule sheet: what a word sets.
struct SmartAddRuleChoice
{
    enum Kind {
        DueDate = 0,
        DueTime = 1,
        AlarmOn = 2,
        AlarmOff = 3,
        Sunday = 4, // to Saturday = 10
        KindCount = 11,
    };
    enum Unit { Days = 0, Weeks = 1, Months = 2, Years = 3 };

    int kind = DueDate;
    bool forward = true;
    qint64 number = 0;
    int unit = Days;
    QTime time = QTime(9, 0);

    // The record the sheet stores for the word.
    SmartAddRule ruleWithWord(const QString& word) const;
    // The sheet's choice for an editable record.
    static SmartAddRuleChoice fromRule(const SmartAddRule& rule);
    // What the rule does, for its row: "+7 Days", "14:00", "Alarm On", "Monday".
    static QString describe(const SmartAddRule& rule);
};

// Why a word typed into the rule sheet cannot be stored.
enum class SmartAddWordProblem { None, Empty, Taken };

// `editing` is the index in `stored` of the record being edited (-1 for a new rule): its own
// word is not taken. Words compare without regard to case, as the matcher reads them.
SmartAddWordProblem checkSmartAddWord(const QString& word, const QVariantList& stored,
                                      qsizetype editing);
// The stored array with `rule` in place of the record at `editing`, or appended when -1.
QVariantList storeSmartAddRule(QVariantList stored, const SmartAddRule& rule, qsizetype editing);
