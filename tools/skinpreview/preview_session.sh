# Sourced by the skin preview tests: a display with a compositing manager (so
# layered windows blend with what lies under them, as on a Windows desktop),
# the Wine environment, and helpers to run the preview, wait for its lines,
# take screenshots and count checks. The caller sets `preview` (the exe) and
# `shots` (the screenshot folder) and has DISPLAY set.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
. "$root/scripts/wine-env.sh"
"$root/scripts/wine-prefix.sh"
work=$(mktemp -d)
mkdir -p "$shots"
pass=0 fail=0
compositor_pid=
preview_pid=

cleanup() {
  [ -n "$preview_pid" ] && kill "$preview_pid" 2>/dev/null
  [ -n "$compositor_pid" ] && kill "$compositor_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

check() {  # check NAME COMMAND...
  local name=$1; shift
  if "$@"; then pass=$((pass + 1)); echo "ok   $name"; else fail=$((fail + 1)); echo "FAIL $name"; fi
}

finish() {
  echo "$pass passed, $fail failed"
  [ "$fail" -eq 0 ]
}

# Without a compositing manager Xvfb shows a layered window's translucent
# shadow pixels as their premultiplied colour, almost black.
start_compositor() {
  if command -v xcompmgr >/dev/null; then
    xcompmgr >/dev/null 2>&1 &
    compositor_pid=$!
    sleep 0.5
  fi
}

# preview NAME ARGS...: starts the preview in the background; its lines go to
# $work/NAME.out (CR stripped as they are read, see lines).
preview() {
  local name=$1; shift
  wine "$preview" "$@" >"$work/$name.raw" 2>"$work/$name.err" </dev/null &
  preview_pid=$!
}

lines() { [ -f "$work/$1.raw" ] && tr -d '\r' <"$work/$1.raw"; }

# wait_line NAME REGEX [SECONDS]: true once a line matches.
wait_line() {
  local name=$1 pattern=$2 seconds=${3:-20}
  for _ in $(seq $((seconds * 10))); do
    lines "$name" | grep -Eq "$pattern" && return 0
    kill -0 "$preview_pid" 2>/dev/null || { lines "$name" | grep -Eq "$pattern"; return; }
    sleep 0.1
  done
  return 1
}

# field NAME PREFIX: the words after the first line starting with PREFIX.
field() { lines "$1" | grep -m1 "^$2 " | cut -d' ' -f$(( $(wc -w <<<"$2") + 1 ))-; }

# centre NAME LINE-PREFIX: "X Y" of the centre of a "... L T R B" line.
centre() {
  local l t r b
  read -r l t r b _ <<<"$(field "$1" "$2")"
  echo $(((l + r) / 2)) $(((t + b) / 2))
}

# end_preview: waits for the preview to exit; its exit code.
end_preview() {
  local rc=0
  wait "$preview_pid" || rc=$?
  preview_pid=
  return $rc
}

screenshot() { import -window root "$1"; }
