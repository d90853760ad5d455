#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times the start of the window program to its first shown window, and its
# resident memory, over several runs interleaved with a bare Qt program that
# opens a file dialog (qt_bare_startup_bench beside it), and gives the ratios
# of their medians: under the X display if there is one, else under Xvfb,
# else on the offscreen platform.
# Usage: bench/qt/startup_time.sh <path to qt_startup_bench> [runs]
set -euo pipefail
bench=$(readlink -f "$1")
bare=$(dirname "$bench")/qt_bare_startup_bench
runs=${2:-20}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/Data"
cd "$work"

run_all='for _ in $(seq "$2"); do
  "$0" "$(date +%s%N)" 2>/dev/null | sed "s/^/program /"
  "$1" "$(date +%s%N)" 2>/dev/null | sed "s/^/bare /"
done'
if [ -n "${DISPLAY:-}" ]; then
  out=$(bash -c "$run_all" "$bench" "$bare" "$runs")
elif command -v xvfb-run >/dev/null; then
  out=$(xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$run_all" "$bench" "$bare" "$runs")
else
  out=$(QT_QPA_PLATFORM=offscreen bash -c "$run_all" "$bench" "$bare" "$runs")
fi

median() {
  local times n
  times=$(echo "$out" | awk -v who="$1" '$1 == who && /first window after/ { print $5 }' | sort -n)
  n=$(echo "$times" | wc -l)
  echo "$times" | sed -n "$(((n + 1) / 2))p"
}
program=$(median program)
floor=$(median bare)
slowest=$(echo "$out" | awk '$1 == "program" && /first window after/ { print $5 }' | sort -n | tail -1)
# The resident memory's median over the runs, in MB, of one program.
memory() {
  local sizes n
  sizes=$(echo "$out" | awk -v who="$1" '$1 == who && $2 == "VmRSS:" { print $3 }' | sort -n)
  n=$(echo "$sizes" | wc -l)
  echo "$sizes" | sed -n "$(((n + 1) / 2))p" | awk '{ printf "%.1f", $1 / 1024 }'
}
rss=$(memory program)
bareRss=$(memory bare)
peak=$(echo "$out" | awk '$1 == "program" && $2 == "VmHWM:" { if ($3 > m) m = $3 } END { printf "%.1f", m / 1024 }')
ratio=$(awk -v p="$program" -v f="$floor" 'BEGIN { printf "%.2f", p / f }')
memoryRatio=$(awk -v p="$rss" -v f="$bareRss" 'BEGIN { printf "%.2f", p / f }')
echo "runs $runs: first window median $program ms (bare Qt program $floor ms, ratio $ratio)," \
     "slowest $slowest ms; resident memory median $rss MB (bare Qt program $bareRss MB," \
     "ratio $memoryRatio; program's peak $peak MB)"
