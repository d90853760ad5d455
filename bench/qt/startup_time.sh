#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times the start of the window program to its first shown window, and its
# resident memory, over several runs: under the X display if there is one,
# else under Xvfb, else on the offscreen platform.
# Usage: bench/qt/startup_time.sh <path to startup_bench> [runs]
set -euo pipefail
bench=$(readlink -f "$1")
runs=${2:-20}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/Data"
cd "$work"

run_all='for _ in $(seq "$1"); do "$0" "$(date +%s%N)" 2>/dev/null; done'
if [ -n "${DISPLAY:-}" ]; then
  out=$(bash -c "$run_all" "$bench" "$runs")
elif command -v xvfb-run >/dev/null; then
  out=$(xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$run_all" "$bench" "$runs")
else
  out=$(QT_QPA_PLATFORM=offscreen bash -c "$run_all" "$bench" "$runs")
fi

times=$(echo "$out" | awk '/first window after/ { print $4 }' | sort -n)
n=$(echo "$times" | wc -l)
median=$(echo "$times" | sed -n "$(((n + 1) / 2))p")
slowest=$(echo "$times" | tail -1)
rss=$(echo "$out" | awk '/VmRSS/ { if ($2 > m) m = $2 } END { printf "%.1f", m / 1024 }')
peak=$(echo "$out" | awk '/VmHWM/ { if ($2 > m) m = $2 } END { printf "%.1f", m / 1024 }')
echo "runs $n: first window median $median ms, slowest $slowest ms;" \
     "resident memory at most $rss MB (peak $peak MB)"
