#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence line at the top of every source file (C++, CMake, shell,
# Python, templates) that names no licence, after a "#!" line; running it
# again changes nothing.
# With --list it only prints the source files it looks at.
set -euo pipefail
cd "$(dirname "$0")/.."
line='SPDX-License-Identifier: GPL-3.0-or-later'

sources() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files --cached --others --exclude-standard
  else
    # Without git (or in a clone git refuses to read) every file is looked at
    # but git's own and what builds and runs leave behind (as .gitignore has it).
    find . \( -name .git -o -path ./build -o -path './build-*' -o -path ./Data \) -prune \
      -o -type f -print | sed 's|^\./||'
  fi | while IFS= read -r file; do
    [ -f "$file" ] || continue
    case $file in
      .ci/*) continue ;;  # the CI entry point stays exactly as CI calls it
    esac
    case $file in
      *.cpp|*.hpp|*.h|*.cmake|*CMakeLists.txt|*.sh|*.py|*.in) echo "$file" ;;
      *) head -c 2 "$file" | grep -q '^#!' && echo "$file" ;;
    esac
  done
  return 0
}

if [ "${1:-}" = --list ]; then
  sources
  exit 0
fi

sources | while IFS= read -r file; do
  # A file that names a licence of its own (the metadata's CC0-1.0) keeps it.
  head -n 3 "$file" | grep -q 'SPDX-License-Identifier:' && continue
  case $file in
    *.cpp|*.hpp|*.h) comment="// $line" ;;
    *) comment="# $line" ;;
  esac
  if head -c 2 "$file" | grep -q '^#!'; then
    sed -i "1a $comment" "$file"
  else
    sed -i "1i $comment" "$file"
  fi
  echo "added to $file"
done
