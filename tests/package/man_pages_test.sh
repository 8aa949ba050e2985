#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The man pages name every option their program's --help names, carry the
# reflection syntax, the batch columns and the exit statuses, and every example
# of merivane-calc(1) runs and succeeds.
# Usage: man_pages_test.sh PROGRAM-DIR MAN-DIR PACKAGE-SOURCE-DIR
set -uo pipefail
bin=$(realpath "$1") man=$(realpath "$2") src=$(realpath "$3")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# the page as plain text: roff's escapes and fonts taken out
page_text() { zcat "$man/$1.1.gz" | sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\e/\\/g'; }

for program in merivane merivane-calc; do
  text=$(page_text "$program")
  options=$("$bin/$program" --help | grep -oE '^ +(-[A-Za-z], )?--[a-z0-9-]+' | grep -oE -- '--[a-z0-9-]+')
  [ -n "$options" ] || fail "$program --help lists no options"
  for o in $options; do
    grep -qF -- "$o" <<<"$text" || fail "$program.1 does not name $o"
  done
  for section in NAME SYNOPSIS DESCRIPTION OPTIONS EXAMPLES "SEE ALSO"; do
    grep -q "^\.SH \"\?$section" < <(zcat "$man/$program.1.gz") || fail "$program.1 has no $section section"
  done
done

calc=$(page_text merivane-calc)
# what --help says of the reflections, the batch and the exit statuses
for phrase in 'db:RLOSS' 'swr:SWR' '@PHASE' 'va, ia, eff' 'directivity' 'Exit status' '2 bad usage'; do
  grep -qF -- "$phrase" <<<"$calc" || fail "merivane-calc.1 lacks \"$phrase\""
done

# the examples, run as printed
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
ran=0
while IFS= read -r line; do
  [[ -z $line || $line == "#"* ]] && continue
  grep -qF -- "${line%% *}" <<<"$calc" || fail "merivane-calc.1 lacks the example: $line"
  (cd "$work" && PATH="$bin:$PATH" QT_QPA_PLATFORM=offscreen bash -c "set -o pipefail; $line" >out.txt 2>err.txt) \
    || fail "the example fails: $line ($(cat "$work/err.txt"))"
  ran=$((ran + 1))
done <"$src/merivane-calc.examples"
[ "$ran" -ge 4 ] || fail "only $ran examples ran"
[ -s "$work/case.pdf" ] || fail "the report example wrote no PDF"
[ "$(wc -l <"$work/results.csv")" -eq 3 ] || fail "the batch example did not write a header and two rows"

[ "$failures" -eq 0 ] && echo "man pages: all checks passed"
exit $((failures > 0))
