#!/usr/bin/env bash
# Desktop smoke test of the GTK host: under a private Xvfb the demo dialog
# opens undecorated, a synthetic click reaches a control and produces its
# notification, a screenshot shows the drawn control, and the text entry
# overlay takes typing.
set -euo pipefail
demo=$1
for tool in Xvfb xdotool xprop import convert; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid=""
demo_pid=""
cleanup() {
  [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

display=""
for n in $(seq 91 160); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free display number"; exit 1; }
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 100); do xprop -root >/dev/null 2>&1 && break; sleep 0.05; done

"$demo" >"$work/out.txt" 2>"$work/err.txt" &
demo_pid=$!

wait_for() {  # pattern
  for _ in $(seq 200); do grep -q "$1" "$work/out.txt" && return 0; sleep 0.05; done
  echo "timed out waiting for '$1'; output:"; cat "$work/out.txt" "$work/err.txt"; return 1
}
wait_for '^ready'
wid=$(xdotool search --sync --name 'QorUI Demo' | head -1)
[ -n "$wid" ] || { echo "the demo window did not appear"; exit 1; }

# Undecorated: Motif hints ask for no decorations (flags 0x2, decorations 0x0).
hints=$(xprop -id "$wid" _MOTIF_WM_HINTS)
echo "$hints" | grep -q '= 0x2, 0x0, 0x0' || { echo "window is decorated: $hints"; exit 1; }

eval "$(xdotool getwindowgeometry --shell "$wid")"
# Centred on the 1280 x 800 screen.
[ "$X" -eq 320 ] && [ "$Y" -eq 200 ] || { echo "window at $X,$Y, expected 320,200"; exit 1; }

# The screen shows what the headless host draws for the same dialog: the
# "Press me" button's face, and the background beside it, which differs.
sleep 0.3
import -window root "$work/shot.png"
"$demo" --headless "$work/headless.png" >/dev/null
pixel() {  # image x y: "r g b"
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r+.5)] %[fx:int(255*p{$2,$3}.g+.5)] %[fx:int(255*p{$2,$3}.b+.5)]" info:
}
near() {  # "r g b" "r g b": each channel within 2 (alpha rounding)
  read -r r1 g1 b1 <<<"$1"; read -r r2 g2 b2 <<<"$2"
  for d in $((r1 - r2)) $((g1 - g2)) $((b1 - b2)); do [ "${d#-}" -le 2 ] || return 1; done
}
face=$(pixel "$work/shot.png" $((X + 60)) $((Y + 90)))
drawn=$(pixel "$work/headless.png" 60 90)
near "$face" "$drawn" || { echo "button face is $face, drawn $drawn"; exit 1; }
back=$(pixel "$work/shot.png" $((X + 60)) $((Y + 200)))
near "$back" "$(pixel "$work/headless.png" 60 200)" || { echo "background is $back"; exit 1; }
! near "$back" "$face" || { echo "background looks like the button"; exit 1; }

# A click on the button arrives as press (1) then click (2) from control 1001.
xdotool mousemove --window "$wid" 120 100 click 1
wait_for '^notify 1001 2'
grep -q '^notify 1001 1' "$work/out.txt" || { echo "no press notification"; exit 1; }

# The text entry laid over the window takes typed text and reports it on Return.
xdotool mousemove --window "$wid" 120 160 click 1
wait_for '^notify 1004 2'
sleep 0.2
xdotool type --delay 20 'Hello'
xdotool key Return
wait_for '^entry Hello$'

# The Close button ends the modal loop with IDOK.
xdotool mousemove --window "$wid" 480 100 click 1
wait_for '^result 1'
wait "$demo_pid"
demo_pid=""
echo "passed"
