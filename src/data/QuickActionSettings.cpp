#include "data/QuickActionSettings.h"

#include "platform/UserDefaults.h"

#include <QCoreApplication>

namespace QuickActionSettings {

namespace {

struct QuickActionSettingsText
{
    Q_DECLARE_TR_FUNCTIONS(QuickActionSettings)
};

} // namespace

bool isEditable(const QVariant& record)
{
    if (record.typeId() != QMetaType::QVariantMap)
        return false;
    const QVariantMap map = record.toMap();
    if (!UserDefaults::isNumber(map.value(QStringLiteral("type"))))
        return false;
    const QuickAction action = QuickAction::fromVariant(record);
    if (!action.isSupported())
        return false;
    if (action.isDateShift())
        return UserDefaults::isNumber(map.value(QStringLiteral("number")));
    if (action.type == QuickAction::Tag || action.type == QuickAction::Word)
        return map.value(QStringLiteral("tag")).typeId() == QMetaType::QString;
    if (action.type == QuickAction::Switch) {
        const QVariant words = map.value(QStringLiteral("array"));
        if (words.typeId() != QMetaType::QVariantList)
            return false;
        const QVariantList list = words.toList();
        return std::all_of(list.cbegin(), list.cend(), [](const QVariant& word) {
            return word.typeId() == QMetaType::QString;
        });
    }
    return true;
}

QString rowText(const QVariant& record)
{
    if (!isEditable(record))
        return QuickActionSettingsText::tr("Unsupported Action");
    const QuickAction action = QuickAction::fromVariant(record);
    if (action.isDateShift())
        return action.dateShiftText();
    switch (action.type) {
    case QuickAction::ClearDueDate:
        return QuickActionSettingsText::tr("Clear Due Date");
    case QuickAction::Today:
        //: A quick action that moves the task's due date to today.
        return QuickActionSettingsText::tr("Today");
    case QuickAction::Now:
        //: A quick action that makes the task due at the current time.
        return QuickActionSettingsText::tr("Now");
    case QuickAction::After:
        //: A quick action that completes a repeating task and starts its next one from today.
        return QuickActionSettingsText::tr("After");
    case QuickAction::Tag:
        return QStringLiteral("#%1").arg(action.tag);
    case QuickAction::Word:
        return action.tag;
    default:
        return action.array.join(QStringLiteral(" → "));
    }
}

bool move(QVariantList& records, int from, int to)
{
    if (from < 0 || from >= records.size() || to < 0 || to > records.size())
        return false;
    const QVariant moved = records.at(from);
    if (from < to) {
        records.insert(to, moved);
        records.removeAt(from);
    } else {
        records.removeAt(from);
        records.insert(to, moved);
    }
    return true;
}

bool replace(QVariantList& records, const QVariant& old, const QuickAction& action)
{
    const qsizetype index = records.indexOf(old);
    if (index < 0)
        return false;
    QVariantMap rebuilt = action.toMap();
    // Keys this version does not know stay with the record.
    if (old.typeId() == QMetaType::QVariantMap) {
        const QVariantMap kept = old.toMap();
        for (auto it = kept.cbegin(); it != kept.cend(); ++it) {
            if (!QStringList({"type", "number", "tag", "array"}).contains(it.key()))
                rebuilt.insert(it.key(), it.value());
        }
    }
    records[index] = rebuilt;
    return true;
}

} // namespace QuickActionSettings
