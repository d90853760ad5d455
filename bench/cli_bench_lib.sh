# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the command line benchmarks; source it after `set -euo pipefail`.

# The ventbox-cli of a build folder; exits with a hint when it is not built.
cli_of() {
  local cli
  cli="$(realpath -m "$1")/src/cli/ventbox-cli"
  if [[ ! -x "$cli" ]]; then
    echo "no $cli: build it first (cmake --preset release && cmake --build --preset release)" >&2
    exit 2
  fi
  echo "$cli"
}

# Writes COUNT design files that all calculate into DIR: the driver, box
# and duct sizes vary with the number.
make_designs() {
  awk -v n="$2" -v dir="$1" 'BEGIN {
    for (i = 1; i <= n; i++) {
      file = sprintf("%s/design-%05d.dat", dir, i)
      printf " %.14E\r\n %.14E\r\n %.14E\r\n %.14E\r\n", 5 + i % 5, 5 + (i % 30) / 10, 0.3 + (i % 40) / 100, 30 + i % 30 > file
      printf " %.14E\r\n %.14E\r\n %.14E\r\n", 20 + i % 17, 40 + i % 23, 25 + i % 11 > file
      printf " %.14E\r\n %.14E\r\n %.14E\r\n", 3 + i % 4, 8 + i % 5, 5 + i % 13 > file
      printf "design-%05d\r\n%s\r\n", i, (i % 2 ? "TRUE" : "FALSE") > file
      close(file)
    }
  }'
}

# The best wall time in seconds of three runs of a command, its output discarded.
best_of_three() {
  local best= seconds run
  TIMEFORMAT=%R
  for run in 1 2 3; do
    seconds=$( { time "$@" > /dev/null; } 2>&1 )
    if [[ -z "$best" ]] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
      best=$seconds
    fi
  done
  echo "$best"
}

# Times `ventbox-cli COMMAND --format F` over COUNT generated designs for each
# format F given, best of three runs each; the first format is run once
# beforehand, so a design that fails stops the benchmark.
time_formats() {
  local cli=$1 count=$2 command=$3 format
  shift 3
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  mkdir "$work/Data"
  make_designs "$work/Data" "$count"
  cd "$work"
  "$cli" "$command" --format "$1" Data/*.dat > /dev/null
  for format in "$@"; do
    echo "$command --format $format, $count designs: $(best_of_three "$cli" "$command" --format "$format" Data/*.dat) s"
  done
}
