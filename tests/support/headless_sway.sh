# A headless sway of a test's own, for tests of the Wayland host. Source this file, then:
#   start_sway [CONFIG_LINES]  starts sway (its first output HEADLESS-1 at 1280x720, plus the
#                              config lines given) and exports XDG_RUNTIME_DIR, WAYLAND_DISPLAY
#                              and SWAYSOCK for the clients; false when it does not come up.
#   stop_sway                  kills it and removes its runtime folder (start_sway arranges this
#                              on exit too).
# Sway refuses to run as root, so as root it runs as nobody in a runtime folder nobody owns;
# clients running as root still connect. No input devices: a virtual keyboard (wtype) or pointer
# is the seat's only input. DISPLAY is unset, so nothing reaches an X server by accident.
# Exits with 77 (skipped) when sway is not installed.

command -v sway >/dev/null || { echo "needs sway"; exit 77; }

sway_pid=""
sway_runtime=""

start_sway() {
  sway_runtime=$(mktemp -d /tmp/capsaro-sway.XXXXXX)
  chmod 755 "$sway_runtime"
  local config=$sway_runtime/config
  {
    echo "output HEADLESS-1 mode 1280x720 position 0 0"
    [ $# -gt 0 ] && printf '%s\n' "$@"
  } >"$config"
  local user=()
  if [ "$(id -u)" -eq 0 ]; then
    chown nobody:nogroup "$sway_runtime"
    user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  fi
  chmod 700 "$sway_runtime"
  chmod 644 "$config"
  "${user[@]}" env -i PATH="$PATH" XDG_RUNTIME_DIR="$sway_runtime" HOME="$sway_runtime" WLR_BACKENDS=headless \
    WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$config" >"$sway_runtime.log" 2>&1 &
  sway_pid=$!
  trap stop_sway EXIT
  export XDG_RUNTIME_DIR=$sway_runtime WAYLAND_DISPLAY=wayland-1
  unset DISPLAY
  local until=$((SECONDS + 30))
  while [ "$SECONDS" -lt "$until" ]; do
    SWAYSOCK=$(ls "$sway_runtime"/sway-ipc.*.sock 2>/dev/null | head -1 || true)
    if [ -n "$SWAYSOCK" ] && [ -S "$sway_runtime/$WAYLAND_DISPLAY" ] && SWAYSOCK=$SWAYSOCK swaymsg -t get_outputs >/dev/null 2>&1; then
      export SWAYSOCK
      return 0
    fi
    kill -0 "$sway_pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "sway did not start:"
  cat "$sway_runtime.log"
  return 1
}

stop_sway() {
  [ -n "$sway_pid" ] && kill "$sway_pid" 2>/dev/null && wait "$sway_pid" 2>/dev/null
  sway_pid=""
  [ -n "$sway_runtime" ] && rm -rf "$sway_runtime" "$sway_runtime.log"
  sway_runtime=""
}
