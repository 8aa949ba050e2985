#!/usr/bin/env bash
# Writes the package's changelog.gz: one entry, for this version.
# Usage: make-changelog.sh VERSION RELEASE-DATE MAINTAINER OUT
set -euo pipefail
version=$1 released=$2 maintainer=$3 out=$4
{
  printf 'merivane (%s) unstable; urgency=medium\n\n' "$version"
  printf '  * Merivane %s.\n\n' "$version"
  printf ' -- %s  %s\n' "$maintainer" "$(date -u -R -d "$released")"
} | gzip -9n >"$out"
