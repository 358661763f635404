#!/usr/bin/env bash
# The quillon-cli manual page holds, word for word and in order, the overview and every
# command's whole help (usage, options, arguments) with a section for each command, and neither
# page draws a roff warning.
#   manual_page_test.sh QUILLON-CLI QUILLON-CLI.1 QUILLON.1
set -euo pipefail
cli=$1
cli_page=$2
gui_page=$3
rendered=$(mktemp -d)
trap 'rm -rf "$rendered"' EXIT
export LC_ALL=C MANWIDTH=250 XDG_RUNTIME_DIR=$rendered
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

for page in "$cli_page" "$gui_page"; do
    warnings=$(man --warnings -l "$page" 2>&1 >"$rendered/$(basename "$page")")
    [ -z "$warnings" ] || fail "$page draws warnings: $warnings"
done

words() {
    tr -s ' \t\n' '\n\n\n' | grep -v '^$' || true
}

commands=$("$cli" --help | awk '/^Commands:$/ {l = 1; next} /^$/ {l = 0} l {print $1}')
help_words=$(
    "$cli" --help | tail -n +2
    for command in $commands; do
        "$cli" "$command" --help 2>/dev/null | sed '1s/^Usage: //'
    done
)
# The first word of the help that the page lacks, looking for each after the one before.
missing=$(words <<<"$help_words" | awk '
    NR == FNR { page[++count] = $0; next }
    { while (at < count && page[++at] != $0) {}
      if (page[at] != $0) { print "\"" $0 "\" (word " FNR ")"; exit } }' \
    <(words <"$rendered/quillon-cli.1") -)
[ -z "$missing" ] || fail "the manual page lacks $missing of the help"

for command in $commands; do
    grep -q "^   $command\$" "$rendered/quillon-cli.1" || fail "no section for the command $command"
done
grep -q "^SYNOPSIS" "$rendered/quillon.1" || fail "$gui_page has no synopsis"

echo "$(wc -w <<<"$commands") commands and $(wc -l < <(words <<<"$help_words")) words of help checked; $failures failed"
[ "$failures" -eq 0 ]
