#!/usr/bin/env bash
# Makes a program's man page from its own --help and --version, so that the two
# never disagree, with the sections --help has not (files, see also) and its
# examples added, compressed as Debian wants it.
# Usage: make-man.sh PROGRAM "ONE-LINE DESCRIPTION" SECTIONS.h2m EXAMPLES OUT.1.gz RELEASE-DATE
# EXAMPLES holds pairs of lines: "# what it does", then the command.
set -euo pipefail
program=$1 description=$2 sections=$3 examples=$4 out=$5 released=$6
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
{
  echo "[EXAMPLES]"
  while IFS= read -r line; do
    # roff: a backslash is \e, a minus is \-
    line=${line//\\/\\e}
    line=${line//-/\\-}
    if [[ $line == "# "* ]]; then
      printf '.PP\n%s\n' "${line#\# }"
    elif [ -n "$line" ]; then
      printf '.RS\n.nf\n%s\n.fi\n.RE\n' "$line"
    fi
  done <"$examples"
  echo
  cat "$sections"
} >"$work/include.h2m"
# the page carries the release's date, not the day it was made
SOURCE_DATE_EPOCH=$(date -u -d "$released" +%s)
export SOURCE_DATE_EPOCH
help2man --no-info --name="$description" --include="$work/include.h2m" \
  --output="$work/page.1" "$program"
gzip -9n -c "$work/page.1" >"$out"
