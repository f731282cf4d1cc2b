#!/usr/bin/env bash
# Runs a Windows test program under Wine against the simulated board on a
# COM port:
#   with_board.sh <boardsim_com.exe> <test.exe> [tool port] [board port]
# socat links two pseudo-terminals; in the Wine prefix one becomes COM<tool
# port> (5 unless given), which the test finds in SERIAL_TOOL_PORT, and the
# other COM<board port> (6 unless given, SERIAL_BOARD_PORT), which the
# simulated board serves,
# writing its RAM and flash to com_board.bin in the current folder after
# every change. Faults are scripted through com_board.ctl in the current
# folder (see boardsim_com.cpp). Needs WINEPREFIX (scripts/wine-session sets it). Tests that
# may run at the same time use different port numbers.
set -u
sim_exe=$1
test_exe=$2
tool_port=${3:-5}
board_port=${4:-6}

if [ -z "${WINEPREFIX:-}" ] || [ ! -d "$WINEPREFIX/dosdevices" ]; then
  echo "with_board: no Wine prefix (run under scripts/wine-session)" >&2
  exit 1
fi
if ! command -v socat >/dev/null 2>&1; then
  echo "with_board: socat is missing" >&2
  exit 1
fi

work=$(mktemp -d /tmp/boardsim-com.XXXXXX)
socat_pid=""
sim_pid=""
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  [ -n "$socat_pid" ] && kill "$socat_pid" 2>/dev/null && wait "$socat_pid" 2>/dev/null
  rm -f "$WINEPREFIX/dosdevices/com$tool_port" "$WINEPREFIX/dosdevices/com$board_port"
  rm -rf "$work"
}
trap cleanup EXIT

socat pty,raw,echo=0,link="$work/tool" pty,raw,echo=0,link="$work/board" 2>"$work/socat.log" &
socat_pid=$!
for _ in $(seq 1 100); do
  [ -e "$work/tool" ] && [ -e "$work/board" ] && break
  sleep 0.1
done
if [ ! -e "$work/tool" ] || [ ! -e "$work/board" ]; then
  echo "with_board: socat made no pseudo-terminals" >&2
  cat "$work/socat.log" >&2
  exit 1
fi
ln -sfn "$work/tool" "$WINEPREFIX/dosdevices/com$tool_port"
ln -sfn "$work/board" "$WINEPREFIX/dosdevices/com$board_port"

rm -f com_board.bin com_board.ctl
wine "$sim_exe" "COM$board_port" --dump com_board.bin --seconds 600 --control com_board.ctl >"$work/sim.log" 2>&1 &
sim_pid=$!
for _ in $(seq 1 600); do
  grep -q serving "$work/sim.log" 2>/dev/null && break
  if ! kill -0 "$sim_pid" 2>/dev/null; then break; fi
  sleep 0.1
done
if ! grep -q serving "$work/sim.log" 2>/dev/null; then
  echo "with_board: the simulated board did not start" >&2
  cat "$work/sim.log" >&2
  exit 1
fi

SERIAL_TOOL_PORT=$tool_port SERIAL_BOARD_PORT=$board_port wine "$test_exe"
status=$?
exit $status
