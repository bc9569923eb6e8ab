# Shared by the test and benchmark scripts (source it): a private 1920x1080 Xvfb on the first free
# display number in a range, so that runs side by side never meet on one server.
# start_xvfb FIRST LAST [SERVER ARGUMENTS...]: starts it (with those arguments instead of the one
# 1920x1080 screen) and waits until it takes connections; sets $display (":N") and $xvfb_pid. The
# caller stops it (kill "$xvfb_pid") in its own exit trap.
start_xvfb() {
  display=""
  local n
  for n in $(seq "$1" "$2"); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
  done
  if [ -z "$display" ]; then
    echo "no free X display number in $1-$2" >&2
    return 1
  fi
  local screens=(-screen 0 1920x1080x24)
  [ $# -le 2 ] || screens=("${@:3}")
  Xvfb "$display" "${screens[@]}" -noreset -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.05; done
}
