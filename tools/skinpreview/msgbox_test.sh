#!/usr/bin/env bash
# The exit question over the installer window under Wine, with real clicks and
# keys (xdotool): it opens centred over its owner, the owner ignores clicks
# while it is up and has the focus back afterwards, and every button and key
# ends it with its result bits (Alt+F4 does not). A screenshot of the first
# box is saved and its pixels checked.
# usage: msgbox_test.sh qira_skinpreview.exe SKIN_IMG_DIR SCREENSHOT_DIR
set -uo pipefail
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
preview=$1 img=$2 shots=$3
. "$(dirname "$0")/preview_session.sh"
start_compositor

click() { xdotool mousemove "$1" "$2" click 1; }
results() { lines msgbox | grep -c '^result '; }
boxes_seen() { lines msgbox | grep -c '^boxready'; }

# What ends each box, in order, and the result bits it must give.
inputs=("click btn0" "click btn1" "click btn_close" "key Return" "key Escape" "altf4 btn0")
want=(1 2 4 2 4 1)
preview msgbox 'Xml\inst\wnd.xml' --boxes ${#inputs[@]} --hold 90000
if ! wait_line msgbox '^ready' 30; then
  check "owner window shown" false
  lines msgbox; tail -n 5 "$work/msgbox.err"
  finish; exit
fi
owner_min=$(centre msgbox "control btn_min")

for i in "${!inputs[@]}"; do
  for _ in $(seq 200); do [ "$(boxes_seen)" -gt "$i" ] && break; sleep 0.1; done
  check "box $i opened" test "$(boxes_seen)" -gt "$i"
  sleep 0.5  # the box's first frame on screen
  # The box's own lines are the last ones printed.
  box_lines=$(lines msgbox | awk -v n="$i" '/^box /{k++} k==n+1' | grep -E '^(box|boxcontrol) ')
  printf '%s\n' "$box_lines" >"$work/box$i.txt"
  pos() {  # centre of a box control
    read -r _ _ l t r b <<<"$(grep "^boxcontrol $1 " "$work/box$i.txt")"
    echo $(((l + r) / 2)) $(((t + b) / 2))
  }
  if [ "$i" -eq 0 ]; then
    screenshot "$work/msgbox.png"
    { lines msgbox | grep -E '^(window|control) '; cat "$work/box0.txt"; } >"$work/msgbox.out"
    /usr/bin/python3 "$here/check_screens.py" msgbox "$work/msgbox.out" "$img" "$shots/msgbox_exit_question.png" \
      "$work/msgbox.png" >"$work/msgbox.checks"
    while read -r status name; do
      if [ "$status" = ok ]; then pass=$((pass + 1)); else fail=$((fail + 1)); fi
      echo "$status msgbox: $name"
    done <"$work/msgbox.checks"
    echo "screenshot: $shots/msgbox_exit_question.png"
    # A click on the owner while the box is up reaches nothing.
    click $owner_min
    sleep 0.5
    check "the owner ignores clicks while the box is open" bash -c "! tr -d '\r' <'$work/msgbox.raw' | grep -q '^click '"
  fi
  read -r how what <<<"${inputs[$i]}"
  case $how in
    click) click $(pos "$what") ;;
    key) xdotool key "$what" ;;
    altf4)
      xdotool key alt+F4
      sleep 1
      check "Alt+F4 leaves box $i open" test "$(results)" -eq "$i"
      click $(pos "$what")
      ;;
  esac
  for _ in $(seq 100); do [ "$(results)" -gt "$i" ] && break; sleep 0.1; done
  line=$(lines msgbox | grep "^result $i ")
  check "box $i ended by '${inputs[$i]}' gives ${want[$i]} ($line)" test "$(cut -d' ' -f3 <<<"$line")" = "${want[$i]}"
  check "after box $i the owner is enabled and has the focus" grep -q "focus=1 enabled=1" <<<"$line"
done

wait_line msgbox '^boxes done' 10
# The owner takes clicks again, and keys reach it: Escape closes the preview.
click $owner_min
sleep 0.5
check "the owner takes clicks again" bash -c "tr -d '\r' <'$work/msgbox.raw' | grep -q '^click btn_min'"
xdotool key Escape
for _ in $(seq 50); do kill -0 "$preview_pid" 2>/dev/null || break; sleep 0.1; done
check "the owner has the keyboard focus (Escape reached it)" bash -c "tr -d '\r' <'$work/msgbox.raw' | grep -q '^key 27'"
kill "$preview_pid" 2>/dev/null
end_preview
finish
