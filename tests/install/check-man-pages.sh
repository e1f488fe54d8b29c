#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The manual pages the build wrote render without a warning from man (as
# lintian runs it), give whatis a NAME line, and show every option of the
# program's --help. Exit 77 (skipped) when man or the pages are missing.
# Usage: check-man-pages.sh BUILD_DIR
set -euo pipefail
build=$1
command -v man >/dev/null || { echo "man not installed"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }
checked=0
for program in quillmark-cli quillmark; do
  page=$build/man/$program.1.gz
  [ -x "$build/$program" ] || continue
  [ -f "$page" ] || { echo "$page not built (scdoc missing?)"; exit 77; }
  warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$program(1): $warnings"
  if command -v lexgrog >/dev/null; then
    lexgrog "$page" | grep -q ": \"$program - " || fail "$program(1) has no whatis entry: $(lexgrog "$page")"
  fi
  text=$(MANWIDTH=200 man -l "$page" 2>/dev/null)
  # Every option word the program's help shows is in its manual.
  helps=$("$build/$program" --help)
  if [ "$program" = quillmark-cli ]; then
    for command in $("$build/$program" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z]*\) .*/\1/p'); do
      helps+=$'\n'$("$build/$program" "$command" --help)
    done
  fi
  for option in $(grep -o -- '--[a-z][a-z-]*' <<<"$helps" | sort -u); do
    grep -qF -- "$option" <<<"$text" || fail "$program(1) does not mention $option"
  done
  checked=$((checked + 1))
done
[ "$checked" -gt 0 ] || { echo "no program built"; exit 77; }
echo "$checked manual pages render cleanly and show every option"
