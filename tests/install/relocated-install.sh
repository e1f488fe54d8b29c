#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix, moves the prefix elsewhere, and
# starts both programs from their new place: each must find its shipped data
# there, and the window must come up (offscreen) and take a file.
# Usage: relocated-install.sh SOURCE_DIR BUILD_DIR VERSION
set -euo pipefail
src=$1 build=$2 version=$3

work=$(mktemp -d)
window_pid=
cleanup() {
  if [ -n "$window_pid" ]; then kill "$window_pid" 2>/dev/null || true; wait "$window_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/first" >/dev/null
mv "$work/first" "$work/moved"
prefix=$work/moved
data=$prefix/share/quillmark/

# Everything the source tree ships is in place.
[ -x "$prefix/bin/quillmark-cli" ] || fail "no bin/quillmark-cli"
[ -f "$data/help.html" ] || fail "no share/quillmark/help.html"
for f in share/doc/quillmark/copyright share/doc/quillmark/changelog.gz \
         share/bash-completion/completions/quillmark-cli share/zsh/vendor-completions/_quillmark-cli; do
  [ -f "$prefix/$f" ] || fail "no $f"
done
if command -v scdoc >/dev/null; then
  [ -f "$prefix/share/man/man1/quillmark-cli.1.gz" ] || fail "no share/man/man1/quillmark-cli.1.gz"
fi
shipped=$(cd "$src/resources" && if [ -d html ]; then find html -type f ! -name tmp.htm; fi; find . -maxdepth 1 -name '*.bmp')
while read -r f; do
  [ -z "$f" ] || [ -f "$data/$f" ] || fail "share/quillmark/$f not installed"
done <<<"$shipped"

# A private home, so that nothing touches the user's settings or running window.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/config XDG_CACHE_HOME=$work/home/cache XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 0700 "$XDG_RUNTIME_DIR"

out=$("$prefix/bin/quillmark-cli" --version)
[ "$(head -n1 <<<"$out")" = "quillmark-cli $version" ] || fail "quillmark-cli --version: $out"
grep -qxF "data folder: $data" <<<"$out" || fail "quillmark-cli looks for its data elsewhere: $out"
"$prefix/bin/quillmark-cli" convert "$src/tests/data/gpx10-pocket-query.gpx" "$work/out.loc" >/dev/null
grep -q 'GCQ2CD' "$work/out.loc" || fail "the moved quillmark-cli did not convert"
echo "quillmark-cli runs from the moved prefix and finds $data"

if [ ! -x "$prefix/bin/quillmark" ]; then
  echo "built without the window: window checks left out"
  exit 0
fi
for f in share/applications/quillmark.desktop share/icons/hicolor/scalable/apps/quillmark.svg \
         share/mime/packages/quillmark.xml share/bash-completion/completions/quillmark; do
  [ -f "$prefix/$f" ] || fail "no $f"
done
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/quillmark" --version)
[ "$(head -n1 <<<"$out")" = "quillmark $version" ] || fail "quillmark --version: $out"
grep -qxF "data folder: $data" <<<"$out" || fail "quillmark looks for its data elsewhere: $out"
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/quillmark" --help | grep -q '^usage: quillmark' || fail "quillmark --help"

# The window itself, offscreen, with a file on its command line; it is up when
# it accepts a second file through its socket.
QT_QPA_PLATFORM=offscreen "$prefix/bin/quillmark" "$src/tests/data/gpx11-plain.gpx" >"$work/window.log" 2>&1 &
window_pid=$!
for _ in $(seq 1 100); do
  if "$prefix/bin/quillmark-cli" open "$src/tests/data/caches.loc" >/dev/null 2>&1; then
    echo "the moved window started offscreen and took a file"
    exit 0
  fi
  kill -0 "$window_pid" 2>/dev/null || { cat "$work/window.log" >&2; fail "the window ended at start"; }
  sleep 0.2
done
cat "$work/window.log" >&2
fail "the window never answered on its socket"
