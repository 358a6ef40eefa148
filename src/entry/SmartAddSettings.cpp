#include "entry/SmartAddSettings.h"

#include <QCoreApplication>
#include <QLocale>

namespace {

SmartAddRule builtIn(qint64 type, qint64 resultType, const char* word, bool atStart = false)
{
    SmartAddRule rule;
    rule.type = type;
    rule.resultType = resultType;
    rule.word = QString::fromLatin1(word);
    if (atStart)
        rule.placeType = SmartAddRule::AtStart;
    return rule;
}

bool sameBuiltIn(const SmartAddRule& a, const SmartAddRule& b)
{
    return a.type == b.type && a.resultType == b.resultType && a.word == b.word;
}

int builtInIndexOf(const QVariant& record)
{
    const SmartAddRule rule = SmartAddRule::fromVariant(record);
    const QList<SmartAddRule>& rules = SmartAddSettings::builtInRules();
    for (int index = 0; index < rules.size(); ++index) {
        if (sameBuiltIn(rules.at(index), rule))
            return index;
    }
    return -1;
}

bool isNumber(const QVariant& value)
{
    const auto id = value.typeId();
    return id == QMetaType::Int || id == QMetaType::LongLong || id == QMetaType::UInt ||
           id == QMetaType::ULongLong || id == QMetaType::Double;
}

bool isOptionalString(const QVariantMap& map, const char* key)
{
    const auto found = map.constFind(QString::fromLatin1(key));
    return found == map.constEnd() || found->typeId() == QMetaType::QString;
}

const char* const kWeekdays[] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
const char* const kUnits[] = {"Day", "Week", "Month", "Year"};

struct SmartAddSettingsText
{
    Q_DECLARE_TR_FUNCTIONS(SmartAddSettings)
};

} // namespace

const QList<SmartAddRule>& SmartAddSettings::builtInRules()
{
    static const QList<SmartAddRule> rules{
        builtIn(1, 0, "M/dd"),    builtIn(1, 0, "dd/M"),      builtIn(1, 1, "h:m"),
        builtIn(1, 1, "h:map"),   builtIn(1, 1, "h"),         builtIn(1, 1, "hap"),
        builtIn(2, 6, "/"),       builtIn(0, 5, "!!!", true), builtIn(0, 4, "!!", true),
        builtIn(0, 3, "!", true), builtIn(1, 1, "h:mampm"),   builtIn(1, 1, "hampm"),
        builtIn(1, 0, "d.M."),    builtIn(1, 1, "H 'Uhr'"),   builtIn(1, 1, "H'h'mm"),
    };
    return rules;
}

QList<int> SmartAddSettings::recordsOfSwitch(int index)
{
    if (index < 0 || index >= kSwitchCount)
        return {};
    if (index < kPriorityMarksSwitch)
        return {index};
    if (index == kPriorityMarksSwitch)
        return {7, 8, 9};
    return {index + 2};
}

SmartAddSettings SmartAddSettings::fromStored(const QVariantList& stored)
{
    SmartAddSettings settings;
    for (const QVariant& record : stored) {
        const int index = record.typeId() == QMetaType::QVariantMap ? builtInIndexOf(record) : -1;
        if (index < 0) {
            settings.customRecords.append(record);
            continue;
        }
        settings.storedBuiltIns.append(record);
        for (int s = 0; s < kSwitchCount; ++s) {
            if (recordsOfSwitch(s).contains(index))
                settings.switches[size_t(s)] = true;
        }
    }
    // Any priority rule turns the marks on, as the matcher would use it.
    for (const QVariant& record : stored) {
        if (record.typeId() == QMetaType::QVariantMap &&
            SmartAddRule::fromVariant(record).resultType == SmartAddRule::PriorityHigh)
            settings.switches[kPriorityMarksSwitch] = true;
    }
    return settings;
}

QVariantList SmartAddSettings::toStored() const
{
    // The times with words go before "h:m", which would otherwise take the "14:30" of
    // "à 14:30" and leave the "à".
    static constexpr std::array<int, kSwitchCount> writeOrder{0, 1, 10, 11, 12, 2, 3,
                                                              4, 5, 6,  7,  8,  9};
    QVariantList out;
    for (const int s : writeOrder) {
        if (!switches[size_t(s)])
            continue;
        for (const int index : recordsOfSwitch(s)) {
            const SmartAddRule& rule = builtInRules().at(index);
            // The stored record, with whatever a newer version added to it, when there is one.
            const auto kept = std::find_if(
                storedBuiltIns.cbegin(), storedBuiltIns.cend(),
                [&](const QVariant& record) { return builtInIndexOf(record) == index; });
            out.append(kept != storedBuiltIns.cend() ? *kept : QVariant(rule.toVariant()));
        }
    }
    out.append(customRecords);
    return out;
}

void SmartAddSettings::toggleSwitch(int index)
{
    if (index < 0 || index >= kSwitchCount)
        return;
    const bool on = !switches[size_t(index)];
    switches[size_t(index)] = on;
    if (on && (index == 0 || index == 1))
        switches[size_t(1 - index)] = false;
}

bool SmartAddSettings::isEditable(const QVariant& record)
{
    if (record.typeId() != QMetaType::QVariantMap)
        return false;
    const QVariantMap map = record.toMap();
    const QVariant type = map.value(QStringLiteral("type"));
    const QVariant resultType = map.value(QStringLiteral("resultType"));
    const QVariant word = map.value(QStringLiteral("word"));
    if (!isNumber(type) || !isNumber(resultType) || word.typeId() != QMetaType::QString ||
        word.toString().trimmed().isEmpty() || !isOptionalString(map, "result") ||
        !isOptionalString(map, "resultUnit"))
        return false;
    if (map.contains(QStringLiteral("placeType")) &&
        !isNumber(map.value(QStringLiteral("placeType"))))
        return false;
    const SmartAddRule rule = SmartAddRule::fromVariant(record);
    if (rule.type != SmartAddRule::WordRule)
        return false;
    switch (rule.resultType) {
    case SmartAddRule::RelativeDate:
        return QStringList({"Day", "Week", "Month", "Year"}).contains(rule.resultUnitText());
    case SmartAddRule::TimeOfDay:
        return QTime::fromString(rule.resultText(), QStringLiteral("HH:mm")).isValid();
    case SmartAddRule::AlarmOn:
    case SmartAddRule::AlarmOff:
        return true;
    case SmartAddRule::Weekday:
        return QStringList({"sun", "mon", "tue", "wed", "thu", "fri", "sat"})
            .contains(rule.resultText());
    default:
        return false;
    }
}

SmartAddRule SmartAddRuleChoice::ruleWithWord(const QString& word) const
{
    SmartAddRule rule;
    rule.type = SmartAddRule::WordRule;
    rule.word = word;
    if (kind == DueDate) {
        rule.resultType = SmartAddRule::RelativeDate;
        rule.result =
            (forward ? QStringLiteral("+") : QStringLiteral("-")) + QString::number(number);
        rule.resultUnit = QString::fromLatin1(kUnits[std::clamp(unit, 0, 3)]);
    } else if (kind == DueTime) {
        rule.resultType = SmartAddRule::TimeOfDay;
        rule.result = time.toString(QStringLiteral("HH:mm"));
    } else if (kind == AlarmOn || kind == AlarmOff) {
        rule.resultType = kind == AlarmOn ? SmartAddRule::AlarmOn : SmartAddRule::AlarmOff;
    } else {
        rule.resultType = SmartAddRule::Weekday;
        rule.result = QString::fromLatin1(kWeekdays[std::clamp(kind - Sunday, 0, 6)]);
    }
    return rule;
}

SmartAddRuleChoice SmartAddRuleChoice::fromRule(const SmartAddRule& rule)
{
    SmartAddRuleChoice choice;
    switch (rule.resultType) {
    case SmartAddRule::RelativeDate: {
        const QString result = rule.resultText();
        choice.kind = DueDate;
        choice.forward = !result.startsWith(u'-');
        const QString digits =
            result.startsWith(u'-') || result.startsWith(u'+') ? result.mid(1) : result;
        choice.number = digits.toLongLong();
        for (int unit = 0; unit < 4; ++unit) {
            if (rule.resultUnitText() == QLatin1String(kUnits[unit]))
                choice.unit = unit;
        }
        break;
    }
    case SmartAddRule::TimeOfDay:
        choice.kind = DueTime;
        choice.time = QTime::fromString(rule.resultText(), QStringLiteral("HH:mm"));
        break;
    case SmartAddRule::AlarmOn:
        choice.kind = AlarmOn;
        break;
    case SmartAddRule::AlarmOff:
        choice.kind = AlarmOff;
        break;
    case SmartAddRule::Weekday:
        for (int day = 0; day < 7; ++day) {
            if (rule.resultText() == QLatin1String(kWeekdays[day]))
                choice.kind = Sunday + day;
        }
        break;
    default:
        break;
    }
    return choice;
}

namespace {

// "Due Date +2 Weeks": one plural text per unit and direction, so that each language words its
// own count.
QString dueDateShift(const SmartAddRuleChoice& choice)
{
    const int n = choice.number;
    switch (choice.unit) {
    case 0:
        return choice.forward ? SmartAddSettingsText::tr("Due Date +%n Day(s)", nullptr, n)
                              : SmartAddSettingsText::tr("Due Date -%n Day(s)", nullptr, n);
    case 1:
        return choice.forward ? SmartAddSettingsText::tr("Due Date +%n Week(s)", nullptr, n)
                              : SmartAddSettingsText::tr("Due Date -%n Week(s)", nullptr, n);
    case 2:
        return choice.forward ? SmartAddSettingsText::tr("Due Date +%n Month(s)", nullptr, n)
                              : SmartAddSettingsText::tr("Due Date -%n Month(s)", nullptr, n);
    default:
        return choice.forward ? SmartAddSettingsText::tr("Due Date +%n Year(s)", nullptr, n)
                              : SmartAddSettingsText::tr("Due Date -%n Year(s)", nullptr, n);
    }
}

} // namespace

QString SmartAddRuleChoice::describe(const SmartAddRule& rule)
{
    static const char* const days[] = {QT_TRANSLATE_NOOP("SmartAddSettings", "Sunday"),
                                       QT_TRANSLATE_NOOP("SmartAddSettings", "Monday"),
                                       QT_TRANSLATE_NOOP("SmartAddSettings", "Tuesday"),
                                       QT_TRANSLATE_NOOP("SmartAddSettings", "Wednesday"),
                                       QT_TRANSLATE_NOOP("SmartAddSettings", "Thursday"),
                                       QT_TRANSLATE_NOOP("SmartAddSettings", "Friday"),
                                       QT_TRANSLATE_NOOP("SmartAddSettings", "Saturday")};
    const SmartAddRuleChoice choice = fromRule(rule);
    switch (choice.kind) {
    case DueDate:
        return dueDateShift(choice);
    case DueTime:
        return SmartAddSettingsText::tr("Due Time %1")
            .arg(QLocale().toString(choice.time, QLocale::ShortFormat));
    case AlarmOn:
        return SmartAddSettingsText::tr("Alarm On");
    case AlarmOff:
        return SmartAddSettingsText::tr("Alarm Off");
    default:
        return SmartAddSettingsText::tr("Due Date - %1")
            .arg(SmartAddSettingsText::tr(days[choice.kind - Sunday]));
    }
}

SmartAddWordProblem checkSmartAddWord(const QString& word, const QVariantList& stored,
                                      qsizetype editing)
{
    const QString typed = word.trimmed();
    if (typed.isEmpty())
        return SmartAddWordProblem::Empty;
    for (qsizetype index = 0; index < stored.size(); ++index) {
        if (index == editing || stored.at(index).typeId() != QMetaType::QVariantMap)
            continue;
        const SmartAddRule rule = SmartAddRule::fromVariant(stored.at(index));
        if (rule.type == SmartAddRule::WordRule &&
            rule.word.trimmed().compare(typed, Qt::CaseInsensitive) == 0)
            return SmartAddWordProblem::Taken;
    }
    return SmartAddWordProblem::None;
}

QVariantList storeSmartAddRule(QVariantList stored, const SmartAddRule& rule, qsizetype editing)
{
    if (editing >= 0 && editing < stored.size()) {
        // The edited record keeps the keys this version does not know.
        SmartAddRule kept = rule;
        if (stored.at(editing).typeId() == QMetaType::QVariantMap)
            kept.otherKeys = SmartAddRule::fromVariant(stored.at(editing)).otherKeys;
        stored[editing] = kept.toVariant();
    } else {
        stored.append(rule.toVariant());
    }
    return stored;
}
