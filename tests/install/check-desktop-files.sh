#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop entry passes desktop-file-validate, its MIME types are the GPX
# type the shared database knows and the two we add, and our MIME file and
# icon are well-formed XML. Exit 77 (skipped) when a checker is missing.
set -euo pipefail
dir=$1
for tool in desktop-file-validate xmllint; do
  command -v "$tool" >/dev/null || { echo "$tool not installed (scripts/setup-deps installs it)"; exit 77; }
done
desktop-file-validate --no-hints "$dir/quillmark.desktop"
xmllint --noout "$dir/quillmark-mime.xml" "$dir/quillmark.svg"
entry() { sed -n "s/^$1=//p" "$dir/quillmark.desktop"; }
[ "$(entry Name)" = "Quillmark" ] || { echo "Name is $(entry Name)"; exit 1; }
[ "$(entry Categories)" = "Education;Geography;Utility;" ] || { echo "Categories are $(entry Categories)"; exit 1; }
for type in $(entry MimeType | tr ';' ' '); do
  case $type in
    application/gpx+xml) ;;
    *) grep -q "<mime-type type=\"$type\">" "$dir/quillmark-mime.xml" || { echo "$type is defined nowhere"; exit 1; } ;;
  esac
done
for glob in '*.loc' '*.ov2'; do
  grep -qF "<glob pattern=\"$glob\"/>" "$dir/quillmark-mime.xml" || { echo "no MIME type for $glob"; exit 1; }
done
echo "desktop entry, MIME types and icon are valid"
