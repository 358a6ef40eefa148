#include "data/QuickAction.h"

#include "platform/UserDefaults.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

const QString kType = QStringLiteral("type");
const QString kNumber = QStringLiteral("number");
const QString kTag = QStringLiteral("tag");
const QString kArray = QStringLiteral("array");

// The preferences window offers three switch fields.
constexpr int kMaxSwitchWords = 3;

struct QuickActionText
{
    Q_DECLARE_TR_FUNCTIONS(QuickAction)
};

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c.isMark();
}

bool isUsableText(const QString& text)
{
    return !text.isEmpty() && text != QLatin1String("#");
}

} // namespace

QuickAction QuickAction::fromVariant(const QVariant& record)
{
    QuickAction action;
    if (record.typeId() != QMetaType::QVariantMap)
        return action;
    const QVariantMap map = record.toMap();
    if (map.contains(kType))
        action.type =
            int(qBound(qint64(-1), UserDefaults::integerValue(map.value(kType)), qint64(1000)));
    action.number = UserDefaults::integerValue(map.value(kNumber));
    const QVariant tag = map.value(kTag);
    if (tag.typeId() == QMetaType::QString)
        action.tag = tag.toString();
    for (const QVariant& word : map.value(kArray).toList()) {
        if (word.typeId() == QMetaType::QString)
            action.array.append(word.toString());
    }
    return action;
}

QList<QuickAction> QuickAction::listFromVariant(const QVariantList& records)
{
    QList<QuickAction> actions;
    actions.reserve(records.size());
    for (const QVariant& record : records)
        actions.append(fromVariant(record));
    return actions;
}

QVariantMap QuickAction::toMap() const
{
    QVariantMap map{{kType, QVariant::fromValue(qint64(type))}};
    if (isDateShift())
        map.insert(kNumber, QVariant::fromValue(number));
    if (type == Tag || type == Word)
        map.insert(kTag, tag);
    if (type == Switch) {
        QVariantList words;
        for (const QString& word : array)
            words.append(word);
        map.insert(kArray, words);
    }
    return map;
}

QVariantList QuickAction::toVariantList(const QList<QuickAction>& actions)
{
    QVariantList records;
    records.reserve(actions.size());
    for (const QuickAction& action : actions)
        records.append(action.toMap());
    return records;
}

QuickAction QuickAction::withType(Type type)
{
    QuickAction action;
    action.type = type;
    return action;
}

std::optional<QuickAction> QuickAction::withTagText(const QString& text)
{
    const QString entered = text.trimmed();
    if (!isUsableText(entered))
        return std::nullopt;
    QuickAction action;
    if (entered.startsWith(QLatin1Char('#'))) {
        action.type = Tag;
        action.tag = entered.mid(1);
    } else {
        action.type = Word;
        action.tag = entered;
    }
    return action;
}

QuickAction QuickAction::withDateShift(Unit unit, bool forward, qint64 number)
{
    QuickAction action;
    action.type = PlusMinutes + 2 * int(unit) + (forward ? 0 : 1);
    action.number = number;
    return action;
}

std::optional<QuickAction> QuickAction::withSwitchFields(const QStringList& fields)
{
    QuickAction action;
    action.type = Switch;
    for (const QString& field : fields.mid(0, kMaxSwitchWords)) {
        const QString word = field.trimmed();
        if (isUsableText(word))
            action.array.append(word);
    }
    if (action.array.isEmpty())
        return std::nullopt;
    return action;
}

bool QuickAction::isSupported() const
{
    switch (type) {
    case ClearDueDate:
    case Today:
    case Now:
    case After:
        return true;
    case Tag:
        return !tag.isEmpty();
    case Word:
        return isUsableText(tag);
    case Switch:
        return !array.isEmpty() && std::all_of(array.cbegin(), array.cend(),
                                               [](const QString& w) { return !w.isEmpty(); });
    default:
        return isDateShift();
    }
}

QString QuickAction::tagText() const
{
    return type == Tag ? QLatin1Char('#') + tag : tag;
}

QString QuickAction::title(const store::Reminder& reminder, bool tagOnNotes) const
{
    if (!isSupported())
        return QuickActionText::tr("Unsupported Action");
    if (isDateShift())
        return dateShiftText();
    switch (type) {
    case ClearDueDate:
        return QuickActionText::tr("Clear Due Date");
    case Today:
        //: A quick action that moves the task's due date to today.
        return QuickActionText::tr("Today");
    case Now:
        //: A quick action that makes the task due at the current time.
        return QuickActionText::tr("Now");
    case After:
        //: A quick action that completes a repeating task and starts its next one from today.
        return QuickActionText::tr("After");
    case Tag:
    case Word: {
        const QString text = tagText();
        const bool present =
            indexOfWord(reminder.title, text) >= 0 || indexOfWord(reminder.notes, text) >= 0;
        return (present ? QuickActionText::tr("Remove %1") : QuickActionText::tr("Add %1"))
            .arg(text);
    }
    case Switch: {
        const int found =
            switchIndexIn(tagOnNotes ? reminder.notes.toString() : reminder.title.toString());
        if (found < 0)
            return QuickActionText::tr("Add %1").arg(array.first());
        return QuickActionText::tr("Switch %1 to %2")
            .arg(array.at(found), array.at((found + 1) % array.size()));
    }
    default:
        return QString();
    }
}

QString QuickAction::dateShiftText() const
{
    const int n = int(number);
    const bool forward = movesForward();
    switch (unit()) {
    case Unit::Minute:
        return forward ? QuickActionText::tr("+%n Minute(s)", nullptr, n)
                       : QuickActionText::tr("-%n Minute(s)", nullptr, n);
    case Unit::Hour:
        return forward ? QuickActionText::tr("+%n Hour(s)", nullptr, n)
                       : QuickActionText::tr("-%n Hour(s)", nullptr, n);
    case Unit::Day:
        return forward ? QuickActionText::tr("+%n Day(s)", nullptr, n)
                       : QuickActionText::tr("-%n Day(s)", nullptr, n);
    case Unit::Week:
        return forward ? QuickActionText::tr("+%n Week(s)", nullptr, n)
                       : QuickActionText::tr("-%n Week(s)", nullptr, n);
    case Unit::Month:
        return forward ? QuickActionText::tr("+%n Month(s)", nullptr, n)
                       : QuickActionText::tr("-%n Month(s)", nullptr, n);
    }
    return QString();
}

qsizetype QuickAction::indexOfWord(const QString& text, const QString& word)
{
    if (word.isEmpty())
        return -1;
    const bool wordStart = isWordCharacter(word.front());
    const bool wordEnd = isWordCharacter(word.back());
    for (qsizetype from = text.indexOf(word, 0, Qt::CaseInsensitive); from >= 0;
         from = text.indexOf(word, from + 1, Qt::CaseInsensitive)) {
        const qsizetype end = from + word.size();
        const bool joinedBefore = wordStart && from > 0 && isWordCharacter(text.at(from - 1));
        const bool joinedAfter = wordEnd && end < text.size() && isWordCharacter(text.at(end));
        if (!joinedBefore && !joinedAfter)
            return from;
    }
    return -1;
}

int QuickAction::switchIndexIn(const QString& text) const
{
    for (int i = 0; i < array.size(); ++i) {
        if (indexOfWord(text, array.at(i)) >= 0)
            return i;
    }
    return -1;
}
