#include "cli/CliOptions.h"
#include "cli/CliEditOptions.h"
#include "cli/CliOutput.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>

namespace {

QString description()
{
    return CliText::tr(
        "Velmoran without a window: add, list, show, edit, complete and delete tasks, read\n"
        "events and preferences, using the same task store and preferences as the application.\n"
        "\n"
        "Commands:\n"
        "  url URL                   run a velmoran: URL command (add, smartadd, open);\n"
        "                            \"open\" prints the task\n"
        "  add [TITLE]               add a task; takes --text, --list, --url, --notes,\n"
        "                            --priority, --due, --due-after, --alarm, and\n"
        "                            --parent ID for a subtask (in its parent's list)\n"
        "  smartadd TEXT             add a task from a line in Smart Add syntax\n"
        "  lists                     the task lists\n"
        "  lists --problems          the files of the lists that could not be read, and\n"
        "                            why; exit status 1 when there are any\n"
        "  tasks                     open tasks of every visible list, or of one\n"
        "                            --list, --filter or --search; --completed includes\n"
        "                            completed tasks; --tree indents subtasks under\n"
        "                            their parents\n"
        "  tasks --day|--week|--month [DATE]\n"
        "                            the tasks and then the events the window lists for\n"
        "                            that day, week or month (DATE YYYY-MM-DD, default\n"
        "                            today), with the view preferences; completed tasks\n"
        "                            of the current period follow \"showCompleted\" unless\n"
        "                            --completed is given\n"
        "  show ID                   every field of a task, one per line; --raw adds its\n"
        "                            iCalendar file as it is stored\n"
        "  edit ID                   change what the options name and nothing else: --title,\n"
        "                            --due or --no-due, --time or --no-time, --priority,\n"
        "                            --list, --notes, --url, --repeat or --no-repeat,\n"
        "                            --alarm or --no-alarm; refused, with nothing written,\n"
        "                            when the file changed since it was read\n"
        "  complete ID               complete a task\n"
        "  reopen ID                 reopen a completed task (a completed occurrence of a\n"
        "                            repeating task is reopened as the task of its own it is)\n"
        "  move ID --parent ID|--no-parent\n"
        "                            make a task a subtask of another task of its list,\n"
        "                            or a task on its own\n"
        "  delete ID                 delete a task (and print it); it goes to Recently\n"
        "                            Deleted\n"
        "  deleted                   what Recently Deleted holds, newest first;\n"
        "                            --empty deletes all of it for good\n"
        "  restore ID...             puts items of Recently Deleted back\n"
        "  import FILE...            tasks and events of .ics files, each into a file of\n"
        "                            its own: tasks into --list (or the default list),\n"
        "                            events into the first calendar; an item whose UID\n"
        "                            the store holds is skipped, or replaced with\n"
        "                            --update; exit status 1 when a broken item was\n"
        "                            skipped (each named on standard error)\n"
        "  export                    the open tasks of every list, or of each --list, as\n"
        "                            one calendar on standard output or into -o FILE;\n"
        "                            --completed includes completed tasks\n"
        "  events FROM TO            events between two dates (YYYY-MM-DD or\n"
        "                            YYYY-MM-DDTHH:MM; a date alone as TO includes that day)\n"
        "  prefs get KEY             a preference value, as JSON\n"
        "  prefs set KEY JSON-VALUE  sets a preference (null removes it)\n"
        "  sync                      syncs the CalDAV accounts once and says what changed;\n"
        "                            a list emptied on one side waits, left out, until\n"
        "                            --allow-emptied LIST deletes its tasks on the other\n"
        "                            side too or --restore-emptied LIST brings them back\n"
        "  account add URL USER      adds a CalDAV account (password on standard input),\n"
        "                            syncs all of its lists and adds its store folder\n"
        "  account lists ACCOUNT [LIST...]\n"
        "                            the server's lists for the account, [x] for those\n"
        "                            synced; with LISTs, syncs those from now on\n"
        "\n"
        "Due dates (--due): HH:mm, MM-dd, MM-dd HH:mm, yyyy-MM-dd or yyyy-MM-dd HH:mm.\n"
        "Filter types (--filter): 0 all, 1 undated, 2 recurring, 3 location, 4 overdue,\n"
        "5 high, 6 medium, 7 low priority, 8 tag (--tag WORD), 9 merged list (--tag NAME),\n"
        "11 today, 12 this week, 13 this month, 15 saved search (--tag TEXT).\n"
        "Put \"--\" before a text that starts with a dash.\n"
        "\n"
        "Environment:\n"
        "  VELMORAN_NOW     the current date and time for this run (ISO 8601, local time\n"
        "                   unless an offset is given), e.g. 2026-12-24T10:00\n"
        "  VELMORAN_STORE   the task store folders, separated by ':'\n"
        "  XDG_CONFIG_HOME  where the preferences live; XDG_DATA_HOME where the store does\n"
        "\n"
        "Exit status: 0 done, 1 bad input or a failed change, 2 bad command line.");
}

const QHash<QString, CliRequest::Command>& commandWords()
{
    static const QHash<QString, CliRequest::Command> words{
        {QStringLiteral("url"), CliRequest::Command::Url},
        {QStringLiteral("add"), CliRequest::Command::Add},
        {QStringLiteral("smartadd"), CliRequest::Command::SmartAdd},
        {QStringLiteral("lists"), CliRequest::Command::Lists},
        {QStringLiteral("tasks"), CliRequest::Command::Tasks},
        {QStringLiteral("complete"), CliRequest::Command::Complete},
        {QStringLiteral("delete"), CliRequest::Command::Delete},
        {QStringLiteral("events"), CliRequest::Command::Events},
        {QStringLiteral("sync"), CliRequest::Command::Sync},
        {QStringLiteral("deleted"), CliRequest::Command::Deleted},
        {QStringLiteral("restore"), CliRequest::Command::Restore},
        {QStringLiteral("move"), CliRequest::Command::Move},
        {QStringLiteral("show"), CliRequest::Command::Show},
        {QStringLiteral("edit"), CliRequest::Command::Edit},
        {QStringLiteral("reopen"), CliRequest::Command::Reopen},
        {QStringLiteral("import"), CliRequest::Command::Import},
        {QStringLiteral("export"), CliRequest::Command::Export},
    };
    return words;
}

// A whole number written with ASCII digits only, at most nine of them.
std::optional<int> strictNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 9)
        return std::nullopt;
    int value = 0;
    for (const QChar c : trimmed) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

std::optional<QString> priorityArgument(const QString& text)
{
    static const QHash<QString, QString> words{
        {QStringLiteral("none"), QStringLiteral("0")},
        {QStringLiteral("low"), QStringLiteral("1")},
        {QStringLiteral("medium"), QStringLiteral("2")},
        {QStringLiteral("high"), QStringLiteral("3")},
    };
    const QString word = text.trimmed().toLower();
    if (words.contains(word))
        return words.value(word);
    if (const auto number = strictNumber(word))
        return QString::number(*number);
    return std::nullopt;
}

std::optional<QString> alarmArgument(const QString& text)
{
    const QString word = text.trimmed().toLower();
    for (const char* on : {"on", "yes", "true"}) {
        if (word == QLatin1StringView(on))
            return QStringLiteral("1");
    }
    for (const char* off : {"off", "no", "false"}) {
        if (word == QLatin1StringView(off))
            return QStringLiteral("0");
    }
    if (const auto number = strictNumber(word))
        return QString::number(*number);
    return std::nullopt;
}

class Reader
{
public:
    Reader()
        : m_json({QStringLiteral("j"), QStringLiteral("json")},
                 CliText::tr("Print JSON instead of one line per record."))
        , m_list(QStringLiteral("list"),
                 CliText::tr("The list (tasks, add, edit, import, export)."), CliText::tr("NAME"))
        , m_filter(QStringLiteral("filter"), CliText::tr("A sidebar list type (tasks)."),
                   CliText::tr("TYPE"))
        , m_tag(QStringLiteral("tag"),
                CliText::tr("The tag, merged list or search text of --filter."),
                CliText::tr("TEXT"))
        , m_search(QStringLiteral("search"),
                   CliText::tr("Tasks whose title or notes hold every word."), CliText::tr("TEXT"))
        , m_completed(QStringLiteral("completed"),
                      CliText::tr("Include completed tasks (tasks, export)."))
        , m_day(QStringLiteral("day"), CliText::tr("The day view of today or of DATE (tasks)."))
        , m_week(QStringLiteral("week"),
                 CliText::tr("The week view of this week or DATE's (tasks)."))
        , m_month(QStringLiteral("month"),
                  CliText::tr("The month view of this month or DATE's (tasks)."))
        , m_text(QStringLiteral("text"), CliText::tr("The title (add)."), CliText::tr("TEXT"))
        , m_url(QStringLiteral("url"), CliText::tr("A link stored with the task (add, edit)."),
                CliText::tr("URL"))
        , m_notes(QStringLiteral("notes"), CliText::tr("Notes (add, edit)."), CliText::tr("TEXT"))
        , m_priority(QStringLiteral("priority"),
                     CliText::tr("none, low, medium or high, or 0, 1, 2, 3 (add, edit)."),
                     CliText::tr("PRIORITY"))
        , m_due(QStringLiteral("due"), CliText::tr("The due date (add, edit)."), CliText::tr("DUE"))
        , m_dueAfter({QStringLiteral("due-after"), QStringLiteral("dueAfter")},
                     CliText::tr("Due this many minutes from now (add)."), CliText::tr("MINUTES"))
        , m_alarm(QStringLiteral("alarm"),
                  CliText::tr("on or off; without it the \"alarmOn\" preference decides (add). "
                              "Edit also takes a date in the forms of --due."),
                  CliText::tr("ON|OFF"))
        , m_tree(QStringLiteral("tree"),
                 CliText::tr("Subtasks indented under their parents (tasks)."))
        , m_parent(QStringLiteral("parent"),
                   CliText::tr("The task to be a subtask of (add, move)."), CliText::tr("ID"))
        , m_noParent(QStringLiteral("no-parent"),
                     CliText::tr("Make the task one on its own (move)."))
        , m_problems(QStringLiteral("problems"),
                     CliText::tr("The files of the lists that could not be read (lists)."))
        , m_empty(QStringLiteral("empty"),
                  CliText::tr("Delete everything in Recently Deleted for good (deleted)."))
        , m_allowEmptied(QStringLiteral("allow-emptied"),
                         CliText::tr("Pass on the emptying of this list to the other side (sync)."),
                         CliText::tr("LIST"))
        , m_restoreEmptied(QStringLiteral("restore-emptied"),
                           CliText::tr("Bring the tasks of this emptied list back (sync)."),
                           CliText::tr("LIST"))
        , m_update(QStringLiteral("update"),
                   CliText::tr("Replace the items the store holds already (import)."))
        , m_output({QStringLiteral("o"), QStringLiteral("output")},
                   CliText::tr("The file to write (export)."), CliText::tr("FILE"))
    {
        m_parser.setApplicationDescription(description());
        m_help = m_parser.addHelpOption();
        m_version = m_parser.addVersionOption();
        m_parser.addOptions({m_json,      m_list,         m_filter,         m_tag,      m_search,
                             m_completed, m_day,          m_week,           m_month,    m_tree,
                             m_text,      m_url,          m_notes,          m_priority, m_due,
                             m_dueAfter,  m_alarm,        m_parent,         m_noParent, m_problems,
                             m_empty,     m_allowEmptied, m_restoreEmptied, m_update,   m_output});
        m_parser.addOptions(m_editOptions.all());
        m_parser.addPositionalArgument(QStringLiteral("command"),
                                       CliText::tr("What to do (see above)."),
                                       CliText::tr("command [arguments]"));
    }

    CliParse read(const QStringList& arguments)
    {
        CliParse parse;
        if (!m_parser.parse(arguments))
            return usageError(m_parser.errorText());
        if (m_parser.isSet(m_help)) {
            parse.output = m_parser.helpText();
            return parse;
        }
        if (m_parser.isSet(m_version)) {
            parse.output =
                QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion();
            return parse;
        }
        QStringList positional = m_parser.positionalArguments();
        if (positional.isEmpty())
            return usageError(CliText::tr("no command given; see --help"));
        const QString word = positional.takeFirst();

        CliRequest request;
        request.json = m_parser.isSet(m_json);
        request.arguments = positional;
        if (word == QLatin1StringView("prefs"))
            return readPrefs(request);
        if (word == QLatin1StringView("account")) {
            const QString verb = positional.value(0);
            request.arguments = positional.mid(1);
            const QString usage =
                CliText::tr("account takes \"add URL USER\" or \"lists ACCOUNT [LIST...]\"");
            if (verb == u"lists") {
                request.command = CliRequest::Command::AccountLists;
                return finish(request, {}, positional.size() >= 2, usage);
            }
            request.command = CliRequest::Command::AccountAdd;
            return finish(request, {}, positional.size() == 3 && verb == u"add", usage);
        }
        // vdirsyncer runs this with the account's folder and the two versions of a task.
        if (word == QLatin1StringView("sync-conflict")) {
            request.command = CliRequest::Command::SyncConflict;
            return finish(request, {}, positional.size() == 3,
                          CliText::tr("sync-conflict takes FOLDER LOCAL REMOTE"));
        }
        if (!commandWords().contains(word))
            return usageError(CliText::tr("unknown command \"%1\"; see --help").arg(word));
        request.command = commandWords().value(word);

        switch (request.command) {
        case CliRequest::Command::Url:
            return finish(request, {}, positional.size() == 1, CliText::tr("url takes one URL"));
        case CliRequest::Command::Add:
            return readAdd(request);
        case CliRequest::Command::SmartAdd:
            return finish(request, {}, !positional.isEmpty(),
                          CliText::tr("smartadd takes the text"));
        case CliRequest::Command::Lists:
            request.problems = m_parser.isSet(m_problems);
            return finish(request, {&m_problems}, positional.isEmpty(),
                          CliText::tr("lists takes no arguments"));
        case CliRequest::Command::Tasks:
            return readTasks(request);
        case CliRequest::Command::Move:
            return readMove(request);
        case CliRequest::Command::Show:
            request.raw = m_parser.isSet(m_editOptions.raw());
            return finish(request, {&m_editOptions.raw()}, positional.size() == 1,
                          CliText::tr("show takes one task identifier"));
        case CliRequest::Command::Edit:
            return readEdit(request);
        case CliRequest::Command::Complete:
        case CliRequest::Command::Delete:
        case CliRequest::Command::Reopen:
            return finish(request, {}, positional.size() == 1,
                          CliText::tr("%1 takes one task identifier").arg(word));
        case CliRequest::Command::Events:
            return finish(request, {}, positional.size() == 2,
                          CliText::tr("events takes two dates, FROM and TO"));
        case CliRequest::Command::Sync:
            request.allowEmptied = m_parser.values(m_allowEmptied);
            request.restoreEmptied = m_parser.values(m_restoreEmptied);
            return finish(request, {&m_allowEmptied, &m_restoreEmptied}, positional.isEmpty(),
                          CliText::tr("sync takes no arguments"));
        case CliRequest::Command::Deleted:
            request.emptyTrash = m_parser.isSet(m_empty);
            return finish(request, {&m_empty}, positional.isEmpty(),
                          CliText::tr("deleted takes no arguments"));
        case CliRequest::Command::Restore:
            return finish(request, {}, !positional.isEmpty(),
                          CliText::tr("restore takes the identifiers of deleted items"));
        case CliRequest::Command::Import:
            return readImport(request);
        case CliRequest::Command::Export:
            return readExport(request);
        default:
            break;
        }
        return usageError(CliText::tr("unknown command \"%1\"; see --help").arg(word));
    }

private:
    static CliParse usageError(const QString& message)
    {
        CliParse parse;
        parse.exitCode = 2;
        parse.error = message;
        return parse;
    }

    static CliParse inputError(const QString& message)
    {
        CliParse parse;
        parse.exitCode = 1;
        parse.error = message;
        return parse;
    }

    // Checks that only the allowed options (and --json) were given and the arity held.
    CliParse finish(const CliRequest& request, const QList<const QCommandLineOption*>& allowed,
                    bool arityHolds, const QString& arityMessage) const
    {
        for (const QCommandLineOption* option : optionsWithValuesOrFlags() + m_editOptions.each()) {
            if (m_parser.isSet(*option) && !allowed.contains(option))
                return usageError(CliText::tr("--%1 does not apply to this command")
                                      .arg(option->names().constLast()));
        }
        if (!arityHolds)
            return usageError(arityMessage);
        CliParse parse;
        parse.request = request;
        return parse;
    }

    QList<const QCommandLineOption*> optionsWithValuesOrFlags() const
    {
        return {&m_list,         &m_filter,         &m_tag,      &m_search,   &m_completed,
                &m_day,          &m_week,           &m_month,    &m_tree,     &m_text,
                &m_url,          &m_notes,          &m_priority, &m_due,      &m_dueAfter,
                &m_alarm,        &m_parent,         &m_noParent, &m_problems, &m_empty,
                &m_allowEmptied, &m_restoreEmptied, &m_update,   &m_output};
    }

    CliParse readEdit(CliRequest request) const
    {
        const CliEditOptions::Outcome outcome =
            m_editOptions.read(m_parser, {m_list, m_notes, m_url, m_priority, m_due, m_alarm});
        if (!outcome.request)
            return outcome.exitCode == 2 ? usageError(outcome.error) : inputError(outcome.error);
        request.edit = *outcome.request;
        CliParse parse =
            finish(request,
                   m_editOptions.ofEdit() + QList<const QCommandLineOption*>{&m_list, &m_notes,
                                                                             &m_url, &m_priority,
                                                                             &m_due, &m_alarm},
                   request.arguments.size() == 1, CliText::tr("edit takes one task identifier"));
        if (parse.request && request.edit == CliEditRequest())
            return usageError(CliText::tr("edit takes at least one of the options that change "
                                          "a task; see --help"));
        return parse;
    }

    CliParse readPrefs(CliRequest request) const
    {
        const QStringList& arguments = request.arguments;
        const QString verb = arguments.value(0);
        if (verb == QLatin1StringView("get")) {
            request.command = CliRequest::Command::PrefsGet;
        } else if (verb == QLatin1StringView("set")) {
            request.command = CliRequest::Command::PrefsSet;
        } else {
            return usageError(CliText::tr("prefs takes \"get KEY\" or \"set KEY JSON-VALUE\""));
        }
        request.arguments.removeFirst();
        const qsizetype wanted = request.command == CliRequest::Command::PrefsGet ? 1 : 2;
        const bool arityHolds =
            request.arguments.size() == wanted && !request.arguments.first().isEmpty();
        return finish(request, {}, arityHolds,
                      CliText::tr("prefs takes \"get KEY\" or \"set KEY JSON-VALUE\""));
    }

    CliParse readAdd(CliRequest request) const
    {
        UrlCommand::AddArguments& add = request.add;
        const QString positionalTitle = request.arguments.join(u' ');
        if (m_parser.isSet(m_text) && !request.arguments.isEmpty())
            return usageError(
                CliText::tr("give the title either as --text or as arguments, not both"));
        add.text = m_parser.isSet(m_text) ? m_parser.value(m_text) : positionalTitle;
        if (add.text.trimmed().isEmpty())
            return inputError(CliText::tr("add needs a title"));
        request.arguments.clear();
        request.addListGiven = m_parser.isSet(m_list);
        add.list = m_parser.value(m_list);
        add.url = m_parser.value(m_url);
        add.notes = m_parser.value(m_notes);
        if (m_parser.isSet(m_priority)) {
            const auto priority = priorityArgument(m_parser.value(m_priority));
            if (!priority)
                return inputError(
                    CliText::tr("--priority takes none, low, medium or high, not \"%1\"")
                        .arg(m_parser.value(m_priority)));
            add.priority = *priority;
        }
        if (m_parser.isSet(m_due) && m_parser.isSet(m_dueAfter))
            return usageError(CliText::tr("give either --due or --due-after, not both"));
        add.due = m_parser.value(m_due);
        if (m_parser.isSet(m_due) && add.due.trimmed().isEmpty())
            return inputError(CliText::tr("--due needs a date"));
        if (m_parser.isSet(m_dueAfter)) {
            if (!strictNumber(m_parser.value(m_dueAfter)))
                return inputError(
                    CliText::tr("--due-after takes a whole number of minutes, not \"%1\"")
                        .arg(m_parser.value(m_dueAfter)));
            add.dueAfter = m_parser.value(m_dueAfter).trimmed();
        }
        if (m_parser.isSet(m_alarm)) {
            const auto alarm = alarmArgument(m_parser.value(m_alarm));
            if (!alarm)
                return inputError(CliText::tr("--alarm takes on or off, not \"%1\"")
                                      .arg(m_parser.value(m_alarm)));
            add.alarm = *alarm;
        }
        if (m_parser.isSet(m_parent)) {
            if (m_parser.isSet(m_list))
                return usageError(CliText::tr(
                    "give either --list or --parent, not both: a subtask is in its parent's list"));
            request.parent = m_parser.value(m_parent).trimmed();
            if (request.parent->isEmpty())
                return inputError(CliText::tr("--parent needs a task identifier"));
        }
        return finish(request,
                      {&m_text, &m_list, &m_url, &m_notes, &m_priority, &m_due, &m_dueAfter,
                       &m_alarm, &m_parent},
                      true, QString());
    }

    // import FILE... [--list NAME] [--update]
    CliParse readImport(CliRequest request) const
    {
        if (m_parser.isSet(m_list)) {
            request.list = m_parser.value(m_list);
            if (request.list->trimmed().isEmpty())
                return inputError(CliText::tr("--list needs a list name"));
        }
        request.update = m_parser.isSet(m_update);
        return finish(request, {&m_list, &m_update}, !request.arguments.isEmpty(),
                      CliText::tr("import takes one or more .ics files"));
    }

    // export [--list NAME]... [--completed] [-o FILE]
    CliParse readExport(CliRequest request) const
    {
        request.lists = m_parser.values(m_list);
        for (const QString& name : std::as_const(request.lists)) {
            if (name.trimmed().isEmpty())
                return inputError(CliText::tr("--list needs a list name"));
        }
        request.completed = m_parser.isSet(m_completed);
        request.output = m_parser.value(m_output);
        if (m_parser.isSet(m_output) && request.output.trimmed().isEmpty())
            return inputError(CliText::tr("-o needs a file name"));
        return finish(request, {&m_list, &m_completed, &m_output}, request.arguments.isEmpty(),
                      CliText::tr("export takes no arguments"));
    }

    // move ID --parent ID|--no-parent
    CliParse readMove(CliRequest request) const
    {
        if (m_parser.isSet(m_parent) == m_parser.isSet(m_noParent))
            return usageError(CliText::tr("move takes either --parent ID or --no-parent"));
        if (m_parser.isSet(m_parent)) {
            request.parent = m_parser.value(m_parent).trimmed();
            if (request.parent->isEmpty())
                return inputError(CliText::tr("--parent needs a task identifier"));
        }
        return finish(request, {&m_parent, &m_noParent}, request.arguments.size() == 1,
                      CliText::tr("move takes one task identifier"));
    }

    CliParse readTasks(CliRequest request) const
    {
        const int views =
            int(m_parser.isSet(m_day)) + int(m_parser.isSet(m_week)) + int(m_parser.isSet(m_month));
        const int selectors = int(m_parser.isSet(m_list)) + int(m_parser.isSet(m_filter)) +
                              int(m_parser.isSet(m_search)) + views;
        if (selectors > 1)
            return usageError(CliText::tr(
                "give at most one of --list, --filter, --search, --day, --week and --month"));
        request.completed = m_parser.isSet(m_completed);
        if (views > 0)
            return readView(request);
        request.tree = m_parser.isSet(m_tree);
        if (m_parser.isSet(m_list)) {
            request.list = m_parser.value(m_list);
            if (request.list->trimmed().isEmpty())
                return inputError(CliText::tr("--list needs a list name"));
        }
        if (m_parser.isSet(m_search)) {
            request.search = m_parser.value(m_search);
            if (request.search->trimmed().isEmpty())
                return inputError(CliText::tr("--search needs a text"));
        }
        if (m_parser.isSet(m_filter)) {
            const auto type = strictNumber(m_parser.value(m_filter));
            if (!type || *type > 15)
                return inputError(CliText::tr("--filter takes a list type from 0 to 15, not \"%1\"")
                                      .arg(m_parser.value(m_filter)));
            if (*type == 10)
                return inputError(CliText::tr("for one list, use --list NAME"));
            if (*type == 14)
                return inputError(CliText::tr("for a search, use --search TEXT"));
            request.filter = *type;
        }
        const bool needsTag = request.filter == 8 || request.filter == 9 || request.filter == 15;
        if (m_parser.isSet(m_tag)) {
            if (!needsTag)
                return usageError(CliText::tr("--tag applies to --filter 8, 9 and 15 only"));
            request.tag = m_parser.value(m_tag);
        }
        if (needsTag && (!request.tag || request.tag->trimmed().isEmpty()))
            return inputError(CliText::tr("--filter %1 needs --tag").arg(*request.filter));
        return finish(request, {&m_list, &m_filter, &m_tag, &m_search, &m_completed, &m_tree},
                      request.arguments.isEmpty(), CliText::tr("tasks takes no arguments"));
    }

    // tasks --day|--week|--month [DATE]
    CliParse readView(CliRequest request) const
    {
        request.view = m_parser.isSet(m_day)    ? TaskViewMode::Day
                       : m_parser.isSet(m_week) ? TaskViewMode::Week
                                                : TaskViewMode::Month;
        if (request.arguments.size() > 1)
            return usageError(CliText::tr("--day, --week and --month take at most one date"));
        if (!request.arguments.isEmpty()) {
            const QString text = request.arguments.takeFirst();
            request.viewDate = isoDay(text);
            if (!request.viewDate)
                return inputError(
                    CliText::tr("cannot read the date \"%1\"; use YYYY-MM-DD, such as 2026-12-24")
                        .arg(text));
        }
        return finish(request, {&m_completed, &m_day, &m_week, &m_month}, true, QString());
    }

    // A calendar date written exactly as YYYY-MM-DD.
    static std::optional<QDate> isoDay(const QString& text)
    {
        static const QRegularExpression shape(
            QRegularExpression::anchoredPattern(u"\\d{4}-\\d{2}-\\d{2}"));
        const QString trimmed = text.trimmed();
        if (!shape.match(trimmed).hasMatch())
            return std::nullopt;
        const QDate day = QDate::fromString(trimmed, Qt::ISODate);
        return day.isValid() ? std::optional<QDate>(day) : std::nullopt;
    }

    QCommandLineParser m_parser;
    QCommandLineOption m_help{QStringLiteral("help")};
    QCommandLineOption m_version{QStringLiteral("version")};
    QCommandLineOption m_json;
    QCommandLineOption m_list;
    QCommandLineOption m_filter;
    QCommandLineOption m_tag;
    QCommandLineOption m_search;
    QCommandLineOption m_completed;
    QCommandLineOption m_day;
    QCommandLineOption m_week;
    QCommandLineOption m_month;
    QCommandLineOption m_text;
    QCommandLineOption m_url;
    QCommandLineOption m_notes;
    QCommandLineOption m_priority;
    QCommandLineOption m_due;
    QCommandLineOption m_dueAfter;
    QCommandLineOption m_alarm;
    QCommandLineOption m_tree;
    QCommandLineOption m_parent;
    QCommandLineOption m_noParent;
    QCommandLineOption m_problems;
    QCommandLineOption m_empty;
    QCommandLineOption m_allowEmptied;
    QCommandLineOption m_restoreEmptied;
    CliEditOptions m_editOptions;
    QCommandLineOption m_update;
    QCommandLineOption m_output;
};

} // namespace

CliParse parseCommandLine(const QStringList& arguments)
{
    // The view options take an optional date, which the parser cannot express: "--day=DATE"
    // becomes "--day DATE", and the date is read as the positional argument.
    QStringList split;
    bool options = true;
    for (const QString& argument : arguments) {
        if (argument == QLatin1StringView("--"))
            options = false;
        const qsizetype equals = argument.indexOf(u'=');
        const QString name = argument.left(equals);
        if (options && equals > 0 &&
            (name == QLatin1StringView("--day") || name == QLatin1StringView("--week") ||
             name == QLatin1StringView("--month"))) {
            split << name << argument.mid(equals + 1);
            continue;
        }
        split << argument;
    }
    Reader reader;
    return reader.read(split);
}
