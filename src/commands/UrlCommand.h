#pragma once

#include "platform/store/Reminder.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QUrl>

#include <optional>

class DataManager;
class ShowTaskTarget;

// The "velmoran:" URL scheme through which other programs add and open tasks. The host names
// the command ("add", "smartadd", "open") and the query carries its arguments as name=value
// pairs, percent-escapes resolved. Nothing is reported back to the calling program; the result
// of each call is returned for the callers that do want it (the command-line front end).
class UrlCommand : public QObject
{
    Q_OBJECT

public:
    using QueryItems = QList<QPair<QString, QString>>;

    enum class Command { None, Add, SmartAdd, Open };
    enum class Status {
        Ignored,  // not a command of this scheme
        Saved,    // a task was added
        NotSaved, // nothing was added: no title, or the store refused the task
        Found,    // "open" found its task
        NotFound, // "open" found no task with that identifier, or "add" no parent task
    };
    struct Result
    {
        Command command = Command::None;
        Status status = Status::Ignored;
        store::ReminderPtr reminder;
    };

    // The arguments of "add"; an empty text stands for an argument that is absent. With a
    // parent (a task identifier) the task is its subtask, in its list whatever `list` says.
    struct AddArguments
    {
        QString text;
        QString list;
        QString url;
        QString notes;
        QString priority;
        QString due;
        QString dueAfter;
        QString alarm;
        QString parent;

        static AddArguments fromQueryItems(const QueryItems& items);
    };

    // `target` shows opened tasks (it must outlive this object); without one "open" only looks
    // the task up.
    explicit UrlCommand(DataManager& manager, ShowTaskTarget* target = nullptr,
                        QObject* parent = nullptr);

    static QString schemeName();

    // The text of a URL handed in by the system: parsed, then dispatched on its host. URLs of
    // another scheme, without a host or with an unknown host are ignored without a message.
    Result getUrl(const QString& urlText);
    Result handleUrl(const QUrl& url);

    Result add(const AddArguments& arguments);
    Result smartAdd(const QString& text);
    Result open(const QString& identifier);

    // The query items of a URL, decoded.
    static QueryItems queryItemsOf(const QUrl& url);
    // The value of the first item with that name; nothing when there is none.
    static std::optional<QString> valueForKey(const QString& key, const QueryItems& queryItems);

    // Text from another program made fit for a task field: control characters (NUL and the
    // like, which no task file can carry) become spaces. A multi-line text keeps its line
    // breaks as "\n"; a single-line text has them turned into spaces and its ends trimmed.
    static QString cleanText(const QString& text, bool multiline);

private:
    DataManager& m_manager;
    ShowTaskTarget* m_target;
};
