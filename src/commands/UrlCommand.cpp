#include "commands/UrlCommand.h"

#include "commands/ExternalTaskEntry.h"
#include "commands/ShowTaskTarget.h"
#include "data/DataManager.h"
#include "data/TaskLists.h"
#include "data/TaskOperations.h"

#include <QTimer>
#include <QUrlQuery>

namespace {

// A task that is not in the snapshot yet when the window is not ready is shown a moment later.
constexpr int kOpenDelayMs = 1000;

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

} // namespace

UrlCommand::AddArguments UrlCommand::AddArguments::fromQueryItems(const QueryItems& items)
{
    auto value = [&items](const char* key) {
        return valueForKey(QString::fromLatin1(key), items).value_or(QString());
    };
    AddArguments arguments;
    arguments.text = value("text");
    arguments.list = value("list");
    arguments.url = value("url");
    arguments.notes = value("notes");
    arguments.priority = value("priority");
    arguments.due = value("due");
    arguments.dueAfter = value("dueAfter");
    arguments.alarm = value("alarm");
    arguments.parent = value("parent");
    return arguments;
}

UrlCommand::UrlCommand(DataManager& manager, ShowTaskTarget* target, QObject* parent)
    : QObject(parent)
    , m_manager(manager)
    , m_target(target)
{}

QString UrlCommand::schemeName()
{
    return QStringLiteral("velmoran");
}

UrlCommand::Result UrlCommand::getUrl(const QString& urlText)
{
    return handleUrl(QUrl(urlText.trimmed(), QUrl::TolerantMode));
}

UrlCommand::Result UrlCommand::handleUrl(const QUrl& url)
{
    if (!url.isValid() || url.scheme().compare(schemeName(), Qt::CaseInsensitive) != 0)
        return {};
    const QString host = url.host(QUrl::FullyDecoded).toLower();
    const QueryItems items = queryItemsOf(url);
    if (host == QLatin1StringView("add"))
        return add(AddArguments::fromQueryItems(items));
    if (host == QLatin1StringView("smartadd"))
        return smartAdd(valueForKey(QStringLiteral("text"), items).value_or(QString()));
    if (host == QLatin1StringView("open"))
        return open(valueForKey(QStringLiteral("uuid"), items).value_or(QString()));
    return {};
}

UrlCommand::QueryItems UrlCommand::queryItemsOf(const QUrl& url)
{
    if (!url.hasQuery())
        return {};
    return QUrlQuery(url).queryItems(QUrl::FullyDecoded);
}

std::optional<QString> UrlCommand::valueForKey(const QString& key, const QueryItems& queryItems)
{
    for (const auto& item : queryItems) {
        if (item.first == key)
            return item.second;
    }
    return std::nullopt;
}

QString UrlCommand::cleanText(const QString& text, bool multiline)
{
    QString cleaned;
    cleaned.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            continue; // one break, not two
        if (isLineBreak(c))
            cleaned += multiline ? QChar(u'\n') : QChar(u' ');
        else if (c == u'\t')
            cleaned += c;
        else if (c.category() == QChar::Other_Control || c.unicode() == 0xFFFE ||
                 c.unicode() == 0xFFFF)
            // NUL and its kin end a C string in the middle and are not valid in a task file.
            cleaned += QChar(u' ');
        else
            cleaned += c;
    }
    return multiline ? cleaned : cleaned.trimmed();
}

UrlCommand::Result UrlCommand::add(const AddArguments& arguments)
{
    Result result{Command::Add, Status::NotSaved, nullptr};
    const QString parentId = cleanText(arguments.parent, false);
    const store::ReminderPtr parent =
        parentId.isEmpty() ? nullptr : m_manager.tasks().reminderWithIdentifier(parentId);
    if (!parentId.isEmpty() && (!parent || parent->uid.isEmpty())) {
        result.status = Status::NotFound;
        return result;
    }
    // A subtask in another list than its parent's would stand on its own.
    const store::CalendarPtr list =
        parent ? parent->calendar
               : m_manager.lists().calendarFromName(cleanText(arguments.list, false));
    ExternalTaskEntry(m_manager).addReminderFromURLSchemeWithTitle(
        cleanText(arguments.text, false), list, cleanText(arguments.priority, false),
        cleanText(arguments.url, false), cleanText(arguments.notes, true),
        cleanText(arguments.due, false), cleanText(arguments.dueAfter, false),
        cleanText(arguments.alarm, false),
        [&result](bool saved, store::ReminderPtr reminder) {
            result.status = saved ? Status::Saved : Status::NotSaved;
            result.reminder = saved ? std::move(reminder) : nullptr;
        },
        parent ? parent->uid : QString());
    return result;
}

UrlCommand::Result UrlCommand::smartAdd(const QString& text)
{
    Result result{Command::SmartAdd, Status::NotSaved, nullptr};
    // Spaces at either end stay: they decide whether a trigger at the start or end is taken.
    const QString line = cleanText(text, true).replace(u'\n', u' ');
    ExternalTaskEntry(m_manager).smartAddReminderFromURLSchemeWithText(
        line, [&result](bool saved, store::ReminderPtr reminder) {
            result.status = saved ? Status::Saved : Status::NotSaved;
            result.reminder = saved ? std::move(reminder) : nullptr;
        });
    return result;
}

UrlCommand::Result UrlCommand::open(const QString& identifier)
{
    Result result{Command::Open, Status::NotFound, nullptr};
    if (m_target)
        m_target->bringMainWindowToFront();
    const QString wanted = cleanText(identifier, false);
    // A new task has no identifier yet; an empty one names no task.
    store::ReminderPtr reminder =
        wanted.isEmpty() ? nullptr : m_manager.tasks().reminderWithIdentifier(wanted);
    if (!reminder)
        return result;
    result.status = Status::Found;
    result.reminder = reminder;
    if (!m_target)
        return result;
    if (m_target->canShowTaskNow()) {
        m_target->openObject(reminder);
    } else {
        ShowTaskTarget* target = m_target;
        QTimer::singleShot(kOpenDelayMs, this,
                           [target, reminder] { target->openObject(reminder); });
    }
    return result;
}
