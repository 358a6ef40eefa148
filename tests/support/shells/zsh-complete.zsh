#!/usr/bin/env zsh
# Prints, one per line, what zsh's completion system offers for a command line, by typing the
# line and Tab into an interactive zsh on a pseudo-terminal.
# Usage: complete.zsh COMPLETION_FOLDER 'command line'
zmodload zsh/zpty || exit 3
zpty z zsh -f -i
setup=$(mktemp) || exit 3
cat > $setup <<SETUP
PROMPT=
fpath=(${(q)1} \$fpath)
autoload -U compinit
compinit -u -D
zstyle ':completion:*' list-grouped false
zstyle ':completion:*' insert-tab false
zstyle ':completion:*' list-separator ''
# Every match added is printed instead of being inserted or listed.
compadd () {
    if [[ \${@[1,(i)(-|--)]} == *-(O|A|D)\ * ]]; then
        builtin compadd "\$@"
        return \$?
    fi
    typeset -a __hits __dscr
    builtin compadd -A __hits -D __dscr "\$@"
    local ret=\$?
    (( \$#__hits )) && print -rl -- "MATCH:"\${^__hits}
    return ret
}
bindkey '^I' complete-word
end-marker () { print -r -- 'END-OF-MATCHES' }
comppostfuncs=( end-marker exit )
print -r -- 'READY'
SETUP
zpty -w z "source ${(q)setup}"
local line
repeat 20; do
    zpty -r z line || break
    [[ $line == READY* ]] && break
done
rm -f $setup
zpty -w -n z "$2"$'\t'
while zpty -r z line; do
    line=${line%$'\r'}
    line=${line%$'\n'}
    line=${line%$'\r'}
    [[ $line == *END-OF-MATCHES* ]] && exit 0
    [[ $line == *MATCH:* ]] && print -r -- ${line##*MATCH:}
done
exit 2
