#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/deps.sh asks apt-get for what is missing and nothing else: run with
# stand-ins for dpkg-query (saying which packages are installed), apt-get and
# sudo (writing down what they are asked), for each row of a table.
# Usage: deps_test.sh SOURCE-DIR
set -uo pipefail
src=$1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
# dpkg-query -W -f=FORMAT PACKAGE: the status named in $STATUS_<package> ("installed" by default)
cat >"$work/bin/dpkg-query" <<'STUB'
#!/usr/bin/env bash
p=${!#}
var=STATUS_${p//[^A-Za-z0-9]/_}
status=${!var:-installed}
[ "$status" = absent ] && { echo "dpkg-query: no packages found matching $p" >&2; exit 1; }
printf '%s\n' "$status"
STUB
printf '#!/usr/bin/env bash\necho "apt-get $*" >>"$CALLS"\n' >"$work/bin/apt-get"
printf '#!/usr/bin/env bash\n"$@"\n' >"$work/bin/sudo"
chmod +x "$work/bin"/*

# row: what dpkg-query says (VAR=status ...) | the apt-get install that must follow ("-" for none)
while IFS='|' read -r states expected; do
  : >"$work/calls"
  env $states CALLS="$work/calls" PATH="$work/bin:$PATH" bash "$src/scripts/deps.sh" >/dev/null 2>&1 \
    || fail "[$states] deps.sh failed"
  installed=$(grep -oP '^apt-get install .*--no-install-recommends \K.*' "$work/calls" || true)
  if [ "$expected" = "-" ]; then
    [ ! -s "$work/calls" ] || fail "[$states] everything present, yet: $(tr '\n' ';' <"$work/calls")"
  else
    [ "$installed" = "$expected" ] || fail "[$states] installed \"$installed\", not \"$expected\""
    grep -q '^apt-get update' "$work/calls" || fail "[$states] no apt-get update before the install"
  fi
done <<'TABLE'
STATUS_cmake=installed|-
STATUS_lintian=absent|lintian
STATUS_help2man=config-files STATUS_xvfb=half-installed|xvfb help2man
STATUS_g__=not-installed|g++
STATUS_clang=unpacked STATUS_appstream=absent|clang appstream
TABLE

[ "$failures" -eq 0 ] && echo "deps.sh: all checks passed"
exit $((failures > 0))
