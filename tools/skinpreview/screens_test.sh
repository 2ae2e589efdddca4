#!/usr/bin/env bash
# The installer window's pages on the real Windows host under Wine: the check
# page frozen mid-fade with its check bar running, every other page of
# tab_main (the options page with its custom panel collapsed and expanded) and
# the panels of the check and progress pages. Each is saved as a screenshot
# and its pixels are checked against the skin's images and colours.
# usage: screens_test.sh qira_skinpreview.exe SKIN_IMG_DIR SCREENSHOT_DIR
set -uo pipefail
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
preview=$1 img=$2 shots=$3
. "$(dirname "$0")/preview_session.sh"
start_compositor
wnd='Xml\inst\wnd.xml'

# shoot KIND READY-REGEX EXTRA-SHOTS STEP...: shows the window, waits for the
# line, takes the screenshot (and EXTRA-SHOTS more, 150 ms apart, for the
# animations), checks it, and lets the preview run out.
shoot() {
  local kind=$1 ready=$2 extra=$3; shift 3
  preview "$kind" "$wnd" --hold 3000 "$@"
  if ! wait_line "$kind" "$ready" 30; then
    check "$kind: window shown" false
    lines "$kind"; cat "$work/$kind.err" | tail -n 5
    kill "$preview_pid" 2>/dev/null; end_preview
    return
  fi
  sleep 0.6  # the compositor's next frame
  local files=("$work/$kind-0.png")
  screenshot "${files[0]}"
  for i in $(seq "$extra"); do
    sleep 0.15
    files+=("$work/$kind-$i.png")
    screenshot "${files[-1]}"
  done
  lines "$kind" >"$work/$kind.out"
  if /usr/bin/python3 "$here/check_screens.py" "$kind" "$work/$kind.out" "$img" "$shots/$kind.png" "${files[@]}" \
      >"$work/$kind.checks"; then
    :
  fi
  while read -r status name; do
    if [ "$status" = ok ]; then pass=$((pass + 1)); else fail=$((fail + 1)); fi
    echo "$status $kind: $name"
  done <"$work/$kind.checks"
  end_preview
  check "$kind: preview exits 0 (steps applied, no failed present)" test $? -eq 0
  echo "screenshot: $shots/$kind.png"
}

shoot check_page '^paused' 2 'pausefade:seq_introduce_check=125' --hold 6000
shoot check_failed '^ready' 0 tab_check_bottom=1
shoot check_no_variant '^ready' 0 tab_check_bottom=2
shoot version_page '^ready' 0 tab_main=1 start:seq_introduce0 \
  'option:vl_models:opt_model=<f 5>QIRA 标准版</f><n><y 28>需要内存 8 GB.</y>' \
  'option:vl_models:opt_model=<f 5>QIRA 专业版</f><n><y 28>需要内存 16 GB.</y>'
shoot options_page '^ready' 0 tab_main=2 start:seq_introduce1
shoot options_page_custom '^ready' 0 tab_main=2 chk_custom_install.selected=true +vl_custom_install \
  @root.style=bg_dropdown 'edit_install_path.text=D:\QIRA' lbl_space.style=lbl_space_err --size 819,698
shoot progress_download '^ready' 0 tab_main=3 prog_download.value=42 'lbl_dl_speed.text=2.5 MB/s' \
  'lbl_dl_size.text=105 MB / 250 MB' lbl_dl_precent.text=42%
shoot progress_install '^ready' 2 tab_main=3 tab_bottom=1 start:seq_inst lbl_inst_precent.text=60%
shoot progress_launch '^ready' 0 tab_main=3 tab_bottom=2
finish
