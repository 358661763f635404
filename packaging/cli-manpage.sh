#!/bin/sh
# Writes the manual page of quillon-cli from the help that the program itself prints, so every
# command and option it knows is documented:
#   cli-manpage.sh QUILLON-CLI TEMPLATE OUTPUT
# TEMPLATE is a man page whose comment lines '.\" help: synopsis', '.\" help: overview' and
# '.\" help: commands' stand for the usage lines of every command, the overview and each
# command's whole help.
set -eu

cli=$1
template=$2
output=$3
here=$(dirname "$0")

help_of() {
    "$cli" "$@" --help 2>/dev/null || {
        echo "cli-manpage.sh: '$cli $* --help' failed" >&2
        exit 1
    }
}

to_roff() {
    awk -f "$here/help-to-roff.awk" -v part="$1"
}

overview=$(help_of)
# The command names listed under "Commands:", up to the next blank line.
commands=$(printf '%s\n' "$overview" |
    awk '/^Commands:$/ { listing = 1; next } /^$/ { listing = 0 } listing { print $1 }')
[ -n "$commands" ] || {
    echo "cli-manpage.sh: no commands in '$cli --help'" >&2
    exit 1
}

# Each help is read into a variable first, so a failing program stops the script.
synopsis() {
    for command in $commands; do
        text=$(help_of "$command")
        printf '%s\n' "$text" | to_roff synopsis
    done
}

description() {
    printf '%s\n' "$overview" | to_roff body
}

command_sections() {
    for command in $commands; do
        text=$(help_of "$command")
        printf '.SS %s\n' "$command"
        printf '%s\n' "$text" | to_roff synopsis
        printf '.PP\n'
        printf '%s\n' "$text" | to_roff body
    done
}

while IFS= read -r line; do
    case $line in
    '.\" help: synopsis') synopsis ;;
    '.\" help: overview') description ;;
    '.\" help: commands') command_sections ;;
    *) printf '%s\n' "$line" ;;
    esac
done <"$template" >"$output.tmp"
mv "$output.tmp" "$output"
