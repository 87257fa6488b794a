# Sourced by the script tests that run the real program on an X server of
# their own. The sourcing script sets `tmp` (a fresh folder, removed at exit)
# and defines `fail MESSAGE`; it sets game_pid once it starts the game.
xvfb_pid='' game_pid=''

cleanup() {
  [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill -TERM "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

start_xvfb() {
  # -displayfd: Xvfb picks a free display and names it once it accepts clients.
  # Under timeout, so not even a killed script leaves it running for long.
  timeout 120 Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$tmp/display" ] && break
    sleep 0.05
  done
  [ -s "$tmp/display" ] || fail "Xvfb didn't start: $(cat "$tmp/xvfb.log")"
  export DISPLAY=":$(head -n1 "$tmp/display")"
}

# Prints the id of the game's window once it is mapped.
await_window() {
  local wid
  wid=$(timeout 10 xdotool search --sync --onlyvisible --pid "$game_pid" 2>/dev/null | head -n1)
  [ -n "$wid" ] || fail "no window appeared within 10 s"
  echo "$wid"
}

# expect_exit STATUS SECONDS: the game ends within SECONDS with STATUS.
expect_exit() {
  local want=$1 ticks=$(($2 * 20)) rc
  for _ in $(seq "$ticks"); do
    kill -0 "$game_pid" 2>/dev/null || break
    sleep 0.05
  done
  kill -0 "$game_pid" 2>/dev/null && fail "still running $2 s later"
  wait "$game_pid"
  rc=$?
  game_pid=''
  [ "$rc" -eq "$want" ] || fail "exit status $rc, expected $want"
}
