# Shared by the test stage scripts (source it after `cd` to the repository): what a stage does and
# which tests it runs, from its argument and the environment.
# - The argument: "build" only builds, "test" only runs the tests of the tree as built, none (or
#   "all") does both. $stage_build and $stage_test are "yes" or "no".
# - $ctest_selection: the ctest options choosing the tests. CAPSARO_TEST_LABEL=display runs only
#   that label's tests; the opt-in "slow" label runs only with CAPSARO_SLOW_TESTS=1.
case "${1:-all}" in
  all) stage_build=yes stage_test=yes ;;
  build) stage_build=yes stage_test=no ;;
  test) stage_build=no stage_test=yes ;;
  *) echo "usage: $0 [build|test]" >&2; exit 2 ;;
esac
ctest_selection=()
[ "${CAPSARO_SLOW_TESTS:-0}" = 1 ] || ctest_selection=(-LE slow)
[ -z "${CAPSARO_TEST_LABEL:-}" ] || ctest_selection+=(-L "$CAPSARO_TEST_LABEL")
