#!/usr/bin/env bash
# Runs the COM port tests under Wine against the simulated board:
#   com_test.sh <boardsim_com.exe> <seriallink_com_tests.exe>
# socat links two pseudo-terminals; in the Wine prefix one becomes COM5 (the
# tools' port) and the other COM6, which the simulated board serves. Needs
# WINEPREFIX (scripts/wine-session sets it). Runs in the current folder.
set -u
sim_exe=$1
test_exe=$2

if [ -z "${WINEPREFIX:-}" ] || [ ! -d "$WINEPREFIX/dosdevices" ]; then
  echo "com_test: no Wine prefix (run under scripts/wine-session)" >&2
  exit 1
fi
if ! command -v socat >/dev/null 2>&1; then
  echo "com_test: socat is missing" >&2
  exit 1
fi

work=$(mktemp -d /tmp/seriallink-com.XXXXXX)
socat_pid=""
sim_pid=""
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid" 2>/dev/null
  [ -n "$socat_pid" ] && kill "$socat_pid" 2>/dev/null && wait "$socat_pid" 2>/dev/null
  rm -f "$WINEPREFIX/dosdevices/com5" "$WINEPREFIX/dosdevices/com6"
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
  echo "com_test: socat made no pseudo-terminals" >&2
  cat "$work/socat.log" >&2
  exit 1
fi
ln -sfn "$work/tool" "$WINEPREFIX/dosdevices/com5"
ln -sfn "$work/board" "$WINEPREFIX/dosdevices/com6"

rm -f com_board.bin
wine "$sim_exe" COM6 --dump com_board.bin --seconds 600 >"$work/sim.log" 2>&1 &
sim_pid=$!
for _ in $(seq 1 600); do
  grep -q serving "$work/sim.log" 2>/dev/null && break
  if ! kill -0 "$sim_pid" 2>/dev/null; then break; fi
  sleep 0.1
done
if ! grep -q serving "$work/sim.log" 2>/dev/null; then
  echo "com_test: the simulated board did not start" >&2
  cat "$work/sim.log" >&2
  exit 1
fi

wine "$test_exe"
status=$?
exit $status
