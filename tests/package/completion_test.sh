#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# merivane-calc's bash completion, run as bash runs it (COMP_WORDS,
# COMP_CWORD): it offers every option --help lists, the words of each list
# option, and file names after each option that takes a file.
# Usage: completion_test.sh MERIVANE-CALC COMPLETION-SCRIPT
set -uo pipefail
calc=$(realpath "$1") script=$(realpath "$2")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# shellcheck disable=SC1090
source "$script"
# in a folder of its own: the file names offered are those here
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

# What the completion offers for the command line given (the last word is the
# one completed), one per line.
offered() {
  COMP_WORDS=(merivane-calc "$@")
  COMP_CWORD=$#
  COMPREPLY=()
  _merivane_calc
  printf '%s\n' "${COMPREPLY[@]}"
}
offers() {  # offers WORD COMMAND-LINE...
  local want=$1; shift
  local got
  got=$(offered "$@")  # whole: grep -q may stop reading early
  grep -qxF -- "$want" <<<"$got" || fail "\"$*\" does not offer \"$want\""
}

help=$("$calc" --help)
options=$(grep -oE '^ +(-[A-Za-z], )?--[a-z0-9-]+' <<<"$help" | grep -oE -- '--[a-z0-9-]+')
[ "$(wc -l <<<"$options")" -ge 10 ] || fail "--help lists too few options"
for o in $options; do
  offers "$o" "--"
  offers "$o" "${o:0:4}"
done

# the words of the list options, as the program documents them
while IFS='|' read -r option words; do
  for w in $words; do
    offers "$w" "$option" ""
    offers "$w" "$option" "=" ""        # --option=<Tab>
  done
done <<'TABLE'
--power-unit|W dBm dBW dBkW
--factor-unit|mag % dB
--meas-unit|power % dB
--format|text csv json
TABLE
offers "dBkW" --power-unit dBk
offers "json" --format = j

# every word offered for any option with a list is one the program takes
for o in $options; do
  grep -qE -- "^ +(-[A-Za-z], )?$o <" <<<"$help" || continue
  grep -qE -- "^ +(-[A-Za-z], )?$o <[^>]*FILE" <<<"$help" && continue
  while IFS= read -r w; do
    [ -z "$w" ] && continue
    "$calc" "$o" "$w" --format csv >/dev/null 2>&1 || fail "merivane-calc rejects \"$o $w\", which the completion offers"
  done < <(offered "$o" "")
done
# --line, once merivane-calc has it, offers its words
if grep -qE -- '^ +--line <' <<<"$help"; then
  [ -n "$(offered --line "")" ] || fail "--line offers no words"
fi

# file names after every option that takes a file
touch "two cases.csv" other.pdf
for o in $(grep -oE -- '--[a-z0-9-]+ <[^>]*FILE[^>]*>' <<<"$help" | grep -oE -- '^--[a-z0-9-]+'); do
  offers "two cases.csv" "$o" "tw"
  offers "other.pdf" "$o" ""
done
for o in --batch --report; do
  grep -q -- "$o <" <<<"$help" || fail "--help no longer lists $o with a file"
done
# a number option offers nothing
[ -z "$(offered --va "")" ] || fail "--va offers words"

[ "$failures" -eq 0 ] && echo "completion: all checks passed"
exit $((failures > 0))
