# bash completion for velmoran-cli: command words, the options of each command, and list names
# and task identifiers read from the user's store.

_velmoran_cli_column() # command... : the first tab-separated field of each line it prints
{
    "${_velmoran_cli_program:-velmoran-cli}" "$@" 2>/dev/null | cut -f1
}

_velmoran_cli_list_titles()
{
    "${_velmoran_cli_program:-velmoran-cli}" lists 2>/dev/null | cut -f2
}

_velmoran_cli()
{
    local cur prev command word i
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]}
    _velmoran_cli_program=${COMP_WORDS[0]}

    command=
    for ((i = 1; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        case $word in
        --list | --filter | --tag | --search | --text | --url | --notes | --priority | --due | \
            --due-after | --dueAfter | --alarm | --parent | --allow-emptied | --restore-emptied | \
            --title | --time | --repeat | -o | --output)
            ((i++))
            ;;
        -*) ;;
        *)
            command=$word
            break
            ;;
        esac
    done

    local IFS=$'\n'
    case $prev in
    --list | --allow-emptied | --restore-emptied)
        COMPREPLY=($(compgen -W "$(_velmoran_cli_list_titles)" -- "$cur"))
        COMPREPLY=("${COMPREPLY[@]// /\\ }")
        return
        ;;
    --priority)
        COMPREPLY=($(compgen -W $'none\nlow\nmedium\nhigh' -- "$cur"))
        return
        ;;
    --alarm)
        COMPREPLY=($(compgen -W $'on\noff' -- "$cur"))
        return
        ;;
    --parent)
        COMPREPLY=($(compgen -W "$(_velmoran_cli_column tasks)" -- "$cur"))
        return
        ;;
    --filter)
        COMPREPLY=($(compgen -W $'0\n1\n2\n3\n4\n5\n6\n7\n8\n9\n11\n12\n13\n15' -- "$cur"))
        return
        ;;
    --tag | --search | --text | --url | --notes | --due | --due-after | --dueAfter | --title | \
        --time | --repeat)
        return
        ;;
    -o | --output)
        COMPREPLY=($(compgen -f -- "$cur"))
        return
        ;;
    esac

    local options
    case $command in
    add) options=$'--text\n--list\n--url\n--notes\n--priority\n--due\n--due-after\n--alarm\n--parent' ;;
    tasks) options=$'--list\n--filter\n--tag\n--search\n--completed\n--day\n--week\n--month\n--tree' ;;
    move) options=$'--parent\n--no-parent' ;;
    show) options=--raw ;;
    edit) options=$'--title\n--due\n--no-due\n--time\n--no-time\n--priority\n--list\n--notes\n--url\n--repeat\n--no-repeat\n--alarm\n--no-alarm' ;;
    lists) options=--problems ;;
    deleted) options=--empty ;;
    sync) options=$'--allow-emptied\n--restore-emptied' ;;
    import) options=$'--list\n--update' ;;
    export) options=$'--list\n--completed\n--output\n-o' ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W $'--help\n--version\n--json\n'"$options" -- "$cur"))
        return
    fi

    case $command in
    "")
        COMPREPLY=($(compgen -W $'url\nadd\nsmartadd\nlists\ntasks\nshow\nedit\ncomplete\nreopen\nmove\ndelete\ndeleted\nrestore\nevents\nimport\nexport\nprefs\nsync\naccount' -- "$cur"))
        ;;
    complete | delete | move | show | edit | reopen)
        COMPREPLY=($(compgen -W "$(_velmoran_cli_column tasks)" -- "$cur"))
        ;;
    restore)
        COMPREPLY=($(compgen -W "$(_velmoran_cli_column deleted)" -- "$cur"))
        ;;
    import)
        COMPREPLY=($(compgen -f -- "$cur"))
        ;;
    prefs)
        [[ $prev == prefs ]] && COMPREPLY=($(compgen -W $'get\nset' -- "$cur"))
        ;;
    account)
        if [[ $prev == account ]]; then
            COMPREPLY=($(compgen -W $'add\nlists' -- "$cur"))
        fi
        ;;
    esac
}

complete -F _velmoran_cli velmoran-cli
