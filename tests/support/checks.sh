# The checks of the shell tests (source it): named checks with a tally, the summary that decides
# a test's status, and waiting with a liveness bound.
checks_passed=0
checks_failed=0

# check DESCRIPTION COMMAND...: runs the command; says "ok" (unless CHECKS_QUIET is set) or "FAILED".
check() {
  if "${@:2}"; then
    checks_passed=$((checks_passed + 1))
    [ -n "${CHECKS_QUIET:-}" ] || echo "ok: $1"
  else
    checks_failed=$((checks_failed + 1))
    echo "FAILED: $1"
  fi
}

# The summary line; the test's status: 0 when no check failed.
finish_checks() {
  echo "$checks_passed passed, $checks_failed failed"
  test "$checks_failed" -eq 0
}

# How long a check waits for the program, a server or Wine to do what it should: a liveness
# bound that a loaded machine stays far inside, never a speed target (bench/ measures speed).
liveness_seconds=30

# poll_until COMMAND...: runs the command every tenth of a second until it succeeds (true) or
# $liveness_seconds have passed (false).
poll_until() {
  local until=$((SECONDS + liveness_seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$until" ] || return 1
    sleep 0.1
  done
}

# process_gone PID: true when process PID has ended. ended PID: true once it has (within the liveness bound).
process_gone() { ! kill -0 "$1" 2>/dev/null; }
ended() { poll_until process_gone "$1"; }

