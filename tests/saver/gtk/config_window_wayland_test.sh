#!/usr/bin/env bash
# The configuration window on GTK's Wayland backend with no X display at all: `capsaro /c` under a
# headless sway of the test's own opens a window titled "Capsaro" whose logo alternates, and keys
# typed through a virtual keyboard (wtype) tick a box and store exactly that setting on Enter, or
# store nothing on Escape or when another window takes the focus.
# Usage: config_window_wayland_test.sh CAPSARO_PROGRAM. Exits with 77 (skipped) without sway, grim,
# wtype, jq or ImageMagick.
set -uo pipefail
program=$(readlink -f "$1")
for tool in grim wtype jq convert; do
  command -v "$tool" >/dev/null || { echo "needs $tool"; exit 77; }
done
source "$(dirname "$0")/../../support/headless_sway.sh"

work=$(mktemp -d /tmp/capsaro-wayland-dialog.XXXXXX)
dialog="" other=""
finish() {
  [ -n "$dialog" ] && kill -9 "$dialog" 2>/dev/null
  [ -n "$other" ] && kill -9 "$other" 2>/dev/null
  stop_sway
  rm -rf "$work"
}
start_sway || { rm -rf "$work"; exit 1; }
trap finish EXIT
unset DISPLAY
cp "$program" "$work/capsaro"
cd "$work" || exit 1

source "$(dirname "$(readlink -f "$0")")/../../support/checks.sh"

stored=$'200\r\n0.500000000\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n'
# The same with "Use desktop as background" (the third line) ticked.
desktop_ticked=$'200\r\n0.500000000\r\n1\r\n0\r\n0\r\n0\r\n0\r\n1\r\n'
stored_now() { cmp -s Capsaro.cfg <(printf '%s' "$1"); }

# The dialog's window in sway's tree, as "x y width height" of its content on the screen.
window=""
find_window() {
  window=$(swaymsg -t get_tree | jq -r 'first(.. | objects | select(.name? == "Capsaro" and .shell? == "xdg_shell"))
    | "\(.rect.x + .window_rect.x) \(.rect.y + .window_rect.y) \(.window_rect.width) \(.window_rect.height) \(.type)"')
  [ -n "$window" ]
}
start_dialog() {
  printf '%s' "$stored" >Capsaro.cfg
  ./capsaro /c >out.txt 2>&1 &
  dialog=$!
  poll_until find_window && return 0
  echo "the dialog said:"
  cat out.txt
  echo "sway's windows:"
  swaymsg -t get_tree | jq -c '.. | objects | select(.pid?) | {name, type, shell, visible, rect}'
  return 1
}
# ended_with_zero: the dialog ended by itself, with status 0.
ended_with_zero() {
  if ! poll_until process_gone "$dialog"; then
    kill -9 "$dialog" 2>/dev/null
    wait "$dialog" 2>/dev/null
    dialog=""
    return 1
  fi
  wait "$dialog"
  local status=$?
  dialog=""
  [ "$status" -eq 0 ]
}
# Keys for the dialog, one virtual keyboard for them all (the 700 ms let the window take its focus).
# Space comes first, while no control has the focus: GTK 3 here did not take a later Space as
# "activate the focused button" when wtype's keymap numbered it after other keys.
# Then: Tab reaches the tabs (the dialog opens on About), Left shows Config, two Tabs pass the motion
# list to "Use desktop as background", Space ticks it.
type_keys() {
  wtype -s 700 -k space -s 300 -k Tab -s 300 -k Left -s 300 -k Tab -s 300 -k Tab -s 300 -k space -s 300 "$@"
}

check "/c opens a window titled Capsaro" start_dialog
read -r x y width height type <<<"$window"
check "its client area is 300x260" test "$width $height" = "300 260"
check "it floats as a dialog, not tiled" test "$type" = floating_con
# The logo's canvas: 128x128 at (5, 5) in the About page, which begins below the tabs.
logo() { grim -g "$((x + 11)),$((y + 30)) 128x128" "$1"; }
logo first.png
logo_changes() { logo later.png && ! cmp -s first.png later.png; }
check "the logo changes" poll_until logo_changes
check "the logo is a picture, not a flat area" test "$(convert later.png -format %k info:)" -gt 100
type_keys -k Return
check "Tab, Left, Tab, Tab, Space and Enter end the dialog" ended_with_zero
check "they store exactly the ticked box" stored_now "$desktop_ticked"

check "/c opens again" start_dialog
type_keys -k Escape
check "Escape ends the dialog" ended_with_zero
check "after a ticked box, Escape stores nothing" stored_now "$stored"

# Another program's window taking the focus ends the dialog as Cancel does (a second dialog here,
# from a folder of its own).
check "/c opens once more" start_dialog
# The dialog must have had the focus to lose it: wait until sway gave it, and a moment for the
# dialog to hear of it, before another window takes it.
focused() { swaymsg -t get_tree | jq -e 'any(.. | objects | select(.name? == "Capsaro"); .focused)' >/dev/null; }
poll_until focused
sleep 1
mkdir other && cp capsaro other/
(cd other && exec ./capsaro /c >out.txt 2>&1) &
other=$!
check "a window of another program taking the focus ends the dialog" ended_with_zero
check "and it stores nothing" stored_now "$stored"
wtype -s 700 -k Escape
poll_until process_gone "$other" || kill -9 "$other"

finish_checks
