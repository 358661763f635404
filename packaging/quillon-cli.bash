# bash completion for quillon-cli.
# The commands and each command's options are read from the program's own --help, so they always
# match the quillon-cli being completed.

# The lines of a help text's "Commands:" or "Options:" list: first word, or "name<TAB>value" for
# each name of an option that takes a value.
_quillon_cli_listed() {
    awk -v list="$1" '
        $0 == list ":" { listing = 1; next }
        /^$/ { listing = 0 }
        !listing || !/^  [^ ]/ { next }
        list == "Commands" { print $1; next }
        {
            term = substr($0, 3)
            gap = index(term, "  ")
            if (gap) term = substr(term, 1, gap - 1)
            value = ""
            if (match(term, / <[^>]*>$/)) {
                value = substr(term, RSTART + 2, RLENGTH - 3)
                term = substr(term, 1, RSTART - 1)
            }
            count = split(term, names, ", ")
            for (i = 1; i <= count; i++) print names[i] "\t" value
        }'
}

_quillon_cli_files() {
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -f -- "$1")
}

_quillon_cli() {
    local program=${COMP_WORDS[0]}
    local current=${COMP_WORDS[COMP_CWORD]}
    local previous=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()

    if ((COMP_CWORD == 1)); then
        local commands
        commands=$("$program" --help 2>/dev/null | _quillon_cli_listed Commands)
        mapfile -t COMPREPLY < <(compgen -W "$commands --help --version" -- "$current")
        return
    fi

    local options
    options=$("$program" "${COMP_WORDS[1]}" --help 2>/dev/null | _quillon_cli_listed Options) ||
        return

    # After an option that takes a value: file names when the value is a file, else nothing.
    local name value
    while IFS=$'\t' read -r name value; do
        if [[ $name == "$previous" && -n $value ]]; then
            [[ $value == *FILE* || $value == *.* ]] && _quillon_cli_files "$current"
            return
        fi
    done <<<"$options"

    if [[ $current == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$(cut -f1 <<<"$options")" -- "$current")
    else
        _quillon_cli_files "$current"
    fi
}

complete -F _quillon_cli quillon-cli
