#!/bin/bash
# Runs the real program on an X server of its own and plays one scene:
#   escape         Escape ends the game with status 0
#   no_display     with no X server the program says so and ends with status 1
#   sigint         Ctrl+C ends the running game at once, with status 130
#   close_request  a close request from the window system is ignored; Escape still ends it
# Usage: smoke_test.sh SCENE EARSHOT CLOSE_REQUEST
set -u
scene=$1 earshot=$2 close_request=$3
tmp=$(mktemp -d)
. "$(dirname "$0")/../xvfb.sh"

fail() {
  echo "FAIL ($scene): $*" >&2
  [ -s "$tmp/err" ] && sed 's/^/  earshot: /' "$tmp/err" >&2
  exit 1
}

start_game() {
  # Job control gives the game a process group of its own and leaves SIGINT
  # as a terminal would, not ignored as for a plain background command. Only
  # the test's own X server may answer: no Wayland session, no driver forced.
  set -m
  env -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$tmp/audio.raw" "$earshot" 2>"$tmp/err" &
  game_pid=$!
  set +m
}

case "$scene" in
  escape)
    start_xvfb
    start_game
    await_window >/dev/null
    xdotool key Escape
    expect_exit 0 3
    ;;
  no_display)
    # A display number no server listens on.
    n=200
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    export DISPLAY=":$n"
    start_game
    expect_exit 1 10
    [ "$(grep -c '^earshot: no display: ' "$tmp/err")" -eq 1 ] || fail "no single 'earshot: no display:' line"
    ;;
  sigint)
    start_xvfb
    start_game
    await_window >/dev/null
    kill -INT "$game_pid"
    expect_exit 130 2
    ;;
  close_request)
    start_xvfb
    start_game
    wid=$(await_window)
    "$close_request" "$wid" || fail "the close request could not be sent"
    sleep 1
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended on a close request"
    xdotool key Escape
    expect_exit 0 3
    ;;
  *)
    fail "unknown scene"
    ;;
esac
echo "ok ($scene)"
