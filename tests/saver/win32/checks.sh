# Shared by the Windows program's shell tests (source it): named checks with a tally, the summary
# that decides the test's status, and a work folder of the test's own with a copy of the program.
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

# enter_work_folder NAME PROGRAM: a new folder under /tmp (removed at exit) holding the program
# as capsaro.scr; the shell moves into it and $work names it.
enter_work_folder() {
  work=$(mktemp -d "/tmp/capsaro-$1.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  cp "$2" "$work/capsaro.scr"
  cd "$work" || exit 1
}
