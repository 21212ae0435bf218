#!/usr/bin/env bash
# A short tour of the installed editor on a virtual X display (Xvfb), driven with xdotool as a
# user would: open a project given as argument, draw a cell, undo it, draw another, save with
# Ctrl+S, draw a third, export with Ctrl+E through the file dialog, close with Alt+F4 and answer
# the question about unsaved changes. Then the files are read back with deduzu-sprite. Every
# step has a time limit, so a hang fails the tour; on a failure the screen is kept as an XWD
# dump in the work folder.
#
#   scripts/desktop-tour.sh EDITOR CLI [WORKDIR]
set -euo pipefail

editor=$(readlink -f "$1")
cli=$(readlink -f "$2")
work=${3:-$(mktemp -d)}
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$work"
work=$(readlink -f "$work")
rm -f "$work"/tour.sprite "$work"/export.bin "$work"/*.xwd
step="start"

pids=()
cleanup() {
  local status=$?
  if [ $status -ne 0 ]; then
    echo "desktop tour: failed at: $step" >&2
    [ -n "${DISPLAY:-}" ] && xwd -root -silent -out "$work/tour-failure.xwd" 2>/dev/null &&
      echo "desktop tour: the screen is in $work/tour-failure.xwd" >&2
    [ -f "$work/editor.log" ] && sed 's/^/editor: /' "$work/editor.log" >&2
  fi
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  exit $status
}
trap cleanup EXIT

# Polls `what` until it succeeds, at most `seconds`.
wait_for() {
  local seconds=$1; shift
  local end=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -ge $end ] && { echo "desktop tour: timed out after ${seconds}s: $*" >&2; return 1; }
    sleep 0.1
  done
}
title_is() { [ "$(xdotool getwindowname "$window")" = "$1" ]; }
dialog_named() { xdotool search --onlyvisible --name "^$1\$"; }
window_gone() { ! xdotool search --onlyvisible --name "^$1\$"; }
editor_ended() { ! kill -0 "$editor_pid"; }

# A free display number.
n=99
while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
export DISPLAY=:$n
step="starting Xvfb on $DISPLAY"
Xvfb "$DISPLAY" -screen 0 1280x960x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_for 20 xdotool getdisplaygeometry

# The project: 8 x 8 pixels, 8-bit bytes, no mask, cell (7, 0) set; cell (0, 0) is clear, so
# the canvas's first clear cell marks where the canvas is.
step="making the project"
printf '\001\000\000\000\000\000\000\000' >"$work/start.bin"
"$cli" import "$work/start.bin" -o "$work/tour.sprite" --mode 8 --width 8 --height 8 --mask off

step="starting the editor"
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
cd "$work"
HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb LANG=C.UTF-8 \
  "$editor" "$work/tour.sprite" >"$work/editor.log" 2>&1 &
editor_pid=$!
pids+=($editor_pid)
saved="Deduzu Sprite Editor - [$work/tour.sprite]"
modified="Deduzu Sprite Editor - [* $work/tour.sprite]"

step="waiting for the window with the project open"
window=$(timeout 20 xdotool search --sync --onlyvisible --name "^Deduzu Sprite Editor - ")
window=$(echo "$window" | head -n 1)
wait_for 10 title_is "$saved"
timeout 10 xdotool windowfocus --sync "$window"

# Where the canvas is: the first clear cell (zoom 100 %: 11 x 11 pixels of #444444).
step="finding the canvas"
sleep 0.5
xwd -root -silent -out "$work/screen.xwd"
read -r left top < <("$here/xwd-find-cell.py" "$work/screen.xwd" 444444 11)
cell() { echo $((left + $1 * 12 + 5)) $((top + $2 * 12 + 5)); }
draw() {
  # shellcheck disable=SC2046
  timeout 10 xdotool mousemove --sync $(cell "$1" "$2") click 1
}

step="drawing cell (2, 1)"
draw 2 1
wait_for 10 title_is "$modified"

step="undoing it with Ctrl+Z"
xdotool key --clearmodifiers ctrl+z
wait_for 10 title_is "$saved"

step="drawing cell (3, 2) and saving with Ctrl+S"
draw 3 2
wait_for 10 title_is "$modified"
xdotool key --clearmodifiers ctrl+s
wait_for 10 title_is "$saved"

step="drawing cell (4, 3)"
draw 4 3
wait_for 10 title_is "$modified"

step="exporting with Ctrl+E"
xdotool key --clearmodifiers ctrl+e
wait_for 15 dialog_named "Export sprite data..."
dialog=$(dialog_named "Export sprite data..." | head -n 1)
timeout 10 xdotool windowfocus --sync "$dialog"
sleep 0.3
xdotool type --delay 20 "export.bin"
xdotool key Return
wait_for 10 window_gone "Export sprite data..."
wait_for 10 test -s "$work/export.bin"
# Export leaves the document's state alone.
title_is "$modified"

step="closing with Alt+F4 and answering Yes"
timeout 10 xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers alt+F4
wait_for 10 dialog_named "Deduzu Sprite Editor"
question=$(dialog_named "Deduzu Sprite Editor" | head -n 1)
timeout 10 xdotool windowfocus --sync "$question"
sleep 0.3
xdotool key --clearmodifiers alt+y
wait_for 10 editor_ended
wait "$editor_pid" || { echo "desktop tour: the editor ended with status $?" >&2; exit 1; }

step="checking the files"
# Saved: cells (7, 0) and (3, 2); the undone (2, 1) and the unsaved (4, 3) are not there.
"$cli" export "$work/tour.sprite" -o "$work/saved.bin"
printf '\001\000\020\000\000\000\000\000' | cmp - "$work/saved.bin"
# Exported after the third cell: (7, 0), (3, 2) and (4, 3).
printf '\001\000\020\010\000\000\000\000' | cmp - "$work/export.bin"
step="done"
echo "desktop tour: passed"
