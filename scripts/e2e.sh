#!/usr/bin/env bash
# Drives the built tool under a real X server (Xvfb) with real key presses only
# (xdotool through the XTEST extension) against the virtual recorder: connect,
# login, clock, ID numbers, advanced settings, a changed parameter, "Set and
# return", exit. After each step it checks the recorder's journal and memory and
# saves a picture of the window on screen.
#
# Usage: scripts/e2e.sh [build folder]   (default: build; it must be built)
# Pictures go to <build folder>/e2e-screenshots/.
#
# Focus: there is no window manager, so nobody gives a newly shown window the
# keyboard focus. Each time a window comes up the script finds it by its title
# (only mapped windows count) and gives it the X input focus with
# `xdotool windowfocus --sync`; Qt then makes it the active window and puts the
# focus on its first control, or on the control that had it when the window was
# hidden.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(readlink -f "${1:-$root/build}")
bin=$build/bin
for tool in Xvfb xdotool import; do
  command -v "$tool" >/dev/null || { echo "e2e: $tool is missing (scripts/deps.sh installs it)" >&2; exit 1; }
done
[ -x "$bin/velmora" ] && [ -x "$bin/velmora-recorder" ] || { echo "e2e: build $build first" >&2; exit 1; }

tmp=$(mktemp -d)
shots=$build/e2e-screenshots
rm -rf "$shots"
mkdir -p "$shots" "$tmp/run" "$tmp/recorder"
chmod 700 "$tmp/run"
xvfb_pid=""
tool_pid=""
cleanup() {
  local pid
  for pid in $tool_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$tmp"
}
trap cleanup EXIT

step() { echo "e2e: $*"; }
fail() {
  echo "e2e FAILED: $*" >&2
  [ -n "${DISPLAY:-}" ] && import -window root "$shots/failure.png" 2>/dev/null
  echo "--- tool output" >&2; cat "$tmp/tool.log" >&2 2>/dev/null || true
  echo "--- recorder journal (last 20 lines)" >&2; recorder journal 2>/dev/null | tail -n 20 >&2 || true
  exit 1
}

# Xvfb picks a free display itself and writes its number to the descriptor.
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 200); do
  [ -s "$tmp/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { cat "$tmp/xvfb.log" >&2; echo "e2e: Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
[ -s "$tmp/display" ] || { echo "e2e: Xvfb gave no display" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$tmp/display")
step "Xvfb on $DISPLAY"

export VELMORA_RECORDER_DIR=$tmp/recorder XDG_RUNTIME_DIR=$tmp/run QT_QPA_PLATFORM=xcb
unset QT_SCALE_FACTOR
recorder() { "$bin/velmora-recorder" "$@"; }
field() { recorder status | sed -n "s/^$1=//p" | head -n1; }

# Polls (up to 30 s) until a command succeeds, run afresh each time; the tool
# must still be running.
wait_for() {
  local what=$1; shift
  for _ in $(seq 1 300); do
    "$@" && return 0
    [ -z "$tool_pid" ] || kill -0 "$tool_pid" 2>/dev/null || fail "the tool ended while waiting for $what"
    sleep 0.1
  done
  fail "timed out waiting for $what"
}
journal_count() { recorder journal | grep -cE "$1" || true; }
journal_above() { [ "$(journal_count "$1")" -gt "$2" ]; }
# Waits until the journal holds more lines matching the pattern than before.
wait_journal() { wait_for "journal line /$1/" journal_above "$1" "$2"; }
visible_window() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1; }
window_shown() { [ -n "$(visible_window "$1")" ]; }
window_hidden() { [ -z "$(visible_window "$1")" ]; }
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
# Waits for the window titled $1 to be on screen, gives it the focus, sets $win.
focus_window() {
  wait_for "window \"$1\"" window_shown "$1"
  win=$(visible_window "$1")
  xdotool windowfocus --sync "$win"
  wait_for "focus on \"$1\"" has_focus "$win"
}
gone_window() { wait_for "window \"$1\" to close" window_hidden "$1"; }
shot() { import -window "$win" "$shots/$1.png" || fail "screenshot $1"; }
key() { xdotool key --delay 30 "$@"; }
type_text() { xdotool type --delay 30 "$1"; }
# Answers the caution prompt that the last action brought up, by pressing space on its OK.
answer_prompt() {
  local back=$1 name=$2
  focus_window Caution
  shot "$name"
  key space
  gone_window Caution
  focus_window "$back"
}

recorder reset >/dev/null
recorder attach >/dev/null
cp -r "$root/demo" "$tmp/work"
(cd "$tmp/work" && exec "$bin/velmora") >"$tmp/tool.log" 2>&1 &
tool_pid=$!

step "login window"
focus_window "Velmora Connect"
wait_journal 'Check_Device_state\(\) -> true' 0
shot 1-login

step "connect: type the password, Tab to Connect device, space"
n=$(journal_count 'Open_Device\(\) -> true')
type_text 000000
key Tab space
wait_journal 'Open_Device\(\) -> true' "$n"
shot 2-login-connected

step "login: Tab to Login, space"
n=$(journal_count 'Login\(\*\*\*\*\*\*, 6\) -> true')
key Tab space
wait_journal 'Login\(\*\*\*\*\*\*, 6\) -> true' "$n"
focus_window "Basic settings"
gone_window "Velmora Connect"
shot 3-basic

step "read the clock: space on get"
n=$(journal_count 'get_time\(.*\) -> true')
key space
wait_journal 'get_time\(.*\) -> true' "$n"

step "set the clock: Tab to set, space"
recorder set clock_offset 3600 >/dev/null
n=$(journal_count 'set_time\(.*\) -> true')
key Tab space
wait_journal 'set_time\(.*\) -> true' "$n"
offset=$(field clock_offset)
[ "${offset#-}" -le 5 ] || fail "the clock was not set to the PC's time (offset $offset)"
answer_prompt "Basic settings" 4-prompt-clock-set

step "store the ID numbers: Tab to the device ID, type, Tab, type, Tab to set, space"
n=$(journal_count 'set_id\("VR042-420042", 12\) -> true')
key Tab Tab Tab Tab Tab ctrl+a
type_text VR042
key Tab ctrl+a
type_text 420042
key Tab space
wait_journal 'set_id\("VR042-420042", 12\) -> true' "$n"
[ "$(field id_text)" = "VR042-420042" ] || fail "the recorder holds the ID $(field id_text)"
answer_prompt "Basic settings" 5-prompt-id-stored

step "open the advanced window: Tab past Enter U disk to Setting, space"
key Tab Tab space
focus_window "Advanced settings"
wait_journal 'get_Resolution\(.*\) -> true' 0
gone_window "Basic settings"
[ "$(field attached)" = "1" ] || fail "the recorder went away (Enter U disk pressed?)"
shot 6-advanced

step "change the resolution: Tab Tab to its list, Down"
before=$(field resolution)
[ "$before" = "0" ] || fail "the recorder's resolution starts at $before, not 0"
key Tab Tab Down
shot 7-advanced-changed
[ "$(field resolution)" = "0" ] || fail "the resolution changed before it was written"

step "Set and return: Shift+Tab twice, space"
n=$(journal_count 'set_Resolution\(1\) -> true')
key shift+Tab shift+Tab space
wait_journal 'set_Resolution\(1\) -> true' "$n"
[ "$(field resolution)" = "1" ] || fail "the recorder's resolution is $(field resolution), not 1"
answer_prompt "Basic settings" 8-prompt-written
gone_window "Advanced settings"
shot 9-basic-after-advanced

step "exit: Tab to Return, space; then Tab to Exit, space"
key Tab space
focus_window "Velmora Connect"
gone_window "Basic settings"
shot 10-login-again
key Tab space
for _ in $(seq 1 300); do kill -0 "$tool_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$tool_pid" 2>/dev/null && fail "the tool did not end on Exit"
status=0
wait "$tool_pid" || status=$?
tool_pid=""
[ "$status" -eq 0 ] || fail "the tool ended with status $status"
step "passed; pictures in $shots"
