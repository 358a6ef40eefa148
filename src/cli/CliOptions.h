#pragma once

#include "cli/CliEditRequest.h"
#include "commands/UrlCommand.h"
#include "data/views/TaskViewMode.h"

#include <QDate>

#include <QStringList>

#include <optional>

// One run of the command-line front end as the arguments ask for it, checked for shape: the
// command, its positional arguments and the options that apply to it. Values that need the
// store or the clock (dates, list names, identifiers) are checked when the command runs.
struct CliRequest
{
    enum class Command {
        Url,
        Add,
        SmartAdd,
        Lists,
        Tasks,
        Complete,
        Delete,
        Events,
        PrefsGet,
        PrefsSet,
        Sync,
        AccountAdd,
        AccountLists,
        SyncConflict,
        Deleted,
        Restore,
        Move,
        Show,
        Edit,
        Reopen,
        Import,
        Export,
    };

    Command command = Command::Lists;
    // The positional arguments after the command word ("prefs get|set" drops its verb).
    QStringList arguments;
    bool json = false;
    // lists --problems
    bool problems = false;
    // deleted --empty
    bool emptyTrash = false;
    // sync --allow-emptied LIST, --restore-emptied LIST (each may be given again)
    QStringList allowEmptied;
    QStringList restoreEmptied;

    // tasks
    std::optional<QString> list;
    std::optional<int> filter;
    std::optional<QString> tag;
    std::optional<QString> search;
    bool completed = false;
    // tasks --day, --week or --month: the date view the window shows, around `viewDate` (none:
    // today by the clock).
    std::optional<TaskViewMode> view;
    std::optional<QDate> viewDate;

    // tasks --tree: subtasks indented under their parents.
    bool tree = false;
    // add --parent ID, move --parent ID; move --no-parent leaves `parent` empty.
    std::optional<QString> parent;

    // add: the "add" URL arguments; "priority" and "alarm" already in their number form.
    UrlCommand::AddArguments add;
    bool addListGiven = false;

    // show --raw: the file's text as well.
    bool raw = false;
    CliEditRequest edit;
    // import --update: items the store holds already are replaced rather than skipped.
    bool update = false;
    // export --list NAME (each may be given again), -o FILE.
    QStringList lists;
    QString output;
};

// The outcome of reading the arguments: a request to run, or an exit code with what to print
// (help, version, or a usage error).
struct CliParse
{
    std::optional<CliRequest> request;
    int exitCode = 0;
    QString output;
    QString error;
};

CliParse parseCommandLine(const QStringList& arguments);

// The environment variable that sets the front end's clock.
inline constexpr char kNowVariable[] = "VELMORAN_NOW";
