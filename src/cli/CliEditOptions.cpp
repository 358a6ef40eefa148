#include "cli/CliEditOptions.h"

#include "cli/CliOutput.h"

#include <QHash>
#include <QRegularExpression>

namespace {

// The priority buttons of the details, by the words and numbers "add" takes.
std::optional<int> priorityButton(const QString& text)
{
    static const QHash<QString, int> words{
        {QStringLiteral("none"), 0}, {QStringLiteral("low"), 1}, {QStringLiteral("medium"), 2},
        {QStringLiteral("high"), 3}, {QStringLiteral("0"), 0},   {QStringLiteral("1"), 1},
        {QStringLiteral("2"), 2},    {QStringLiteral("3"), 3},
    };
    const auto found = words.constFind(text.trimmed().toLower());
    return found == words.cend() ? std::nullopt : std::optional<int>(*found);
}

// HH:mm on a 24-hour clock.
std::optional<QTime> timeOfDay(const QString& text)
{
    static const QRegularExpression shape(
        QRegularExpression::anchoredPattern(u"([01]?\\d|2[0-3]):([0-5]\\d)"));
    const QRegularExpressionMatch match = shape.match(text.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    return QTime(match.captured(1).toInt(), match.captured(2).toInt());
}

CliEditOptions::Outcome badValue(const QString& message)
{
    return {std::nullopt, message, 1};
}

CliEditOptions::Outcome contradiction(const QString& first, const QString& second)
{
    return {std::nullopt, CliText::tr("give either --%1 or --%2, not both").arg(first, second), 2};
}

} // namespace

CliEditOptions::CliEditOptions()
    : m_raw(QStringLiteral("raw"), CliText::tr("The task's iCalendar file as well (show)."))
    , m_title(QStringLiteral("title"), CliText::tr("The new title (edit)."), CliText::tr("TEXT"))
    , m_noDue(QStringLiteral("no-due"),
              CliText::tr("Take the due date away, with its repeat and time alarms (edit)."))
    , m_time(QStringLiteral("time"), CliText::tr("The due time, on the due date's day (edit)."),
             CliText::tr("HH:mm"))
    , m_noTime(QStringLiteral("no-time"),
               CliText::tr("Due on the day, without a time of day (edit)."))
    , m_repeat(QStringLiteral("repeat"),
               CliText::tr("The repeat rule, such as FREQ=WEEKLY;BYDAY=MO, or repeat words "
                           "such as \"every Monday\" (edit)."),
               CliText::tr("RULE"))
    , m_noRepeat(QStringLiteral("no-repeat"), CliText::tr("Stop repeating (edit)."))
    , m_noAlarm(QStringLiteral("no-alarm"), CliText::tr("Take the time alarms away (edit)."))
{}

QList<QCommandLineOption> CliEditOptions::all() const
{
    return {m_raw, m_title, m_noDue, m_time, m_noTime, m_repeat, m_noRepeat, m_noAlarm};
}

QList<const QCommandLineOption*> CliEditOptions::each() const
{
    return {&m_raw, &m_title, &m_noDue, &m_time, &m_noTime, &m_repeat, &m_noRepeat, &m_noAlarm};
}

QList<const QCommandLineOption*> CliEditOptions::ofEdit() const
{
    return {&m_title, &m_noDue, &m_time, &m_noTime, &m_repeat, &m_noRepeat, &m_noAlarm};
}

CliEditOptions::Outcome CliEditOptions::read(const QCommandLineParser& parser,
                                             const Shared& shared) const
{
    const auto given = [&parser](const QCommandLineOption& option) { return parser.isSet(option); };
    const auto value = [&parser](const QCommandLineOption& option) { return parser.value(option); };
    if (given(shared.due) && given(m_noDue))
        return contradiction(QStringLiteral("due"), QStringLiteral("no-due"));
    if (given(m_time) && given(m_noTime))
        return contradiction(QStringLiteral("time"), QStringLiteral("no-time"));
    if (given(m_repeat) && given(m_noRepeat))
        return contradiction(QStringLiteral("repeat"), QStringLiteral("no-repeat"));
    if (given(shared.alarm) && given(m_noAlarm))
        return contradiction(QStringLiteral("alarm"), QStringLiteral("no-alarm"));
    // Without a due date there is no time, repeat or alarm to set.
    for (const QCommandLineOption* needsDue : {&m_time, &m_noTime, &m_repeat, &shared.alarm}) {
        if (given(m_noDue) && given(*needsDue))
            return contradiction(needsDue->names().constLast(), QStringLiteral("no-due"));
    }

    CliEditRequest edit;
    if (given(m_title)) {
        edit.title = value(m_title).trimmed();
        if (edit.title->isEmpty())
            return badValue(CliText::tr("--title needs a text"));
    }
    if (given(shared.notes))
        edit.notes = value(shared.notes);
    if (given(shared.url))
        edit.url = value(shared.url).trimmed();
    if (given(shared.list)) {
        edit.list = value(shared.list);
        if (edit.list->trimmed().isEmpty())
            return badValue(CliText::tr("--list needs a list name"));
    }
    if (given(shared.priority)) {
        edit.priority = priorityButton(value(shared.priority));
        if (!edit.priority)
            return badValue(CliText::tr("--priority takes none, low, medium or high, not \"%1\"")
                                .arg(value(shared.priority)));
    }
    if (given(shared.due)) {
        edit.due = value(shared.due).trimmed();
        if (edit.due->isEmpty())
            return badValue(CliText::tr("--due needs a date"));
    }
    edit.noDue = given(m_noDue);
    if (given(m_time)) {
        edit.time = timeOfDay(value(m_time));
        if (!edit.time)
            return badValue(
                CliText::tr("--time takes HH:mm, such as 09:30, not \"%1\"").arg(value(m_time)));
    }
    edit.noTime = given(m_noTime);
    if (given(m_repeat)) {
        edit.repeat = value(m_repeat).trimmed();
        if (edit.repeat->isEmpty())
            return badValue(CliText::tr("--repeat needs a rule"));
    }
    edit.noRepeat = given(m_noRepeat);
    if (given(shared.alarm)) {
        edit.alarm = value(shared.alarm).trimmed();
        if (edit.alarm->isEmpty())
            return badValue(CliText::tr("--alarm takes on, off or a date"));
    }
    edit.noAlarm = given(m_noAlarm);
    return {edit, QString(), 0};
}
