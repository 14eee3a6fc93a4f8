#!/usr/bin/env bash
# Starts Songloom three times on a real X server with a window manager,
# closing it each time as a user would (Alt+F4), and checks that the stored
# outer size comes back unchanged, and that a stored size larger than the
# screen gives a window that fits on it.
#   restart-size.sh PROGRAM_DIR
# Exits 77 (skipped) when Xvfb, openbox or xdotool is missing.
set -euo pipefail
program_dir=$1
for tool in Xvfb openbox xdotool xwininfo xprop xdpyinfo; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/install-deps.sh wm)"; exit 77; }
done

work=$(mktemp -d)
cleanup() {
  kill "${songloom_pid:-}" "${wm_pid:-}" "${x_pid:-}" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cp -a "$program_dir" "$work/Songloom"
rm -f "$work/Songloom/NewSongTemplate.rtf.lock"
export XDG_CONFIG_HOME="$work/config" HOME="$work/home"
mkdir -p "$XDG_CONFIG_HOME" "$HOME"
unset QT_QPA_PLATFORM
# The server picks a free display itself and tells which.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 & x_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$(cat "$work/display")"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 & wm_pid=$!
sleep 0.5

settings="$XDG_CONFIG_HOME/Songloom/Songloom.conf"
stored() { grep -E "^$1=" "$settings" | cut -d= -f2; }

run_once() {
  (cd "$work/Songloom" && exec ./songloom) >/dev/null 2>&1 & songloom_pid=$!
  local window
  window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Songloom - ' | head -1)
  # Let the window manager frame it and the first song load.
  sleep 1.5
  xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
  wait "$songloom_pid" || true
  songloom_pid=
}

fail=0
sizes=()
for start in 1 2 3; do
  run_once
  sizes+=("$(stored MainWidth)x$(stored MainHeight)")
  echo "start $start: stored outer size ${sizes[-1]} twips"
done
for s in "${sizes[@]}"; do
  if [ "$s" != "7875x5430" ]; then
    echo "FAIL: stored outer size $s, expected 7875x5430 at every restart"; fail=1
  fi
done

# A size larger than the screen: the outer size, frame included, fits.
sed -i -E 's/^MainWidth=.*/MainWidth=99999/; s/^MainHeight=.*/MainHeight=99999/' "$settings"
(cd "$work/Songloom" && exec ./songloom) >/dev/null 2>&1 & songloom_pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Songloom - ' | head -1)
sleep 1.5
# The client's place, widened by the frame the window manager drew around it.
read -r cx cy cw ch < <(xwininfo -id "$window" | awk '/Absolute upper-left X/{x=$4}/Absolute upper-left Y/{y=$4}/Width:/{w=$2}/Height:/{h=$2}END{print x, y, w, h}')
read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
fx=$((cx - left)) fy=$((cy - top)) fw=$((cw + left + right)) fh=$((ch + top + bottom))
echo "oversized start: outer ${fw}x${fh} at ${fx},${fy} on a 1024x768 screen"
if [ $((fx + fw)) -gt 1024 ] || [ $((fy + fh)) -gt 768 ] || [ "$fx" -lt 0 ] || [ "$fy" -lt 0 ]; then
  echo "FAIL: the window runs past the screen"; fail=1
fi
xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
wait "$songloom_pid" || true
songloom_pid=
exit $fail
