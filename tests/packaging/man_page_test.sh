#!/usr/bin/env bash
# multirename(1) as man renders it: no warnings, every option of --help described,
# the exit statuses read out of --help. Usage: man_page_test.sh PROGRAM PAGE
set -uo pipefail
program=$1 page=$2
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }

warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man warns: $warnings"

text=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -l "$page" 2>/dev/null)
for option in $("$program" --help | awk '/^  -/ {print $1}' | tr ',' '\n' | sort -u); do
    grep -qE -- "(^|[ ,])$option([ ,]|$)" <<<"$text" || fail "option $option missing"
done
# The exit statuses are a list of their own, not left inside a paragraph.
statuses=$(sed -n '/^EXIT STATUS/,/^[A-Z]/p' <<<"$text" | grep -cE '^ +[0-9]+ ')
[ "$statuses" -ge 2 ] || fail "EXIT STATUS lists $statuses statuses"
version=$("$program" --version | awk '{print $NF}')
grep -q "multirename $version" <<<"$text" || fail "page not of version $version"

[ $failed -eq 0 ] && echo "man page: ok"
exit $failed
