#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence line at the top of every source file (C++, CMake, shell,
# Python) that lacks it, after a "#!" line; running it again changes nothing.
# With --list it only prints the source files it looks at.
set -euo pipefail
cd "$(dirname "$0")/.."
line='SPDX-License-Identifier: GPL-3.0-or-later'

sources() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files --cached --others --exclude-standard
  else
    find . -path ./build -prune -o -type f -print | sed 's|^\./||'
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
  head -n 3 "$file" | grep -q "$line" && continue
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
