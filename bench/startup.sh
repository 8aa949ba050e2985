#!/usr/bin/env bash
# Start-up of the real program under Xvfb, with a settings file present:
# time from process start to the window shown (median of N runs), and peak
# resident memory. Usage: bench/startup.sh [EXECUTABLE] [RUNS]
set -euo pipefail
exe=$(realpath "${1:-build/app/merivane}")
runs=${2:-15}
for d in $(seq 60 89); do [ -e /tmp/.X11-unix/X$d ] || [ -e /tmp/.X$d-lock ] || break; done
Xvfb :$d -screen 0 1024x768x24 -nolisten tcp -noreset >/tmp/merivane-xvfb.log 2>&1 & xpid=$!
trap 'kill $xpid 2>/dev/null' EXIT
export DISPLAY=:$d
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
home=$(mktemp -d)
mkdir -p "$home/Halvik/Merivane"
printf '[Merivane]\nedAnodeV=4000\nedAnodeI=3\nedSrcMag=0.2\nedLoaMag=0.5\nudEff=80\nrbDbm=1\nrbWatt=0\nchIdeal=0\n' \
  >"$home/Halvik/Merivane/Merivane.ini"
times=()
rsss=()
for i in $(seq "$runs"); do
  t0=$(date +%s%N)
  HOME=$home /usr/bin/time -v -o /tmp/merivane-time.txt "$exe" >/tmp/merivane-startup.log 2>&1 & tpid=$!
  n=0
  until xdotool search --onlyvisible --name 'HALVIK Power' >/dev/null 2>&1; do
    sleep 0.002
    n=$((n + 1))
    if [ $n -gt 5000 ]; then echo "run $i: no window; see /tmp/merivane-startup.log" >&2; exit 1; fi
  done
  t1=$(date +%s%N)
  times+=($(( (t1 - t0) / 1000000 )))
  sleep 0.2
  pkill -TERM -P "$tpid" || true  # the program, the child of time: by its parent, not by name
  wait $tpid 2>/dev/null || true
  rss=$(grep 'Maximum resident' /tmp/merivane-time.txt | awk '{print $NF}')
  rsss+=("$rss")
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print "start to window shown: median " a[int((NR+1)/2)] " ms over " NR " runs (min " a[1] ", max " a[NR] ")"}'
printf '%s\n' "${rsss[@]}" | sort -n | awk '{a[NR]=$1} END {print "peak resident memory: median " a[int((NR+1)/2)]/1024 " MB"}'
