#!/usr/bin/env bash
# The bash completion of quillon-cli completes every command and every option that the program's
# help lists, file names where a file is asked for, and nothing after an option taking a number.
#   completion_test.sh QUILLON-CLI COMPLETION-SCRIPT
set -euo pipefail
cli=$1
completion=$2
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
export XDG_RUNTIME_DIR=$folder
cd "$folder"
touch names.txt list.zul
mkdir lists
failures=0
checked=0

# The completions bash offers for the words given, the last being the one completed.
complete_words() {
    bash --norc --noprofile -c '
        source "$1"
        shift
        COMP_WORDS=("$@") COMP_CWORD=$(($# - 1))
        _quillon_cli "$1" "${@: -1}" "${@: -2:1}"
        printf "%s\n" "${COMPREPLY[@]}" | sort' _ "$completion" "$@"
}

# expect_completions "WORDS..." EXPECTED...: bash offers exactly EXPECTED, in any order.
expect_completions() {
    local words=$1
    shift
    local got wanted
    read -ra line <<<"$words"
    [[ $words == *" " ]] && line+=("")
    got=$(complete_words "$cli" "${line[@]}")
    wanted=$(if (($#)); then printf '%s\n' "$@" | sort; fi)
    checked=$((checked + 1))
    if [ "$got" != "$wanted" ]; then
        echo "FAIL: 'quillon-cli $words' completes to [${got//$'\n'/ }], not [$*]"
        failures=$((failures + 1))
    fi
}

# expect_offered "WORDS..." NAME...: each NAME is among the completions.
expect_offered() {
    local words=$1
    shift
    read -ra line <<<"$words"
    [[ $words == *" " ]] && line+=("")
    local got
    got=$(complete_words "$cli" "${line[@]}")
    for name in "$@"; do
        checked=$((checked + 1))
        grep -qxF -- "$name" <<<"$got" || {
            echo "FAIL: 'quillon-cli $words' does not offer $name"
            failures=$((failures + 1))
        }
    done
}

commands=$("$cli" --help | sed -n '/^Commands:$/,/^$/s/^  \([a-z][a-z0-9-]*\) .*/\1/p')
# shellcheck disable=SC2086
expect_offered " " $commands --help --version
for command in $commands; do
    # Every name of every option in the command's help, e.g. "-f" and "--format".
    options=$("$cli" "$command" --help | grep -E '^  -' | sed -E 's/^  //; s/  .*//; s/ <[^>]*>//' |
        tr -s ', ' '\n\n' | grep -v '^$')
    # shellcheck disable=SC2086
    expect_offered "$command -" $options
done

expect_completions "ch" check
expect_completions "check --doc" --document
expect_completions "check --document l" list.zul lists
expect_completions "check -i n" names.txt
expect_completions "check --connections " 
expect_completions "show l" list.zul lists
expect_completions "no-such-command -"

echo "$checked completions checked; $failures failed"
[ "$failures" -eq 0 ]
