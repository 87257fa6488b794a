#!/bin/bash
# Installs the game into a throwaway root, the way a player gets it, and starts
# it from there: through the bin/ link, from a folder that is not its own, so
# it must find its sounds beside its real file. Checks the layout, validates
# the desktop entry and the AppStream metadata, and ends the game with Escape.
# Usage: install_test.sh --deb EARSHOT.deb
#        install_test.sh --build BUILD_DIR    (cmake --install into ROOT/usr)
set -u
mode=$1 from=$2
tmp=$(mktemp -d)
root=$tmp/root
app_id=io.github.earshot.Earshot
. "$(dirname "$0")/../xvfb.sh"

fail() {
  echo "FAIL (install, $mode): $*" >&2
  [ -s "$tmp/err" ] && sed 's/^/  earshot: /' "$tmp/err" >&2
  exit 1
}

case "$mode" in
  --deb) dpkg -x "$from" "$root" || fail "dpkg -x $from failed" ;;
  --build) timeout 60 "${CMAKE:-cmake}" --install "$from" --prefix "$root/usr" >"$tmp/install.log" 2>&1 ||
    fail "cmake --install failed: $(cat "$tmp/install.log")" ;;
  *) fail "unknown mode" ;;
esac

# The layout: a relative link in bin/, the program and its sounds together.
usr=$root/usr
[ -L "$usr/bin/earshot" ] || fail "bin/earshot is not a symbolic link"
[ "$(readlink "$usr/bin/earshot")" = ../lib/earshot/earshot ] ||
  fail "bin/earshot points to '$(readlink "$usr/bin/earshot")', not ../lib/earshot/earshot"
[ -x "$usr/lib/earshot/earshot" ] || fail "lib/earshot/earshot is missing or not executable"
for name in brt1 brt2 brt3 drp dry exp lck pch sht stp1 stp2 stp3 stp4 stp5 stp6 stp7 stp8 wsh; do
  [ -s "$usr/lib/earshot/sfx/$name.ogg" ] || fail "lib/earshot/sfx/$name.ogg is missing or empty"
done
[ -s "$usr/share/icons/hicolor/scalable/apps/$app_id.svg" ] || fail "the icon is missing"

# desktop-file-validate exits 0 on warnings too, so any output fails. --strict
# lets only pedantic hints through; validate-tree also checks that the desktop
# entry the metadata launches is there.
desktop=$usr/share/applications/$app_id.desktop
metainfo=$usr/share/metainfo/$app_id.metainfo.xml
[ -s "$desktop" ] || fail "the desktop entry is missing"
[ -s "$metainfo" ] || fail "the AppStream metadata is missing"
desktop-file-validate "$desktop" >"$tmp/desktop.log" 2>&1 && [ ! -s "$tmp/desktop.log" ] ||
  fail "desktop-file-validate: $(cat "$tmp/desktop.log")"
appstreamcli validate --no-net --strict "$metainfo" >"$tmp/appstream.log" 2>&1 ||
  fail "appstreamcli validate: $(cat "$tmp/appstream.log")"
appstreamcli validate-tree --no-net --strict "$root" >"$tmp/appstream.log" 2>&1 ||
  fail "appstreamcli validate-tree: $(cat "$tmp/appstream.log")"

start_xvfb

# Started by name, as the desktop entry's Exec does, from a folder without
# sounds. Only the test's own X server may answer: no Wayland session, no
# driver forced.
mkdir "$tmp/elsewhere"
(cd "$tmp/elsewhere" &&
  exec env -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY PATH="$usr/bin:$PATH" \
    SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$tmp/audio.raw" earshot) 2>"$tmp/err" &
game_pid=$!

await_window >/dev/null
xdotool key Escape
expect_exit 0 3
grep -q 'cannot load' "$tmp/err" && fail "the installed game did not find its sounds"
echo "ok (install, $mode)"
