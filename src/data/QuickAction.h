#pragma once

#include "platform/store/Reminder.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <optional>

// One configurable action of a task's context menu, as the preference "quickActionsMac"
// stores it: a dictionary with "type" and, depending on the type, "number", "tag" or "array".
// Records come from synced preference sets written elsewhere, so anything may be in them; a
// record this program cannot perform stays in the list (indices are what the menu refers to)
// but is shown disabled and does nothing.
struct QuickAction
{
    enum Type {
        ClearDueDate = 0,
        Tag = 2, // "#" + tag
        Today = 3,
        Now = 4,
        PlusMinutes = 6,
        MinusMinutes = 7,
        PlusHours = 8,
        MinusHours = 9,
        PlusDays = 10,
        MinusDays = 11,
        PlusWeeks = 12,
        MinusWeeks = 13,
        PlusMonths = 14,
        MinusMonths = 15,
        Word = 19, // tag text used verbatim
        Switch = 20,
        After = 21,
    };

    // The units of the date shifts, in the order of their types.
    enum class Unit { Minute = 0, Hour = 1, Day = 2, Week = 3, Month = 4 };

    int type = -1;
    qint64 number = 0;
    QString tag;
    QStringList array;

    static QuickAction fromVariant(const QVariant& record);
    static QList<QuickAction> listFromVariant(const QVariantList& records);
    QVariantMap toMap() const;
    static QVariantList toVariantList(const QList<QuickAction>& actions);

    // The records the preferences window creates. Surrounding white space of an entered text
    // is dropped; a text that is empty, or "#" alone, creates nothing.
    static QuickAction withType(Type type);
    static std::optional<QuickAction> withTagText(const QString& text);
    static QuickAction withDateShift(Unit unit, bool forward, qint64 number);
    // Up to three entered words; empty ones and "#" alone are skipped.
    static std::optional<QuickAction> withSwitchFields(const QStringList& fields);

    bool isDateShift() const { return type >= PlusMinutes && type <= MinusMonths; }
    bool movesForward() const { return isDateShift() && type % 2 == 0; }
    Unit unit() const { return Unit((type - PlusMinutes) / 2); }
    // Every action that ends with a new due date.
    bool setsDueDate() const
    {
        return type == Today || type == Now || type == After || isDateShift();
    }
    // A known type with the fields it needs.
    bool isSupported() const;

    // The text a tag action looks for and adds: "#" + tag, or the word itself.
    QString tagText() const;

    // The menu title of this record for the reminder. "tagOnNotes" decides where a switch
    // looks for its words.
    QString title(const store::Reminder& reminder, bool tagOnNotes) const;
    // "+2 Days", "-1 Hour": the title of a date shift, in the menu and in the preferences.
    QString dateShiftText() const;

    // The first occurrence of `word` in `text`, ignoring case, that is not part of a longer
    // word: a tag "#home" is not found in "#homework", nor "high" in "highway". -1 when none.
    static qsizetype indexOfWord(const QString& text, const QString& word);
    // The first word of a switch found in `text`, and its index in `array`; -1 when none.
    int switchIndexIn(const QString& text) const;
};
