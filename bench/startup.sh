#!/usr/bin/env bash
# Start-up of the real program under Xvfb, with a settings file present:
# time from process start to the window shown (median of N runs), and peak
# resident memory. With a YARDSTICK (the bare window), the two start in turn,
# and the median of the runs' ratios is printed as well: pairing keeps the
# ratio steady when the machine's speed drifts.
# Usage: bench/startup.sh [EXECUTABLE] [RUNS] [YARDSTICK]
set -euo pipefail
exe=$(realpath "${1:-build/app/merivane}")
runs=${2:-15}
yardstick=${3:+$(realpath "$3")}
for d in $(seq 60 89); do [ -e /tmp/.X11-unix/X$d ] || [ -e /tmp/.X$d-lock ] || break; done
Xvfb :$d -screen 0 1024x768x24 -nolisten tcp -noreset >/tmp/merivane-xvfb.log 2>&1 & xpid=$!
trap 'kill $xpid 2>/dev/null' EXIT
export DISPLAY=:$d
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
home=$(mktemp -d)
mkdir -p "$home/Halvik/Merivane"
printf '[Merivane]\nedAnodeV=4000\nedAnodeI=3\nedSrcMag=0.2\nedLoaMag=0.5\nudEff=80\nrbDbm=1\nrbWatt=0\nchIdeal=0\n' \
  >"$home/Halvik/Merivane/Merivane.ini"
# One start of $1: the milliseconds to its window shown, then its peak memory.
start_once() {
  local t0 t1 tpid n=0
  t0=$(date +%s%N)
  HOME=$home /usr/bin/time -v -o /tmp/merivane-time.txt "$1" >/tmp/merivane-startup.log 2>&1 & tpid=$!
  until xdotool search --onlyvisible --name 'HALVIK Power' >/dev/null 2>&1; do
    sleep 0.002
    n=$((n + 1))
    if [ $n -gt 5000 ]; then echo "$1: no window; see /tmp/merivane-startup.log" >&2; exit 1; fi
  done
  t1=$(date +%s%N)
  sleep 0.2
  pkill -TERM -P "$tpid" || true  # the program, the child of time: by its parent, not by name
  wait $tpid 2>/dev/null || true
  echo "$(( (t1 - t0) / 1000000 )) $(grep 'Maximum resident' /tmp/merivane-time.txt | awk '{print $NF}')"
}
median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)] " (min " a[1] ", max " a[NR] ")"}'; }
times=()
rsss=()
bare=()
ratios=()
for i in $(seq "$runs"); do
  read -r t rss < <(start_once "$exe") || true
  [ -n "${t:-}" ] || exit 1
  times+=("$t")
  rsss+=("$rss")
  if [ -n "$yardstick" ]; then
    read -r b _ < <(start_once "$yardstick") || true
    [ -n "${b:-}" ] || exit 1
    bare+=("$b")
    ratios+=("$(awk -v a="$t" -v b="$b" 'BEGIN {printf "%.3f", a / b}')")
  fi
done
echo "start to window shown: median $(printf '%s\n' "${times[@]}" | median) ms over $runs runs"
printf '%s\n' "${rsss[@]}" | sort -n | awk '{a[NR]=$1} END {print "peak resident memory: median " a[int((NR+1)/2)]/1024 " MB"}'
if [ -n "$yardstick" ]; then
  echo "yardstick $(basename "$yardstick"): median $(printf '%s\n' "${bare[@]}" | median) ms"
  echo "ratio, run by run: median $(printf '%s\n' "${ratios[@]}" | median)"
fi
