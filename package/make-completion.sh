#!/usr/bin/env bash
# Makes the bash completion of merivane-calc from the program itself, so that
# it offers what the program takes: the options that --help lists; the words an
# option with a list of choices takes, as the program names them when given a
# word that is none of them; file names after an option whose value is a FILE.
# Usage: make-completion.sh MERIVANE-CALC OUT
set -euo pipefail
calc=$(realpath "$1") out=$(realpath -m "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"  # nothing the program is asked here writes, but if it did, it writes here

help=$("$calc" --help)
options=()     # every option, long form
files=()       # options whose value is a file
cases=()       # case arms: an option and its words
numbers=()     # options with a value that is neither: nothing to offer
# Qt's help lines: "  -h, --help   Text", "  --va <VOLTS>   Text"
while IFS= read -r line; do
  [[ $line =~ ^\ +(-[A-Za-z],\ )?--([a-z0-9-]+)(\ \<([^>]+)\>)? ]] || continue
  name=--${BASH_REMATCH[2]}
  value=${BASH_REMATCH[4]}
  options+=("$name")
  [ -z "$value" ] && continue
  if [[ $value == *FILE* ]]; then
    files+=("$name")
    continue
  fi
  # a word that no list holds: the program answers with the list, if it has one
  answer=$("$calc" "$name" "no-such-choice" 2>&1 >/dev/null || true)
  if [[ $answer =~ not\ one\ of\ (.*)$ ]]; then
    words=${BASH_REMATCH[1]//,/}
    cases+=("        $name) words='$words' ;;")
  else
    numbers+=("$name")
  fi
done <<<"$help"
[ ${#options[@]} -gt 0 ] || { echo "make-completion.sh: no options in $calc --help" >&2; exit 1; }

join() { local IFS='|'; echo "$*"; }
{
  cat <<HEAD
# bash completion for merivane-calc                       -*- shell-script -*-
# SPDX-License-Identifier: GPL-3.0-or-later
# Made from merivane-calc's own --help when it was built.

_merivane_calc()
{
    local cur=\${COMP_WORDS[COMP_CWORD]} prev=
    [ "\$COMP_CWORD" -gt 0 ] && prev=\${COMP_WORDS[COMP_CWORD-1]}
    # --option=value: bash splits it at the "=" into three words
    if [ "\$cur" = "=" ]; then
        cur=
    elif [ "\$prev" = "=" ] && [ "\$COMP_CWORD" -gt 1 ]; then
        prev=\${COMP_WORDS[COMP_CWORD-2]}
    fi
    local words=
    case \$prev in
HEAD
  [ ${#files[@]} -gt 0 ] && cat <<FILES
        $(join "${files[@]}"))
            compopt -o filenames 2>/dev/null
            mapfile -t COMPREPLY < <(compgen -f -- "\$cur")
            return 0 ;;
FILES
  [ ${#cases[@]} -gt 0 ] && printf '%s\n' "${cases[@]}"
  [ ${#numbers[@]} -gt 0 ] && printf '        %s) return 0 ;;\n' "$(join "${numbers[@]}")"
  cat <<TAIL
        *) words='${options[*]}' ;;
    esac
    mapfile -t COMPREPLY < <(compgen -W "\$words" -- "\$cur")
    return 0
}
complete -F _merivane_calc merivane-calc
TAIL
} >"$out"
