#!/usr/bin/env bash
# InstallTest.sh CMAKE BUILD_DIR APP_ID: stages an install with DESTDIR, checks
# the desktop files, and plays the installed game twice as a new player (no
# display, ended by SIGTERM). The first run makes the player's folder; the
# second, after the install moved, renews its links and keeps and saves the
# player's own table.
set -euo pipefail
cmake=$1 build=$2 id=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
DESTDIR="$tmp/stage" "$cmake" --install "$build" --prefix /usr >/dev/null
share=$tmp/stage/usr/share user=$tmp/home/.local/share/zarvo-zov-orava
for size in 32 48 64 128 256; do test -s "$share/icons/hicolor/${size}x$size/apps/$id.png"; done
grep -qx "Icon=$id" "$share/applications/$id.desktop"
if command -v appstreamcli >/dev/null; then appstreamcli validate-tree --no-net "$tmp/stage/usr"
else echo "appstreamcli not installed: metainfo not validated"; fi
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$share/applications/$id.desktop"
else echo "desktop-file-validate not installed: desktop entry not validated"; fi

play() {  # play PREFIX [VAR=VALUE...]
  rm -f "$user/hgeLog.txt"
  (cd "$tmp" && exec env -u XDG_DATA_HOME HOME="$tmp/home" SDL_VIDEODRIVER=offscreen \
    SDL_AUDIODRIVER=dummy "${@:2}" "$1/bin/zarvo") &
  for _ in $(seq 120); do grep -qs 'Engine started' "$user/hgeLog.txt" && break; sleep 0.5; done
  sleep 2
  kill -TERM $!
  wait $!
  grep -q 'Engine started' "$user/hgeLog.txt" && ! grep -i error "$user/hgeLog.txt"
}

play "$tmp/stage/usr"
test -L "$user/Images" -a -L "$user/font1.fnt" -a ! -L "$user/GameValues.txt"
cmp "$user/highscore_names.txt" "$share/zarvo-zov-orava/highscore_names.txt"
sed -i 1s/.*/TST/ "$user/highscore_names.txt"
touch -d @1000 "$user/highscore_names.txt"
mv "$tmp/stage" "$tmp/moved"
play "$tmp/moved/usr" XDG_DATA_HOME=relative/path
test "$(readlink "$user/Images")" = "$tmp/moved/usr/share/zarvo-zov-orava/Images"
test "$(head -1 "$user/highscore_names.txt")" = TST
test "$(stat -c %Y "$user/highscore_names.txt")" -gt 1000
echo "installed game: passed"
