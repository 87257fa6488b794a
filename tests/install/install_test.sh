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
xvfb_pid='' game_pid=''

cleanup() {
  [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill -TERM "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

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

# -displayfd: Xvfb picks a free display and names it once it accepts clients.
timeout 120 Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$tmp/display" ] && break
  sleep 0.05
done
[ -s "$tmp/display" ] || fail "Xvfb didn't start: $(cat "$tmp/xvfb.log")"
export DISPLAY=":$(head -n1 "$tmp/display")"

# Started by name, as the desktop entry's Exec does, from a folder without
# sounds. Only the test's own X server may answer: no Wayland session, no
# driver forced.
mkdir "$tmp/elsewhere"
(cd "$tmp/elsewhere" &&
  exec env -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY PATH="$usr/bin:$PATH" \
    SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$tmp/audio.raw" earshot) 2>"$tmp/err" &
game_pid=$!

wid=$(timeout 10 xdotool search --sync --onlyvisible --pid "$game_pid" 2>/dev/null | head -n1)
[ -n "$wid" ] || fail "no window appeared within 10 s"
# SDL reports the window's first activation up to 200 ms late after the mode
# change, and the activation clears every count: an Escape that comes before
# it is lost, so it is sent again each second, five times at most.
for _ in 1 2 3 4 5; do
  xdotool key Escape
  for _ in $(seq 20); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$game_pid" 2>/dev/null || break
done
kill -0 "$game_pid" 2>/dev/null && fail "still running after five Escapes, one a second"
wait "$game_pid"
rc=$?
game_pid=''
[ "$rc" -eq 0 ] || fail "exit status $rc after Escape, expected 0"
grep -q 'cannot load' "$tmp/err" && fail "the installed game did not find its sounds"
echo "ok (install, $mode)"
