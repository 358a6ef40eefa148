#include "entry/RepeatPhraseStage.h"

#include "entry/SmartAddPatterns.h"
#include "platform/Clock.h"
#include "platform/UserDefaults.h"
#include "prefs/PreferenceKeys.h"
#include "text/RecurrenceDescription.h"

#include <QCoreApplication>
#include <QLocale>

namespace {

// Never typed: the object replacement character stands for what the rules must not read.
constexpr QChar kHidden = u'\uFFFC';

// Cuts [start, end) and, when spaces stood on both sides, one of them.
QString cutRange(const QString& line, qsizetype start, qsizetype end)
{
    QString cut = line;
    const bool spaceBefore = start > 0 && line.at(start - 1).isSpace();
    const bool spaceAfter = end < line.size() && line.at(end).isSpace();
    cut.remove(start, end - start + (spaceBefore && spaceAfter ? 1 : 0));
    return cut;
}

} // namespace

RepeatPhraseStage::RepeatPhraseStage(const UserDefaults& defaults, const Clock& clock,
                                     QString language)
    : m_defaults(defaults)
    , m_clock(clock)
    , m_language(std::move(language))
{}

bool RepeatPhraseStage::isEnabled() const
{
    return m_defaults.boolForKey(PrefKey::smartAddRepeats);
}

std::optional<RepeatPhrase> RepeatPhraseStage::find(const QString& line) const
{
    if (!isEnabled())
        return std::nullopt;
    return RepeatPhrases::find(line, m_language, m_clock.now().toLocalTime().date());
}

QString RepeatPhraseStage::hide(const QString& line, const RepeatPhrase& phrase)
{
    QString hidden = line;
    for (qsizetype i = phrase.location; i < phrase.location + phrase.length && i < line.size(); ++i)
        hidden[i] = kHidden;
    return hidden;
}

QString RepeatPhraseStage::cutHidden(const QString& line)
{
    const qsizetype start = line.indexOf(kHidden);
    if (start < 0)
        return line;
    qsizetype end = start;
    while (end < line.size() && line.at(end) == kHidden)
        ++end;
    return cutRange(line, start, end);
}

QString RepeatPhraseStage::cut(const QString& line, const RepeatPhrase& phrase)
{
    return cutRange(line, phrase.location, phrase.location + phrase.length);
}

QTime RepeatPhraseStage::presetTime() const
{
    if (m_defaults.boolForKey(PrefKey::noDueTime))
        return QTime(0, 0);
    return SmartAddPatterns::timeFrom24HourText(m_defaults.stringForKey(PrefKey::alarmTime))
        .value_or(QTime(0, 0));
}

QDateTime RepeatPhraseStage::firstDueDate(const store::RecurrenceRule& rule,
                                          const QDateTime& dueDate) const
{
    const QDateTime local = dueDate.toLocalTime();
    const QDate from = dueDate.isValid() ? local.date() : m_clock.now().toLocalTime().date();
    const QDate day = RepeatPhrases::firstDayFrom(rule, from);
    if (!day.isValid())
        return dueDate;
    // Wall-clock time on that day, whatever its length.
    return QDateTime(day, dueDate.isValid() ? local.time() : presetTime());
}

QString RepeatPhraseStage::describe(const store::RecurrenceRule& rule)
{
    const QString repeat = RecurrenceDescription::recurrenceRuleDescription(rule);
    if (!rule.recurrenceEnd)
        return repeat;
    if (rule.recurrenceEnd->occurrenceCount > 0)
        return QCoreApplication::translate("RepeatPhraseStage", "%1, %n time(s)", nullptr,
                                           rule.recurrenceEnd->occurrenceCount)
            .arg(repeat);
    return QCoreApplication::translate("RepeatPhraseStage", "%1, until %2")
        .arg(repeat, QLocale().toString(rule.recurrenceEnd->endDate.date(), QLocale::ShortFormat));
}
