# fish completion for velmoran-cli: command words, the options of each command, and list names
# and task identifiers read from the user's store.

set -l commands url add smartadd lists tasks show edit complete reopen move delete deleted restore events import export prefs sync account

function __velmoran_cli_lists
    velmoran-cli lists 2>/dev/null | cut -f2
end

# Identifiers, each with its title as the description.
function __velmoran_cli_ids --argument-names command title_column
    velmoran-cli $command 2>/dev/null | cut -f1,$title_column
end

complete -c velmoran-cli -f
complete -c velmoran-cli -s h -l help -d 'Show the commands and options'
complete -c velmoran-cli -s v -l version -d 'Show the version'
complete -c velmoran-cli -s j -l json -d 'Print JSON'

complete -c velmoran-cli -n "not __fish_seen_subcommand_from $commands" -a url -d 'Run a velmoran: URL command'
complete -c velmoran-cli -n "not __fish_seen_subcommand_from $commands" -a add -d 'Add a task'
complete -c velmoran-cli -n "not __fish_seen_subcommand_from $commands" -a smartadd -d 'Add a task in Smart Add syntax'
complete -c velmoran-cli -n "not __fish_seen_subcommand_from $commands" -a lists -d 'The task lists'
complete -c velmoran-cli -n "not __fish_seen_subcommand_from $commands" -a tasks -d 'Open tasks, or a day, week or month view'
complete -c velmoran-cli -n "not __fish_seen_subcommand_from $commands" -a show -d 'Every field of a task'
complete -c velmoran-cli -n "not __fish_seen_subcommand_from $commands" -a edit -d 'Change what the options name'
complete -c velmoran-cli -n "not __fish_seen_subcommand_from $commands" -a complete -d 'Complete a task'
complete -c velmoran-cli -n "not __fish_seen_subcommand_from $commands" -a reopen -d 'Reopen a completed task'
complete -c velmoran-cli -n "not __fish_seen_subcommand_from $commands" -a move -d 'Make a task a subtask, or one on its own'
complete -c velmoran-cli -n "not __fish_seen_subcommand_from $commands" -a delete -d 'Delete a task'
complete -c velmoran-cli -n "not __fish_seen_subcommand_from $commands" -a deleted -d 'What Recently Deleted holds'
complete -c velmoran-cli -n "not __fish_seen_subcommand_from $commands" -a restore -d 'Put items of Recently Deleted back'
complete -c velmoran-cli -n "not __fish_seen_subcommand_from $commands" -a events -d 'Events between two dates'
complete -c velmoran-cli -n "not __fish_seen_subcommand_from $commands" -a import -d 'Import the tasks and events of .ics files'
complete -c velmoran-cli -n "not __fish_seen_subcommand_from $commands" -a export -d 'Write tasks out as one calendar'
complete -c velmoran-cli -n "not __fish_seen_subcommand_from $commands" -a prefs -d 'Read or set a preference'
complete -c velmoran-cli -n "not __fish_seen_subcommand_from $commands" -a sync -d 'Sync the CalDAV accounts once'
complete -c velmoran-cli -n "not __fish_seen_subcommand_from $commands" -a account -d 'Add a CalDAV account or choose its lists'

complete -c velmoran-cli -n '__fish_seen_subcommand_from add tasks edit import export' -l list -x -a '(__velmoran_cli_lists)' -d 'The list'
complete -c velmoran-cli -n '__fish_seen_subcommand_from add' -l text -x -d 'The title'
complete -c velmoran-cli -n '__fish_seen_subcommand_from add edit' -l url -x -d 'A link stored with the task'
complete -c velmoran-cli -n '__fish_seen_subcommand_from add edit' -l notes -x -d 'Notes'
complete -c velmoran-cli -n '__fish_seen_subcommand_from add edit' -l priority -x -a 'none low medium high' -d 'The priority'
complete -c velmoran-cli -n '__fish_seen_subcommand_from add edit' -l due -x -d 'The due date'
complete -c velmoran-cli -n '__fish_seen_subcommand_from add' -l due-after -x -d 'Due this many minutes from now'
complete -c velmoran-cli -n '__fish_seen_subcommand_from add edit' -l alarm -x -a 'on off' -d 'Whether the task gets an alarm'
complete -c velmoran-cli -n '__fish_seen_subcommand_from add move' -l parent -x -a '(__velmoran_cli_ids tasks 5)' -d 'The task to be a subtask of'
complete -c velmoran-cli -n '__fish_seen_subcommand_from move' -l no-parent -d 'A task on its own'
complete -c velmoran-cli -n '__fish_seen_subcommand_from tasks' -l tree -d 'Subtasks under their parents'
complete -c velmoran-cli -n '__fish_seen_subcommand_from tasks' -l filter -x -a '0 1 2 3 4 5 6 7 8 9 11 12 13 15' -d 'A sidebar list type'
complete -c velmoran-cli -n '__fish_seen_subcommand_from tasks' -l tag -x -d 'Tag, merged list or search text'
complete -c velmoran-cli -n '__fish_seen_subcommand_from tasks' -l search -x -d 'Words the task holds'
complete -c velmoran-cli -n '__fish_seen_subcommand_from tasks export' -l completed -d 'Include completed tasks'
complete -c velmoran-cli -n '__fish_seen_subcommand_from import' -l update -d 'Replace the items the store holds'
complete -c velmoran-cli -n '__fish_seen_subcommand_from import' -F
complete -c velmoran-cli -n '__fish_seen_subcommand_from export' -s o -l output -r -F -d 'The file to write'
complete -c velmoran-cli -n '__fish_seen_subcommand_from tasks' -l day -d 'The day view'
complete -c velmoran-cli -n '__fish_seen_subcommand_from tasks' -l week -d 'The week view'
complete -c velmoran-cli -n '__fish_seen_subcommand_from tasks' -l month -d 'The month view'
complete -c velmoran-cli -n '__fish_seen_subcommand_from lists' -l problems -d 'The files that could not be read'
complete -c velmoran-cli -n '__fish_seen_subcommand_from deleted' -l empty -d 'Delete everything for good'
complete -c velmoran-cli -n '__fish_seen_subcommand_from sync' -l allow-emptied -x -a '(__velmoran_cli_lists)' -d 'Pass the emptying on'
complete -c velmoran-cli -n '__fish_seen_subcommand_from sync' -l restore-emptied -x -a '(__velmoran_cli_lists)' -d 'Bring the tasks back'
complete -c velmoran-cli -n '__fish_seen_subcommand_from show' -l raw -d 'The file as stored'
complete -c velmoran-cli -n '__fish_seen_subcommand_from edit' -l title -x -d 'The new title'
complete -c velmoran-cli -n '__fish_seen_subcommand_from edit' -l no-due -d 'No due date'
complete -c velmoran-cli -n '__fish_seen_subcommand_from edit' -l time -x -d 'The due time'
complete -c velmoran-cli -n '__fish_seen_subcommand_from edit' -l no-time -d 'Due on the day'
complete -c velmoran-cli -n '__fish_seen_subcommand_from edit' -l repeat -x -d 'The repeat rule'
complete -c velmoran-cli -n '__fish_seen_subcommand_from edit' -l no-repeat -d 'Stop repeating'
complete -c velmoran-cli -n '__fish_seen_subcommand_from edit' -l no-alarm -d 'No time alarms'
complete -c velmoran-cli -n '__fish_seen_subcommand_from complete delete move show edit reopen' -a '(__velmoran_cli_ids tasks 5)'
complete -c velmoran-cli -n '__fish_seen_subcommand_from restore' -a '(__velmoran_cli_ids deleted 6)'
complete -c velmoran-cli -n '__fish_seen_subcommand_from prefs' -a 'get set'
complete -c velmoran-cli -n '__fish_seen_subcommand_from account' -a 'add lists'
